// ortolix dump IN.x: the file's data objects as the .x services see them.
#include <memory>
#include <string>

#include "cli/command_dump_meshes.h"
#include "cli/commands.h"

namespace ortolix::cli {

namespace {

int RunDump(const std::string&) { return NotBuilt("dump", ".x file services"); }

}  // namespace

void AddDumpCommand(CLI::App& app, int& status) {
  auto input = std::make_shared<std::string>();
  CLI::App* sub =
      app.add_subcommand("dump", "The file's data objects as the .x services see them (JSON)");
  sub->add_option("IN.x", *input, "The .x file to read")->required();
  auto meshes = std::make_shared<bool>(false);
  sub->add_flag("--meshes", *meshes, "Every Mesh as the mesh services load it for the import");
  sub->callback([input, meshes, &status] { status = *meshes ? RunDumpMeshes(*input) : RunDump(*input); });
}

}  // namespace ortolix::cli
