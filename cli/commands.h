// The subcommands of the ortolix command. Each Add function registers one
// subcommand on `app`; when it runs, its handler stores the exit status in
// `status`.
#pragma once

#include <CLI/CLI.hpp>

namespace ortolix::cli {

void AddExportCommand(CLI::App& app, int& status);
void AddImportCommand(CLI::App& app, int& status);
void AddConvertCommand(CLI::App& app, int& status);
void AddInfoCommand(CLI::App& app, int& status);
void AddDumpCommand(CLI::App& app, int& status);
void AddModelCommand(CLI::App& app, int& status);

// "ortolix 2.50.60 (plug-in interface 22)", from the plug-in's own exports.
std::string VersionText();

// Reports on standard error that `command` needs a part of the plug-in that
// is not built yet; returns the failure status.
int NotBuilt(const char* command, const char* part);

// Runs the command line; returns the exit status.
int RunCommandLine(int argc, char** argv);

}  // namespace ortolix::cli
