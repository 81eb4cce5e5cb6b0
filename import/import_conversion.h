// Conversion of a read ImportScene into the ImportModel, in its fixed order:
// counting, the main arrays, frame listing, animation sets, animations and
// their keys, meshes with materials and skins, rest poses, influences and
// weight normalisation.
#pragma once

#include "import/import_model.h"
#include "import/import_options.h"
#include "ximport/import_scene.h"

namespace ortolix {

// Converts the newest ImportScene of `reader` into `model`: everything
// ReadImportFile does between the read and freeing the scene.
// The scene's meshes are let go of as they are converted. False when a main
// array cannot be allocated. `model` should be freshly reset.
[[nodiscard]] bool ConvertImportScene(XFileReader& reader, const ImportOptions& options, ImportModel& model);

}  // namespace ortolix
