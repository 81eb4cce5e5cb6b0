// ortolix import IN.x [-o OUT.json]: read, dialog, transfer into a new model.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/dialog_settings.h"
#include "cli/exit_codes.h"
#include "cli/import_session.h"
#include "cli/model_summary.h"
#include "host/host_json.h"
#include "platform/win32/headless.h"

namespace ortolix::cli {

namespace {

struct ImportCommandOptions {
  std::string input;
  std::string output;  // empty: print a summary
  std::vector<std::string> settings;
  std::string ticks;
  bool hasTicks = false;
  int animation = 0;
  bool hasAnimation = false;
  bool cancel = false;
};

int RunImportCommand(const ImportCommandOptions& options) {
  PluginCallbackFn callback = RegisterPlugin("import");
  if (callback == nullptr) return kExitFailure;
  ImportAnswers answers;
  answers.settings = ParseSettings(options.settings, ImportSettingNames());
  if (options.hasTicks) answers.ticks = options.ticks;
  if (options.hasAnimation) answers.animation = options.animation;
  answers.cancel = options.cancel;
  InProcessHost host;
  const int status = RunImport(callback, host, options.input, answers, "import");
  headless::Reset();
  if (status != kExitOk) return status;  // a failed transfer writes nothing
  if (options.output.empty()) {
    std::fputs(ModelSummary(host).c_str(), stdout);
    return kExitOk;
  }
  std::string error;
  if (!SaveHostModelFile(host, options.output, error)) {
    std::fprintf(stderr, "ortolix import: %s\n", error.c_str());
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

void AddImportCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<ImportCommandOptions>();
  CLI::App* sub = app.add_subcommand("import", "Import a .x file into a new host model (JSON)");
  sub->add_option("IN.x", options->input, "The .x file to read")->required();
  sub->add_option("-o,--output", options->output, "The host model to write (else a summary)");
  sub->add_option("--set", options->settings, "Set a dialog check box before OK: NAME=0|1")
      ->check([](const std::string& text) { return CheckSettingText(text, ImportSettingNames()); })
      ->take_all()
      ->allow_extra_args(false);  // one NAME=V per --set, so operands may follow
  CLI::Option* ticks = sub->add_option("--ticks", options->ticks,
                                       "Text typed into the ticks/sec box (kept as typed)");
  CLI::Option* animation = sub->add_option("--animation", options->animation,
                                           "Entry chosen in the animation list")
                               ->check(CLI::NonNegativeNumber);
  sub->add_flag("--cancel", options->cancel, "Press Cancel instead of OK");
  sub->callback([options, ticks, animation, &status] {
    options->hasTicks = ticks->count() > 0;
    options->hasAnimation = animation->count() > 0;
    status = RunImportCommand(*options);
  });
}

}  // namespace ortolix::cli
