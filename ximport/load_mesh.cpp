// Loading one Mesh into a MeshContainer: built by the mesh services with
// 32-bit indices, brought to FVF 0x252, sorted by attribute; then its
// material records, and the material names read from its MeshMaterialList.
#include <cstdio>

#include "platform/d3dx/load_skin_mesh.h"
#include "platform/xfile/xfile_guids.h"
#include "ximport/read_context.h"

namespace ortolix {
namespace {

constexpr DWORD kImportFvf = 0x252;  // position, normal, diffuse, two 2-float texture sets

std::string HexCode(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
  return text;
}

void CopyMaterials(MeshContainer& container, ID3DXBuffer* buffer, DWORD count) {
  if (buffer == nullptr || count == 0) return;
  const auto* entries = static_cast<const D3DXMATERIAL*>(buffer->GetBufferPointer());
  container.materials.resize(count);
  for (DWORD i = 0; i < count; ++i) {
    container.materials[i].material = entries[i].MatD3D;
    if (entries[i].pTextureFilename != nullptr) {
      container.materials[i].texture_file_name = entries[i].pTextureFilename;
    }
  }
}

// Clones to the import format; when the clone fails the mesh and the skin
// stay in the file's format.
void ConvertToImportFormat(ReadContext& ctx, MeshContainer& container) {
  if (container.mesh->GetFVF() == kImportFvf) return;
  ComRef<ID3DXMesh> clone;
  if (container.mesh->CloneMeshFVF(container.mesh->GetOptions(), kImportFvf, ctx.device,
                                   clone.Out()) < 0) {
    ctx.Warn("mesh_format_kept", "the mesh could not be converted to FVF 0x252 and keeps its own format");
    return;
  }
  container.mesh = std::move(clone);
  if (container.skin_info->GetFVF() != kImportFvf) (void)container.skin_info->SetFVF(kImportFvf);
}

HRESULT SortByAttribute(MeshContainer& container, ID3DXSkinInfo& skin) {
  ComRef<ID3DXBuffer> remap;
  ComRef<ID3DXMesh> sorted;
  HRESULT hr = container.mesh->Optimize(D3DXMESHOPT_ATTRSORT, container.adjacency.data(), nullptr,
                                        nullptr, remap.Out(), sorted.Out());
  if (hr < 0) return hr;
  container.mesh = std::move(sorted);
  const auto* old_of_new = static_cast<const DWORD*>(remap->GetBufferPointer());
  return skin.Remap(container.mesh->GetNumVertices(), old_of_new);
}

HRESULT ReadAttributeTable(MeshContainer& container) {
  DWORD count = 0;
  if (const HRESULT hr = container.mesh->GetAttributeTable(nullptr, &count); hr < 0) return hr;
  if (count == 0) return S_OK;
  container.attribute_table.resize(count);
  return container.mesh->GetAttributeTable(container.attribute_table.data(), &count);
}

// Steps after the services built the mesh; a failure drops the container.
HRESULT FinishMesh(ReadContext& ctx, MeshContainer& container, ID3DXBuffer* adjacency,
                   ID3DXBuffer* materials, DWORD material_count) {
  const DWORD bones = container.skin_info->GetNumBones();
  container.skinned = bones == 0 ? 0 : 1;
  if (bones != 0) container.bone_matrix_pointers.assign(bones, nullptr);
  container.attribute_range_count = material_count;
  container.material_count = material_count;
  const DWORD faces = container.mesh->GetNumFaces();
  const auto* adjacent = static_cast<const DWORD*>(adjacency->GetBufferPointer());
  container.adjacency.assign(adjacent, adjacent + static_cast<std::size_t>(faces) * 3);
  ConvertToImportFormat(ctx, container);
  if (const HRESULT hr = SortByAttribute(container, *container.skin_info); hr < 0) return hr;
  if (const HRESULT hr = ReadAttributeTable(container); hr < 0) return hr;
  CopyMaterials(container, materials, material_count);
  return S_OK;
}

void ForwardMeshWarnings(ReadContext& ctx, const MeshLoadReport& report) {
  for (const MeshWarning& warning : report.warnings) {
    ctx.WarnAt(MeshWarningName(warning.code), warning.object, warning.message, warning.count);
  }
}

}  // namespace

HRESULT LoadMesh(ReadContext& ctx, ID3DXFileData& data, FrameNode& parent, MeshContainer** out) {
  *out = nullptr;
  if (ctx.device == nullptr) return E_FAIL;
  auto container = std::make_unique<MeshContainer>();
  std::size_t length = 0;
  HRESULT hr = ReadObjectName(data, &length, &container->name);
  const std::string label = ObjectLabel("Mesh", container->name);
  ComRef<ID3DXBuffer> adjacency, materials;
  DWORD material_count = 0;
  MeshLoadReport report;
  if (hr >= 0) {
    hr = D3DXLoadSkinMeshFromXof(&data, D3DXMESH_32BIT, ctx.device, adjacency.Out(),
                                 materials.Out(), nullptr, &material_count,
                                 container->skin_info.Out(), container->mesh.Out(), &report);
  }
  ForwardMeshWarnings(ctx, report);
  if (hr >= 0) hr = FinishMesh(ctx, *container, adjacency.get(), materials.get(), material_count);
  if (hr < 0) {
    std::string why = report.error.empty() ? label + ": failed with " + HexCode(hr) : report.error;
    ctx.WarnAt("mesh_skipped", ctx.Where() + " > " + label, why);
    return hr;
  }
  *out = AddMeshContainer(parent, std::move(container));
  return S_OK;
}

void ReadMaterialNames([[maybe_unused]] ReadContext& ctx, ID3DXFileData& child,
                       MeshContainer& container) {
  GUID type{};
  if (ObjectType(child, &type) < 0 || !GuidEqual(type, TID_D3DRMMeshMaterialList)) return;
  std::size_t count = 0;
  if (child.GetChildren(&count) < 0) return;
  for (std::size_t i = 0; i < count; ++i) {
    ComRef<ID3DXFileData> material;
    if (child.GetChild(i, material.Out()) < 0) return;
    if (ObjectType(*material, &type) < 0 || !GuidEqual(type, TID_D3DRMMaterial)) continue;
    std::size_t length = 0;
    std::string name;
    if (ReadObjectName(*material, &length, &name) < 0) continue;
    // An unnamed Material keeps its slot (empty), so later names keep their places.
    (void)AppendMaterialName(container, name.c_str());
  }
}

}  // namespace ortolix
