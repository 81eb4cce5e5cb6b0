#include "cli/command_dump_meshes.h"

#include <cstdio>

#include "cli/exit_codes.h"
#include "platform/d3dx/mesh_dump.h"

namespace ortolix::cli {

int RunDumpMeshes(const std::string& path) {
  std::string json;
  std::string error;
  if (DumpMeshes(path.c_str(), &json, &error) < 0) {
    std::fprintf(stderr, "ortolix dump: %s: %s\n", path.c_str(),
                 error.empty() ? "the file cannot be read" : error.c_str());
    return kExitFailure;
  }
  std::fwrite(json.data(), 1, json.size(), stdout);
  std::fputc('\n', stdout);
  return kExitOk;
}

}  // namespace ortolix::cli
