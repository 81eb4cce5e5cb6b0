// Visiting every Mesh data object of an opened .x file, nested ones
// included, in file order (pre-order). References are not visited (the
// object they name is visited where it stands).
#pragma once

#include <functional>
#include <string>

#include "platform/xfile/d3dx_file.h"

namespace ortolix {

// Calls visit(mesh) for each Mesh; stops at the first failing call of the
// file services and returns its code. The nesting depth is bounded by the
// reader's limits, which the recursion follows.
[[nodiscard]] HRESULT ForEachMeshObject(ID3DXFileEnumObject& file,
                                        const std::function<void(ID3DXFileData&)>& visit);

// Opens a file with the three standard template sets registered; `source`
// is what CreateEnumObject takes for `options` (a narrow path for
// D3DXF_FILELOAD_FROMFILE, a D3DXF_FILELOADMEMORY for FROMMEMORY, ...). On
// failure *error (may be null) holds the file services' diagnostic.
[[nodiscard]] HRESULT OpenXFileWithStandardTemplates(const void* source, D3DXF_FILELOADOPTIONS options,
                                                     ID3DXFileEnumObject** file, std::string* error,
                                                     const ReaderLimits* limits = nullptr);

}  // namespace ortolix
