// Loading every Mesh of an in-memory .x file and checking what the loader
// built: the step that damage sweeps, the fuzz target and other callers run
// to tell a clean refusal from a loader fault. Safe on hostile input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/d3dx/d3d9_device.h"
#include "platform/d3dx/d3dx_mesh.h"
#include "platform/d3dx/d3dx_skin_info.h"
#include "platform/xfile/reader_limits.h"

namespace ortolix {

struct MeshLoadCheck {
  HRESULT file = S_OK;        // opening or walking the file; a failure is a clean refusal
  std::uint32_t loaded = 0;   // meshes that loaded
  std::uint32_t refused = 0;  // meshes that failed with a failure result
  std::string fault;          // the first broken invariant of a loaded mesh (a loader fault)
};

// Opens `size` bytes at `data` with the three standard template sets and
// `limits`, loads every Mesh with 32-bit indices, adjacency, materials and
// skin information on `device`, and checks each loaded one (CheckLoadedMesh).
[[nodiscard]] MeshLoadCheck LoadAndCheckMeshes(const void* data, std::size_t size,
                                               const ReaderLimits& limits,
                                               IDirect3DDevice9* device);

// Empty when every index names a vertex, the attribute table covers faces
// and vertices that exist, every attribute has a material when there are
// materials, the skin covers the mesh's vertices and its influences can be
// read; else what is broken.
[[nodiscard]] std::string CheckLoadedMesh(const ID3DXMesh& mesh, DWORD material_count,
                                          const ID3DXSkinInfo* skin);

}  // namespace ortolix
