#include "platform/xfile/byte_buffer.h"

#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace ortolix {

namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;

// Blocks of a few megabytes and more are aligned to the large page size and
// marked for large pages where the system offers that (Linux); elsewhere,
// and for small blocks, plain malloc.
void* Allocate(std::size_t bytes) {
#if defined(__linux__)
  if (bytes >= 2 * kLargePage) {
    std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    void* p = std::aligned_alloc(kLargePage, rounded);
    if (p != nullptr) madvise(p, rounded, MADV_HUGEPAGE);
    return p;
  }
#endif
  return std::malloc(bytes);
}

}  // namespace

ByteBuffer::~ByteBuffer() { std::free(data_); }

void ByteBuffer::Reserve(std::size_t capacity) {
  if (capacity <= capacity_) return;
  std::size_t grown = capacity_ < 4096 ? 4096 : capacity_;
  while (grown < capacity) grown = grown > (SIZE_MAX >> 1) ? capacity : grown * 2;
  auto* block = static_cast<std::uint8_t*>(Allocate(grown));
  if (block == nullptr) throw std::bad_alloc();
  if (size_ > 0) std::memcpy(block, data_, size_);
  std::free(data_);
  data_ = block;
  capacity_ = grown;
}

}  // namespace ortolix
