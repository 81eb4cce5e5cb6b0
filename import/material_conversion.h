// Materials of an import: each material of each MeshContainer becomes one
// ImportMaterial at read time; after the dialog, "Merge similar materials"
// folds materials that use the same texture file into one merged list.
#pragma once

#include <string>

#include "import/import_model.h"
#include "import/import_options.h"
#include "ximport/import_scene.h"

namespace ortolix {

// Fills the next ImportMaterials (from model.currentMaterial on) from the
// container's materials and names, and advances the running index. Colour
// alphas become 1 and the diffuse alpha becomes the opacity; the power is
// clamped to 0..128; the two zero-to-default options replace a zero opacity
// or power; the texture keeps only its file name; NaNs take the defaults.
// Stops when the ImportMaterials run out.
void ConvertContainerMaterials(const MeshContainer& container, const ImportOptions& options,
                               ImportModel& model);

// The file name and extension of a narrow path (system code page) as wide
// text: what follows the last '\' or '/', or a leading "X:" drive. Any length.
WideString TextureFileNamePart(const std::string& path);

// Builds model.mergedMaterials: materials with equal texture file names
// (ASCII case folded) share the entry of the first of them, which ends with
// the values of the last; untextured materials keep entries of their own.
// Face material indices are renumbered from local indices to merged-list
// indices. A failed allocation ends the merge with what the list then holds.
void MergeSimilarMaterials(ImportModel& model);

}  // namespace ortolix
