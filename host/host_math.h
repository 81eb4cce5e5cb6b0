// The two matrix operations the Host's skeleton hook needs, in the column
// layout (translation in column 3). Double precision, stored as float.
#pragma once

#include "math/vector_math.h"

namespace ortolix::host_math {

// The rotation matrix of q, used as given (not normalised).
Matrix4 RotationFromQuat(const Quat& q);

// The affine product a × b: row 3 of both is ignored and set to (0, 0, 0, 1).
Matrix4 AffineProduct(const Matrix4& a, const Matrix4& b);

// T · R · S: the bone's local matrix from its translation, rotation and scale.
Matrix4 ComposeLocal(const Vec3& translation, const Quat& rotation, const Vec3& scale);

}  // namespace ortolix::host_math
