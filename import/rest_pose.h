// The rest pose of every animation track and its keys re-based on it.
#pragma once

#include "import/import_model.h"
#include "math/polar_decomposition.h"

namespace ortolix {

// Decomposes a file-layout matrix (translation in row 3): its transpose with
// (0, 0, 0, 1) as row 3 goes through DecomposeAffine.
AffineParts DecomposeFileMatrix(const Matrix4& m);

// For every track of every animation: rest translation, rotation and scale
// from the rest matrix; matrix keys (when present) turned into position,
// rotation (the inverse rotation) and scale keys replacing the old ones; then
// every position, rotation and scale key re-based on the rest pose. A scale
// whose sign is negative carries it into the scale. A key list that cannot
// be allocated stays empty.
void RebaseOnRestPose(ImportModel& model);

}  // namespace ortolix
