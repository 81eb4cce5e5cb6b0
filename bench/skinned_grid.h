// Skin and animation for a generated grid model: a chain of bones along the
// grid's rows, two influences per vertex, and one animation whose tracks
// carry position, rotation and scale keys. The grid stays the owner of its
// geometry; this object owns what it adds and points the model's arrays at it.
#pragma once

#include <vector>

#include "bench/grid_host_model.h"
#include "tests/support/inert_host_model.h"

namespace ortolix::bench {

class SkinnedGrid {
 public:
  // Adds `boneCount` bones and an animation of `keysPerTrack` keys of each
  // kind per bone to `grid`, whose rows span `cells` units.
  SkinnedGrid(GridHostModel& grid, int cells, int boneCount, int keysPerTrack);
  SkinnedGrid(const SkinnedGrid&) = delete;
  SkinnedGrid& operator=(const SkinnedGrid&) = delete;

 private:
  std::vector<HostInfluence> influences_;
  std::vector<HostBone> bones_;
  std::vector<HostTrack> tracks_;
  std::vector<HostPositionKey> positionKeys_;
  std::vector<HostRotationKey> rotationKeys_;
  std::vector<HostScaleKey> scaleKeys_;
  test::TestAnimation animation_;
};

}  // namespace ortolix::bench
