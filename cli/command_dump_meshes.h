// ortolix dump --meshes IN.x: every Mesh of the file as the mesh services
// load it for the import.
#pragma once

#include <string>

namespace ortolix::cli {

// Prints the JSON array of the meshes on standard output; a mesh that fails
// is listed with its error. Exit status 1 with the reason on standard error
// when the file cannot be read.
int RunDumpMeshes(const std::string& path);

}  // namespace ortolix::cli
