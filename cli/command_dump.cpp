// ortolix dump IN.x [--summary]: the file's data objects as the .x services
// see them, as JSON on standard output. --summary prints only the header and
// the number of objects per template. A file the services refuse gives the
// diagnostic (file, position, object, message) on standard error and exit 1.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/command_dump_meshes.h"
#include "cli/command_dump_scene.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "platform/xfile/dump_json.h"

namespace ortolix::cli {

namespace {

struct DumpArguments {
  std::string input;
  bool summary = false;
};

int RunDump(const DumpArguments& args) {
  int result = DumpXFileJson(args.input.c_str(), args.summary, stdout, stderr);
  return result == 0 ? kExitOk : kExitFailure;
}

}  // namespace

void AddDumpCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<DumpArguments>();
  CLI::App* sub =
      app.add_subcommand("dump", "The file's data objects as the .x services see them (JSON)");
  sub->add_option("IN.x", args->input, "The .x file to read")->required();
  sub->add_flag("--summary", args->summary,
                "Only the header and the number of objects per template");
  auto meshes = std::make_shared<bool>(false);
  sub->add_flag("--meshes", *meshes, "Every Mesh as the mesh services load it for the import");
  auto scene = std::make_shared<bool>(false);
  sub->add_flag("--scene", *scene, "The import reader's scene: frames, meshes, materials, animation keys");
  sub->callback([args, meshes, scene, &status] {
    status = *scene ? RunDumpScene(args->input) : *meshes ? RunDumpMeshes(args->input) : RunDump(*args);
  });
}

}  // namespace ortolix::cli
