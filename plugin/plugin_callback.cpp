#include "plugin/message_dispatch.h"
#include "plugin/plugin_entry.h"

namespace ortolix {

// The fourth argument is part of the Host's calling convention only.
std::int32_t ORTOLIX_STDCALL PluginCallback(std::uint32_t message, HostModel* model,
                                            PluginWord argument, PluginWord /*extra*/) {
  return DispatchMessage(BuiltHandlers(), message, model, argument);
}

}  // namespace ortolix
