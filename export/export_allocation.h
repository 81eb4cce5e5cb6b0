// Every allocation of the export builders goes through here: arrays handed to
// the ExportScene and the builders' growing working storage. Failures are
// results, never exceptions, and tests can make the N-th allocation fail to
// check that preparation cleans up after it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <type_traits>

namespace ortolix {

// Test switch: the `nth` allocation from now on fails (1 = the next one);
// 0 turns the switch off. Also resets the allocation counter.
void FailExportAllocationAt(std::int64_t nth);

// Number of allocations counted since the last FailExportAllocationAt.
std::int64_t ExportAllocationCount();

// Counts one allocation; true when it is the one the switch makes fail.
bool ExportAllocationFails();

// Like realloc, but counted by the switch; null on failure (`block` stays).
void* ExportRealloc(void* block, std::size_t bytes);

// An array of `count` (> 0) value-initialised records, or null when memory
// (or the test switch) says no. Free it with DeleteExportArray.
template <typename T>
T* NewExportArray(std::int32_t count) {
  static_assert(std::is_trivially_destructible_v<T>, "freed without destructors");
  if (count <= 0 || ExportAllocationFails()) return nullptr;
  T* array = static_cast<T*>(std::calloc(static_cast<std::size_t>(count), sizeof(T)));
  if constexpr (!std::is_trivially_default_constructible_v<T>) {
    if (array != nullptr) {
      for (std::int32_t i = 0; i < count; ++i) new (array + i) T();
    }
  }
  return array;
}

template <typename T>
void DeleteExportArray(T*& array) {
  std::free(array);
  array = nullptr;
}

// A growing array of plain records (at most INT32_MAX of them), owned until
// it is handed over with Release. Every operation that may allocate answers
// false when memory runs out, leaving the contents as they were.
template <typename T>
class ExportBuffer {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

 public:
  ExportBuffer() = default;
  ExportBuffer(const ExportBuffer&) = delete;
  ExportBuffer& operator=(const ExportBuffer&) = delete;
  ~ExportBuffer() { std::free(data_); }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T* data() { return data_; }
  const T* data() const { return data_; }
  T& operator[](std::size_t i) { return data_[i]; }
  const T& operator[](std::size_t i) const { return data_[i]; }
  const T* begin() const { return data_; }
  const T* end() const { return data_ + size_; }
  void clear() { size_ = 0; }

  [[nodiscard]] bool reserve(std::size_t capacity) {
    if (capacity <= capacity_) return true;
    if (capacity > kMaxCount) return false;
    T* grown = static_cast<T*>(ExportRealloc(data_, capacity * sizeof(T)));
    if (grown == nullptr) return false;
    data_ = grown;
    capacity_ = capacity;
    return true;
  }

  [[nodiscard]] bool push_back(const T& value) {
    if (size_ == capacity_ && !reserve(GrownCapacity(size_ + 1))) return false;
    data_[size_++] = value;
    return true;
  }

  // Grows to `count` records, the new ones set to `fill`.
  [[nodiscard]] bool resize(std::size_t count, const T& fill) {
    if (count > capacity_ && !reserve(GrownCapacity(count))) return false;
    for (std::size_t i = size_; i < count; ++i) data_[i] = fill;
    if (count > size_) size_ = count;
    return true;
  }

  // Hands the records over in an array of exactly size() records, to be
  // freed with DeleteExportArray (`out` is null when the buffer is empty).
  // The buffer is empty afterwards. False when memory runs out.
  [[nodiscard]] bool Release(T*& out) {
    out = nullptr;
    if (size_ == 0) return true;
    if (size_ != capacity_ && !ShrinkToSize()) return false;
    out = data_;
    data_ = nullptr;
    size_ = capacity_ = 0;
    return true;
  }

 private:
  static constexpr std::size_t kMaxCount =
      std::min<std::size_t>(INT32_MAX, SIZE_MAX / sizeof(T));

  std::size_t GrownCapacity(std::size_t needed) const {
    std::size_t grown = capacity_ < 16 ? 16 : capacity_ + capacity_ / 2;
    if (grown > kMaxCount) grown = kMaxCount;
    return grown < needed ? needed : grown;
  }

  bool ShrinkToSize() {
    T* shrunk = static_cast<T*>(ExportRealloc(data_, size_ * sizeof(T)));
    if (shrunk == nullptr) return false;
    data_ = shrunk;
    capacity_ = size_;
    return true;
  }

  T* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace ortolix
