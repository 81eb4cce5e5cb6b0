// ortolix model IN.json [-o OUT.json]: loads a host model into the
// in-process Host, optionally applies Host operations, saves it back and
// prints a summary of its records.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/model_summary.h"
#include "cli/output_file.h"
#include "host/host_json.h"

namespace ortolix::cli {

namespace {

struct ModelOptions {
  std::string input;
  std::string output;
  bool triangulate = false;
  bool flip = false;
  bool skeleton = false;
};

// False, with a line naming the operation, when a Host operation answered 0.
bool Succeeded(std::int32_t result, const char* operation) {
  if (result != 0) return true;
  std::fprintf(stderr, "ortolix model: %s failed (out of memory)\n", operation);
  return false;
}

// The Host operations asked for on the command line, in a fixed order.
bool ApplyOperations(InProcessHost& host, const ModelOptions& options) {
  if (options.triangulate && !Succeeded(host.Triangulate(), "triangulation")) return false;
  if (options.flip && !Succeeded(host.FlipHandedness(), "FlipHandedness")) return false;
  if (options.skeleton && !Succeeded(host.SkeletonHook(1), "SkeletonHook")) return false;
  return true;
}

int RunModel(const ModelOptions& options) {
  HostLoadResult loaded = LoadHostModelFile(options.input);
  if (!loaded.host) {
    std::fprintf(stderr, "ortolix model: %s\n", loaded.error.c_str());
    return kExitFailure;
  }
  InProcessHost& host = *loaded.host;
  if (!ApplyOperations(host, options)) return kExitFailure;
  if (!options.output.empty()) {
    OutputFile output(options.output);
    if (!output.WriteAll(SaveHostModelJson(host)) || !output.Commit()) {
      std::fprintf(stderr, "ortolix model: %s\n", output.Error().c_str());
      return kExitFailure;
    }
  }
  std::fputs(ModelSummary(host).c_str(), stdout);
  return kExitOk;
}

}  // namespace

void AddModelCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<ModelOptions>();
  CLI::App* sub = app.add_subcommand(
      "model",
      "Load a host model (JSON) into the in-process Host, save it back with -o and print the "
      "counts of its records");
  sub->add_option("IN.json", options->input, "The host model to load")->required();
  sub->add_option("-o,--output", options->output, "Where to save the model again");
  sub->add_flag("--triangulate", options->triangulate, "Run the Host's Triangulate first");
  sub->add_flag("--flip-handedness", options->flip, "Run the Host's FlipHandedness first");
  sub->add_flag("--rebuild-skeleton", options->skeleton,
                "Run the Host's SkeletonHook (bone matrices from translation, rotation, scale)");
  sub->callback([options, &status] { status = RunModel(*options); });
}

}  // namespace ortolix::cli
