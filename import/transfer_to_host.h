// TransferToHost: the ImportModel written into the HostModel through the
// Host's operations, key times converted, then the scene options.
#pragma once

#include <cstdint>

#include "import/import_model.h"
#include "import/import_options.h"
#include "hostapi/host_model.h"

namespace ortolix {

// Creates, in this order, the materials (with texture paths beside the source
// file), the vertices with their influences, the groups, one mesh per
// ImportMesh with its triangles, the bones of the selected animation, the
// animations with their keys; converts every animation's key times to
// seconds; then swaps, scales, floors or centres and flips as the options
// say. Returns 1 on success, 0 when a Host operation fails or a face names a
// record outside the Host's arrays: the transfer stops there and what it made
// stays. Sets the process's current directory to the source file's.
// `model` is only read; with "Merge similar materials" set its merged list
// and renumbered faces are used.
std::int32_t TransferToHost(HostModel& host, const ImportModel& model, const ImportOptions& options);

// The same on the module-wide ImportModel and ImportOptions; 0 for null.
std::int32_t TransferToHost(HostModel* host);

}  // namespace ortolix
