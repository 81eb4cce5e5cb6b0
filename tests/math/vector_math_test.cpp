#include "math/vector_math.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace ortolix {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
// 2^-12: its square 2^-24 is half an ulp of 1.0f, so 1 + 2^-24 + 2^-24 is 1
// when each sum is rounded to float and 1 + 2^-23 when summed in double.
constexpr float kTiny = 1.0f / 4096.0f;
const float kOnePlusUlp = std::nextafter(1.0f, 2.0f);

bool SameBits(const Matrix4& a, const Matrix4& b) {
  return std::memcmp(a.m, b.m, sizeof a.m) == 0;
}
bool SameBits(const Quat& a, const Quat& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}
bool SameBits(const Vec3& a, const Vec3& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// A deliberately unsymmetric, invertible matrix with a non-trivial row 3.
Matrix4 Sample() {
  return MakeMatrix4(2, 1, 0.5f, 0.25f,  //
                     -1, 3, 0.75f, -0.5f,  //
                     0.3f, -0.2f, 1.5f, 2,  //
                     4, -5, 6, 1);
}

Matrix4 SampleB() {
  return MakeMatrix4(1, -2, 0.5f, 3,  //
                     0.1f, 1, -1, 0.2f,  //
                     2, 0, 1, -4,  //
                     0.5f, 0.5f, 0.5f, 2);
}

// ---------------------------------------------------------------------------

struct NearCase {
  float a, b;
  bool expected;
  const char* why;
};

TEST(NearEqual, FloatTable) {
  const float tol = kNearEqualTolerance;
  const NearCase cases[] = {
      {1.0f, 1.0001f, false, "difference rounds to just above 0.0001"},
      {1.0f, 1.00005f, true, "clearly below"},
      {-1.0f, -1.00005f, true, "sign does not matter"},
      {tol, 0.0f, false, "exactly the tolerance is not below it"},
      {std::nextafter(tol, 0.0f), 0.0f, true, "one ulp below the tolerance"},
      {0.0f, 0.0f, true, "equal"},
      {kNaN, 0.0f, false, "NaN"},
      {0.0f, kNaN, false, "NaN second"},
      {kInf, kInf, false, "inf - inf is NaN"},
      {kInf, 0.0f, false, "infinite difference"},
  };
  for (const NearCase& c : cases) {
    EXPECT_EQ(NearEqual(c.a, c.b), c.expected) << c.why;
  }
  // The tolerance is the float nearest to 0.0001, which lies below it.
  EXPECT_EQ(static_cast<double>(tol), static_cast<double>(9.999999747378752e-05f));
  EXPECT_LT(static_cast<double>(tol), 0.0001);
}

TEST(Scalars, MinMaxReturnSecondOnTie) {
  EXPECT_TRUE(std::signbit(MinFloat(0.0f, -0.0f)));
  EXPECT_FALSE(std::signbit(MinFloat(-0.0f, 0.0f)));
  EXPECT_TRUE(std::signbit(MaxFloat(0.0f, -0.0f)));
  EXPECT_FALSE(std::signbit(MaxFloat(-0.0f, 0.0f)));
  EXPECT_EQ(MinFloat(kNaN, 1.0f), 1.0f);
  EXPECT_TRUE(std::isnan(MinFloat(1.0f, kNaN)));
  EXPECT_EQ(MinFloat(-2.0f, 3.0f), -2.0f);
  EXPECT_EQ(MaxFloat(-2.0f, 3.0f), 3.0f);
  EXPECT_EQ(MinU32(7u, 0xFFFFFFFFu), 7u);
  EXPECT_EQ(MaxU32(7u, 0xFFFFFFFFu), 0xFFFFFFFFu);
}

// ---------------------------------------------------------------------------

TEST(Quaternion, SquaredNormAndDotSumInDouble) {
  const Quat q{1.0f, kTiny, kTiny, 0.0f};
  EXPECT_EQ(QuatSquaredNorm(q), kOnePlusUlp);
  EXPECT_EQ(QuatDot(q, q), kOnePlusUlp);
  EXPECT_EQ(QuatDot(Quat{1, 2, 3, 4}, Quat{-1, 0.5f, 2, 0.25f}), 7.0f);
}

struct QuatCase {
  Quat in, expected;
  const char* why;
};

TEST(Quaternion, NormalizeTable) {
  const QuatCase cases[] = {
      {{0, 0, 0, 0}, {0, 0, 0, 1}, "zero becomes identity"},
      {{0.00005f, 0, 0, 0}, {0, 0, 0, 1}, "below the tolerance"},
      {{kNearEqualTolerance, 0, 0, 0}, {0, 0, 0, 1}, "at the tolerance"},
      {{0, 0, 0, 2}, {0, 0, 0, 1}, "scaled identity"},
      {{0, -3, 0, 4}, {0, -0.6f, 0, 0.8f}, "ordinary"},
      // 41 · float(1/41) rounds below 1: the reciprocal is rounded first.
      {{0, 0, 0, 41}, {0, 0, 0, std::nextafter(1.0f, 0.0f)}, "float reciprocal"},
  };
  for (const QuatCase& c : cases) {
    const Quat got = QuatNormalize(c.in);
    EXPECT_EQ(got.x, c.expected.x) << c.why;
    EXPECT_EQ(got.y, c.expected.y) << c.why;
    EXPECT_EQ(got.z, c.expected.z) << c.why;
    EXPECT_EQ(got.w, c.expected.w) << c.why;
  }
  const Quat nan = QuatNormalize(Quat{kNaN, 0, 0, 1});
  EXPECT_TRUE(std::isnan(nan.x));  // NaN length is not ≤ 0.0001
}

TEST(Quaternion, InverseTable) {
  EXPECT_TRUE(SameBits(QuatInverse(Quat{0, 0, 0, 0}), Quat{0, 0, 0, 0}));
  // Negating the zero vector part gives negative zeros, which the writer
  // prints as "-0.000000".
  EXPECT_TRUE(SameBits(QuatInverse(Quat{0, 0, 0, 2}), Quat{-0.0f, -0.0f, -0.0f, 0.5f}));
  // 5 · float(1/25) is one ulp below 0.2f.
  EXPECT_EQ(QuatInverse(Quat{0, 0, 0, 5}).w, std::nextafter(0.2f, 0.0f));
  const Quat nan{kNaN, 1, 2, 3};
  const Quat same = QuatInverse(nan);
  EXPECT_TRUE(std::isnan(same.x));
  EXPECT_EQ(same.y, 1.0f);
  EXPECT_EQ(same.w, 3.0f);
  const Quat unit = QuatNormalize(Quat{0.1f, -0.7f, 0.3f, 0.6f});
  const Quat id = QuatProduct(unit, QuatInverse(unit));
  EXPECT_NEAR(id.x, 0, 1e-6);
  EXPECT_NEAR(id.y, 0, 1e-6);
  EXPECT_NEAR(id.z, 0, 1e-6);
  EXPECT_NEAR(id.w, 1, 1e-6);
}

TEST(Quaternion, ProductIsHamiltonInSinglePrecision) {
  const Quat i{1, 0, 0, 0}, j{0, 1, 0, 0}, k{0, 0, 1, 0};
  EXPECT_TRUE(SameBits(QuatProduct(i, j), k));
  EXPECT_TRUE(SameBits(QuatProduct(j, i), Quat{0, 0, -1, 0}));
  EXPECT_TRUE(SameBits(QuatProduct(i, i), Quat{0, 0, 0, -1}));
  const Quat q{0.5f, -1.5f, 2, 0.25f};
  EXPECT_TRUE(SameBits(QuatProduct(Quat{0, 0, 0, 1}, q), q));
  // x = 1·1 + 2^-24 − 0 + 2^-24: each partial sum rounded to float stays 1.
  const Quat a{1, kTiny, 0, kTiny}, b{kTiny, 0, kTiny, 1};
  EXPECT_EQ(QuatProduct(a, b).x, 1.0f);
}

// ---------------------------------------------------------------------------

TEST(Matrix, ProductRoundsPartialSumsAffineProductDoesNot) {
  Matrix4 a = IdentityMatrix(), b = IdentityMatrix();
  *ElementAddress(a, 0, 1) = kTiny;
  *ElementAddress(a, 0, 2) = kTiny;
  *ElementAddress(b, 1, 0) = kTiny;
  *ElementAddress(b, 2, 0) = kTiny;
  EXPECT_EQ(Element(MatrixProduct(a, b), 0, 0), 1.0f);
  EXPECT_EQ(Element(AffineProduct(a, b), 0, 0), kOnePlusUlp);
}

TEST(Matrix, AffineProductIgnoresRowThree) {
  Matrix4 a = Sample(), b = SampleB();
  const Matrix4 ref = AffineProduct(a, b);
  for (int c = 0; c < 4; ++c) {
    *ElementAddress(a, 3, c) = 1e6f;
    *ElementAddress(b, 3, c) = kNaN;
  }
  const Matrix4 got = AffineProduct(a, b);
  EXPECT_TRUE(SameBits(got, ref));
  EXPECT_EQ(Element(got, 3, 0), 0.0f);
  EXPECT_EQ(Element(got, 3, 1), 0.0f);
  EXPECT_EQ(Element(got, 3, 2), 0.0f);
  EXPECT_EQ(Element(got, 3, 3), 1.0f);
}

// File-layout matrix: rotation (row vectors), scale, translation in row 3.
Matrix4 FileLayoutTrs(const Quat& q, const Vec3& s, const Vec3& t) {
  Matrix4 m = Transpose(QuatToRotationMatrix(QuatNormalize(q)));
  for (int c = 0; c < 3; ++c) {
    *ElementAddress(m, 0, c) *= s.x;
    *ElementAddress(m, 1, c) *= s.y;
    *ElementAddress(m, 2, c) *= s.z;
  }
  *ElementAddress(m, 3, 0) = t.x;
  *ElementAddress(m, 3, 1) = t.y;
  *ElementAddress(m, 3, 2) = t.z;
  return m;
}

void ExpectNearIdentity(const Matrix4& m, float tolerance) {
  for (int i = 0; i < 16; ++i)
    EXPECT_NEAR(m.m[i], (i % 5 == 0) ? 1.0f : 0.0f, tolerance) << "element " << i;
}

TEST(Matrix, AffineInverseUndoesTheMatrix) {
  const Matrix4 m = FileLayoutTrs(Quat{0.3f, -0.5f, 0.2f, 0.8f}, Vec3{2, 0.5f, -3},
                                  Vec3{10, -20, 5});
  const Matrix4 inv = AffineInverse(m);
  EXPECT_EQ(Element(inv, 0, 3), 0.0f);
  EXPECT_EQ(Element(inv, 1, 3), 0.0f);
  EXPECT_EQ(Element(inv, 2, 3), 0.0f);
  EXPECT_EQ(Element(inv, 3, 3), 1.0f);
  ExpectNearIdentity(MatrixProduct(m, inv), 2e-5f);
  ExpectNearIdentity(MatrixProduct(inv, m), 2e-5f);
  // A pure translation inverts exactly.
  Matrix4 t = IdentityMatrix();
  *ElementAddress(t, 3, 0) = 1.5f;
  *ElementAddress(t, 3, 2) = -4.0f;
  const Matrix4 ti = AffineInverse(t);
  EXPECT_EQ(Element(ti, 3, 0), -1.5f);
  EXPECT_EQ(Element(ti, 3, 1), 0.0f);
  EXPECT_EQ(Element(ti, 3, 2), 4.0f);
}

TEST(Matrix, AffineInverseOfSingularIsNotFinite) {
  Matrix4 m = IdentityMatrix();
  *ElementAddress(m, 1, 1) = 0.0f;
  const Matrix4 inv = AffineInverse(m);
  // No test for a zero determinant: the float reciprocal is infinite.
  EXPECT_TRUE(std::isinf(Element(inv, 1, 1)));
  EXPECT_TRUE(std::isnan(Element(inv, 0, 0)));  // 0 · inf
}

TEST(Matrix, GeneralInverse) {
  Matrix4 zero{};
  EXPECT_TRUE(SameBits(GeneralInverse(zero), IdentityMatrix()));
  Matrix4 singular = Sample();
  for (int c = 0; c < 4; ++c) *ElementAddress(singular, 2, c) = 2 * Element(singular, 0, c);
  EXPECT_TRUE(SameBits(GeneralInverse(singular), IdentityMatrix()));
  Matrix4 diag{};
  const float d[4] = {2, 4, 8, -16};
  for (int i = 0; i < 4; ++i) *ElementAddress(diag, i, i) = d[i];
  const Matrix4 di = GeneralInverse(diag);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Element(di, i, i), 1.0f / d[i]);
  ExpectNearIdentity(MatrixProduct(Sample(), GeneralInverse(Sample())), 2e-6f);
  ExpectNearIdentity(MatrixProduct(GeneralInverse(SampleB()), SampleB()), 2e-6f);
}

TEST(Matrix, TransformPointAndInverseRigid) {
  const Matrix4 m = FileLayoutTrs(Quat{0.1f, 0.7f, -0.3f, 0.5f}, Vec3{1, 1, 1},
                                  Vec3{3, -2, 7});
  const Vec3 p{0.5f, -1.25f, 2};
  const Vec3 moved = TransformPoint(m, p);
  const Vec3 back = InverseRigidTransformPoint(m, moved);
  EXPECT_NEAR(back.x, p.x, 2e-6);
  EXPECT_NEAR(back.y, p.y, 2e-6);
  EXPECT_NEAR(back.z, p.z, 2e-6);
  Matrix4 s = IdentityMatrix();
  *ElementAddress(s, 0, 1) = 2;  // x feeds y
  *ElementAddress(s, 3, 2) = 5;
  const Vec3 q = TransformPoint(s, Vec3{1, 1, 1});
  EXPECT_TRUE(SameBits(q, Vec3{1, 3, 6}));
  // The inverse rigid transform multiplies by the transpose: row 0 · d.
  const Vec3 r = InverseRigidTransformPoint(s, Vec3{1, 1, 6});
  EXPECT_TRUE(SameBits(r, Vec3{3, 1, 1}));
}

// The two inverses differ in where they round: the affine inverse multiplies
// by the reciprocal of the determinant rounded to float, the general inverse
// divides in double. 41 · float(1/41) is one ulp below 1.
TEST(Matrix, InversesRoundTheReciprocalDifferently) {
  Matrix4 m = IdentityMatrix();
  *ElementAddress(m, 0, 0) = 41.0f;
  EXPECT_EQ(Element(AffineInverse(m), 1, 1), std::nextafter(1.0f, 0.0f));
  EXPECT_EQ(Element(AffineInverse(m), 0, 0), static_cast<float>(1.0 / 41.0));
  EXPECT_EQ(Element(GeneralInverse(m), 1, 1), 1.0f);
}

// 1 − 2y² − 2z² with y = z = 2^-13: in double 1 − 2^-24 (a float one ulp below
// 1); summed in single each 2^-25 step would round back to 1.
TEST(Quaternion, RotationMatrixIsFormedInDouble) {
  const float y = 1.0f / 8192.0f;
  const Matrix4 r = QuatToRotationMatrix(Quat{0, y, y, 1});
  EXPECT_EQ(Element(r, 0, 0), std::nextafter(1.0f, 0.0f));
  EXPECT_EQ(Element(r, 1, 1), 1.0f);  // 1 − 2x² − 2z² = 1 − 2^-25 rounds to 1
}

// ---------------------------------------------------------------------------
// Every operation with an output reference may write over one of its inputs.

struct AliasCase {
  std::string name;
  std::function<void(const Matrix4&, const Matrix4&, Matrix4&)> op;
};

TEST(Aliasing, MatrixOutputsMayBeInputs) {
  const std::vector<AliasCase> cases = {
      {"product", [](auto& a, auto& b, auto& o) { MatrixProduct(a, b, o); }},
      {"affine", [](auto& a, auto& b, auto& o) { AffineProduct(a, b, o); }},
      {"transpose", [](auto& a, auto&, auto& o) { Transpose(a, o); }},
      {"affine inverse", [](auto& a, auto&, auto& o) { AffineInverse(a, o); }},
      {"general inverse", [](auto& a, auto&, auto& o) { GeneralInverse(a, o); }},
      {"copy", [](auto& a, auto&, auto& o) { CopyMatrix(a, o); }},
  };
  for (const AliasCase& c : cases) {
    Matrix4 separate;
    c.op(Sample(), SampleB(), separate);
    Matrix4 a = Sample();
    c.op(a, SampleB(), a);
    EXPECT_TRUE(SameBits(a, separate)) << c.name << " into its first input";
    Matrix4 b = SampleB();
    Matrix4 expected;
    c.op(Sample(), b, expected);
    c.op(Sample(), b, b);
    EXPECT_TRUE(SameBits(b, expected)) << c.name << " into its second input";
    Matrix4 both = Sample();
    c.op(Sample(), Sample(), expected);
    c.op(both, both, both);
    EXPECT_TRUE(SameBits(both, expected)) << c.name << " into both inputs";
  }
}

TEST(Aliasing, QuatOutputsMayBeInputs) {
  const Quat a0{0.3f, -0.4f, 0.5f, 0.7f}, b0{-0.2f, 0.9f, 0.1f, 0.3f};
  Quat a = a0, sep;
  QuatProduct(a0, b0, sep);
  QuatProduct(a, b0, a);
  EXPECT_TRUE(SameBits(a, sep));
  Quat b = b0;
  QuatProduct(a0, b, b);
  EXPECT_TRUE(SameBits(b, sep));
  Quat q = a0;
  QuatProduct(q, q, q);
  EXPECT_TRUE(SameBits(q, QuatProduct(a0, a0)));
  q = a0;
  QuatInverse(q, q);
  EXPECT_TRUE(SameBits(q, QuatInverse(a0)));
  q = a0;
  QuatNormalize(q, q);
  EXPECT_TRUE(SameBits(q, QuatNormalize(a0)));
}

}  // namespace
}  // namespace ortolix
