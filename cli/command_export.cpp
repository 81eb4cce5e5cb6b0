// ortolix export MODEL.json -o OUT.x: export preparation, dialog, write.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/dialog_settings.h"

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
};

int RunExport(const ExportOptions&) {
  return NotBuilt("export", "export (preparation, dialog and writer)");
}

}  // namespace

void AddExportCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<ExportOptions>();
  CLI::App* sub = app.add_subcommand("export", "Export a host model (JSON) to a text .x file");
  sub->add_option("MODEL.json", options->model, "The host model to export")->required();
  sub->add_option("-o,--output", options->output, "The .x file to write")->required();
  sub->add_option("--set", options->settings, "Set a dialog check box before OK: NAME=0|1")
      ->check([](const std::string& text) { return CheckSettingText(text, ExportSettingNames()); })
      ->take_all()
      ->allow_extra_args(false);  // one NAME=V per --set, so operands may follow
  CLI::Option* ticks = sub->add_option("--ticks", options->ticks,
                                       "Text typed into the ticks/sec box (kept as typed)");
  CLI::Option* epoch = sub->add_option("--epoch", options->epoch,
                                       "Clock for the file's time stamp, seconds since 1970");
  sub->add_option("--answer", options->answer, "Answer to a warning message box")
      ->check(CLI::IsMember({"ok", "cancel"}));
  sub->add_flag("--cancel", options->cancel, "Press Cancel instead of OK");
  sub->callback([options, ticks, epoch, &status] {
    options->hasTicks = ticks->count() > 0;
    options->hasEpoch = epoch->count() > 0;
    status = RunExport(*options);
  });
}

}  // namespace ortolix::cli
