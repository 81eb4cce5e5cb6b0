// Reads the packed little-endian Lock data of a data object front to back,
// refusing to read past its end. Counts are checked against the bytes left
// before anything is allocated for them.
#pragma once

#include <cstddef>
#include <cstring>
#include <span>

#include "platform/d3dx/d3dx_types.h"

namespace ortolix {

class LockCursor {
 public:
  explicit LockCursor(std::span<const std::byte> data) : data_(data) {}

  [[nodiscard]] std::size_t Left() const { return data_.size() - at_; }
  [[nodiscard]] bool AtEnd() const { return at_ == data_.size(); }

  // True when `count` items of `item_size` bytes are still there.
  [[nodiscard]] bool Has(std::size_t count, std::size_t item_size) const {
    return item_size == 0 || count <= Left() / item_size;
  }

  [[nodiscard]] bool Word(WORD& value) { return Copy(&value, sizeof value); }
  [[nodiscard]] bool Dword(DWORD& value) { return Copy(&value, sizeof value); }
  [[nodiscard]] bool Floats(float* values, std::size_t count) {
    return Has(count, sizeof(float)) && Copy(values, count * sizeof(float));
  }
  [[nodiscard]] bool Dwords(DWORD* values, std::size_t count) {
    return Has(count, sizeof(DWORD)) && Copy(values, count * sizeof(DWORD));
  }
  // A STRING member: a pointer to NUL-terminated text owned by the file.
  [[nodiscard]] bool String(const char*& text) { return Copy(&text, sizeof text); }

 private:
  bool Copy(void* out, std::size_t bytes) {
    if (bytes > Left()) return false;
    if (bytes > 0) std::memcpy(out, data_.data() + at_, bytes);
    at_ += bytes;
    return true;
  }

  std::span<const std::byte> data_;
  std::size_t at_ = 0;
};

}  // namespace ortolix
