// The plug-in's two exports and the callback it registers with the Host.
#pragma once

#include <cstdint>

#include "plugin/host_plugin_info.h"

namespace ortolix {

inline constexpr std::int32_t kPluginInterfaceVersion = 22;
inline constexpr char16_t kPluginDescription[] = u"DirectX 9.0 Importer/Exporter\r\n";
inline constexpr char16_t kPluginVersionText[] = u"2.50.60";
inline constexpr char16_t kPluginFileFilter[] = u"DirectX 9.0 files (*.x)";
inline constexpr char16_t kPluginExtension[] = u"x";

// The messages of the PluginCallback.
enum PluginMessage : std::uint32_t {
  kMessageRegister = 0x10016,
  kMessageInterfaceVersion = 0x10017,
  kMessageImportRead = 0x10018,
  kMessageExportWrite = 0x10019,
  kMessageAccept = 0x1001e,
  kMessageImportTransfer = 0x1001f,
  kMessageExportPrepare = 0x10020,
};

std::int32_t ORTOLIX_STDCALL PluginCallback(std::uint32_t message, HostModel* model,
                                            PluginWord argument, PluginWord extra);

}  // namespace ortolix

extern "C" {
std::int32_t ORTOLIX_STDCALL PluginVersion();
std::int32_t ORTOLIX_STDCALL PluginProc(std::uint32_t message, ortolix::HostPluginInfo* info,
                                        ortolix::PluginWord handle, ortolix::PluginWord extra);
}
