// `ortolix dump --meshes`: every Mesh of a file as the mesh services load it
// for the import (32-bit indices, then sorted by attribute), as JSON.
#pragma once

#include <string>

#include "platform/d3dx/d3dx_types.h"

namespace ortolix {

// An array with one object per Mesh data object in file order (nested ones
// included): "name", "fvf", "vertices", "faces" (triangles), "attributes"
// (the attribute table), "materials" (colours, power, texture name),
// "bones" (name, influence count) and "warnings"; a mesh that fails has
// "error" (and "code") in place of the mesh keys. Returns the failure of
// opening or walking the file, with its message in *error; a failing mesh
// does not fail the dump. `json` is indented by two blanks.
[[nodiscard]] HRESULT DumpMeshes(const char* path, std::string* json, std::string* error);

}  // namespace ortolix
