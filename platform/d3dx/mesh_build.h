// Building a loaded mesh from a decoded Mesh data object: the checks that
// tie the children to the mesh, the vertex buffer in the format the children
// call for, the fan-triangulated faces with their materials, adjacency, the
// material buffer and the skin information.
#pragma once

#include <vector>

#include "platform/d3dx/d3d9_device.h"
#include "platform/d3dx/d3dx_buffer.h"
#include "platform/d3dx/d3dx_mesh.h"
#include "platform/d3dx/d3dx_skin_info.h"
#include "platform/d3dx/mesh_load_report.h"
#include "platform/d3dx/mesh_source.h"

namespace ortolix {

// Checks that the children fit the mesh, with the faults D3DX refuses
// (D3DXERR_LOADEDMESHASNODATA for an empty mesh, D3DERR_INVALIDCALL for a
// mesh without faces, D3DXERR_INVALIDDATA otherwise) and the tolerated
// quirks as warnings. Fills one material index per polygon (all 0 without a
// material list).
[[nodiscard]] HRESULT CheckMeshSource(const MeshSource& source, std::vector<DWORD>& polygon_material,
                                      MeshLoadReport& report);

// The vertex format: XYZ, NORMAL with MeshNormals, DIFFUSE with
// MeshVertexColors, and one texture set for MeshTextureCoords followed by the
// extra sets (at most eight in all), with their sizes.
[[nodiscard]] DWORD MeshSourceFvf(const MeshSource& source);

// Outputs of BuildSkinMesh, each optional except `mesh`. On failure every
// output is left null / 0.
struct SkinMeshOutputs {
  ID3DXBuffer** adjacency = nullptr;  // 3 DWORDs per triangle
  ID3DXBuffer** materials = nullptr;  // D3DXMATERIAL records, then their texture names
  DWORD* material_count = nullptr;
  ID3DXSkinInfo** skin_info = nullptr;
  ID3DXMesh** mesh = nullptr;
};

// Builds the mesh of `source` with `options` (D3DXMESH_32BIT for 32-bit
// indices) on `device`. Safe on any decoded source.
[[nodiscard]] HRESULT BuildSkinMesh(const MeshSource& source, DWORD options,
                                    IDirect3DDevice9* device, const SkinMeshOutputs& outputs,
                                    MeshLoadReport& report);

// The same, letting go of the source's geometry (positions, faces, normals,
// colours, texture sets, skin weights, material indexes) and of the vertex
// plan once the mesh and the skin hold them, before adjacency is generated,
// so that the load's peak memory holds one copy of the geometry less. The
// source keeps its name and its materials.
[[nodiscard]] HRESULT BuildSkinMeshReleasingSource(MeshSource& source, DWORD options,
                                                   IDirect3DDevice9* device,
                                                   const SkinMeshOutputs& outputs,
                                                   MeshLoadReport& report);

// The material buffer of a material list: `count` D3DXMATERIAL records, then
// the texture names they point at. Null when memory runs out.
[[nodiscard]] ID3DXBuffer* MakeMaterialBuffer(const std::vector<MaterialSource>& materials);

}  // namespace ortolix
