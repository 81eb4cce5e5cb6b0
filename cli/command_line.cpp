// The command line as a whole: subcommands, --version, --help, and the
// mapping of parse errors to the usage status.
#include <cstdio>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/plugin_loader.h"
#ifdef _WIN32
#include "cli/win32_dialog_driver.h"
#endif
#include "platform/crt/text_convert.h"
#include "plugin/plugin_entry.h"

namespace ortolix::cli {

std::string VersionText() {
  char version[64];
  if (LocaleNarrowFromWide(version, sizeof version, kPluginVersionText) == kConversionFailed) {
    version[0] = '\0';
  }
#ifdef ORTOLIX_HAVE_PLUGIN
  const int interfaceVersion = PluginVersion();
#else
  // The plug-in library is not in this build; the interface version is the
  // value its export answers, as declared with it.
  const int interfaceVersion = kPluginInterfaceVersion;
#endif
  return std::string("ortolix ") + version + " (plug-in interface " +
         std::to_string(interfaceVersion) + ")";
}

int NotBuilt(const char* command, const char* part) {
  std::fprintf(stderr, "ortolix %s: not available yet: the plug-in's %s is not built\n", command,
               part);
  return kExitFailure;
}

int RunCommandLine(int argc, char** argv) {
  CLI::App app("Imports and exports DirectX .x model files through the ortolix plug-in, "
               "run inside an in-process Host.",
               "ortolix");
  app.set_version_flag("--version", VersionText(), "Print the plug-in's version and exit");
  app.require_subcommand(1);
  app.fallthrough();  // the options below may also follow the subcommand
  app.allow_windows_style_options(false);  // "/path" is a path on every platform
  AddPluginOption(app);
#ifdef _WIN32
  AddDialogDriverOptions(app);
#endif
  int status = kExitFailure;
  AddExportCommand(app, status);
  AddImportCommand(app, status);
  AddConvertCommand(app, status);
  AddInfoCommand(app, status);
  AddDumpCommand(app, status);
  AddModelCommand(app, status);
  app.footer("Exit status: 0 success, 1 failure, 2 cancelled, 64 usage error.");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);  // prints help, the version, or the error
    return code == 0 ? kExitOk : kExitUsage;
  }
  return status;
}

}  // namespace ortolix::cli
