// The PluginCallback's message table: which arguments each message needs,
// what it stores in the module state, and which handler does its work.
#pragma once

#include <cstdint>

#include "plugin/message_handlers.h"

namespace ortolix {

// Dispatches one PluginCallback message to `handlers`. Messages outside
// 0x10018 to 0x10020 answer 0 at once; a message whose required model or
// argument is null answers 0 and stores nothing; a handler that runs out of
// memory answers 0. Otherwise the model (and for 0x1001e and 0x10020 the
// argument, as host handle) is stored before the handler runs.
std::int32_t DispatchMessage(const MessageHandlers& handlers, std::uint32_t message,
                             HostModel* model, PluginWord argument);

}  // namespace ortolix
