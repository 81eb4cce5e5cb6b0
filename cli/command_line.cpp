// The command line as a whole: subcommands, --version, --help, and the
// mapping of parse errors to the usage status.
#include <cstdio>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "platform/crt/narrow_code_page.h"
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

namespace {

// CLI11 takes an unknown first word for a stray operand and says only that a
// subcommand is required; name the word and the subcommands instead.
bool IsUnknownSubcommand(CLI::App& app, int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-' || argv[1][0] == '\0') return false;
  for (const CLI::App* sub : app.get_subcommands({})) {
    if (sub->check_name(argv[1])) return false;
  }
  std::string names;
  for (const CLI::App* sub : app.get_subcommands({})) (names += ' ') += sub->get_name();
  std::fprintf(stderr, "ortolix: unknown subcommand \"%s\"; one of:%s\n", argv[1], names.c_str());
  std::fprintf(stderr, "Run with --help for more information.\n");
  return true;
}

// Narrow text that did not decode in the code page reached the output as
// U+FFFD: said once, at the end of the run.
void WarnAboutReplacedBytes() {
  const std::uint64_t replaced = NarrowReplacementCount();
  if (replaced == 0) return;
  std::fprintf(stderr,
               "ortolix: warning: %llu byte%s of names or texts not valid in code page %u "
               "became U+FFFD (try --codepage)\n",
               static_cast<unsigned long long>(replaced), replaced == 1 ? "" : "s",
               NarrowCodePage());
}

}  // namespace

int RunCommandLine(int argc, char** argv) {
  CLI::App app("Imports and exports DirectX .x model files through the ortolix plug-in, "
               "run inside an in-process Host.",
               "ortolix");
  app.set_version_flag("--version", VersionText(), "Print the plug-in's version and exit");
  app.require_subcommand(1);
  unsigned code_page = kUtf8CodePage;
  app.add_option("--codepage", code_page,
                 "Code page of narrow text in .x files (names, texture paths): 65001 (UTF-8, "
                 "the default), 932, 1252 ...")
      ->check([](const std::string& text) -> std::string {
        unsigned value = 0;
        try {
          value = static_cast<unsigned>(std::stoul(text));
        } catch (const std::exception&) {
          return "not a code page number: " + text;
        }
        return SetNarrowCodePage(value) ? "" : "code page " + text + " cannot be converted here";
      });
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
  if (IsUnknownSubcommand(app, argc, argv)) return kExitUsage;
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);  // prints help, the version, or the error
    return code == 0 ? kExitOk : kExitUsage;
  }
  WarnAboutReplacedBytes();
  return status;
}

}  // namespace ortolix::cli
