// The plug-in the command drives. By default the one linked into the command;
// with --plugin PATH a plug-in DLL loaded at run time (Windows), reached only
// through its exports PluginVersion and PluginProc, as the Host reaches it.
#pragma once

#include <cstdint>
#include <string>

#include <CLI/CLI.hpp>

#include "hostapi/host_plugin_info.h"

namespace ortolix::cli {

using PluginVersionFn = std::int32_t(ORTOLIX_STDCALL*)();
using PluginProcFn = std::int32_t(ORTOLIX_STDCALL*)(std::uint32_t message, HostPluginInfo* info,
                                                    PluginWord handle, PluginWord extra);

struct PluginEntryPoints {
  PluginVersionFn version = nullptr;
  PluginProcFn proc = nullptr;
  // The module whose resources hold the dialog templates: what the Host hands
  // over with the dialog messages.
  PluginWord moduleInstance = 0;
};

// Adds --plugin PATH to the command line.
void AddPluginOption(CLI::App& app);

// The entry points of the chosen plug-in, loading it on first use. Returns
// false, with the reason in `error`, when the plug-in cannot be loaded.
bool ChosenPlugin(PluginEntryPoints& out, std::string& error);

// The callback the command calls in place of the one the plug-in registered.
// On Windows the plug-in's SetCurrentDirectoryW really moves the process, so
// each message runs with the command's current directory restored after it:
// paths on the command line keep meaning what they meant. Elsewhere the
// dialog manager only records the request, and `registered` is returned.
PluginCallbackFn HostSideCallback(PluginCallbackFn registered);

// True when the command drives the plug-in linked into it (no --plugin),
// whose module-wide state it can also read.
bool LinkedPluginChosen();

}  // namespace ortolix::cli
