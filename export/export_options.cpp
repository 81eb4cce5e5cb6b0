#include "export/export_options.h"

#include "resources/export_dialog.h"

namespace ortolix {

const ExportCheckBox kExportCheckBoxes[kExportCheckBoxCount] = {
    {ORTOLIX_IDC_EXPORT_MATERIALS, &ExportOptions::exportMaterials},
    {ORTOLIX_IDC_EXPORT_TEXTURE_COORDINATES, &ExportOptions::exportTextureCoordinates},
    {ORTOLIX_IDC_EXPORT_MULTIPLE_UVSETS, &ExportOptions::exportMultipleUvSets},
    {ORTOLIX_IDC_EXPORT_VERTEX_NORMALS, &ExportOptions::exportVertexNormals},
    {ORTOLIX_IDC_EXPORT_VERTEX_COLORS, &ExportOptions::exportVertexColors},
    {ORTOLIX_IDC_EXPORT_ANIMATION, &ExportOptions::exportAnimation},
    {ORTOLIX_IDC_EXPORT_TEMPLATES, &ExportOptions::exportTemplates},
    {ORTOLIX_IDC_TRIANGULATE_MODEL, &ExportOptions::triangulateModel},
    {ORTOLIX_IDC_FLIP_HANDEDNESS, &ExportOptions::flipHandedness},
    {ORTOLIX_IDC_USE_FULL_TEXTURE_PATH, &ExportOptions::useFullTexturePath},
    {ORTOLIX_IDC_EXPORT_GROUPS_AS_MESHES, &ExportOptions::exportGroupsAsMeshes},
    {ORTOLIX_IDC_EXPORT_TICKS_PER_SECOND, &ExportOptions::exportTicksPerSecond},
    {ORTOLIX_IDC_EXPORT_ROOT_BONE_TRANSFORM, &ExportOptions::exportRootBoneTransform},
};

ExportOptions& TheExportOptions() {
  static ExportOptions options;
  return options;
}

}  // namespace ortolix
