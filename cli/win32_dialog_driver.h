// The command's answers to the plug-in's real dialogs and message boxes on
// Windows. A thread-local WH_CBT hook sees each dialog window the plug-in
// creates; once the dialog runs its modal loop, the driver records what it
// shows, saves its picture and controls when asked, and plays the installed
// user script with the messages a person's clicks and keys send.
//
// It serves the script and records of platform/win32/headless.h, so the
// commands install answers and read back what was shown the same way on every
// platform.
#pragma once

#include <string>

#include <CLI/CLI.hpp>

namespace ortolix::cli {

struct DialogDriverSettings {
  bool interactive = false;   // leave every dialog and message box to the person
  std::string screenshotDir;  // save each window as a PNG here (empty: no)
  std::string controlsFile;   // write each dialog's child windows as JSON here (empty: no)
};

// Adds --interactive, --screenshot DIR and --controls FILE to the command line.
void AddDialogDriverOptions(CLI::App& app);

DialogDriverSettings& TheDialogDriverSettings();

}  // namespace ortolix::cli
