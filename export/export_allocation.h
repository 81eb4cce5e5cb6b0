// Every allocation of the export builders goes through here, so that tests can
// make the N-th one fail and check that preparation cleans up after it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

namespace ortolix {

// Test switch: the `nth` allocation from now on fails (1 = the next one);
// 0 turns the switch off. Also resets the allocation counter.
void FailExportAllocationAt(std::int64_t nth);

// Number of allocations counted since the last FailExportAllocationAt.
std::int64_t ExportAllocationCount();

// Counts one allocation; true when it is the one the switch makes fail.
bool ExportAllocationFails();

// An array of `count` (> 0) value-initialised records, or null when memory
// (or the test switch) says no. Free it with DeleteExportArray.
template <typename T>
T* NewExportArray(std::int32_t count) {
  if (count <= 0 || ExportAllocationFails()) return nullptr;
  return new (std::nothrow) T[static_cast<std::size_t>(count)]();
}

template <typename T>
void DeleteExportArray(T*& array) {
  delete[] array;
  array = nullptr;
}

// Allocator of the builders' growing working storage: throws std::bad_alloc
// when the switch says so; the builders turn that into a failure result.
template <typename T>
struct ExportAllocator {
  using value_type = T;
  ExportAllocator() = default;
  template <typename U>
  ExportAllocator(const ExportAllocator<U>&) {}

  T* allocate(std::size_t n) {
    if (ExportAllocationFails()) throw std::bad_alloc();
    return static_cast<T*>(::operator new(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t) { ::operator delete(p); }

  template <typename U>
  bool operator==(const ExportAllocator<U>&) const {
    return true;
  }
};

}  // namespace ortolix
