// Message 0x1001f, the second half of an import: the options dialog, the
// optional material merge and the transfer into the Host's model.
#pragma once

#include <cstdint>

#include "hostapi/host_plugin_info.h"

namespace ortolix {

// Shows dialog 101 (from the module `instance`, owned by the Host's main
// window) over the module-wide ImportModel. Cancel, or a dialog that cannot
// be shown, gives 2; on OK the materials are merged when that option is set
// and the model is transferred: 1 when the transfer succeeded, else 0. A zero
// `instance` gives 0. The ImportModel is reset in every case.
std::int32_t HandleImportTransfer(HostModel& model, PluginWord instance);

}  // namespace ortolix
