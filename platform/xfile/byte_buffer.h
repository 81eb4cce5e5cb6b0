// A growing block of bytes for file images, inflated payloads and Lock
// data. New bytes are left uninitialised, since every user writes the bytes
// it reserves, and large blocks are placed so that the system can back them
// with large pages: touching fresh memory page by page is what costs most
// when a file of hundreds of megabytes is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

namespace ortolix {

class ByteBuffer {
 public:
  ByteBuffer() = default;
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;
  ByteBuffer(ByteBuffer&& other) noexcept { *this = std::move(other); }
  ByteBuffer& operator=(ByteBuffer&& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(capacity_, other.capacity_);
    return *this;
  }
  ~ByteBuffer();

  std::uint8_t* data() { return data_; }
  const std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  // Appends `bytes` uninitialised bytes and returns where they start.
  // Throws std::bad_alloc when memory runs out.
  std::uint8_t* Extend(std::size_t bytes) {
    if (bytes > capacity_ - size_) Reserve(size_ + bytes);
    std::uint8_t* at = data_ + size_;
    size_ += bytes;
    return at;
  }

  // Drops the bytes from `size` on (no effect when `size` is not smaller).
  void Truncate(std::size_t size) {
    if (size < size_) size_ = size;
  }

  // Makes room for `capacity` bytes in all (address space only until the
  // bytes are written). Throws std::bad_alloc when memory runs out.
  void Reserve(std::size_t capacity);

 private:
  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace ortolix
