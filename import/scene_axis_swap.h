// The scene axis swap: a quarter turn of the whole HostModel about the X
// axis, exchanging the roles of Y and Z, applied in place to the bones, the
// vertices and both placed-object arrays.
#pragma once

#include "math/vector_math.h"
#include "hostapi/host_model.h"

namespace ortolix {

enum class SwapDirection { kBackward = 0, kForward = 1 };

// Forward: (x, y, z) -> (x, z, -y); backward: (x, y, z) -> (x, -z, y).
Vec3 SwapVector(const Vec3& v, SwapDirection direction);

// The left product S x M with the swapping matrix S: forward the rows
// r0, r1, r2, r3 become r0, r2, -r1, r3; backward r0, -r2, r1, r3.
Matrix4 SwapMatrix(const Matrix4& m, SwapDirection direction);

// Swaps the model. With a bone array, SkeletonHook(1) runs first; each bone's
// world matrix is swapped, its local matrix rebuilt from the parent's world
// matrix (a parent index outside the array counts as a root), and its
// translation, rotation and scale decomposed from that. Vertices and placed
// objects are swapped whether or not bones exist. A null model does nothing.
void SceneAxisSwap(HostModel* model, SwapDirection direction);

}  // namespace ortolix
