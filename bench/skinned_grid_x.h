// A generated skinned model as .x text and binary, for the mesh loading
// benchmark: a chain of bone frames and one Mesh of a columns x rows grid of
// triangles with normals, texture coordinates, two materials by row and two
// bone influences per vertex, and optionally an animation of every bone.
#pragma once

#include <cstdint>
#include <string>

namespace ortolix::bench {

struct SkinnedGridSize {
  int columns = 1000;
  int rows = 500;
  int bones = 8;
  // Keys per bone (rotation and position each) of one AnimationSet, with
  // AnimTicksPerSecond 4800; 0 writes no animation.
  int animation_keys = 0;
  [[nodiscard]] std::uint64_t Triangles() const { return std::uint64_t(columns) * rows * 2; }
};

// The whole file, "xof 0303txt 0032".
[[nodiscard]] std::string SkinnedGridText(const SkinnedGridSize& size);
// The same model, "xof 0303bin 0032": values as integer and float lists.
[[nodiscard]] std::string SkinnedGridBinary(const SkinnedGridSize& size);

}  // namespace ortolix::bench
