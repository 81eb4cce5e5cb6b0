// The import driver of the read message: reads the HostModel's .x file into
// an ImportScene and converts it into the module-wide ImportModel.
#pragma once

#include <cstdint>

#include "import/import_model.h"
#include "plugin/host_model.h"
#include "platform/d3dx/d3d9_device.h"

namespace ortolix {

// Reads the file named by model->filePath (wide text) with `device` and
// converts it into TheImportModel(), with the current ImportOptions. Returns
// 1 when the ImportModel is ready for the dialog, 0 when either argument is
// null, the file cannot be read, or one of the main arrays (frames, meshes,
// materials, animations, tracks) cannot be allocated; on a failed read the
// ImportModel is reset. The ImportScene is freed on every path. Safe on
// hostile files.
std::uint32_t ReadImportFile(HostModel* model, IDirect3DDevice9* device);

}  // namespace ortolix
