// ortolix dump IN.x [--summary | --meshes] [--max-memory BYTES]: the file's
// data objects as the .x services see them, as JSON on standard output.
// --summary prints only the header, the warnings and the number of objects
// per template; --meshes every Mesh as the mesh services load it. A file the
// services refuse gives the diagnostic (file, position, object, message) on
// standard error and exit 1.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/command_dump_meshes.h"
#include "cli/command_dump_scene.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "xdump/xfile_json.h"

namespace ortolix::cli {

namespace {

struct DumpArguments {
  std::string input;
  bool summary = false;
  bool meshes = false;
  ReaderLimits limits;
};

int RunDump(const DumpArguments& args) {
  std::string json, error;
  if (Failed(DumpXFileJson(args.input.c_str(), args.summary, args.limits, &json, &error))) {
    std::fprintf(stderr, "ortolix dump: %s\n", error.c_str());
    return kExitFailure;
  }
  return WriteDumpOutput(json) ? kExitOk : kExitFailure;
}

}  // namespace

void AddDumpCommand(CLI::App& app, int& status) {
  auto args = std::make_shared<DumpArguments>();
  CLI::App* sub =
      app.add_subcommand("dump", "The file's data objects as the .x services see them (JSON)");
  sub->add_option("IN.x", args->input, "The .x file to read (a pipe works too)")->required();
  CLI::Option* summary = sub->add_flag(
      "--summary", args->summary, "Only the header, the warnings and the number of objects per template");
  sub->add_flag("--meshes", args->meshes, "Every Mesh as the mesh services load it for the import")
      ->excludes(summary);
  auto scene = std::make_shared<bool>(false);
  sub->add_flag("--scene", *scene, "The import reader's scene: frames, meshes, materials, animation keys")
      ->excludes(summary);
  sub->add_option("--max-memory", args->limits.max_memory,
                  "Memory budget of the read in bytes (default 1 GiB)")
      ->check(CLI::PositiveNumber);
  sub->callback([args, scene, &status] {
    status = *scene         ? RunDumpScene(args->input)
             : args->meshes ? RunDumpMeshes(args->input, args->limits)
                            : RunDump(*args);
  });
}

}  // namespace ortolix::cli
