// ID3DXBuffer: a reference-counted block of bytes handed out by the mesh
// services (adjacency, materials, vertex remaps).
#pragma once

#include <cstddef>
#include <memory>

#include "platform/d3dx/d3dx_types.h"

namespace ortolix {

class ID3DXBuffer {
 public:
  // A zero-filled buffer of `size` bytes with one reference, aligned for any
  // record; null when the memory cannot be had.
  [[nodiscard]] static ID3DXBuffer* Create(std::size_t size);

  void* GetBufferPointer() { return data_.get(); }
  [[nodiscard]] DWORD GetBufferSize() const { return static_cast<DWORD>(size_); }
  DWORD AddRef() { return ++references_; }
  // Ends one reference; the buffer is freed with the last one.
  DWORD Release();

  ID3DXBuffer(const ID3DXBuffer&) = delete;
  ID3DXBuffer& operator=(const ID3DXBuffer&) = delete;

 private:
  ID3DXBuffer() = default;
  ~ID3DXBuffer() = default;

  std::unique_ptr<std::max_align_t[]> data_;
  std::size_t size_ = 0;
  DWORD references_ = 1;
};

}  // namespace ortolix
