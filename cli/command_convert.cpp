// ortolix convert IN.x -o OUT.x: import into a new host model, then export it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/dialog_settings.h"

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

int RunConvert(const ConvertOptions&) {
  return NotBuilt("convert", "import and export");
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
