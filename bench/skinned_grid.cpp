#include "bench/skinned_grid.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace ortolix::bench {

namespace {

// Column-layout translation by (0, y, 0).
Matrix4 RowTranslation(float y) {
  return Matrix4{{1, 0, 0, 0, 0, 1, 0, y, 0, 0, 1, 0, 0, 0, 0, 1}};
}

}  // namespace

SkinnedGrid::SkinnedGrid(GridHostModel& grid, int cells, int boneCount, int keysPerTrack) {
  const float band = static_cast<float>(cells) / static_cast<float>(boneCount);
  for (int b = 0; b < boneCount; ++b) {
    HostBone bone{};
    bone.name = HostPathString(("bone" + std::to_string(b)).c_str());
    bone.parent = b - 1;
    bone.translation = {0, b == 0 ? 0.0f : band, 0};
    bone.scale = {1, 1, 1};
    bone.rotation = {0, 0, 0, 1};
    bone.local = RowTranslation(bone.translation.y);
    bone.world = RowTranslation(band * static_cast<float>(b));
    bone.skinUseCount = 1;
    bones_.push_back(bone);
  }
  // Each vertex follows the bone of its band and blends into the next one.
  const std::int32_t vertexCount = grid.vertices.count;
  influences_.resize(static_cast<std::size_t>(vertexCount) * 2);
  for (std::int32_t v = 0; v < vertexCount; ++v) {
    HostVertex& vertex = grid.vertices.items[v];
    const float along = vertex.position.y / band;
    const int b = std::min(static_cast<int>(along), boneCount - 1);
    const float blend = std::min(along - static_cast<float>(b), 1.0f);
    HostInfluence* pair = &influences_[static_cast<std::size_t>(v) * 2];
    pair[0] = {b, 1.0f - 0.5f * blend};
    pair[1] = {std::min(b + 1, boneCount - 1), 0.5f * blend};
    vertex.influenceCount = 2;
    vertex.influences = pair;
  }
  const std::size_t keys = static_cast<std::size_t>(boneCount) * keysPerTrack;
  positionKeys_.resize(keys);
  rotationKeys_.resize(keys);
  scaleKeys_.resize(keys);
  tracks_.resize(static_cast<std::size_t>(boneCount));
  for (int b = 0; b < boneCount; ++b) {
    const std::size_t first = static_cast<std::size_t>(b) * keysPerTrack;
    for (int k = 0; k < keysPerTrack; ++k) {
      const float t = static_cast<float>(k) / 30.0f;
      const float angle = 0.01f * static_cast<float>(k + b);
      positionKeys_[first + k] = {t, {0.01f * k, b == 0 ? 0.0f : band, 0}};
      rotationKeys_[first + k] = {t, {0, 0, std::sin(angle), std::cos(angle)}};
      scaleKeys_[first + k] = {t, {1, 1 + 0.001f * k, 1}};
    }
    tracks_[static_cast<std::size_t>(b)] =
        HostTrack{0, keysPerTrack, &positionKeys_[first], keysPerTrack, &rotationKeys_[first],
                  keysPerTrack, &scaleKeys_[first]};
  }
  animation_.name = HostPathString("wave");
  animation_.start = 0;
  animation_.end = static_cast<float>(keysPerTrack) / 30.0f;
  animation_.framesPerSecond = 30;
  animation_.trackCount = boneCount;
  animation_.tracks = tracks_.data();
  grid.bones = {boneCount, bones_.data()};
  grid.animations = {1, &animation_};
}

}  // namespace ortolix::bench
