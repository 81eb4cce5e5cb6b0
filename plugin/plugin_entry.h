// The plug-in's two exports and the callback it registers with the Host.
#pragma once

#include <array>
#include <cstdint>

#include "hostapi/host_plugin_info.h"

namespace ortolix {

inline constexpr std::int32_t kPluginInterfaceVersion = 22;
inline constexpr char16_t kPluginDescription[] = u"DirectX 9.0 Importer/Exporter\r\n";
inline constexpr char16_t kPluginVersionText[] = u"2.50.60";
inline constexpr char16_t kPluginFileFilter[] = u"DirectX 9.0 files (*.x)";
inline constexpr char16_t kPluginExtension[] = u"x";

// The two registration words; what they mean is the Host's business.
inline constexpr std::int32_t kRegistrationWord1 = 3;
inline constexpr std::int32_t kRegistrationWord2 = 7;

// A GUID's 16 bytes in memory order: the first three fields little-endian.
constexpr std::array<unsigned char, 16> GuidBytes(std::uint32_t data1, std::uint16_t data2,
                                                  std::uint16_t data3,
                                                  std::array<unsigned char, 8> data4) {
  std::array<unsigned char, 16> bytes{};
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(data1 >> (8 * i));
  for (int i = 0; i < 2; ++i) bytes[4 + i] = static_cast<unsigned char>(data2 >> (8 * i));
  for (int i = 0; i < 2; ++i) bytes[6 + i] = static_cast<unsigned char>(data3 >> (8 * i));
  for (int i = 0; i < 8; ++i) bytes[8 + i] = data4[i];
  return bytes;
}

// {FF06F10C-B908-43C8-A02A-61DF9594F536}
inline constexpr std::array<unsigned char, 16> kPluginIdentifier =
    GuidBytes(0xFF06F10C, 0xB908, 0x43C8, {0xA0, 0x2A, 0x61, 0xDF, 0x95, 0x94, 0xF5, 0x36});

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
