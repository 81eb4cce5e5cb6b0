// ortolix convert IN.x -o OUT.x: import into a new host model, then export it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <cstdio>

#include "cli/commands.h"
#include "cli/dialog_settings.h"
#include "cli/exit_codes.h"
#include "cli/import_session.h"
#include "platform/crt/clock.h"
#include "platform/win32/headless.h"
#include "platform/win32/win32.h"
#include "plugin/plugin_entry.h"
#include "resources/export_dialog.h"

namespace ortolix::cli {

namespace {

struct ConvertOptions {
  std::string input;
  std::string output;
  std::vector<std::string> importSettings;
  std::vector<std::string> exportSettings;
  std::string importTicks;
  bool hasImportTicks = false;
  std::string exportTicks;
  bool hasExportTicks = false;
  std::int64_t epoch = 0;
  bool hasEpoch = false;
};

// The export dialog keeps its defaults except the boxes and ticks named;
// warnings are answered with OK.
void InstallExportAnswers(const ConvertOptions& options) {
  using headless::ControlRef;
  using headless::DialogStep;
  headless::DialogScript dialog{ORTOLIX_EXPORT_DIALOG_ID, {}};
  for (const DialogSetting& setting : ParseSettings(options.exportSettings, ExportSettingNames())) {
    dialog.steps.push_back(DialogStep::SetCheck(ControlRef::Name(WideText(setting.name)), setting.on));
  }
  if (options.hasExportTicks) {
    dialog.steps.push_back(
        DialogStep::TypeText(ControlRef::Id(ORTOLIX_IDC_TICKS_EDIT), WideText(options.exportTicks)));
  }
  dialog.steps.push_back(DialogStep::Press(ControlRef::Id(IDOK)));
  headless::UserScript script;
  script.dialogs.push_back(std::move(dialog));
  script.message_box_answers.push_back(IDOK);
  headless::InstallUserScript(std::move(script));
}

int ExportStatus(std::int32_t result, const std::string& what) {
  for (const headless::MessageBoxRecord& box : headless::ShownMessageBoxes()) {
    std::fprintf(stderr, "%s: %s\n", NarrowText(box.caption).c_str(), NarrowText(box.text).c_str());
  }
  if (result == 1) return kExitOk;
  std::fprintf(stderr, "ortolix convert: %s: %s (plug-in result %d)\n", what.c_str(),
               result == 2 ? "cancelled, or stopped after a message" : "failed",
               static_cast<int>(result));
  return result == 2 ? kExitCancelled : kExitFailure;
}

int ExportHost(PluginCallbackFn callback, InProcessHost& host, const ConvertOptions& options) {
  host.filePath = HostPathString(options.output.c_str());
  headless::Reset();
  InstallExportAnswers(options);
  const int prepared = ExportStatus(callback(kMessageExportPrepare, &host, ModuleInstance(), 0),
                                    "export preparation");
  if (prepared != kExitOk) return prepared;
  headless::Reset();
  return ExportStatus(callback(kMessageExportWrite, &host, 0, 0), "writing " + options.output);
}

int RunConvert(const ConvertOptions& options) {
  if (options.output.empty() || options.output.size() >= HostPathString::kCapacity) {
    std::fprintf(stderr, "ortolix convert: the output path must have 1 to %zu characters\n",
                 HostPathString::kCapacity - 1);
    return kExitFailure;
  }
  PluginCallbackFn callback = RegisterPlugin("convert");
  if (callback == nullptr) return kExitFailure;
  ImportAnswers answers;
  answers.settings = ParseSettings(options.importSettings, ImportSettingNames());
  if (options.hasImportTicks) answers.ticks = options.importTicks;
  InProcessHost host;
  int status = RunImport(callback, host, options.input, answers, "convert");
  if (status == kExitOk) {
    if (options.hasEpoch) SetClock(options.epoch);
    status = ExportHost(callback, host, options);
    if (options.hasEpoch) SetClock(std::nullopt);
  }
  headless::Reset();
  return status;
}

}  // namespace

void AddConvertCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<ConvertOptions>();
  CLI::App* sub = app.add_subcommand("convert", "Import a .x file and export it again");
  sub->add_option("IN.x", options->input, "The .x file to read")->required();
  sub->add_option("-o,--output", options->output, "The .x file to write")->required();
  sub->add_option("--import-set", options->importSettings, "Import dialog check box: NAME=0|1")
      ->check([](const std::string& text) { return CheckSettingText(text, ImportSettingNames()); })
      ->take_all()
      ->allow_extra_args(false);  // one NAME=V per --set, so operands may follow
  sub->add_option("--export-set", options->exportSettings, "Export dialog check box: NAME=0|1")
      ->check([](const std::string& text) { return CheckSettingText(text, ExportSettingNames()); })
      ->take_all()
      ->allow_extra_args(false);  // one NAME=V per --set, so operands may follow
  CLI::Option* importTicks =
      sub->add_option("--import-ticks", options->importTicks, "Import dialog ticks/sec text");
  CLI::Option* exportTicks =
      sub->add_option("--export-ticks", options->exportTicks, "Export dialog ticks/sec text");
  CLI::Option* epoch =
      sub->add_option("--epoch", options->epoch, "Clock for the time stamp, seconds since 1970");
  sub->callback([options, importTicks, exportTicks, epoch, &status] {
    options->hasImportTicks = importTicks->count() > 0;
    options->hasExportTicks = exportTicks->count() > 0;
    options->hasEpoch = epoch->count() > 0;
    status = RunConvert(*options);
  });
}

}  // namespace ortolix::cli
