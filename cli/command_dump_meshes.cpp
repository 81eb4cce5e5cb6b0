#include "cli/command_dump_meshes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/exit_codes.h"
#include "xdump/mesh_json.h"

namespace ortolix::cli {

bool WriteDumpOutput(const std::string& json) {
  errno = 0;
  bool ok = std::fwrite(json.data(), 1, json.size(), stdout) == json.size();
  if (ok && (json.empty() || json.back() != '\n')) ok = std::fputc('\n', stdout) != EOF;
  ok = std::fflush(stdout) == 0 && ok && !std::ferror(stdout);
  if (!ok) {
    std::fprintf(stderr, "ortolix dump: cannot write the output: %s\n",
                 errno != 0 ? std::strerror(errno) : "write error");
  }
  return ok;
}

int RunDumpMeshes(const std::string& path, const ReaderLimits& limits) {
  std::string json;
  std::string error;
  std::size_t failed = 0;
  if (DumpMeshes(path.c_str(), limits, &json, &error, &failed) < 0) {
    if (error.empty()) error = path + ": the file cannot be read";
    std::fprintf(stderr, "ortolix dump: %s\n", error.c_str());
    return kExitFailure;
  }
  if (!WriteDumpOutput(json)) return kExitFailure;
  if (failed > 0) {
    std::fprintf(stderr, "ortolix dump: %zu mesh%s could not be loaded (see \"error\")\n", failed,
                 failed == 1 ? "" : "es");
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace ortolix::cli
