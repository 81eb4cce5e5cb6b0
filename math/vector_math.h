// Vectors, quaternions and 4x4 matrices shared by export, import and the Host
// records. Plain single-precision values; a Matrix4 is stored row by row.
//
// Precision: every operation works in single precision unless its comment
// says "double": those form their products and sums in double precision and
// round each stored component to float. Results depend on this, so the
// library is built without floating-point contraction (see CMakeLists.txt).
//
// Every operation that writes a matrix or quaternion through an output
// reference builds the result in a temporary first, so the output may be one
// of the inputs. All functions are total: no input, including NaN or
// infinity, makes them fail or trap.
#pragma once

#include <cstdint>

namespace ortolix {

struct Vec2 {
  float x, y;
};

struct Vec3 {
  float x, y, z;
};

// w is the scalar part; the identity is (0, 0, 0, 1).
struct Quat {
  float x, y, z, w;
};

// Element (r, c) is m[4r + c]. The file layout keeps the translation in row 3,
// the column layout (Host bones, export frame building) in column 3.
struct Matrix4 {
  float m[16];
};

// Four floats; the translation and the scale of a decomposed matrix.
struct Vec4 {
  float x, y, z, w;
};

// The single-precision value of 0.0001 (9.999999747e-05).
inline constexpr float kNearEqualTolerance = 0.0001f;

// --- Value set-up and element access -------------------------------------

void SetVec2(Vec2& out, float x, float y);
void SetVec3(Vec3& out, float x, float y, float z);
void SetQuat(Quat& out, float x, float y, float z, float w);

// Sixteen values in storage order (row by row).
Matrix4 MakeMatrix4(float m00, float m01, float m02, float m03,  //
                    float m10, float m11, float m12, float m13,  //
                    float m20, float m21, float m22, float m23,  //
                    float m30, float m31, float m32, float m33);
// `values` holds sixteen floats in storage order.
Matrix4 MakeMatrix4(const float (&values)[16]);
void CopyMatrix(const Matrix4& in, Matrix4& out);
void SetIdentity(Matrix4& out);
Matrix4 IdentityMatrix();

// r and c must be 0..3.
float* ElementAddress(Matrix4& m, int r, int c);
float Element(const Matrix4& m, int r, int c);

// --- Vec3 ------------------------------------------------------------------

void CopyVec3(const Vec3& in, Vec3& out);
void AddInPlace(Vec3& v, const Vec3& a);
void ScaleInPlace(Vec3& v, float s);
void NegateVec3(const Vec3& in, Vec3& out);
Vec3 Vec3Sum(const Vec3& a, const Vec3& b);
Vec3 Vec3Scaled(const Vec3& a, float s);

// --- Scalars ---------------------------------------------------------------

// On a tie (and when either side is NaN) the second argument is returned.
float MinFloat(float a, float b);
float MaxFloat(float a, float b);
uint32_t MinU32(uint32_t a, uint32_t b);
uint32_t MaxU32(uint32_t a, uint32_t b);

// |float(a - b)| < kNearEqualTolerance, compared in double; false for NaN.
bool NearEqual(float a, float b);
// All three components near-equal.
bool NearEqual(const Vec3& a, const Vec3& b);

// --- Quaternions -----------------------------------------------------------

// All four components negated.
void NegateQuat(const Quat& in, Quat& out);
// x² + y² + z² + w², double, returned as float.
float QuatSquaredNorm(const Quat& q);
// Component-wise dot product, double, returned as float.
float QuatDot(const Quat& a, const Quat& b);
// 0 when the squared norm is 0, else its square root.
float QuatLength(const Quat& q);
// Identity when the length is at most 0.0001; else each component times the
// float reciprocal of the length.
void QuatNormalize(const Quat& in, Quat& out);
Quat QuatNormalize(const Quat& q);
// (−x·r, −y·r, −z·r, w·r) with r the float reciprocal of the squared norm;
// the input unchanged when the squared norm is not positive.
void QuatInverse(const Quat& in, Quat& out);
Quat QuatInverse(const Quat& q);
// Hamilton product a ⊗ b, single precision, terms summed in the order
// written in the .cpp.
void QuatProduct(const Quat& a, const Quat& b, Quat& out);
Quat QuatProduct(const Quat& a, const Quat& b);
// Rotation matrix in the column layout (points are column vectors), double.
void QuatToRotationMatrix(const Quat& q, Matrix4& out);
Matrix4 QuatToRotationMatrix(const Quat& q);

// --- Matrices --------------------------------------------------------------

// C(i,j) = Σk A(i,k)·B(k,j), each partial sum rounded to float. In the file
// layout A × B applies A first; in the column layout B first.
void MatrixProduct(const Matrix4& a, const Matrix4& b, Matrix4& out);
Matrix4 MatrixProduct(const Matrix4& a, const Matrix4& b);
// Column-layout affine product: rows 0..2 from the upper 3×4 parts (row 3 of
// both inputs ignored), row 3 set to (0, 0, 0, 1). Double.
void AffineProduct(const Matrix4& a, const Matrix4& b, Matrix4& out);
Matrix4 AffineProduct(const Matrix4& a, const Matrix4& b);
void Transpose(const Matrix4& a, Matrix4& out);
Matrix4 Transpose(const Matrix4& a);
// File-layout affine inverse: the upper 3×3 inverted by cofactors times the
// float reciprocal of its determinant, row 3 = −(t × that inverse), column 3
// = (0, 0, 0, 1). Double. A zero determinant is not tested for: the result
// then holds infinities or NaNs.
void AffineInverse(const Matrix4& a, Matrix4& out);
Matrix4 AffineInverse(const Matrix4& a);
// Full 4×4 inverse (adjugate over determinant), double; the identity when the
// determinant is exactly 0.
void GeneralInverse(const Matrix4& a, Matrix4& out);
Matrix4 GeneralInverse(const Matrix4& a);

// File layout: row vector times matrix plus row 3, no division. Single.
Vec3 TransformPoint(const Matrix4& m, const Vec3& p);
// File layout: (p − row 3) times the transposed upper 3×3. Single.
Vec3 InverseRigidTransformPoint(const Matrix4& m, const Vec3& p);

}  // namespace ortolix
