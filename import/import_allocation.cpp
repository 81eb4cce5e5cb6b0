#include "import/import_allocation.h"

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

void FailImportAllocationAt(std::int64_t nth) {
  Switch().failAt = nth;
  Switch().count = 0;
}

std::int64_t ImportAllocationCount() { return Switch().count; }

bool ImportAllocationFails() {
  AllocationSwitch& state = Switch();
  ++state.count;
  return state.failAt > 0 && state.count == state.failAt;
}

}  // namespace ortolix
