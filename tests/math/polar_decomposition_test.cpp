#include "math/polar_decomposition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <iostream>
#include <limits>
#include <random>
#include <string>

namespace ortolix {
namespace {

using Mat3 = std::array<std::array<double, 3>, 3>;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// Reference rotation matrix of a quaternion, in double (column vectors).
Mat3 RotationD(const Quat& qf) {
  const double x = qf.x, y = qf.y, z = qf.z, w = qf.w;
  return Mat3{{{1 - 2 * (y * y + z * z), 2 * (x * y - w * z), 2 * (x * z + w * y)},
               {2 * (x * y + w * z), 1 - 2 * (x * x + z * z), 2 * (y * z - w * x)},
               {2 * (x * z - w * y), 2 * (y * z + w * x), 1 - 2 * (x * x + y * y)}}};
}

Mat3 Mul(const Mat3& a, const Mat3& b) {
  Mat3 c{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) c[i][j] += a[i][k] * b[k][j];
  return c;
}

Mat3 Trans(const Mat3& a) {
  Mat3 t{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) t[i][j] = a[j][i];
  return t;
}

Mat3 Diag(double a, double b, double c) { return Mat3{{{a, 0, 0}, {0, b, 0}, {0, 0, c}}}; }

Mat3 Upper(const Matrix4& m) {
  Mat3 r{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r[i][j] = Element(m, i, j);
  return r;
}

double Det(const Mat3& a) {
  return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
         a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
         a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
}

double MaxAbs(const Mat3& a) {
  double m = 0;
  for (const auto& row : a)
    for (double v : row) m = std::max(m, std::fabs(v));
  return m;
}

double MaxDiff(const Mat3& a, const Mat3& b) {
  double m = 0;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m = std::max(m, std::fabs(a[i][j] - b[i][j]));
  return m;
}

// The stretch U · K · Uᵀ.
Mat3 Stretch(const Quat& u, const Vec4& k) {
  const Mat3 r = RotationD(u);
  return Mul(Mul(r, Diag(k.x, k.y, k.z)), Trans(r));
}

// f · R · U · K · Uᵀ: the upper 3×3 part the parts rebuild.
Mat3 Rebuild(const AffineParts& p) { return Mul(Diag(p.f, p.f, p.f), Mul(RotationD(p.q), Stretch(p.u, p.k))); }

double Norm(const Quat& q) {
  return std::sqrt(double(q.x) * q.x + double(q.y) * q.y + double(q.z) * q.z + double(q.w) * q.w);
}

Matrix4 FromUpper(const Mat3& a, const Vec3& t = Vec3{0, 0, 0}) {
  Matrix4 m = IdentityMatrix();
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) *ElementAddress(m, i, j) = static_cast<float>(a[i][j]);
  *ElementAddress(m, 0, 3) = t.x;
  *ElementAddress(m, 1, 3) = t.y;
  *ElementAddress(m, 2, 3) = t.z;
  return m;
}

Matrix4 Scale(float x, float y, float z) { return FromUpper(Diag(x, y, z)); }

template <typename V>  // Vec4 or Quat
void ExpectVec4(const V& v, float x, float y, float z, float w) {
  EXPECT_EQ(v.x, x);
  EXPECT_EQ(v.y, y);
  EXPECT_EQ(v.z, z);
  EXPECT_EQ(v.w, w);
}

// ---------------------------------------------------------------------------
// Edge cases.

TEST(DecomposeAffine, UniformScaleTwoTakesTwoPasses) {
  Matrix4 a = Scale(2, 2, 2);
  *ElementAddress(a, 0, 3) = 5;
  *ElementAddress(a, 1, 3) = -6;
  *ElementAddress(a, 2, 3) = 7;
  *ElementAddress(a, 3, 0) = 99;  // row 3 is not read
  const AffineParts p = DecomposeAffine(a);
  ExpectVec4(p.t, 5, -6, 7, 0);
  ExpectVec4(p.k, 2, 2, 2, 1);
  ExpectVec4(p.q, 0, 0, 0, 1);
  EXPECT_EQ(p.f, 1.0f);
  const PolarResult polar = PolarDecompose(a);
  EXPECT_EQ(polar.passes, 2);
  EXPECT_EQ(polar.det, 1.0f);  // the last pass sees the identity
}

TEST(DecomposeAffine, ZeroColumnTakesRankTwoPath) {
  const Matrix4 a = FromUpper(Mat3{{{1, 0.5, 0}, {-0.25, 2, 0}, {3, 1, 0}}}, Vec3{1, 2, 3});
  const PolarResult polar = PolarDecompose(a);
  EXPECT_EQ(polar.det, 0.0f);
  EXPECT_EQ(polar.passes, 1);
  const Mat3 q = Upper(polar.q);
  EXPECT_LT(MaxDiff(Mul(q, Trans(q)), Diag(1, 1, 1)), 1e-6);
  const AffineParts p = DecomposeAffine(a);
  EXPECT_EQ(p.f, 1.0f);
  ExpectVec4(p.t, 1, 2, 3, 0);
  EXPECT_LT(MaxDiff(Rebuild(p), Upper(a)), 1e-5);
  EXPECT_NEAR(std::min({p.k.x, p.k.y, p.k.z}), 0.0f, 1e-6);
}

TEST(DecomposeAffine, ZeroMatrix) {
  const Matrix4 zero{};
  const PolarResult polar = PolarDecompose(zero);
  EXPECT_EQ(polar.det, 0.0f);
  const Matrix4 id = IdentityMatrix();
  EXPECT_EQ(std::memcmp(&polar.q, &id, sizeof(Matrix4)), 0);
  const AffineParts p = DecomposeAffine(zero);
  EXPECT_EQ(p.f, 1.0f);
  ExpectVec4(p.k, 0, 0, 0, 1);
  ExpectVec4(p.q, 0, 0, 0, 1);
}

// Pure scales reach CanonicalStretch with exact factors, so each pattern takes
// its own path: the parts must still rebuild the scale with q the identity.
TEST(DecomposeAffine, ScalesTakeEveryStretchPath) {
  const Vec3 scales[] = {{2, 2, 3}, {2, 3, 2}, {3, 2, 2}, {1, 2, 3}, {3, 1, 2}, {0.5f, 4, 0.5f}};
  for (const Vec3& s : scales) {
    const Matrix4 a = Scale(s.x, s.y, s.z);
    const AffineParts p = DecomposeAffine(a);
    const std::string where = std::to_string(s.x) + " " + std::to_string(s.y) + " " + std::to_string(s.z);
    EXPECT_EQ(p.f, 1.0f) << where;
    ExpectVec4(p.q, 0, 0, 0, p.q.w);
    EXPECT_EQ(std::fabs(p.q.w), 1.0f) << where;
    EXPECT_NEAR(Norm(p.u), 1.0, 1e-6) << where;
    EXPECT_LT(MaxDiff(Rebuild(p), Upper(a)), 1e-6) << where;
    float given[3] = {s.x, s.y, s.z}, got[3] = {p.k.x, p.k.y, p.k.z};
    std::sort(given, given + 3);
    std::sort(got, got + 3);
    EXPECT_TRUE(std::equal(given, given + 3, got)) << where;
  }
}

TEST(PolarDecompose, RankOneMatrixHasIdentityFactor) {
  // u·vᵀ: every 2×2 minor, so the adjugate, is zero.
  const Mat3 a{{{2, -1, 4}, {4, -2, 8}, {-1, 0.5, -2}}};
  const PolarResult polar = PolarDecompose(FromUpper(a));
  EXPECT_EQ(polar.det, 0.0f);
  EXPECT_EQ(MaxDiff(Upper(polar.q), Diag(1, 1, 1)), 0.0);
}

TEST(PolarDecompose, RankOneRotationWithSeparateOutput) {
  // Called with its own output matrix, the rank-one path gives a true polar
  // factor: Qᵀ·M symmetric with a non-negative trace. The last case needs the
  // sign rule for a negative M[2][2].
  const double cases[][6] = {{2, 4, -1, -1, 0.5, 4}, {1, 2, 3, 1, 1, 1},
                             {-1, 0.5, 2, 3, -2, 1}, {0, 0, 1, 0, 0, -1}};
  for (const auto& c : cases) {
    Mat3 a{};
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) a[i][j] = c[i] * c[3 + j];
    Matrix4 m = FromUpper(a), q;
    RankOneRotation(m, q);
    const Mat3 qd = Upper(q);
    EXPECT_LT(MaxDiff(Mul(qd, Trans(qd)), Diag(1, 1, 1)), 1e-6);
    const Mat3 s = Mul(Trans(qd), a);
    EXPECT_LT(MaxDiff(s, Trans(s)), 1e-5 * MaxAbs(a));
    EXPECT_GT(s[0][0] + s[1][1] + s[2][2], 0.0);
  }
}

// ---------------------------------------------------------------------------
// Property test over seeded random affine matrices.

enum class Kind { kRotationScale, kShear, kNearSingular, kEqualPair, kRandom };

Mat3 RandomAffine(Kind kind, std::mt19937& rng) {
  std::normal_distribution<float> n(0.0f, 1.0f);
  std::uniform_real_distribution<double> u01(0.0, 1.0);
  const Mat3 r = RotationD(QuatNormalize(Quat{n(rng), n(rng), n(rng), n(rng)}));
  auto magnitude = [&] { return std::pow(10.0, u01(rng) * 2.0 - 1.0); };  // 0.1..10
  auto sign = [&] { return u01(rng) < 0.5 ? -1.0 : 1.0; };
  switch (kind) {
    case Kind::kRotationScale:
      return Mul(r, Diag(sign() * magnitude(), sign() * magnitude(), sign() * magnitude()));
    case Kind::kShear: {
      const Mat3 shear{{{1, u01(rng) * 2 - 1, u01(rng) * 2 - 1}, {0, 1, u01(rng) * 2 - 1}, {0, 0, 1}}};
      return Mul(Mul(r, shear), Diag(sign() * magnitude(), sign() * magnitude(), magnitude()));
    }
    case Kind::kNearSingular: {
      const double tiny = std::pow(10.0, -3.0 - 3.0 * u01(rng));  // 1e-3..1e-6
      const Mat3 r2 = RotationD(QuatNormalize(Quat{n(rng), n(rng), n(rng), n(rng)}));
      return Mul(Mul(r, Diag(sign() * magnitude(), magnitude(), sign() * tiny)), Trans(r2));
    }
    case Kind::kEqualPair: {
      const double a = magnitude(), b = magnitude();
      const Mat3 r2 = RotationD(QuatNormalize(Quat{n(rng), n(rng), n(rng), n(rng)}));
      return Mul(Mul(r, Diag(sign() * a, a, b)), Trans(r2));
    }
    case Kind::kRandom:
      break;
  }
  Mat3 a{};
  for (auto& row : a)
    for (double& v : row) v = 5.0 * n(rng);
  return a;
}

TEST(DecomposeAffine, RebuildsRandomAffineMatrices) {
  // Tolerances: the rebuilt 3×3 part within 5e-6 of the largest element
  // (float storage of every step), q and u unit within 2e-6.
  constexpr double kRebuildTolerance = 5e-6;
  constexpr double kUnitTolerance = 2e-6;
  constexpr int kPerKind = 1000;
  const Kind kinds[] = {Kind::kRotationScale, Kind::kShear, Kind::kNearSingular,
                        Kind::kEqualPair, Kind::kRandom};
  std::mt19937 rng(20240611);
  std::uniform_real_distribution<float> tdist(-100.0f, 100.0f);
  int max_passes = 0;
  double worst = 0;
  for (const Kind kind : kinds) {
    for (int trial = 0; trial < kPerKind; ++trial) {
      const Mat3 a3 = RandomAffine(kind, rng);
      const Matrix4 a = FromUpper(a3, Vec3{tdist(rng), tdist(rng), tdist(rng)});
      const Mat3 af = Upper(a);  // as rounded to float
      const AffineParts p = DecomposeAffine(a);
      max_passes = std::max(max_passes, PolarDecompose(a).passes);
      const std::string where = "kind " + std::to_string(int(kind)) + " trial " + std::to_string(trial);
      ASSERT_EQ(p.t.x, Element(a, 0, 3)) << where;
      ASSERT_EQ(p.t.y, Element(a, 1, 3)) << where;
      ASSERT_EQ(p.t.z, Element(a, 2, 3)) << where;
      ASSERT_EQ(p.t.w, 0.0f) << where;
      ASSERT_EQ(p.k.w, 1.0f) << where;
      ASSERT_NEAR(Norm(p.q), 1.0, kUnitTolerance) << where;
      ASSERT_NEAR(Norm(p.u), 1.0, kUnitTolerance) << where;
      const double error = MaxDiff(Rebuild(p), af) / MaxAbs(af);
      worst = std::max(worst, error);
      ASSERT_LT(error, kRebuildTolerance) << where;
      ASSERT_EQ(p.f, Det(af) < 0 ? -1.0f : 1.0f) << where << " det " << Det(af);
      ASSERT_GE(std::min({p.k.x, p.k.y, p.k.z}), -kRebuildTolerance * MaxAbs(af)) << where;
    }
  }
  EXPECT_LT(max_passes, kPolarMaxPasses);
  RecordProperty("max_passes", max_passes);
  std::cout << "[ stats    ] largest PolarDecompose pass count: " << max_passes
            << ", worst relative rebuild error: " << worst << "\n";
}

// ---------------------------------------------------------------------------
// The iteration always ends, whatever the input.

TEST(PolarDecompose, PassLimitCutsTheIteration) {
  const Matrix4 sheared = FromUpper(Mat3{{{1, 3, -2}, {0, 0.2, 4}, {0.1, 0, 5}}});
  const PolarResult full = PolarDecompose(sheared);
  // The fifth pass still changes Mk by about 3e-6 of its norm; only the sixth
  // change is below the 1e-6 tolerance.
  EXPECT_EQ(full.passes, 6);
  const Mat3 q = Upper(full.q);
  EXPECT_LT(MaxDiff(Mul(q, Trans(q)), Diag(1, 1, 1)), 1e-6);
  const PolarResult cut = PolarDecompose(sheared, 2);
  EXPECT_EQ(cut.passes, 2);
  const Mat3 qc = Upper(cut.q);
  EXPECT_GT(MaxDiff(Mul(qc, Trans(qc)), Diag(1, 1, 1)), 1e-3);  // not converged yet
  EXPECT_EQ(PolarDecompose(sheared, 0).passes, 1);  // always one pass
}

struct EndCase {
  const char* name;
  float fill;
  int row, column;  // one element set to `odd`; −1 for none
  float odd;
};

TEST(PolarDecompose, EndsOnNonFiniteAndExtremeInput) {
  const EndCase cases[] = {
      {"NaN everywhere", kNaN, -1, -1, 0},   {"one NaN", 0, 1, 2, kNaN},
      {"one NaN in identity", 1, 0, 0, kNaN}, {"+inf", kInf, -1, -1, 0},
      {"-inf in identity", 1, 2, 1, -kInf},  {"huge", 3e38f, -1, -1, 0},
      {"huge diagonal", 0, 1, 1, 3e38f},     {"tiny", 1e-30f, -1, -1, 0},
      {"denormal", 1e-40f, -1, -1, 0},
  };
  for (const EndCase& c : cases) {
    Matrix4 m;
    for (float& v : m.m) v = c.fill;
    if (c.fill == 0.0f || c.fill == 1.0f) m = c.fill == 0.0f ? Matrix4{} : IdentityMatrix();
    if (c.row >= 0) *ElementAddress(m, c.row, c.column) = c.odd;
    const PolarResult polar = PolarDecompose(m);
    EXPECT_GE(polar.passes, 1) << c.name;
    EXPECT_LE(polar.passes, kPolarMaxPasses) << c.name;
    const AffineParts p = DecomposeAffine(m);
    EXPECT_TRUE(p.f == 1.0f || p.f == -1.0f) << c.name;
    // A determinant that is not a number counts as positive.
    if (std::isnan(polar.det)) {
      EXPECT_EQ(p.f, 1.0f) << c.name;
    }
    std::cout << "[ passes   ] " << c.name << ": " << polar.passes << "\n";
  }
}

}  // namespace
}  // namespace ortolix
