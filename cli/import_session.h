// Running an import as the Host does: registration, the read message, then
// the dialog/transfer message with dialog 101 answered from the command line.
// Shared by the import, convert and info commands.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/dialog_settings.h"
#include "host/in_process_host.h"
#include "hostapi/host_plugin_info.h"

namespace ortolix::cli {

// How the command answers the import dialog.
struct ImportAnswers {
  std::vector<DialogSetting> settings;  // check boxes set before OK
  std::optional<std::string> ticks;     // text typed into ticks/sec
  std::optional<int> animation;         // list entry, when the list has it
  bool cancel = false;                  // press Cancel instead of OK
};

// Registers the chosen plug-in (plugin_loader.h) as the Host does.
// The PluginCallback the plug-in registered, or null (with a line on
// standard error naming `command`).
PluginCallbackFn RegisterPlugin(const char* command);

// The module instance the Host hands over with the dialog messages: the
// module that holds the plug-in's dialog templates.
PluginWord ModuleInstance();

// Reads `path` into `host` and answers the import dialog. The two
// zero-to-default options among the settings are applied before the read,
// as a previous dialog would have left them. Returns the exit status; every
// failure is reported on standard error with `command` and the file's path.
// The headless dialog records stay for the caller to read until the next
// headless::Reset().
int RunImport(PluginCallbackFn callback, InProcessHost& host, const std::string& path,
              const ImportAnswers& answers, const char* command);

// Command-line text (UTF-8) as wide text, and back.
std::u16string WideText(const std::string& text);
std::string NarrowText(const std::u16string& text);

}  // namespace ortolix::cli
