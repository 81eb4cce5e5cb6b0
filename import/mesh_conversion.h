// Mesh conversion of an import: every MeshContainer of the ImportScene
// becomes one ImportMesh, one to one (nothing welded, split, reordered or
// dropped; normals are not taken).
#pragma once

#include "import/import_model.h"
#include "import/import_options.h"
#include "ximport/import_scene.h"

namespace ortolix {

// Converts the containers of the tree under `root` in pre-order (a frame's
// containers in list order) into model.meshes, which holds one record per
// container: skinned flag, vertices, faces in attribute-range order,
// materials and skin (through the material and skin conversions), names and
// the holding frame's matrices. Uses and advances the model's running mesh,
// material and frame indices. A failed allocation or lock leaves that mesh's
// vertices or faces at their defaults or absent.
//
// Each container's mesh, skin information and arrays are let go of as soon
// as it is converted: nothing after the conversion reads them, and the
// import's peak memory then holds one mesh twice at most.
void ConvertMeshes(FrameNode* root, const ImportOptions& options, ImportModel& model);

// The vertices of a locked vertex buffer of `count` vertices `stride` bytes
// apart, decoded into `out` (as many records): position, diffuse colour
// (bytes / 255, alpha 1) and both texture sets, NaNs repaired. Needs a stride
// of at least 44 bytes.
void DecodeVertices(const std::byte* buffer, std::size_t count, std::size_t stride, ImportVertex* out);

}  // namespace ortolix
