#include "cli/import_session.h"

#include <cstdio>
#include <cstring>
#include <limits>

#include "cli/exit_codes.h"
#include "cli/plugin_loader.h"
#include "cli/read_failure.h"
#include "import/import_dialog.h"
#include "import/import_model.h"
#include "import/import_options.h"
#include "platform/crt/text_convert.h"
#include "platform/win32/headless.h"
#include "platform/win32/win32.h"
#include "plugin/plugin_entry.h"
#include "resources/import_dialog.h"

namespace ortolix::cli {

namespace {

// The Host's side of registration: it accepts the one extension offered.
class CommandPluginInfo final : public HostPluginInfo {
 public:
  CommandPluginInfo() {
    std::memset(identifier, 0, sizeof identifier);
    registrationWord1 = registrationWord2 = 0;
    callback = nullptr;
  }
  std::int32_t RegisterExtension(HostPathString&) override { return 1; }
};

// The zero-to-default options act when a file is read; a fresh run has had
// no dialog before, so the command's settings stand in for it.
void ApplyReadOptions(const std::vector<DialogSetting>& settings) {
  ImportOptions& options = TheImportOptions();
  for (const DialogSetting& setting : settings) {
    if (setting.name == "set-zero-transparency-to-default") options.zeroTransparencyToDefault = setting.on;
    if (setting.name == "set-zero-shininess-to-default") options.zeroShininessToDefault = setting.on;
  }
}

void InstallAnswers(const ImportAnswers& answers) {
  using headless::ControlRef;
  using headless::DialogStep;
  headless::DialogScript dialog{ORTOLIX_IMPORT_DIALOG_ID, {}};
  for (const DialogSetting& setting : answers.settings) {
    dialog.steps.push_back(DialogStep::SetCheck(ControlRef::Name(WideText(setting.name)), setting.on));
  }
  if (answers.ticks) {
    dialog.steps.push_back(
        DialogStep::TypeText(ControlRef::Id(ORTOLIX_IDC_IMPORT_TICKS_EDIT), WideText(*answers.ticks)));
  }
  // The list is filled from the model the read left; an entry it lacks is
  // not chosen, and the selection stays at entry 0. A plug-in DLL keeps its
  // model to itself: then the window driver leaves out a missing entry.
  const std::size_t entries = LinkedPluginChosen() ? AnimationListEntries(TheImportModel()).size()
                                                   : std::numeric_limits<std::size_t>::max();
  if (answers.animation && *answers.animation >= 0 &&
      static_cast<std::size_t>(*answers.animation) < entries) {
    dialog.steps.push_back(
        DialogStep::ChooseEntry(ControlRef::Id(ORTOLIX_IDC_ANIMATION_LIST), *answers.animation));
  }
  dialog.steps.push_back(DialogStep::Press(ControlRef::Id(answers.cancel ? IDCANCEL : IDOK)));
  headless::UserScript script;
  script.dialogs.push_back(std::move(dialog));
  headless::InstallUserScript(std::move(script));
}

void ReportDialogErrors(const char* command) {
  for (const std::string& error : headless::Errors()) {
    std::fprintf(stderr, "ortolix %s: dialog script: %s\n", command, error.c_str());
  }
}

// What the read tolerated, one line per kind. The built-in plug-in keeps
// them in its ImportModel until the dialog message; a plug-in loaded with
// --plugin keeps its own, and nothing is printed.
void ReportReadWarnings(const std::string& path, const char* command) {
  for (const ReadWarning& w : TheImportModel().readWarnings) {
    std::fprintf(stderr, "ortolix %s: warning: %s: %s%s%s (%s, %llu time%s)\n", command, path.c_str(),
                 w.object.c_str(), w.object.empty() ? "" : ": ", w.message.c_str(), w.code.c_str(),
                 static_cast<unsigned long long>(w.count), w.count == 1 ? "" : "s");
  }
}

int ReadFile(PluginCallbackFn callback, InProcessHost& host, const std::string& path,
             const char* command) {
  const std::int32_t result = callback(kMessageImportRead, &host, 0, 0);
  if (result == 1) {
    ReportReadWarnings(path, command);
    return kExitOk;
  }
  std::string why = host.errorMessage.IsEmpty() ? ReadFailureReason(path) : host.errorMessage.Narrow();
  if (why.empty()) why = "the file was read but could not be converted";
  // The reader's reasons start with the path and position already.
  if (why.rfind(path, 0) != 0) why = path + ": " + why;
  std::fprintf(stderr, "ortolix %s: %s (plug-in result %d)\n", command, why.c_str(),
               static_cast<int>(result));
  return result == 2 ? kExitCancelled : kExitFailure;
}

}  // namespace

std::u16string WideText(const std::string& text) {
  std::vector<WideChar> out(text.size() + 1, 0);
  if (LocaleWideFromNarrow(out.data(), out.size(), text.c_str()) == kConversionFailed) {
    std::u16string bytes;  // not UTF-8: each byte as it stands
    for (const unsigned char c : text) bytes.push_back(c);
    return bytes;
  }
  return out.data();
}

std::string NarrowText(const std::u16string& text) {
  std::vector<char> out(text.size() * 3 + 1, '\0');
  if (LocaleNarrowFromWide(out.data(), out.size(), text.c_str()) == kConversionFailed) {
    return "(text not representable)";
  }
  return out.data();
}

PluginCallbackFn RegisterPlugin(const char* command) {
  PluginEntryPoints plugin;
  std::string error;
  if (!ChosenPlugin(plugin, error)) {
    std::fprintf(stderr, "ortolix %s: %s\n", command, error.c_str());
    return nullptr;
  }
  if (plugin.version() != kPluginInterfaceVersion) {
    std::fprintf(stderr, "ortolix %s: plug-in interface %d is not %d\n", command,
                 static_cast<int>(plugin.version()), static_cast<int>(kPluginInterfaceVersion));
    return nullptr;
  }
  CommandPluginInfo info;
  if (plugin.proc(kMessageRegister, &info, reinterpret_cast<PluginWord>(&info), 0) != 1 ||
      info.callback == nullptr) {
    std::fprintf(stderr, "ortolix %s: the plug-in did not register\n", command);
    return nullptr;
  }
  return HostSideCallback(info.callback);
}

PluginWord ModuleInstance() {
  PluginEntryPoints plugin;
  std::string error;
  return ChosenPlugin(plugin, error) ? plugin.moduleInstance : 0;
}

int RunImport(PluginCallbackFn callback, InProcessHost& host, const std::string& path,
              const ImportAnswers& answers, const char* command) {
  if (path.empty() || path.size() >= HostPathString::kCapacity) {
    std::fprintf(stderr, "ortolix %s: the input path must have 1 to %zu characters\n", command,
                 HostPathString::kCapacity - 1);
    return kExitFailure;
  }
  host.filePath = HostPathString(path.c_str());
  ApplyReadOptions(answers.settings);
  headless::Reset();
  const int read = ReadFile(callback, host, path, command);
  if (read != kExitOk) return read;
  InstallAnswers(answers);
  const std::int32_t result = callback(kMessageImportTransfer, &host, ModuleInstance(), 0);
  ReportDialogErrors(command);
  if (result == 1) {
    (void)host.UpdateUseCounts();  // as the Host does once the plug-in is done
    return kExitOk;
  }
  if (result == 2) {
    if (!answers.cancel) std::fprintf(stderr, "ortolix %s: %s: the import dialog was not shown\n", command, path.c_str());
    return kExitCancelled;
  }
  std::fprintf(stderr, "ortolix %s: %s: the transfer into the host model failed (plug-in result %d)\n",
               command, path.c_str(), static_cast<int>(result));
  return kExitFailure;
}

}  // namespace ortolix::cli
