// ortolix export MODEL.json -o OUT.x: export preparation, dialog, write.
//
// The plug-in runs as the Host runs it: PluginVersion, registration through
// PluginProc, then the export preparation message (which shows the options
// dialog, answered here from the command line) and the write message through
// the callback the plug-in registered.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/dialog_settings.h"
#include "cli/exit_codes.h"
#include "cli/option_checks.h"
#include "cli/output_file.h"
#include "cli/written_file_check.h"
#include "cli/import_session.h"
#include "host/host_json.h"
#include "platform/crt/clock.h"
#include "platform/crt/text_convert.h"
#include "platform/win32/headless.h"
#include "platform/win32/win32.h"
#include "plugin/plugin_entry.h"
#include "resources/export_dialog.h"

namespace ortolix::cli {

namespace {

struct ExportOptions {
  std::string model;
  std::string output;
  std::vector<std::string> settings;  // NAME=0|1, checked
  std::string ticks;
  bool hasTicks = false;
  std::int64_t epoch = 0;
  bool hasEpoch = false;
  std::string answer = "ok";
  bool cancel = false;
  bool noVerify = false;
};

// Text of the command line as the dialog's wide text. Texts are checked to be
// UTF-8 when the command line is parsed, so the conversion does not fail.
std::u16string Widen(const std::string& text) {
  std::vector<WideChar> out(text.size() + 1, 0);
  if (LocaleWideFromNarrow(out.data(), out.size(), text.c_str()) == kConversionFailed) return {};
  return out.data();
}

std::string Narrow(const std::u16string& text) {
  std::vector<char> out(text.size() * 3 + 1, '\0');
  if (LocaleNarrowFromWide(out.data(), out.size(), text.c_str()) == kConversionFailed) {
    return "(text not representable)";
  }
  return out.data();
}

// The dialog script: the check boxes named on the command line, the ticks
// text, then OK or Cancel; the answer to a warning message box.
void InstallAnswers(const ExportOptions& options) {
  using headless::ControlRef;
  using headless::DialogStep;
  headless::DialogScript dialog{ORTOLIX_EXPORT_DIALOG_ID, {}};
  for (const DialogSetting& setting : ParseSettings(options.settings, ExportSettingNames())) {
    dialog.steps.push_back(DialogStep::SetCheck(ControlRef::Name(Widen(setting.name)), setting.on));
  }
  if (options.hasTicks) {
    dialog.steps.push_back(
        DialogStep::TypeText(ControlRef::Id(ORTOLIX_IDC_TICKS_EDIT), Widen(options.ticks)));
  }
  dialog.steps.push_back(DialogStep::Press(ControlRef::Id(options.cancel ? IDCANCEL : IDOK)));
  headless::UserScript script;
  script.dialogs.push_back(std::move(dialog));
  script.message_box_answers.push_back(options.answer == "cancel" ? IDCANCEL : IDOK);
  headless::InstallUserScript(std::move(script));
}

// What the user saw and what went wrong inside the dialog manager.
void ReportShown(const HostModel& model) {
  for (const headless::MessageBoxRecord& box : headless::ShownMessageBoxes()) {
    std::fprintf(stderr, "%s: %s\n", Narrow(box.caption).c_str(), Narrow(box.text).c_str());
  }
  for (const std::string& error : headless::Errors()) {
    std::fprintf(stderr, "ortolix export: dialog script: %s\n", error.c_str());
  }
  if (!model.errorMessage.IsEmpty()) std::fprintf(stderr, "%s\n", model.errorMessage.Narrow());
}

// The exit status of one message's result; `what` names the work in the
// line printed when it did not succeed.
int StatusOf(std::int32_t result, const std::string& what) {
  if (result == 1) return kExitOk;
  if (result == 2) {
    std::fprintf(stderr, "ortolix export: %s: cancelled, or stopped after a message\n",
                 what.c_str());
    return kExitCancelled;
  }
  std::fprintf(stderr, "ortolix export: %s: failed (plug-in result %d)\n", what.c_str(),
               static_cast<int>(result));
  return kExitFailure;
}

// Registers the plug-in and runs the two export messages on `host`; `target`
// names the output in messages.
int RunPlugin(HostModel& host, const std::string& target) {
  const PluginCallbackFn callback = RegisterPlugin("export");
  if (callback == nullptr) return kExitFailure;
  const int prepared =
      StatusOf(callback(kMessageExportPrepare, &host, ModuleInstance(), 0), "export preparation");
  if (prepared != kExitOk) return prepared;
  return StatusOf(callback(kMessageExportWrite, &host, 0, 0), "writing " + target);
}

// Runs the plug-in with the dialog answers installed and the clock set, and
// puts the written file in place when the plug-in succeeded and every write
// reached the file.
int ExportTo(InProcessHost& host, OutputFile& output, const ExportOptions& options) {
  host.filePath = HostPathString(output.WritePath().c_str());
  if (options.hasEpoch) SetClock(options.epoch);
  headless::Reset();
  InstallAnswers(options);
  int status = RunPlugin(host, output.Target());
  ReportShown(host);
  headless::Reset();
  if (options.hasEpoch) SetClock(std::nullopt);
  if (status == kExitOk && !output.Commit()) {
    std::fprintf(stderr, "ortolix export: %s\n", output.Error().c_str());
    status = kExitFailure;
  }
  if (status == kExitOk && !options.noVerify && !output.WrittenInPlace()) {
    const std::string problem = FirstProblemOfWrittenFile(output.Target());
    if (!problem.empty()) {
      std::fprintf(stderr, "ortolix export: warning: the written file does not read back: %s\n",
                   problem.c_str());
    }
  }
  return status;
}

int RunExport(const ExportOptions& options) {
  HostLoadResult loaded = LoadHostModelFile(options.model);
  if (!loaded.host) {
    std::fprintf(stderr, "ortolix export: %s\n", loaded.error.c_str());
    return kExitFailure;
  }
  if (options.output.empty()) {
    std::fprintf(stderr, "ortolix export: the output path is empty\n");
    return kExitFailure;
  }
  OutputFile output(options.output);
  if (!output.IsOpen()) {
    std::fprintf(stderr, "ortolix export: %s\n", output.Error().c_str());
    return kExitFailure;
  }
  if (output.WritePath().size() >= HostPathString::kCapacity) {
    std::fprintf(stderr, "ortolix export: %s: the file written first (%s) has a path longer than %zu bytes\n",
                 options.output.c_str(), output.WritePath().c_str(), HostPathString::kCapacity - 1);
    return kExitFailure;
  }
  return ExportTo(*loaded.host, output, options);
}

}  // namespace

void AddExportCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<ExportOptions>();
  CLI::App* sub = app.add_subcommand("export", "Export a host model (JSON) to a text .x file");
  sub->add_option("MODEL.json", options->model, "The host model to export")->required();
  sub->add_option("-o,--output", options->output, "The .x file to write")->required();
  AddSettingOption(*sub, "--set", options->settings, ExportSettingNames(),
                   "Set a dialog check box before OK (one per --set)");
  CLI::Option* ticks = sub->add_option("--ticks", options->ticks,
                                       "Text typed into the ticks/sec box (kept as typed)")
                           ->check(CheckUtf8Text);
  CLI::Option* epoch =
      AddEpochOption(*sub, options->epoch, "Clock for the file's time stamp, seconds since 1970");
  sub->add_option("--answer", options->answer, "Answer to a warning message box")
      ->check(CLI::IsMember({"ok", "cancel"}));
  sub->add_flag("--cancel", options->cancel, "Press Cancel instead of OK");
  sub->add_flag("--no-verify", options->noVerify,
                "Do not read the written file back to warn about what no reader accepts");
  sub->callback([options, ticks, epoch, &status] {
    options->hasTicks = ticks->count() > 0;
    options->hasEpoch = epoch->count() > 0;
    status = RunExport(*options);
  });
}

}  // namespace ortolix::cli
