// The handedness conversion of matrices under "Flip handedness".
#pragma once

#include "math/vector_math.h"

namespace ortolix {

// Conjugation by the mirror of the z axis: the elements (0,2), (1,2), (2,0),
// (2,1) and (3,2) are negated, zeros included (they become negative zeros).
Matrix4 FlipConjugate(const Matrix4& m);

// FlipConjugate when `flip` is set, else `m` unchanged.
inline Matrix4 FlipIf(bool flip, const Matrix4& m) { return flip ? FlipConjugate(m) : m; }

}  // namespace ortolix
