// Counting an ImportScene before the ImportModel's arrays are sized.
#pragma once

#include "import/import_model.h"
#include "ximport/import_scene.h"

namespace ortolix {

// A real frame: neither the root FrameNode nor a pseudo-frame (animation set
// or animation node). Only real frames become ImportFrames.
inline bool IsListedFrame(const FrameNode& node, const FrameNode* root) {
  return &node != root && node.pseudo_frame_flag == 0;
}

// A container whose skin the conversion reads.
inline bool IsSkinnedContainer(const MeshContainer& container) {
  return container.mesh && container.skin_info && container.skinned == 1;
}

// Zeroes the running indices and fills the frame, mesh, material and skinned
// mesh counts from the tree under `root` (pre-order, the root's own
// containers included). The material count is left as summed (may be 0).
void CountImportScene(const FrameNode* root, ImportModel& model);

}  // namespace ortolix
