// ortolix import IN.x [-o OUT.json]: read, dialog, transfer into a new model.
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/dialog_settings.h"

namespace ortolix::cli {

namespace {

struct ImportOptions {
  std::string input;
  std::string output;  // empty: print a summary
  std::vector<std::string> settings;
  std::string ticks;
  bool hasTicks = false;
  int animation = 0;
  bool hasAnimation = false;
  bool cancel = false;
};

int RunImport(const ImportOptions&) {
  return NotBuilt("import", "import (reader, dialog and transfer)");
}

}  // namespace

void AddImportCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<ImportOptions>();
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
    status = RunImport(*options);
  });
}

}  // namespace ortolix::cli
