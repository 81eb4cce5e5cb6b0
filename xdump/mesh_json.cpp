#include "xdump/mesh_json.h"

#include <cstdio>
#include <string>
#include <vector>

#include "platform/crt/json_text.h"
#include "platform/d3dx/com_ref.h"
#include "platform/d3dx/load_skin_mesh.h"
#include "platform/d3dx/mesh_walk.h"
#include "platform/d3dx/null_device.h"

namespace ortolix {
namespace {

std::string Hex(DWORD value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

// `"key": ` before a value; a comma first unless it opens the object.
void Key(std::string& out, const char* key) {
  if (out.back() != '{') out += ", ";
  AppendString(out, key);
  out += ": ";
}

void Colour(std::string& out, const char* key, const D3DCOLORVALUE& c) {
  Key(out, key);
  const float values[] = {c.r, c.g, c.b, c.a};
  AppendFloats(out, values, 4);
}

void Materials(std::string& out, ID3DXBuffer* buffer, DWORD count) {
  out += '[';
  const auto* records =
      buffer != nullptr ? static_cast<const D3DXMATERIAL*>(buffer->GetBufferPointer()) : nullptr;
  for (DWORD i = 0; records != nullptr && i < count; ++i) {
    const D3DMATERIAL9& m = records[i].MatD3D;
    out += i == 0 ? "{" : ", {";
    Colour(out, "diffuse", m.Diffuse);
    Colour(out, "ambient", m.Ambient);
    Colour(out, "specular", m.Specular);
    Colour(out, "emissive", m.Emissive);
    Key(out, "power");
    AppendFloat(out, m.Power);
    Key(out, "texture");
    if (records[i].pTextureFilename != nullptr) AppendNarrowString(out, records[i].pTextureFilename);
    else out += "null";
    out += '}';
  }
  out += ']';
}

void Bones(std::string& out, const ID3DXSkinInfo& skin) {
  out += '[';
  for (DWORD b = 0; b < skin.GetNumBones(); ++b) {
    const char* name = skin.GetBoneName(b);
    out += b == 0 ? "{" : ", {";
    Key(out, "name");
    AppendNarrowString(out, name != nullptr ? name : "");
    Key(out, "influences");
    AppendInt(out, skin.GetNumBoneInfluences(b));
    out += '}';
  }
  out += ']';
}

void AttributeTable(std::string& out, const ID3DXMesh& mesh) {
  DWORD count = 0;
  (void)mesh.GetAttributeTable(nullptr, &count);
  std::vector<D3DXATTRIBUTERANGE> table(count);
  (void)mesh.GetAttributeTable(table.data(), &count);
  out += '[';
  for (std::size_t i = 0; i < table.size(); ++i) {
    const D3DXATTRIBUTERANGE& r = table[i];
    out += i == 0 ? "{" : ", {";
    const std::pair<const char*, DWORD> fields[] = {{"id", r.AttribId},
                                                    {"face_start", r.FaceStart},
                                                    {"face_count", r.FaceCount},
                                                    {"vertex_start", r.VertexStart},
                                                    {"vertex_count", r.VertexCount}};
    for (const auto& [key, value] : fields) {
      Key(out, key);
      AppendInt(out, value);
    }
    out += '}';
  }
  out += ']';
}

void Warnings(std::string& out, const MeshLoadReport& report) {
  out += '[';
  for (std::size_t i = 0; i < report.warnings.size(); ++i) {
    const MeshWarning& w = report.warnings[i];
    out += i == 0 ? "{" : ", {";
    Key(out, "code");
    AppendString(out, MeshWarningName(w.code));
    Key(out, "object");
    AppendNarrowString(out, w.object);
    Key(out, "message");
    AppendNarrowString(out, w.message);
    Key(out, "count");
    AppendInt(out, w.count);
    out += '}';
  }
  out += ']';
}

void Count(std::string& out, const char* key, DWORD value) {
  Key(out, key);
  AppendInt(out, value);
}

// Loads one mesh as the import does and describes it; false when it failed.
bool DumpMesh(std::string& out, ID3DXFileData& data, IDirect3DDevice9* device) {
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
  out += '{';
  Key(out, "name");
  AppendNarrowString(out, name);
  if (hr < 0) {
    Key(out, "error");
    AppendNarrowString(out, report.error);
    Key(out, "code");
    AppendString(out, Hex(DWORD(hr)));
  } else {
    Key(out, "fvf");
    AppendString(out, Hex(sorted->GetFVF()));
    Count(out, "vertices", sorted->GetNumVertices());
    Count(out, "faces", sorted->GetNumFaces());
    Key(out, "attributes");
    AttributeTable(out, *sorted);
    Key(out, "materials");
    Materials(out, materials.get(), material_count);
    Key(out, "bones");
    Bones(out, *skin);
  }
  Key(out, "warnings");
  Warnings(out, report);
  out += '}';
  return hr >= 0;
}

}  // namespace

HRESULT DumpMeshes(const char* path, const ReaderLimits& limits, std::string* json_text,
                   std::string* error, std::size_t* failed) {
  if (failed != nullptr) *failed = 0;
  ComRef<IDirect3DDevice9> device = CreateNullDevice();
  if (!device) {
    if (error != nullptr) *error = "the device stand-in could not be created";
    return E_FAIL;
  }
  ComRef<ID3DXFileEnumObject> file;
  if (const HRESULT hr = OpenXFileWithStandardTemplates(path, D3DXF_FILELOAD_FROMFILE, file.Out(),
                                                        error, &limits);
      hr < 0) {
    return hr;
  }
  std::string text = "[";
  std::size_t failures = 0;
  const HRESULT hr = ForEachMeshObject(*file, [&](ID3DXFileData& data) {
    text += text.size() == 1 ? "\n  " : ",\n  ";
    if (!DumpMesh(text, data, device.get())) ++failures;
  });
  if (hr < 0) {
    if (error != nullptr) *error = file->LastError().Format();
    return hr;
  }
  text += text.size() == 1 ? "]" : "\n]";
  if (json_text != nullptr) *json_text = std::move(text);
  if (failed != nullptr) *failed = failures;
  return S_OK;
}

}  // namespace ortolix
