// The import options the dialog of resource 101 edits, the material
// conversion (read message) and the transfer read. Module-wide; the values
// last accepted in the dialog stay for the life of the loaded library. Every
// reader tests a flag for equality with 1.
#pragma once

#include <cstdint>

namespace ortolix {

struct ImportOptions {
  std::int32_t mergeSimilarMaterials = 1;
  std::int32_t convertMaterialsToGroups = 1;
  std::int32_t zeroTransparencyToDefault = 1;
  std::int32_t zeroShininessToDefault = 1;
  std::int32_t swapScene = 0;
  std::int32_t centerScene = 0;
  std::int32_t floorScene = 0;
  std::int32_t flipHandedness = 0;
};

// A check box of the dialog and the option it edits.
struct ImportCheckBox {
  int controlId;
  std::int32_t ImportOptions::*option;
};

// The eight check boxes in the order the dialog reads them on OK.
inline constexpr int kImportCheckBoxCount = 8;
extern const ImportCheckBox kImportCheckBoxes[kImportCheckBoxCount];

// The module-wide options, at their defaults when the library is loaded.
ImportOptions& TheImportOptions();

}  // namespace ortolix
