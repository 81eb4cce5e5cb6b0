#include "export/export_allocation.h"

namespace ortolix {
namespace {

// The test switch. Plain counters: the plug-in runs on one thread.
struct AllocationSwitch {
  std::int64_t failAt = 0;
  std::int64_t count = 0;
};

AllocationSwitch& Switch() {
  static AllocationSwitch state;
  return state;
}

}  // namespace

void FailExportAllocationAt(std::int64_t nth) {
  Switch().failAt = nth;
  Switch().count = 0;
}

std::int64_t ExportAllocationCount() { return Switch().count; }

bool ExportAllocationFails() {
  AllocationSwitch& state = Switch();
  ++state.count;
  return state.failAt > 0 && state.count == state.failAt;
}

void* ExportRealloc(void* block, std::size_t bytes) {
  if (bytes == 0 || ExportAllocationFails()) return nullptr;
  return std::realloc(block, bytes);
}

}  // namespace ortolix
