// The skeleton of an import: the real frames of the ImportScene listed into
// the ImportFrames, and the animation sets of the tree collected into
// AnimationSetRecords.
#pragma once

#include "import/import_model.h"
#include "ximport/import_scene.h"

namespace ortolix {

// Fills model.frames (already sized to the frame count) in pre-order. A
// frame's parent is the index of the last frame listed before its parent
// node's children are visited: the parent's own index when the parent is a
// real frame, -1 under the root, and for frames below a pseudo-frame the
// last real frame listed before it. Unnamed frames get "NoFmName%d" with
// their index. Iterative.
void ListFrames(const FrameNode* root, ImportModel& model);

// Appends one AnimationSetRecord per animation set node (pre-order) and, to
// the set current at each animation node with a named target frame, one
// track with the node's keys (tick = key time, time 0). A set current at a
// node stays current for its subtree and its following siblings. Failed
// allocations skip the set (the previous one stays current), the track or
// the key list. Iterative.
void CollectAnimationSets(const FrameNode* root, ImportModel& model);

// "%s%d" of a prefix and a number.
std::string IndexedName(const char* prefix, std::int64_t index);

}  // namespace ortolix
