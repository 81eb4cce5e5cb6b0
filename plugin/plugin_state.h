// The state the plug-in keeps between messages for the life of the loaded
// library. Entry points run on the Host's thread one message at a time, so
// nothing here is locked.
#pragma once

#include "hostapi/host_plugin_info.h"

namespace ortolix {

// The HostModel of the latest PluginCallback message that passed its argument
// checks; null until the first one. Never cleared. The export builders and
// the writer reach the model only through it.
HostModel* CurrentModel();
void SetCurrentModel(HostModel* model);

// The word registration and some messages hand over as the host handle.
// Kept, never read by the plug-in.
PluginWord HostHandle();
void SetHostHandle(PluginWord handle);

}  // namespace ortolix
