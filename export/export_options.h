// The export options the dialog of resource 102 edits and the builders and
// the writer read. Module-wide; the values last accepted in the dialog stay
// for the life of the loaded library. Every reader tests a flag for equality
// with 1.
#pragma once

#include <cstdint>

namespace ortolix {

struct ExportOptions {
  std::int32_t exportMaterials = 1;
  std::int32_t exportTextureCoordinates = 1;
  std::int32_t exportVertexNormals = 1;
  std::int32_t exportVertexColors = 1;
  std::int32_t exportAnimation = 1;
  std::int32_t exportTemplates = 1;
  std::int32_t exportMultipleUvSets = 0;
  std::int32_t triangulateModel = 1;
  std::int32_t flipHandedness = 0;
  std::int32_t useFullTexturePath = 0;
  std::int32_t exportRootBoneTransform = 0;
  std::int32_t exportGroupsAsMeshes = 0;
  std::int32_t exportTicksPerSecond = 1;
  std::int32_t ticksPerSecond = 4800;
};

// A check box of the dialog and the option it edits.
struct ExportCheckBox {
  int controlId;
  std::int32_t ExportOptions::*option;
};

// The thirteen check boxes in the order the dialog sets and reads them.
inline constexpr int kExportCheckBoxCount = 13;
extern const ExportCheckBox kExportCheckBoxes[kExportCheckBoxCount];

// The module-wide options, at their defaults when the library is loaded.
ExportOptions& TheExportOptions();

}  // namespace ortolix
