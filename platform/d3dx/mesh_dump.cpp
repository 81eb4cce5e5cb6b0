#include "platform/d3dx/mesh_dump.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/d3dx/com_ref.h"
#include "platform/d3dx/load_skin_mesh.h"
#include "platform/d3dx/mesh_walk.h"

namespace ortolix {
namespace {

using json = nlohmann::ordered_json;

std::string Hex(DWORD value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

json Colour(const D3DCOLORVALUE& c) { return json::array({c.r, c.g, c.b, c.a}); }

json Materials(ID3DXBuffer* buffer, DWORD count) {
  json out = json::array();
  if (buffer == nullptr) return out;
  const auto* records = static_cast<const D3DXMATERIAL*>(buffer->GetBufferPointer());
  for (DWORD i = 0; i < count; ++i) {
    const D3DMATERIAL9& m = records[i].MatD3D;
    out.push_back({{"diffuse", Colour(m.Diffuse)},   {"ambient", Colour(m.Ambient)},
                   {"specular", Colour(m.Specular)}, {"emissive", Colour(m.Emissive)},
                   {"power", m.Power},
                   {"texture", records[i].pTextureFilename != nullptr
                                   ? json(records[i].pTextureFilename) : json(nullptr)}});
  }
  return out;
}

json Bones(const ID3DXSkinInfo& skin) {
  json out = json::array();
  for (DWORD b = 0; b < skin.GetNumBones(); ++b) {
    const char* name = skin.GetBoneName(b);
    out.push_back({{"name", name != nullptr ? name : ""}, {"influences", skin.GetNumBoneInfluences(b)}});
  }
  return out;
}

json AttributeTable(const ID3DXMesh& mesh) {
  DWORD count = 0;
  (void)mesh.GetAttributeTable(nullptr, &count);
  std::vector<D3DXATTRIBUTERANGE> table(count);
  (void)mesh.GetAttributeTable(table.data(), &count);
  json out = json::array();
  for (const D3DXATTRIBUTERANGE& r : table) {
    out.push_back({{"id", r.AttribId}, {"face_start", r.FaceStart}, {"face_count", r.FaceCount},
                   {"vertex_start", r.VertexStart}, {"vertex_count", r.VertexCount}});
  }
  return out;
}

json Warnings(const MeshLoadReport& report) {
  json out = json::array();
  for (const MeshWarning& w : report.warnings) {
    out.push_back({{"code", MeshWarningName(w.code)}, {"object", w.object},
                   {"message", w.message}, {"count", w.count}});
  }
  return out;
}

// Loads one mesh as the import does and describes it.
json DumpMesh(ID3DXFileData& data, IDirect3DDevice9* device) {
  std::string name;
  (void)xof_detail::ReadName(data, name);
  MeshLoadReport report;
  ComRef<ID3DXBuffer> adjacency, materials;
  ComRef<ID3DXSkinInfo> skin;
  ComRef<ID3DXMesh> mesh;
  DWORD material_count = 0;
  HRESULT hr = D3DXLoadSkinMeshFromXof(&data, D3DXMESH_32BIT, device, adjacency.Out(), materials.Out(),
                                       nullptr, &material_count, skin.Out(), mesh.Out(), &report);
  ComRef<ID3DXMesh> sorted;
  if (hr >= 0) {
    hr = mesh->Optimize(D3DXMESHOPT_ATTRSORT, static_cast<const DWORD*>(adjacency->GetBufferPointer()),
                        nullptr, nullptr, nullptr, sorted.Out());
    if (hr < 0) report.Fail(hr, MeshObjectPath(name) + ": Optimize failed");
  }
  if (hr < 0) {
    return {{"name", name}, {"error", report.error}, {"code", Hex(DWORD(hr))}, {"warnings", Warnings(report)}};
  }
  return {{"name", name},
          {"fvf", Hex(sorted->GetFVF())},
          {"vertices", sorted->GetNumVertices()},
          {"faces", sorted->GetNumFaces()},
          {"attributes", AttributeTable(*sorted)},
          {"materials", Materials(materials.get(), material_count)},
          {"bones", Bones(*skin)},
          {"warnings", Warnings(report)}};
}

ComRef<IDirect3DDevice9> MakeDevice() {
  ComRef<IDirect3D9> d3d(Direct3DCreate9(D3D_SDK_VERSION));
  ComRef<IDirect3DDevice9> device;
  if (!d3d) return device;
  D3DDISPLAYMODE mode{};
  (void)d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode);
  D3DPRESENT_PARAMETERS parameters{};
  parameters.BackBufferWidth = 1;
  parameters.BackBufferHeight = 1;
  parameters.BackBufferFormat = mode.Format;
  parameters.BackBufferCount = 1;
  parameters.SwapEffect = D3DSWAPEFFECT_COPY;
  parameters.Windowed = 1;
  (void)d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_NULLREF, nullptr,
                          D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters, device.Out());
  return device;
}

}  // namespace

HRESULT DumpMeshes(const char* path, std::string* json_text, std::string* error) {
  ComRef<IDirect3DDevice9> device = MakeDevice();
  if (!device) {
    if (error != nullptr) *error = "the device stand-in could not be created";
    return E_FAIL;
  }
  ComRef<ID3DXFileEnumObject> file;
  if (const HRESULT hr = OpenXFileWithStandardTemplates(path, D3DXF_FILELOAD_FROMFILE, file.Out(), error); hr < 0) return hr;
  json meshes = json::array();
  const HRESULT hr = ForEachMeshObject(*file, [&](ID3DXFileData& data) {
    meshes.push_back(DumpMesh(data, device.get()));
  });
  if (hr < 0) {
    if (error != nullptr) *error = file->LastError().Format();
    return hr;
  }
  if (json_text != nullptr) *json_text = meshes.dump(2);
  return S_OK;
}

}  // namespace ortolix
