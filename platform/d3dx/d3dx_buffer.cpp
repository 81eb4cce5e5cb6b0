#include "platform/d3dx/d3dx_buffer.h"

#include <new>
#include <utility>

namespace ortolix {

ID3DXBuffer* ID3DXBuffer::Create(std::size_t size) {
  const std::size_t units = (size + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
  std::unique_ptr<std::max_align_t[]> data(new (std::nothrow) std::max_align_t[units == 0 ? 1 : units]());
  if (!data) return nullptr;
  auto* buffer = new (std::nothrow) ID3DXBuffer;
  if (buffer == nullptr) return nullptr;
  buffer->data_ = std::move(data);
  buffer->size_ = size;
  return buffer;
}

DWORD ID3DXBuffer::Release() {
  const DWORD left = --references_;
  if (left == 0) delete this;
  return left;
}

}  // namespace ortolix
