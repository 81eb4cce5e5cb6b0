// The work behind the PluginCallback messages that carry any. The callback
// checks the arguments and stores the module state; a handler does the rest.
#pragma once

#include <cstdint>

#include "hostapi/host_plugin_info.h"

namespace ortolix {

// `model` is the callback's HostModel (never null here); `argument` its third
// argument, for the dialog messages the module instance holding the dialog
// templates. The result goes to the Host unchanged: 0 failure, 1 success,
// 2 cancelled.
using MessageHandler = std::int32_t (*)(HostModel& model, PluginWord argument);

struct MessageHandlers {
  MessageHandler importRead = nullptr;      // 0x10018: read the .x file
  MessageHandler exportWrite = nullptr;     // 0x10019: write the prepared scene
  MessageHandler importTransfer = nullptr;  // 0x1001f: import dialog and transfer
  MessageHandler exportPrepare = nullptr;   // 0x10020: export dialog and scene build
};

// The handlers this build links in. A null entry is work that does not exist
// yet: its message answers 0.
const MessageHandlers& BuiltHandlers();

}  // namespace ortolix
