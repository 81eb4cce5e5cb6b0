// Builds Lock data byte by byte for decoder tests, in the packed layout the
// .x services deliver (little-endian, strings as pointers).
#pragma once

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <span>
#include <vector>

#include "platform/d3dx/d3dx_types.h"

namespace ortolix::test {

class LockWriter {
 public:
  LockWriter& Dword(DWORD value) { return Raw(&value, sizeof value); }
  LockWriter& Dwords(std::initializer_list<DWORD> values) {
    for (DWORD v : values) Dword(v);
    return *this;
  }
  LockWriter& Float(float value) { return Raw(&value, sizeof value); }
  LockWriter& Floats(std::initializer_list<float> values) {
    for (float v : values) Float(v);
    return *this;
  }
  // A polygon list: count, then per polygon its corner count and indices.
  LockWriter& Polygons(std::initializer_list<std::initializer_list<DWORD>> polygons) {
    Dword(DWORD(polygons.size()));
    for (auto polygon : polygons) {
      Dword(DWORD(polygon.size()));
      Dwords(polygon);
    }
    return *this;
  }

  std::span<const std::byte> bytes() const { return bytes_; }
  std::span<const std::byte> Truncated(std::size_t drop) const {
    return std::span<const std::byte>(bytes_).first(bytes_.size() - drop);
  }

 private:
  LockWriter& Raw(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::byte*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
    return *this;
  }
  std::vector<std::byte> bytes_;
};

}  // namespace ortolix::test
