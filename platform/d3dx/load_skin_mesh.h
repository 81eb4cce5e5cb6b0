// D3DXLoadSkinMeshFromXof: builds a mesh, its adjacency, materials and skin
// information from a Mesh data object of the .x file services.
#pragma once

#include "platform/d3dx/d3dx_buffer.h"
#include "platform/d3dx/d3dx_mesh.h"
#include "platform/d3dx/d3dx_skin_info.h"
#include "platform/d3dx/mesh_load_report.h"
#include "platform/d3dx/mesh_xof_reader.h"
#include "platform/xfile/d3dx_file.h"

namespace ortolix {

// The kind of a Mesh child by its template GUID (references count as the
// object they name).
[[nodiscard]] MeshChildKind ClassifyMeshChild(ID3DXFileData& data);

// Loads the Mesh `data` with `options` (D3DXMESH_32BIT: 32-bit indices,
// else 16-bit, which fails with D3DERR_INVALIDCALL beyond 65535 vertices) on
// `device`. Outputs, each may be null except `mesh`: `adjacency` 3 DWORDs per
// triangle; `materials` D3DXMATERIAL records whose texture names live in the
// same buffer (null and `material_count` 0 without materials); `skin_info`
// always (0 bones without XSkinMeshHeader) over the mesh's final vertex
// count; `mesh` with a reference each. `effect_instances` must be null
// (E_NOTIMPL otherwise: effect instances are not built). Failures leave every
// output null and give the code of the fault; `report`, when given, receives
// the message naming the mesh, object and fault, and the tolerated quirks.
// Safe on hostile data.
[[nodiscard]] HRESULT D3DXLoadSkinMeshFromXof(ID3DXFileData* data, DWORD options,
                                              IDirect3DDevice9* device, ID3DXBuffer** adjacency,
                                              ID3DXBuffer** materials,
                                              ID3DXBuffer** effect_instances,
                                              DWORD* material_count, ID3DXSkinInfo** skin_info,
                                              ID3DXMesh** mesh, MeshLoadReport* report = nullptr);

}  // namespace ortolix
