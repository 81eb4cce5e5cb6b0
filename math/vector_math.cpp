#include "math/vector_math.h"

#include <cassert>
#include <cmath>

namespace ortolix {
namespace {

// Widening a float to double is exact; products of two widened floats are
// exact too, so "double" rows differ from single ones only in their sums.
inline double D(float v) { return static_cast<double>(v); }
inline float F(double v) { return static_cast<float>(v); }

inline float At(const Matrix4& a, int r, int c) { return a.m[4 * r + c]; }
inline float& At(Matrix4& a, int r, int c) { return a.m[4 * r + c]; }

}  // namespace

// --- Value set-up and element access -------------------------------------

void SetVec2(Vec2& out, float x, float y) { out = Vec2{x, y}; }
void SetVec3(Vec3& out, float x, float y, float z) { out = Vec3{x, y, z}; }
void SetQuat(Quat& out, float x, float y, float z, float w) {
  out = Quat{x, y, z, w};
}

Matrix4 MakeMatrix4(float m00, float m01, float m02, float m03,  //
                    float m10, float m11, float m12, float m13,  //
                    float m20, float m21, float m22, float m23,  //
                    float m30, float m31, float m32, float m33) {
  return Matrix4{{m00, m01, m02, m03, m10, m11, m12, m13,  //
                  m20, m21, m22, m23, m30, m31, m32, m33}};
}

Matrix4 MakeMatrix4(const float (&values)[16]) {
  Matrix4 out;
  for (int i = 0; i < 16; ++i) out.m[i] = values[i];
  return out;
}

void CopyMatrix(const Matrix4& in, Matrix4& out) { out = in; }

void SetIdentity(Matrix4& out) {
  for (int i = 0; i < 16; ++i) out.m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

Matrix4 IdentityMatrix() {
  Matrix4 out;
  SetIdentity(out);
  return out;
}

float* ElementAddress(Matrix4& m, int r, int c) {
  assert(r >= 0 && r < 4 && c >= 0 && c < 4);
  return &At(m, r, c);
}

float Element(const Matrix4& m, int r, int c) {
  assert(r >= 0 && r < 4 && c >= 0 && c < 4);
  return At(m, r, c);
}

// --- Vec3 ------------------------------------------------------------------

void CopyVec3(const Vec3& in, Vec3& out) { out = in; }

void AddInPlace(Vec3& v, const Vec3& a) {
  v.x += a.x;
  v.y += a.y;
  v.z += a.z;
}

void ScaleInPlace(Vec3& v, float s) {
  v.x *= s;
  v.y *= s;
  v.z *= s;
}

void NegateVec3(const Vec3& in, Vec3& out) { out = Vec3{-in.x, -in.y, -in.z}; }

Vec3 Vec3Sum(const Vec3& a, const Vec3& b) {
  return Vec3{a.x + b.x, a.y + b.y, a.z + b.z};
}

Vec3 Vec3Scaled(const Vec3& a, float s) { return Vec3{a.x * s, a.y * s, a.z * s}; }

// --- Scalars ---------------------------------------------------------------

float MinFloat(float a, float b) { return a < b ? a : b; }
float MaxFloat(float a, float b) { return a > b ? a : b; }
uint32_t MinU32(uint32_t a, uint32_t b) { return a < b ? a : b; }
uint32_t MaxU32(uint32_t a, uint32_t b) { return a > b ? a : b; }

bool NearEqual(float a, float b) {
  const float difference = a - b;
  // A NaN difference fails the comparison and so gives false.
  return std::fabs(D(difference)) < D(kNearEqualTolerance);
}

bool NearEqual(const Vec3& a, const Vec3& b) {
  return NearEqual(a.x, b.x) && NearEqual(a.y, b.y) && NearEqual(a.z, b.z);
}

// --- Quaternions -----------------------------------------------------------

void NegateQuat(const Quat& in, Quat& out) {
  out = Quat{-in.x, -in.y, -in.z, -in.w};
}

float QuatSquaredNorm(const Quat& q) {
  return F(D(q.x) * q.x + D(q.y) * q.y + D(q.z) * q.z + D(q.w) * q.w);
}

float QuatDot(const Quat& a, const Quat& b) {
  return F(D(a.x) * b.x + D(a.y) * b.y + D(a.z) * b.z + D(a.w) * b.w);
}

float QuatLength(const Quat& q) {
  const float n = QuatSquaredNorm(q);
  return n == 0.0f ? 0.0f : std::sqrt(n);
}

void QuatNormalize(const Quat& in, Quat& out) {
  const float length = QuatLength(in);
  if (length <= kNearEqualTolerance) {
    out = Quat{0.0f, 0.0f, 0.0f, 1.0f};
    return;
  }
  const float r = 1.0f / length;
  out = Quat{in.x * r, in.y * r, in.z * r, in.w * r};
}

Quat QuatNormalize(const Quat& q) {
  Quat out;
  QuatNormalize(q, out);
  return out;
}

void QuatInverse(const Quat& in, Quat& out) {
  const float n = QuatSquaredNorm(in);
  if (!(n > 0.0f)) {
    out = in;
    return;
  }
  const float r = 1.0f / n;
  out = Quat{-in.x * r, -in.y * r, -in.z * r, in.w * r};
}

Quat QuatInverse(const Quat& q) {
  Quat out;
  QuatInverse(q, out);
  return out;
}

void QuatProduct(const Quat& a, const Quat& b, Quat& out) {
  // Single precision, summed left to right.
  const Quat r{
      a.x * b.w + a.y * b.z - a.z * b.y + a.w * b.x,
      -a.x * b.z + a.y * b.w + a.z * b.x + a.w * b.y,
      a.x * b.y - a.y * b.x + a.z * b.w + a.w * b.z,
      -a.x * b.x - a.y * b.y - a.z * b.z + a.w * b.w,
  };
  out = r;
}

Quat QuatProduct(const Quat& a, const Quat& b) {
  Quat out;
  QuatProduct(a, b, out);
  return out;
}

void QuatToRotationMatrix(const Quat& q, Matrix4& out) {
  const double x = q.x, y = q.y, z = q.z, w = q.w;
  Matrix4 r{};
  At(r, 0, 0) = F(1.0 - 2.0 * y * y - 2.0 * z * z);
  At(r, 1, 0) = F(2.0 * x * y + 2.0 * w * z);
  At(r, 2, 0) = F(2.0 * x * z - 2.0 * w * y);
  At(r, 0, 1) = F(2.0 * x * y - 2.0 * w * z);
  At(r, 1, 1) = F(1.0 - 2.0 * x * x - 2.0 * z * z);
  At(r, 2, 1) = F(2.0 * y * z + 2.0 * w * x);
  At(r, 0, 2) = F(2.0 * x * z + 2.0 * w * y);
  At(r, 1, 2) = F(2.0 * y * z - 2.0 * w * x);
  At(r, 2, 2) = F(1.0 - 2.0 * x * x - 2.0 * y * y);
  At(r, 3, 3) = 1.0f;
  out = r;
}

Matrix4 QuatToRotationMatrix(const Quat& q) {
  Matrix4 out;
  QuatToRotationMatrix(q, out);
  return out;
}

// --- Matrices --------------------------------------------------------------

void MatrixProduct(const Matrix4& a, const Matrix4& b, Matrix4& out) {
  Matrix4 c;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum = F(D(sum) + D(At(a, i, k)) * At(b, k, j));
      At(c, i, j) = sum;
    }
  }
  out = c;
}

Matrix4 MatrixProduct(const Matrix4& a, const Matrix4& b) {
  Matrix4 out;
  MatrixProduct(a, b, out);
  return out;
}

void AffineProduct(const Matrix4& a, const Matrix4& b, Matrix4& out) {
  Matrix4 c;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 4; ++j) {
      double sum = D(At(a, i, 0)) * At(b, 0, j) + D(At(a, i, 1)) * At(b, 1, j) +
                   D(At(a, i, 2)) * At(b, 2, j);
      if (j == 3) sum += At(a, i, 3);
      At(c, i, j) = F(sum);
    }
  }
  At(c, 3, 0) = 0.0f;
  At(c, 3, 1) = 0.0f;
  At(c, 3, 2) = 0.0f;
  At(c, 3, 3) = 1.0f;
  out = c;
}

Matrix4 AffineProduct(const Matrix4& a, const Matrix4& b) {
  Matrix4 out;
  AffineProduct(a, b, out);
  return out;
}

void Transpose(const Matrix4& a, Matrix4& out) {
  Matrix4 c;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) At(c, i, j) = At(a, j, i);
  out = c;
}

Matrix4 Transpose(const Matrix4& a) {
  Matrix4 out;
  Transpose(a, out);
  return out;
}

void AffineInverse(const Matrix4& a, Matrix4& out) {
  const double m00 = At(a, 0, 0), m01 = At(a, 0, 1), m02 = At(a, 0, 2);
  const double m10 = At(a, 1, 0), m11 = At(a, 1, 1), m12 = At(a, 1, 2);
  const double m20 = At(a, 2, 0), m21 = At(a, 2, 1), m22 = At(a, 2, 2);
  const double d = m00 * (m11 * m22 - m12 * m21) - m01 * (m10 * m22 - m12 * m20) +
                   m02 * (m10 * m21 - m11 * m20);
  const double r = F(1.0 / d);
  Matrix4 c;
  At(c, 0, 0) = F((m11 * m22 - m12 * m21) * r);
  At(c, 0, 1) = F((m02 * m21 - m01 * m22) * r);
  At(c, 0, 2) = F((m01 * m12 - m02 * m11) * r);
  At(c, 1, 0) = F((m12 * m20 - m10 * m22) * r);
  At(c, 1, 1) = F((m00 * m22 - m02 * m20) * r);
  At(c, 1, 2) = F((m02 * m10 - m00 * m12) * r);
  At(c, 2, 0) = F((m10 * m21 - m11 * m20) * r);
  At(c, 2, 1) = F((m01 * m20 - m00 * m21) * r);
  At(c, 2, 2) = F((m00 * m11 - m01 * m10) * r);
  const double t0 = At(a, 3, 0), t1 = At(a, 3, 1), t2 = At(a, 3, 2);
  for (int j = 0; j < 3; ++j) {
    At(c, 3, j) = F(-(t0 * At(c, 0, j) + t1 * At(c, 1, j) + t2 * At(c, 2, j)));
    At(c, j, 3) = 0.0f;
  }
  At(c, 3, 3) = 1.0f;
  out = c;
}

Matrix4 AffineInverse(const Matrix4& a) {
  Matrix4 out;
  AffineInverse(a, out);
  return out;
}

void GeneralInverse(const Matrix4& a, Matrix4& out) {
  double m[16];
  for (int i = 0; i < 16; ++i) m[i] = a.m[i];
  // 2×2 sub-determinants of the upper two rows (s) and the lower two (c).
  const double s0 = m[0] * m[5] - m[4] * m[1], s1 = m[0] * m[6] - m[4] * m[2];
  const double s2 = m[0] * m[7] - m[4] * m[3], s3 = m[1] * m[6] - m[5] * m[2];
  const double s4 = m[1] * m[7] - m[5] * m[3], s5 = m[2] * m[7] - m[6] * m[3];
  const double c5 = m[10] * m[15] - m[14] * m[11], c4 = m[9] * m[15] - m[13] * m[11];
  const double c3 = m[9] * m[14] - m[13] * m[10], c2 = m[8] * m[15] - m[12] * m[11];
  const double c1 = m[8] * m[14] - m[12] * m[10], c0 = m[8] * m[13] - m[12] * m[9];
  const double det = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
  if (det == 0.0) {
    SetIdentity(out);
    return;
  }
  const double adj[16] = {
      m[5] * c5 - m[6] * c4 + m[7] * c3,    -m[1] * c5 + m[2] * c4 - m[3] * c3,
      m[13] * s5 - m[14] * s4 + m[15] * s3, -m[9] * s5 + m[10] * s4 - m[11] * s3,
      -m[4] * c5 + m[6] * c2 - m[7] * c1,   m[0] * c5 - m[2] * c2 + m[3] * c1,
      -m[12] * s5 + m[14] * s2 - m[15] * s1, m[8] * s5 - m[10] * s2 + m[11] * s1,
      m[4] * c4 - m[5] * c2 + m[7] * c0,    -m[0] * c4 + m[1] * c2 - m[3] * c0,
      m[12] * s4 - m[13] * s2 + m[15] * s0, -m[8] * s4 + m[9] * s2 - m[11] * s0,
      -m[4] * c3 + m[5] * c1 - m[6] * c0,   m[0] * c3 - m[1] * c1 + m[2] * c0,
      -m[12] * s3 + m[13] * s1 - m[14] * s0, m[8] * s3 - m[9] * s1 + m[10] * s0,
  };
  for (int i = 0; i < 16; ++i) out.m[i] = F(adj[i] / det);
}

Matrix4 GeneralInverse(const Matrix4& a) {
  Matrix4 out;
  GeneralInverse(a, out);
  return out;
}

Vec3 TransformPoint(const Matrix4& m, const Vec3& p) {
  return Vec3{
      p.x * At(m, 0, 0) + p.y * At(m, 1, 0) + p.z * At(m, 2, 0) + At(m, 3, 0),
      p.x * At(m, 0, 1) + p.y * At(m, 1, 1) + p.z * At(m, 2, 1) + At(m, 3, 1),
      p.x * At(m, 0, 2) + p.y * At(m, 1, 2) + p.z * At(m, 2, 2) + At(m, 3, 2),
  };
}

Vec3 InverseRigidTransformPoint(const Matrix4& m, const Vec3& p) {
  const Vec3 d{p.x - At(m, 3, 0), p.y - At(m, 3, 1), p.z - At(m, 3, 2)};
  return Vec3{
      d.x * At(m, 0, 0) + d.y * At(m, 0, 1) + d.z * At(m, 0, 2),
      d.x * At(m, 1, 0) + d.y * At(m, 1, 1) + d.z * At(m, 1, 2),
      d.x * At(m, 2, 0) + d.y * At(m, 2, 1) + d.z * At(m, 2, 2),
  };
}

}  // namespace ortolix
