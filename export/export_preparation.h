// Message 0x10020, the first stage of an export: prepares the Host's model,
// asks the user for the export options and builds the module-wide
// ExportScene that message 0x10019 writes.
#pragma once

#include <cstdint>

#include "platform/crt/wide_char.h"
#include "platform/win32/win32_types.h"
#include "hostapi/host_model.h"
#include "hostapi/host_plugin_info.h"

namespace ortolix {

inline constexpr WideChar kUnskinnedWarningCaption[] = u"Warning";
inline constexpr WideChar kUnskinnedWarningText[] =
    u"Some vertices are not assigned to any bones.\n"
    u"This may cause problems when loading DirectX skinned meshes.\n\nContinue anyway?\n";
inline constexpr WideChar kTriangulateErrorCaption[] = u"Error";
inline constexpr WideChar kTriangulateErrorText[] = u"Failed to triangulate geometry.\t";

// (model, module instance holding dialog 102) to 1 when the ExportScene is
// ready; 2 when the user cancelled or a step stopped (the ExportScene is then
// empty); 0 when an argument is null (nothing happens). The name and
// rotation-key passes change the model even when the result is 2.
std::int32_t PrepareExportScene(HostModel* model, HINSTANCE instance);

// The PluginCallback's handler of message 0x10020: its argument is the
// module instance.
std::int32_t HandleExportPrepare(HostModel& model, PluginWord instance);

}  // namespace ortolix
