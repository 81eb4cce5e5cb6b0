// Polar decomposition of affine matrices: A = T · F · R · U · K · Uᵀ with T the
// translation, F = ±identity, R a rotation, U the rotation that orients the
// stretch and K the diagonal stretch. The polar factor comes from a scaled
// Newton iteration on the adjugate, the stretch is diagonalised by Jacobi
// rotations, and U is brought to a canonical form so that small changes of A
// give small changes of the parts.
//
// Matrices here are in column-vector form: element [r][c] is m[4r + c] and the
// translation stands in column 3. Callers holding a file-layout Matrix4 pass
// its transpose with (0, 0, 0, 1) as row 3. Only the upper 3×3 part and column
// 3 of the input are read.
//
// Precision: matrices, vectors and quaternions are stored as floats, and so
// are the scalars between steps; each expression is formed in double and
// rounded when stored. The Jacobi values of SymmetricEigen and the magnitudes
// of CanonicalStretch are held in double.
//
// Every entry point is safe on any input, including NaN and infinity: the
// polar iteration stops after kPolarMaxPasses passes at the latest.
#pragma once

#include "math/vector_math.h"

namespace ortolix {

// The parts of an affine matrix, 17 floats in this order.
struct AffineParts {
  Vec4 t;   // translation x, y, z and 0
  Quat q;   // rotation
  Quat u;   // stretch rotation
  Vec4 k;   // scale x, y, z and 1
  float f;  // sign of the determinant: 1 or −1 (1 also for 0 and NaN)
};
static_assert(sizeof(AffineParts) == 17 * sizeof(float));

inline constexpr int kPolarMaxPasses = 100;
inline constexpr int kJacobiMaxSweeps = 20;

struct PolarResult {
  Matrix4 q;     // orthogonal factor, completed
  Matrix4 s;     // symmetric factor, completed
  float det;     // determinant of the last pass (0 on the rank-deficient path)
  int passes;    // iteration passes run, 1..max_passes
};

struct EigenResult {
  Matrix4 u;  // eigenvectors in its columns, completed
  Vec4 k;     // eigenvalues and 1
};

AffineParts DecomposeAffine(const Matrix4& a);

// M = Q · S with Q orthogonal and S symmetric. The iteration runs at least
// one pass and at most max_passes (a lower limit is for tests of the guard).
PolarResult PolarDecompose(const Matrix4& m, int max_passes = kPolarMaxPasses);
// S = U · diag(k) · Uᵀ by cyclic Jacobi rotations, at most kJacobiMaxSweeps.
EigenResult SymmetricEigen(const Matrix4& s);
// Returns the quaternion p that brings u to canonical form; reorders k to go
// with u ⊗ p.
Quat CanonicalStretch(const Quat& u, Vec4& k);
// Rotation matrix (column form, [3][3] as the homogeneous weight) to Quat.
Quat QuatFromRotation(const Matrix4& m);

// --- Building blocks -------------------------------------------------------

// Polar factor when the determinant is 0; q may be the same matrix as m.
void RankTwoRotation(Matrix4& m, const Matrix4& adjugate, Matrix4& q);
// Polar factor when the adjugate is 0; q may be the same matrix as m.
void RankOneRotation(Matrix4& m, Matrix4& q);
// Column of the first strictly largest |element|, visited row by row; −1 when
// the 3×3 part is zero.
int LargestColumn(const Matrix4& m);
// Reflector vector u with u·u = 2 for the Householder reflection I − u·uᵀ.
Vec3 HouseholderVector(const Vec3& x);
void ReflectColumns(Matrix4& m, const Vec3& u);
void ReflectRows(Matrix4& m, const Vec3& u);
// 1-norm (largest absolute column sum) and infinity-norm (largest absolute
// row sum) of the 3×3 part; NaN sums are never taken.
float MaxColumnSum(const Matrix4& m);
float MaxRowSum(const Matrix4& m);
// Transpose of the adjugate of the 3×3 part: rows m1 × m2, m2 × m0, m0 × m1.
Matrix4 AdjugateTranspose(const Matrix4& m);

// Quaternion helpers of the decomposition: products formed in double, each
// component stored as float. The product sums its terms in the order
// aw·b + bw·a + a × b, unlike the single-precision QuatProduct.
Quat PolarQuatProduct(const Quat& a, const Quat& b);
Quat QuatConjugate(const Quat& q);
Quat QuatScaled(const Quat& q, float s);

}  // namespace ortolix
