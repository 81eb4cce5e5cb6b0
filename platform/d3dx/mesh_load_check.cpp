#include "platform/d3dx/mesh_load_check.h"

#include <vector>

#include "platform/d3dx/com_ref.h"
#include "platform/d3dx/load_skin_mesh.h"
#include "platform/d3dx/mesh_walk.h"
#include "platform/xfile/standard_templates.h"

namespace ortolix {
namespace {

ComRef<ID3DXFileEnumObject> OpenFromMemory(const void* data, std::size_t size,
                                           const ReaderLimits& limits, HRESULT& result) {
  ComRef<ID3DXFileEnumObject> enumerator;
  ID3DXFile* file = nullptr;
  result = D3DXFileCreate(&file);
  if (result < 0) return enumerator;
  for (std::string_view block :
       {RetainedModeTemplates(), SkinningTemplates(), VertexDataTemplates()}) {
    if (result >= 0) result = file->RegisterTemplates(block.data(), block.size());
  }
  file->SetLimits(limits);
  const D3DXF_FILELOADMEMORY memory{data, size};
  if (result >= 0)
    result = file->CreateEnumObject(&memory, D3DXF_FILELOAD_FROMMEMORY, enumerator.Out());
  file->Release();
  return enumerator;
}

// Influences are kept as the file gives them (a vertex index past the mesh or
// a non-finite weight included, as the reference loader does), so only their
// readability is checked.
std::string CheckSkin(const ID3DXSkinInfo& skin) {
  std::vector<DWORD> vertices;
  std::vector<float> weights;
  for (DWORD b = 0; b < skin.GetNumBones(); ++b) {
    const DWORD n = skin.GetNumBoneInfluences(b);
    vertices.resize(n);
    weights.resize(n);
    if (n != 0 && skin.GetBoneInfluence(b, vertices.data(), weights.data()) < 0) {
      return "bone " + std::to_string(b) + ": influences cannot be read";
    }
  }
  return {};
}

}  // namespace

std::string CheckLoadedMesh(const ID3DXMesh& mesh, DWORD material_count,
                            const ID3DXSkinInfo* skin) {
  const DWORD vertices = mesh.GetNumVertices();
  const DWORD faces = mesh.GetNumFaces();
  for (std::size_t i = 0; i < std::size_t{3} * faces; ++i) {
    if (mesh.IndexAt(i) >= vertices) return "index " + std::to_string(i) + " names no vertex";
  }
  DWORD count = 0;
  (void)mesh.GetAttributeTable(nullptr, &count);
  std::vector<D3DXATTRIBUTERANGE> table(count);
  if (count != 0) (void)mesh.GetAttributeTable(table.data(), &count);
  for (const D3DXATTRIBUTERANGE& r : table) {
    if (std::uint64_t{r.FaceStart} + r.FaceCount > faces ||
        std::uint64_t{r.VertexStart} + r.VertexCount > vertices ||
        (material_count != 0 && r.AttribId >= material_count)) {
      return "attribute range " + std::to_string(r.AttribId) + " is out of range";
    }
  }
  if (skin != nullptr && skin->GetNumVertices() != vertices) return "skin vertex count differs";
  return skin != nullptr ? CheckSkin(*skin) : std::string();
}

MeshLoadCheck LoadAndCheckMeshes(const void* data, std::size_t size, const ReaderLimits& limits,
                                 IDirect3DDevice9* device) {
  MeshLoadCheck check;
  ComRef<ID3DXFileEnumObject> file = OpenFromMemory(data, size, limits, check.file);
  if (check.file < 0) return check;
  check.file = ForEachMeshObject(*file, [&](ID3DXFileData& object) {
    ComRef<ID3DXBuffer> adjacency, materials;
    ComRef<ID3DXSkinInfo> skin;
    ComRef<ID3DXMesh> mesh;
    DWORD material_count = 0;
    if (D3DXLoadSkinMeshFromXof(&object, D3DXMESH_32BIT, device, adjacency.Out(), materials.Out(),
                                nullptr, &material_count, skin.Out(), mesh.Out()) < 0) {
      ++check.refused;
      return;
    }
    ++check.loaded;
    if (check.fault.empty()) check.fault = CheckLoadedMesh(*mesh, material_count, skin.get());
  });
  return check;
}

}  // namespace ortolix
