#include "import/frame_listing.h"

#include <cstring>
#include <vector>

#include "import/import_allocation.h"
#include "import/import_counts.h"

namespace ortolix {
namespace {

Matrix4 ToMatrix4(const D3DXMATRIX& m) {
  Matrix4 out;
  std::memcpy(out.m, m.m, sizeof out.m);
  return out;
}

// Copies the tick and values of each scene key; `time` stays 0.
template <class Key, class SceneKey, class Fill>
void CopySceneKeys(std::vector<Key>& keys, const std::vector<SceneKey>& source, Fill fill) {
  if (source.empty() || !AllocateImportArray(keys, source.size())) return;
  for (std::size_t i = 0; i < source.size(); ++i) {
    keys[i].tick = source[i].time;
    fill(keys[i], source[i]);
  }
}

void FillTrackKeys(AnimationTrack& track, const FrameNode& node) {
  CopySceneKeys(track.positionKeys, node.position_keys, [](PositionKey& k, const ScenePositionKey& s) {
    k.value = Vec3{s.x, s.y, s.z};
  });
  CopySceneKeys(track.rotationKeys, node.rotation_keys, [](RotationKey& k, const SceneRotationKey& s) {
    k.value = Quat{s.x, s.y, s.z, s.w};
  });
  CopySceneKeys(track.scaleKeys, node.scale_keys, [](ScaleKey& k, const SceneScaleKey& s) {
    k.value = Vec3{s.x, s.y, s.z};
  });
  CopySceneKeys(track.matrixKeys, node.matrix_keys, [](MatrixKey& k, const SceneMatrixKey& s) {
    std::memcpy(k.value.m, s.m, sizeof k.value.m);
  });
}

// Returns the index of the set current for this node's subtree and siblings.
std::int32_t VisitForSets(const FrameNode& node, std::int32_t current, ImportModel& model) {
  if (node.animation_set_flag == 1) {
    AnimationSetRecord set;
    if (!node.set_name.empty()) set.name = node.set_name;
    if (AppendImportEntry(model.animationSets, std::move(set))) {
      current = static_cast<std::int32_t>(model.animationSets.size()) - 1;
    }
  }
  const FrameNode* target = node.target_frame;
  if (target != nullptr && target->name.has_value() && current >= 0) {
    std::vector<AnimationTrack>& tracks = model.animationSets[current].tracks;
    AnimationTrack track;
    track.name = *target->name;
    if (AppendImportEntry(tracks, std::move(track))) FillTrackKeys(tracks.back(), node);
  }
  return current;
}

}  // namespace

std::string IndexedName(const char* prefix, std::int64_t index) {
  return std::string(prefix) + std::to_string(index);
}

void ListFrames(const FrameNode* root, ImportModel& model) {
  struct Pending {
    const FrameNode* node;
    std::int32_t parent;
  };
  model.currentFrame = 0;
  std::vector<Pending> pending;
  if (root != nullptr) pending.push_back({root, -1});
  while (!pending.empty()) {
    const Pending visit = pending.back();
    pending.pop_back();
    const FrameNode& node = *visit.node;
    if (IsListedFrame(node, root) && model.currentFrame < static_cast<std::int32_t>(model.frames.size())) {
      ImportFrame& frame = model.frames[model.currentFrame];
      frame.local = ToMatrix4(node.local_matrix);
      frame.world = ToMatrix4(node.world_matrix);
      frame.name = node.name ? *node.name : IndexedName("NoFmName", model.currentFrame);
      frame.parent = visit.parent;
      ++model.currentFrame;
    }
    // Siblings go below the child so that the child's subtree comes first.
    if (node.next_sibling) pending.push_back({node.next_sibling.get(), visit.parent});
    if (node.first_child) pending.push_back({node.first_child.get(), model.currentFrame - 1});
  }
}

void CollectAnimationSets(const FrameNode* root, ImportModel& model) {
  struct Pending {
    const FrameNode* node;
    std::int32_t set;
  };
  std::vector<Pending> pending;
  if (root != nullptr) pending.push_back({root, -1});
  while (!pending.empty()) {
    const Pending visit = pending.back();
    pending.pop_back();
    const std::int32_t current = VisitForSets(*visit.node, visit.set, model);
    if (visit.node->next_sibling) pending.push_back({visit.node->next_sibling.get(), current});
    if (visit.node->first_child) pending.push_back({visit.node->first_child.get(), current});
  }
}

}  // namespace ortolix
