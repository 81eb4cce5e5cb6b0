#include "platform/d3dx/load_skin_mesh.h"

#include <new>

#include "platform/d3dx/mesh_build.h"
#include "platform/xfile/xfile_guids.h"

namespace ortolix {

MeshChildKind ClassifyMeshChild(ID3DXFileData& data) {
  struct Entry {
    const GUID* type;
    MeshChildKind kind;
  };
  static constexpr Entry kKinds[] = {
      {&TID_D3DRMMeshNormals, MeshChildKind::kMeshNormals},
      {&TID_D3DRMMeshTextureCoords, MeshChildKind::kMeshTextureCoords},
      {&TID_D3DRMMeshVertexColors, MeshChildKind::kMeshVertexColors},
      {&TID_D3DRMMeshMaterialList, MeshChildKind::kMeshMaterialList},
      {&TID_D3DRMMaterial, MeshChildKind::kMaterial},
      {&TID_D3DRMTextureFilename, MeshChildKind::kTextureFilename},
      {&DXFILEOBJ_XSkinMeshHeader, MeshChildKind::kXSkinMeshHeader},
      {&DXFILEOBJ_SkinWeights, MeshChildKind::kSkinWeights},
      {&DXFILEOBJ_FVFData, MeshChildKind::kFvfData},
      {&DXFILEOBJ_DeclData, MeshChildKind::kDeclData},
  };
  GUID type{};
  if (data.GetType(&type) < 0) return MeshChildKind::kOther;
  for (const Entry& entry : kKinds) {
    if (GuidEqual(type, *entry.type)) return entry.kind;
  }
  return MeshChildKind::kOther;
}

namespace {

HRESULT Load(ID3DXFileData* data, DWORD options, IDirect3DDevice9* device,
             const SkinMeshOutputs& outputs, ID3DXBuffer** effect_instances,
             MeshLoadReport& report) {
  if (effect_instances != nullptr) {
    *effect_instances = nullptr;
    return report.Fail(E_NOTIMPL, "Mesh: effect instances are not built");
  }
  if (data == nullptr || outputs.mesh == nullptr || device == nullptr) {
    return report.Fail(D3DERR_INVALIDCALL, "Mesh: no data object, device or mesh output");
  }
  GUID type{};
  if (const HRESULT hr = data->GetType(&type); hr < 0) return report.Fail(hr, "Mesh: GetType failed");
  if (!GuidEqual(type, TID_D3DRMMesh)) {
    return report.Fail(D3DERR_INVALIDCALL, "Mesh: the data object is not a Mesh");
  }
  MeshSource source;
  if (const HRESULT hr = ReadMeshSource(*data, source, report); hr < 0) return hr;
  return BuildSkinMeshReleasingSource(source, options, device, outputs, report);
}

}  // namespace

HRESULT D3DXLoadSkinMeshFromXof(ID3DXFileData* data, DWORD options, IDirect3DDevice9* device,
                                ID3DXBuffer** adjacency, ID3DXBuffer** materials,
                                ID3DXBuffer** effect_instances, DWORD* material_count,
                                ID3DXSkinInfo** skin_info, ID3DXMesh** mesh,
                                MeshLoadReport* report) {
  MeshLoadReport local;
  MeshLoadReport& out = report != nullptr ? *report : local;
  const SkinMeshOutputs outputs{adjacency, materials, material_count, skin_info, mesh};
  if (mesh != nullptr) *mesh = nullptr;
  if (adjacency != nullptr) *adjacency = nullptr;
  if (materials != nullptr) *materials = nullptr;
  if (skin_info != nullptr) *skin_info = nullptr;
  if (material_count != nullptr) *material_count = 0;
  try {
    return Load(data, options, device, outputs, effect_instances, out);
  } catch (const std::bad_alloc&) {
    return out.Fail(E_OUTOFMEMORY, "Mesh: out of memory");
  }
}

}  // namespace ortolix
