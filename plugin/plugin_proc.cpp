#include <cstring>

#include "plugin/plugin_entry.h"
#include "plugin/plugin_state.h"

namespace ortolix {

namespace {

// Each text goes through a temporary HostPathString, as the Host's own
// plug-ins fill their records; the temporary is cleared when it goes.
void FillText(HostPathString& field, const WideChar* text) {
  const HostPathString temporary(text);
  field.CopyFrom(temporary);
}

std::int32_t Register(HostPluginInfo* info, PluginWord handle) {
  if (info == nullptr || handle == 0) return 0;
  SetHostHandle(handle);
  info->registrationWord1 = kRegistrationWord1;
  info->registrationWord2 = kRegistrationWord2;
  info->callback = &PluginCallback;
  std::memcpy(info->identifier, kPluginIdentifier.data(), sizeof info->identifier);
  FillText(info->description, kPluginDescription);
  FillText(info->versionText, kPluginVersionText);
  FillText(info->fileFilter, kPluginFileFilter);
  HostPathString extension(kPluginExtension);
  return info->RegisterExtension(extension) != 0 ? 1 : 0;
}

}  // namespace

}  // namespace ortolix

extern "C" {

std::int32_t ORTOLIX_STDCALL PluginVersion() { return ortolix::kPluginInterfaceVersion; }

std::int32_t ORTOLIX_STDCALL PluginProc(std::uint32_t message, ortolix::HostPluginInfo* info,
                                        ortolix::PluginWord handle, ortolix::PluginWord /*extra*/) {
  switch (message) {
    case ortolix::kMessageRegister: return ortolix::Register(info, handle);
    case ortolix::kMessageInterfaceVersion: return ortolix::kPluginInterfaceVersion;
    default: return 1;
  }
}

}  // extern "C"
