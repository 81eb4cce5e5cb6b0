// A generated skinned model for the .x reader benchmark: a grid of
// triangles with normals, texture coordinates, one material, a chain of
// bones with two influences per vertex and one rotation/position animation
// per bone, written as a text payload and as a binary payload (both without
// the 16-byte header) with the same content.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ortolix::test {

struct SkinnedGridModel {
  std::uint32_t columns = 0;  // quads per row; triangles = 2 * columns^2
  std::uint32_t bones = 0;
  std::vector<float> positions;   // 3 per vertex
  std::vector<float> normals;     // 3 per vertex
  std::vector<float> uvs;         // 2 per vertex
  std::vector<std::uint32_t> triangles;  // 3 per triangle
  std::uint32_t vertex_count() const { return static_cast<std::uint32_t>(positions.size() / 3); }
  std::uint32_t triangle_count() const { return static_cast<std::uint32_t>(triangles.size() / 3); }
};

// At least `min_triangles` triangles.
SkinnedGridModel MakeSkinnedGrid(std::uint32_t min_triangles, std::uint32_t bones);

std::string TextPayload(const SkinnedGridModel& model);
std::vector<std::uint8_t> BinaryPayload(const SkinnedGridModel& model);

// The whole .x file, header included, as text or binary.
std::string SkinnedGridFile(const SkinnedGridModel& model, bool binary);

}  // namespace ortolix::test
