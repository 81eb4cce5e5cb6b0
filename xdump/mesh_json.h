// `ortolix dump --meshes`: every Mesh of a file as the mesh services load it
// for the import (32-bit indices, then sorted by attribute), as JSON.
#pragma once

#include <cstddef>
#include <string>

#include "platform/d3dx/d3dx_types.h"
#include "platform/xfile/reader_limits.h"

namespace ortolix {

// An array with one object per Mesh data object in file order (nested ones
// included): "name", "fvf", "vertices", "faces" (triangles), "attributes"
// (the attribute table), "materials" (colours, power, texture name),
// "bones" (name, influence count) and "warnings"; a mesh that fails has
// "error" (and "code") in place of the mesh keys. Returns the failure of
// opening or walking the file, with its message in *error; a failing mesh
// does not fail the dump; `failed` (when given) counts such meshes.
[[nodiscard]] HRESULT DumpMeshes(const char* path, const ReaderLimits& limits, std::string* json,
                                 std::string* error, std::size_t* failed = nullptr);

}  // namespace ortolix
