#include "import/import_options.h"

namespace ortolix {

const ImportCheckBox kImportCheckBoxes[kImportCheckBoxCount] = {
    {1060, &ImportOptions::swapScene},
    {1061, &ImportOptions::centerScene},
    {1062, &ImportOptions::floorScene},
    {1053, &ImportOptions::flipHandedness},
    {1043, &ImportOptions::convertMaterialsToGroups},
    {1042, &ImportOptions::mergeSimilarMaterials},
    {1040, &ImportOptions::zeroTransparencyToDefault},
    {1041, &ImportOptions::zeroShininessToDefault},
};

ImportOptions& TheImportOptions() {
  static ImportOptions options;
  return options;
}

}  // namespace ortolix
