// Reading and writing one vertex element as four floats, for copies between
// vertex formats.
#pragma once

#include <array>
#include <cstddef>

#include "platform/d3dx/fvf.h"

namespace ortolix {

using ElementValue = std::array<float, 4>;

// The element at `source` as (x, y, z, w); components the type lacks are
// (x, 0, 0, 1). A colour reads as red, green, blue, alpha in 0..1; UBYTE4 as
// its four byte values.
[[nodiscard]] ElementValue ReadElement(VertexElementType type, const std::byte* source);

// Stores `value` at `destination` in `type`. A colour clamps each channel to
// 0..1 and rounds x 255 (x red, y green, z blue, w alpha); UBYTE4 clamps to
// 0..255 and rounds.
void WriteElement(VertexElementType type, const ElementValue& value, std::byte* destination);

// Copies every element of `to` that `from` also has (same usage and index)
// from one vertex to another, converting types; other elements are left as
// they are in `destination`.
void CopyMatchingElements(const FvfLayout& from, const std::byte* source, const FvfLayout& to,
                          std::byte* destination);

}  // namespace ortolix
