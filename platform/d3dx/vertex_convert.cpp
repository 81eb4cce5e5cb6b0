#include "platform/d3dx/vertex_convert.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace ortolix {
namespace {

std::size_t FloatCount(VertexElementType type) {
  switch (type) {
    case VertexElementType::kFloat1: return 1;
    case VertexElementType::kFloat2: return 2;
    case VertexElementType::kFloat3: return 3;
    case VertexElementType::kFloat4: return 4;
    default: return 0;
  }
}

std::uint32_t RoundClamped(float value, float high) {
  const float clamped = std::clamp(value, 0.0f, high);  // NaN stays NaN here
  if (!(clamped >= 0.0f)) return 0;
  return static_cast<std::uint32_t>(std::floor(clamped + 0.5f));
}

}  // namespace

ElementValue ReadElement(VertexElementType type, const std::byte* source) {
  ElementValue value{0.0f, 0.0f, 0.0f, 1.0f};
  if (const std::size_t floats = FloatCount(type); floats > 0) {
    std::memcpy(value.data(), source, floats * sizeof(float));
    return value;
  }
  std::uint8_t bytes[4];
  std::memcpy(bytes, source, 4);
  if (type == VertexElementType::kColor) {
    // Stored as the DWORD 0xAARRGGBB, little-endian: blue, green, red, alpha.
    return {bytes[2] / 255.0f, bytes[1] / 255.0f, bytes[0] / 255.0f, bytes[3] / 255.0f};
  }
  return {float(bytes[0]), float(bytes[1]), float(bytes[2]), float(bytes[3])};
}

void WriteElement(VertexElementType type, const ElementValue& value, std::byte* destination) {
  if (const std::size_t floats = FloatCount(type); floats > 0) {
    std::memcpy(destination, value.data(), floats * sizeof(float));
    return;
  }
  std::uint8_t bytes[4];
  if (type == VertexElementType::kColor) {
    bytes[2] = static_cast<std::uint8_t>(RoundClamped(value[0] * 255.0f, 255.0f));
    bytes[1] = static_cast<std::uint8_t>(RoundClamped(value[1] * 255.0f, 255.0f));
    bytes[0] = static_cast<std::uint8_t>(RoundClamped(value[2] * 255.0f, 255.0f));
    bytes[3] = static_cast<std::uint8_t>(RoundClamped(value[3] * 255.0f, 255.0f));
  } else {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(RoundClamped(value[i], 255.0f));
  }
  std::memcpy(destination, bytes, 4);
}

void CopyMatchingElements(const FvfLayout& from, const std::byte* source, const FvfLayout& to,
                          std::byte* destination) {
  for (std::size_t d = 0; d < to.element_count; ++d) {
    const VertexElement& target = to.elements[d];
    for (std::size_t s = 0; s < from.element_count; ++s) {
      const VertexElement& origin = from.elements[s];
      if (origin.usage != target.usage || origin.usage_index != target.usage_index) continue;
      if (origin.type == target.type) {
        std::memcpy(destination + target.offset, source + origin.offset,
                    VertexElementSize(target.type));
      } else {
        WriteElement(target.type, ReadElement(origin.type, source + origin.offset),
                     destination + target.offset);
      }
      break;
    }
  }
}

}  // namespace ortolix
