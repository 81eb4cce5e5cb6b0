#include "import/import_allocation.h"

namespace ortolix {

void FailImportAllocationAt(std::int64_t nth) {
  TheImportAllocationSwitch().failAt = nth;
  TheImportAllocationSwitch().count = 0;
}

std::int64_t ImportAllocationCount() { return TheImportAllocationSwitch().count; }

}  // namespace ortolix
