// ortolix info IN.x: the counts of the import dialog's Info box and its
// animation list.
#include <memory>
#include <string>

#include "cli/commands.h"

namespace ortolix::cli {

namespace {

int RunInfo(const std::string&) { return NotBuilt("info", "import reader"); }

}  // namespace

void AddInfoCommand(CLI::App& app, int& status) {
  auto input = std::make_shared<std::string>();
  CLI::App* sub = app.add_subcommand(
      "info", "The counts of the import dialog's Info box and its animation list");
  sub->add_option("IN.x", *input, "The .x file to read")->required();
  sub->callback([input, &status] { status = RunInfo(*input); });
}

}  // namespace ortolix::cli
