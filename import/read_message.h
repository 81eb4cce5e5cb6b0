// The read message (0x10018): the first of the two import messages.
#pragma once

#include <cstdint>

#include "plugin/host_model.h"
#include "plugin/host_plugin_info.h"

namespace ortolix {

// The texts stored in the HostModel's error message when no device can be
// made, by the failure code of CreateImportDevice.
inline constexpr char16_t kNoDirectXInterface[] = u"Failed to create a DirectX 9.0 interface.";
inline constexpr char16_t kNoDirectXDevice[] = u"Failed to create a DirectX 9.0 device.";
inline constexpr char16_t kDirectXInitFailed[] = u"Failed to initialize DirectX 9.0.";

// Resets the ImportModel, stores the model's file path as its source path,
// creates the device and runs ReadImportFile. Without a device the matching
// message goes to model.errorMessage and the result is 0. For any result
// other than 1 the ImportModel is reset. `argument` is not used.
std::int32_t HandleImportRead(HostModel& model, PluginWord argument);

}  // namespace ortolix
