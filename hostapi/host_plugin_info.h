// The registration record the Host hands to PluginProc, and the signatures of
// the plug-in's entry points. Every argument is one machine word (32 bits in
// the Windows plug-in).
#pragma once

#include <cstdint>

#include "hostapi/host_path_string.h"

#if defined(_WIN32) && !defined(_WIN64)
#define ORTOLIX_STDCALL __stdcall
#else
#define ORTOLIX_STDCALL
#endif

namespace ortolix {

class HostModel;

using PluginWord = std::uintptr_t;

// PluginCallback(message, model, argument, extra).
using PluginCallbackFn = std::int32_t(ORTOLIX_STDCALL*)(std::uint32_t message, HostModel* model,
                                                        PluginWord argument, PluginWord extra);

class HostPluginInfo {
 public:
  virtual std::int32_t RegisterExtension(HostPathString& extension) = 0;

  unsigned char identifier[16];  // GUID in memory order
  std::int32_t registrationWord1;
  std::int32_t registrationWord2;
  PluginCallbackFn callback;
  HostPathString description;
  HostPathString versionText;
  HostPathString fileFilter;

 protected:
  ~HostPluginInfo() = default;
};

}  // namespace ortolix
