// The export-write message: the prepared ExportScene written as a text .x
// file at the model's own path.
#pragma once

#include "hostapi/host_plugin_info.h"
#include "xwriter/write_context.h"

namespace ortolix {

// Writes the file named by the model's file path (replacing it), then frees
// the ExportScene whatever happened. Returns 1 on success; 0 for a missing
// model (the scene then stays), a file that cannot be opened, or a frame
// writer that failed (what was written stays in the file).
int WriteExportFile(HostModel* model, ExportScene& scene, const ExportOptions& options);

// The same with the module-wide ExportScene and ExportOptions.
int WriteExportFile(HostModel* model);

// The PluginCallback's handler of message 0x10019 (its argument is not used).
std::int32_t HandleExportWrite(HostModel& model, PluginWord argument);

}  // namespace ortolix
