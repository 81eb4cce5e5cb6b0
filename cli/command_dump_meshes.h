// ortolix dump --meshes IN.x: every Mesh of the file as the mesh services
// load it for the import; and the output step every dump shares.
#pragma once

#include <string>

#include "platform/xfile/reader_limits.h"

namespace ortolix::cli {

// Prints the JSON array of the meshes on standard output; a mesh that fails
// is listed with its error. Exit status 1 with the reason on standard error
// when the file cannot be read, or (after printing everything) when a mesh
// failed.
int RunDumpMeshes(const std::string& path, const ReaderLimits& limits);

// Writes `json` and a line end to standard output and flushes it; false,
// with the OS reason on standard error, when the write fails.
bool WriteDumpOutput(const std::string& json);

}  // namespace ortolix::cli
