// Skin weights of an import: each skinned container's skin read into an
// ImportSkin, the influences attached to the vertices, and the weights of
// every vertex normalised.
#pragma once

#include "import/import_model.h"
#include "ximport/import_scene.h"

namespace ortolix {

// Appends an ImportSkin for the container (skinned, so it has skin
// information) with one SkinBone per bone: its name and its influences of
// weight above 0.001, in the skin's order, bone -1. The skin's mesh index is
// model.currentMesh. A failed allocation skips the skin, leaves it without
// bones (and without mesh index), or skips one influence.
void ReadContainerSkin(const MeshContainer& container, ImportModel& model);

// Appends to each vertex the influences of every skin whose mesh exists, in
// skin and bone order, with the bone index of the bone's name in the first
// animation's tracks (-1 when none). Influences on vertices outside the mesh
// are skipped, as is a weight that cannot be allocated.
void AttachSkinInfluences(ImportModel& model);

// Zeroes weights without a bone and scales the others of each vertex so that
// they sum to 1, unless they already sum to exactly 1 or 0.
void NormaliseVertexWeights(ImportModel& model);

}  // namespace ortolix
