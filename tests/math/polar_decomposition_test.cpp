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
#include <vector>

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

void ExpectIdentityQuat(const Quat& q, float tolerance) {
  EXPECT_NEAR(q.x, 0, tolerance);
  EXPECT_NEAR(q.y, 0, tolerance);
  EXPECT_NEAR(q.z, 0, tolerance);
  EXPECT_NEAR(std::fabs(q.w), 1, tolerance);
}

void ExpectVec4(const Vec4& v, float x, float y, float z, float w) {
  EXPECT_EQ(v.x, x);
  EXPECT_EQ(v.y, y);
  EXPECT_EQ(v.z, z);
  EXPECT_EQ(v.w, w);
}

// ---------------------------------------------------------------------------
// Edge cases.

TEST(DecomposeAffine, Identity) {
  const AffineParts p = DecomposeAffine(IdentityMatrix());
  ExpectVec4(p.t, 0, 0, 0, 0);
  EXPECT_EQ(p.q.x, 0.0f);
  EXPECT_EQ(p.q.y, 0.0f);
  EXPECT_EQ(p.q.z, 0.0f);
  EXPECT_EQ(p.q.w, 1.0f);
  ExpectVec4(p.k, 1, 1, 1, 1);
  EXPECT_EQ(p.f, 1.0f);
  EXPECT_EQ(p.u.x, 0.0f);
  EXPECT_EQ(p.u.y, 0.0f);
  EXPECT_EQ(p.u.z, 0.0f);
  EXPECT_EQ(std::fabs(p.u.w), 1.0f);
  EXPECT_EQ(PolarDecompose(IdentityMatrix()).passes, 1);
}

TEST(DecomposeAffine, UniformScaleTwoTakesTwoPasses) {
  Matrix4 a = Scale(2, 2, 2);
  *ElementAddress(a, 0, 3) = 5;
  *ElementAddress(a, 1, 3) = -6;
  *ElementAddress(a, 2, 3) = 7;
  *ElementAddress(a, 3, 0) = 99;  // row 3 is not read
  const AffineParts p = DecomposeAffine(a);
  ExpectVec4(p.t, 5, -6, 7, 0);
  ExpectVec4(p.k, 2, 2, 2, 1);
  EXPECT_EQ(p.q.x, 0.0f);
  EXPECT_EQ(p.q.y, 0.0f);
  EXPECT_EQ(p.q.z, 0.0f);
  EXPECT_EQ(p.q.w, 1.0f);
  EXPECT_EQ(p.f, 1.0f);
  const PolarResult polar = PolarDecompose(a);
  EXPECT_EQ(polar.passes, 2);
  EXPECT_EQ(polar.det, 1.0f);  // the last pass sees the identity
}

TEST(DecomposeAffine, MirrorGivesNegativeSign) {
  const Matrix4 a = Scale(1, 1, -1);
  const AffineParts p = DecomposeAffine(a);
  EXPECT_EQ(p.f, -1.0f);
  EXPECT_NEAR(Norm(p.q), 1.0, 1e-6);
  EXPECT_GT(Det(RotationD(p.q)), 0.0);
  EXPECT_LT(MaxDiff(Rebuild(p), Upper(a)), 1e-6);
  ExpectVec4(p.k, 1, 1, 1, 1);
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
  ExpectIdentityQuat(p.q, 0.0f);
  EXPECT_EQ(p.q.w, 1.0f);
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
    ExpectIdentityQuat(p.q, 0.0f);
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

TEST(PolarDecompose, RandomRankTwoMatrices) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<float> u(-3.0f, 3.0f);
  int rank_two_path = 0;
  for (int trial = 0; trial < 200; ++trial) {
    // Third row is zero: the determinant is exactly 0 in any arithmetic.
    const Mat3 a{{{u(rng), u(rng), u(rng)}, {u(rng), u(rng), u(rng)}, {0, 0, 0}}};
    const PolarResult polar = PolarDecompose(FromUpper(a));
    rank_two_path += polar.det == 0.0f;
    const Mat3 q = Upper(polar.q);
    ASSERT_LT(MaxDiff(Mul(q, Trans(q)), Diag(1, 1, 1)), 1e-5) << trial;
    ASSERT_LT(MaxDiff(Mul(q, Upper(polar.s)), a), 1e-4 * std::max(1.0, MaxAbs(a))) << trial;
  }
  EXPECT_EQ(rank_two_path, 200);
}

// ---------------------------------------------------------------------------
// Building blocks.

TEST(Blocks, LargestColumnVisitsRowByRow) {
  Matrix4 m{};
  EXPECT_EQ(LargestColumn(m), -1);
  *ElementAddress(m, 0, 2) = -3;
  *ElementAddress(m, 1, 0) = 3;  // equal, not strictly larger
  *ElementAddress(m, 2, 1) = 2;
  *ElementAddress(m, 3, 3) = 50;  // outside the 3×3 part
  EXPECT_EQ(LargestColumn(m), 2);
  *ElementAddress(m, 2, 1) = 3.5f;
  EXPECT_EQ(LargestColumn(m), 1);
  *ElementAddress(m, 0, 0) = kNaN;
  EXPECT_EQ(LargestColumn(m), 1);
}

TEST(Blocks, HouseholderVectorReflectsOntoZ) {
  const Vec3 cases[] = {{3, 0, 4}, {1, -2, -2}, {0, 0, 0.5f}, {0, 0, -2}, {1e-3f, 5, 0}};
  for (const Vec3& x : cases) {
    const Vec3 u = HouseholderVector(x);
    const double uu = double(u.x) * u.x + double(u.y) * u.y + double(u.z) * u.z;
    EXPECT_NEAR(uu, 2.0, 1e-6);
    const double ux = double(u.x) * x.x + double(u.y) * x.y + double(u.z) * x.z;
    const double r[3] = {x.x - u.x * ux, x.y - u.y * ux, x.z - u.z * ux};
    const double len = std::sqrt(double(x.x) * x.x + double(x.y) * x.y + double(x.z) * x.z);
    EXPECT_NEAR(r[0], 0, 1e-5 * len);
    EXPECT_NEAR(r[1], 0, 1e-5 * len);
    EXPECT_NEAR(r[2], x.z < 0 ? len : -len, 1e-5 * len);
  }
}

TEST(Blocks, ReflectColumnsAndRows) {
  const Vec3 u = HouseholderVector(Vec3{1, 2, 2});
  const Matrix4 m = FromUpper(Mat3{{{1, 2, 3}, {4, 5, 6}, {7, 8, 10}}});
  Matrix4 cols = m, rows = m;
  ReflectColumns(cols, u);
  ReflectRows(rows, u);
  Mat3 h = Diag(1, 1, 1);
  const double v[3] = {u.x, u.y, u.z};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) h[i][j] -= v[i] * v[j];
  EXPECT_LT(MaxDiff(Upper(cols), Mul(h, Upper(m))), 1e-5);
  EXPECT_LT(MaxDiff(Upper(rows), Mul(Upper(m), h)), 1e-5);
  EXPECT_EQ(Element(cols, 3, 3), 1.0f);
}

TEST(Blocks, NormsAndAdjugate) {
  const Matrix4 m = FromUpper(Mat3{{{1, -2, 3}, {-4, 5, -6}, {7, 8, -10}}});
  EXPECT_EQ(MaxColumnSum(m), 19.0f);
  EXPECT_EQ(MaxRowSum(m), 25.0f);
  Matrix4 with_nan = m;
  *ElementAddress(with_nan, 2, 2) = kNaN;
  EXPECT_EQ(MaxColumnSum(with_nan), 15.0f);  // NaN sums are never taken
  EXPECT_EQ(MaxRowSum(with_nan), 15.0f);
  // Rows of the adjugate transpose are orthogonal to the other rows of M and
  // give the determinant with their own.
  const Matrix4 a = AdjugateTranspose(m);
  const double det = Det(Upper(m));
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      double dot = 0;
      for (int c = 0; c < 3; ++c) dot += double(Element(m, i, c)) * Element(a, j, c);
      EXPECT_EQ(dot, i == j ? det : 0.0) << i << j;
    }
}

TEST(Blocks, SymmetricEigen) {
  const EigenResult diag = SymmetricEigen(Scale(3, -1, 2));
  ExpectVec4(diag.k, 3, -1, 2, 1);
  const Matrix4 id = IdentityMatrix();
  EXPECT_EQ(std::memcmp(&diag.u, &id, sizeof(Matrix4)), 0);
  std::mt19937 rng(3);
  std::uniform_real_distribution<float> u(-4.0f, 4.0f);
  for (int trial = 0; trial < 300; ++trial) {
    Mat3 s{};
    for (int i = 0; i < 3; ++i)
      for (int j = i; j < 3; ++j) s[i][j] = s[j][i] = u(rng);
    const EigenResult e = SymmetricEigen(FromUpper(s));
    const Mat3 v = Upper(e.u);
    ASSERT_LT(MaxDiff(Mul(v, Trans(v)), Diag(1, 1, 1)), 1e-5) << trial;
    ASSERT_NEAR(Det(v), 1.0, 1e-5) << trial;  // a proper rotation
    ASSERT_LT(MaxDiff(Mul(Mul(v, Diag(e.k.x, e.k.y, e.k.z)), Trans(v)), s), 1e-4) << trial;
  }
}

TEST(Blocks, QuatFromRotationRoundTrip) {
  const float h = std::sqrt(0.5f);
  std::vector<Quat> cases = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0},  // half turns
                             {0, 0, 0, 1}, {h, 0, 0, h}, {0.5f, -0.5f, 0.5f, -0.5f}};
  std::mt19937 rng(9);
  std::normal_distribution<float> n(0.0f, 1.0f);
  for (int i = 0; i < 500; ++i) cases.push_back(QuatNormalize(Quat{n(rng), n(rng), n(rng), n(rng)}));
  for (const Quat& q : cases) {
    const Quat back = QuatFromRotation(QuatToRotationMatrix(q));
    const double dot = double(back.x) * q.x + double(back.y) * q.y + double(back.z) * q.z +
                       double(back.w) * q.w;
    ASSERT_NEAR(std::fabs(dot), 1.0, 2e-6) << q.x << " " << q.y << " " << q.z << " " << q.w;
  }
  // A homogeneous weight w scales the 3×3 part by w and divides out.
  const Quat weighted_cases[] = {{0, 0, 0, 1}, {0, 0, 1, 0}};
  for (const Quat& q : weighted_cases) {
    Matrix4 weighted = QuatToRotationMatrix(q);
    for (float& v : weighted.m) v *= 4.0f;
    const Quat back = QuatFromRotation(weighted);
    EXPECT_EQ(back.x, q.x);
    EXPECT_EQ(back.y, q.y);
    EXPECT_EQ(back.z, q.z);
    EXPECT_EQ(back.w, q.w);
  }
}

// ---------------------------------------------------------------------------
// CanonicalStretch keeps the stretch and picks the canonical stretch rotation.

// Every rotation that permutes the axes (up to sign), as unit quaternions.
std::vector<Quat> AxisPermutations() {
  std::vector<Quat> g;
  for (int i = 0; i < 4; ++i) {
    float c[4] = {0, 0, 0, 0};
    c[i] = 1;
    g.push_back(Quat{c[0], c[1], c[2], c[3]});
  }
  for (int s = 0; s < 16; ++s)
    g.push_back(Quat{s & 1 ? -0.5f : 0.5f, s & 2 ? -0.5f : 0.5f, s & 4 ? -0.5f : 0.5f,
                     s & 8 ? -0.5f : 0.5f});
  const float h = std::sqrt(0.5f);
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j)
      for (int s = 0; s < 2; ++s) {
        float c[4] = {0, 0, 0, 0};
        c[i] = h;
        c[j] = s ? -h : h;
        g.push_back(Quat{c[0], c[1], c[2], c[3]});
      }
  return g;
}

std::vector<Quat> StretchRotations() {
  std::vector<Quat> us = {{0, 0, 0, 1},         {0, 0, 0, -1},      {0.5f, 0.5f, 0.5f, 0.5f},
                          {-0.5f, 0.5f, 0.5f, 0.5f}, {0.7f, 0.7f, 0.1f, 0.1f},
                          {0.1f, -0.7f, 0.05f, 0.7f}, {0.05f, 0.1f, -0.9f, 0.2f},
                          {0.48f, -0.52f, 0.5f, 0.49f}};
  std::mt19937 rng(21);
  std::normal_distribution<float> n(0.0f, 1.0f);
  for (int i = 0; i < 400; ++i) us.push_back(Quat{n(rng), n(rng), n(rng), n(rng)});
  for (Quat& q : us) q = QuatNormalize(q);
  return us;
}

struct StretchCase {
  Vec4 k;
  const char* path;
};

TEST(CanonicalStretch, KeepsTheStretchOnEveryPath) {
  const StretchCase cases[] = {
      {{1, 2, 3, 1}, "distinct"},     {{3, 0.5f, 2, 1}, "distinct"},
      {{2, 2, 3, 1}, "z pair"},       {{2, 3, 2, 1}, "y pair"},
      {{3, 2, 2, 1}, "x pair"},       {{0.5f, 0.5f, 0.25f, 1}, "z pair"},
      {{2, 2, 2, 1}, "all equal"},
  };
  const std::vector<Quat> us = StretchRotations();
  for (const StretchCase& c : cases) {
    for (const Quat& u : us) {
      Vec4 k = c.k;
      const Quat p = CanonicalStretch(u, k);
      const Quat v = PolarQuatProduct(u, p);
      ASSERT_NEAR(Norm(v), 1.0, 2e-6) << c.path;
      ASSERT_LT(MaxDiff(Stretch(v, k), Stretch(u, c.k)), 1e-5) << c.path;
      float before[3] = {c.k.x, c.k.y, c.k.z}, after[3] = {k.x, k.y, k.z};
      std::sort(before, before + 3);
      std::sort(after, after + 3);
      ASSERT_TRUE(std::equal(before, before + 3, after)) << c.path;
      ASSERT_EQ(k.w, 1.0f);
    }
  }
}

TEST(CanonicalStretch, DistinctScalesGetTheNearestAxisPermutation) {
  const std::vector<Quat> group = AxisPermutations();
  ASSERT_EQ(group.size(), 32u);  // with ±q, the 24 rotations of the cube
  for (const Quat& u : StretchRotations()) {
    double best = 0;
    for (const Quat& g : group)
      best = std::max(best, std::fabs(double(u.x) * g.x + double(u.y) * g.y +
                                      double(u.z) * g.z + double(u.w) * g.w));
    Vec4 k{1, 2, 3, 1};
    const Quat v = PolarQuatProduct(u, CanonicalStretch(u, k));
    ASSERT_NEAR(std::fabs(v.w), best, 2e-6) << u.x << " " << u.y << " " << u.z << " " << u.w;
  }
}

TEST(CanonicalStretch, EqualPairRemovesTheTurnAboutTheOddAxis) {
  // A turn about the axis of the odd factor does not change the stretch; the
  // canonical stretch rotation has none (zero component on that axis).
  const Vec4 patterns[] = {{2, 2, 3, 1}, {2, 3, 2, 1}, {3, 2, 2, 1}, {0.5f, 7, 7, 1}};
  for (const Vec4& k0 : patterns) {
    for (const Quat& u : StretchRotations()) {
      Vec4 k = k0;
      const Quat v = PolarQuatProduct(u, CanonicalStretch(u, k));
      const float along_odd = k.y == k.z ? v.x : k.x == k.z ? v.y : v.z;
      ASSERT_NEAR(along_odd, 0.0f, 1e-6) << k.x << " " << k.y << " " << k.z;
      ASSERT_GT(v.w, 0.0f);
    }
  }
}

TEST(CanonicalStretch, AllEqualReturnsTheConjugate) {
  const Quat u{0.1f, -0.2f, 0.3f, 0.9f};
  Vec4 k{2, 2, 2, 1};
  const Quat p = CanonicalStretch(u, k);
  EXPECT_EQ(p.x, -u.x);
  EXPECT_EQ(p.y, -u.y);
  EXPECT_EQ(p.z, -u.z);
  EXPECT_EQ(p.w, u.w);
  ExpectVec4(k, 2, 2, 2, 1);
}

TEST(CanonicalStretch, EqualPairMovesTheOddFactor) {
  // With u = identity the odd factor keeps its axis, whatever path it takes.
  const StretchCase cases[] = {{{2, 2, 3, 1}, "z"}, {{2, 3, 2, 1}, "y"}, {{3, 2, 2, 1}, "x"}};
  for (const StretchCase& c : cases) {
    Vec4 k = c.k;
    const Quat v = PolarQuatProduct(Quat{0, 0, 0, 1}, CanonicalStretch(Quat{0, 0, 0, 1}, k));
    EXPECT_LT(MaxDiff(Stretch(v, k), Diag(c.k.x, c.k.y, c.k.z)), 1e-6) << c.path;
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
