// Flexible vertex formats: vertex sizes and the element layout a format
// describes (position, blend weights, blend indices, normal, point size,
// diffuse, specular, texture sets, in that order).
#pragma once

#include <array>
#include <cstddef>

#include "platform/d3dx/d3dx_types.h"

namespace ortolix {

// Vertex stride in bytes of `fvf`; 0 for an unknown position code with no
// other elements. Never fails.
[[nodiscard]] DWORD D3DXGetFVFVertexSize(DWORD fvf);

enum class VertexElementType : std::uint8_t { kFloat1, kFloat2, kFloat3, kFloat4, kColor, kUByte4 };

enum class VertexUsage : std::uint8_t {
  kPosition,
  kPositionT,
  kBlendWeight,
  kBlendIndices,
  kNormal,
  kPSize,
  kColor,
  kTexCoord,
};

struct VertexElement {
  VertexUsage usage;
  std::uint8_t usage_index;
  VertexElementType type;
  std::uint16_t offset;
};

// The elements of one format. At most position, weights, indices, normal,
// point size, two colours and eight texture sets.
struct FvfLayout {
  std::array<VertexElement, 15> elements;
  std::size_t element_count = 0;
  DWORD stride = 0;
};

// Byte size of one element of `type`.
[[nodiscard]] std::size_t VertexElementSize(VertexElementType type);

// Builds the layout of `fvf`. False when the format cannot be described
// element by element: an unknown position code, XYZB5 without a last-beta
// flag, unknown bits, or more than eight texture sets.
[[nodiscard]] bool BuildFvfLayout(DWORD fvf, FvfLayout& out);

// Offset of the normal in a vertex of `fvf` (meaningful only when the format
// has D3DFVF_NORMAL).
[[nodiscard]] DWORD FvfNormalOffset(DWORD fvf);

}  // namespace ortolix
