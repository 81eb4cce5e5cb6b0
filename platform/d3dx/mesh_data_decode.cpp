#include "platform/d3dx/mesh_data_decode.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/d3dx/lock_cursor.h"

namespace ortolix {
namespace {

HRESULT Invalid(MeshLoadReport& report, const std::string& mesh, std::string_view child,
                const std::string& fault) {
  return report.Fail(D3DXERR_INVALIDDATA, MeshObjectPath(mesh, child) + ": " + fault);
}

HRESULT Short(MeshLoadReport& report, const std::string& mesh, std::string_view child) {
  return Invalid(report, mesh, child, "data ends early");
}

std::string Count(std::size_t n) { return std::to_string(n); }

// A counted array of `floats_each` floats per item.
bool ReadCountedFloats(LockCursor& cursor, std::size_t floats_each, DWORD& count,
                       std::vector<float>& values) {
  if (!cursor.Dword(count) || !cursor.Has(count, floats_each * sizeof(float))) return false;
  values.resize(std::size_t(count) * floats_each);
  return cursor.Floats(values.data(), values.size());
}

bool ReadVectors(LockCursor& cursor, std::vector<Vec3>& out) {
  DWORD count = 0;
  if (!cursor.Dword(count) || !cursor.Has(count, sizeof(Vec3))) return false;
  out.resize(count);
  return count == 0 || cursor.Floats(&out[0].x, std::size_t(count) * 3);
}

// nFaces, then per face a corner count and its indices.
bool ReadPolygons(LockCursor& cursor, MeshPolygons& out) {
  DWORD faces = 0;
  if (!cursor.Dword(faces) || !cursor.Has(faces, sizeof(DWORD))) return false;
  out.corner_counts.resize(faces);
  out.indices.clear();
  out.indices.reserve(cursor.Left() / sizeof(DWORD) - faces);
  for (DWORD f = 0; f < faces; ++f) {
    DWORD corners = 0;
    if (!cursor.Dword(corners) || !cursor.Has(corners, sizeof(DWORD))) return false;
    out.corner_counts[f] = corners;
    const std::size_t start = out.indices.size();
    out.indices.resize(start + corners);
    if (!cursor.Dwords(out.indices.data() + start, corners)) return false;
  }
  return true;
}

}  // namespace

HRESULT DecodeMesh(LockBytes data, DecodedMesh& mesh, MeshLoadReport& report) {
  LockCursor cursor(data);
  if (!ReadVectors(cursor, mesh.positions) || !ReadPolygons(cursor, mesh.faces)) {
    return Short(report, mesh.name, {});
  }
  return S_OK;
}

HRESULT DecodeMeshNormals(LockBytes data, DecodedMesh& mesh, MeshLoadReport& report) {
  LockCursor cursor(data);
  MeshNormalsSource normals;
  if (!ReadVectors(cursor, normals.normals) || !ReadPolygons(cursor, normals.faces)) {
    return Short(report, mesh.name, "MeshNormals");
  }
  mesh.normals = std::move(normals);
  return S_OK;
}

HRESULT DecodeMeshTextureCoords(LockBytes data, DecodedMesh& mesh, MeshLoadReport& report) {
  LockCursor cursor(data);
  TextureSetSource set;
  if (!ReadCountedFloats(cursor, 2, set.count, set.values)) {
    return Short(report, mesh.name, "MeshTextureCoords");
  }
  mesh.texture_coords = std::move(set);
  return S_OK;
}

HRESULT DecodeMeshVertexColors(LockBytes data, DecodedMesh& mesh, MeshLoadReport& report) {
  LockCursor cursor(data);
  DWORD count = 0;
  constexpr std::size_t kEntryBytes = 4 + 4 * sizeof(float);
  if (!cursor.Dword(count) || !cursor.Has(count, kEntryBytes)) {
    return Short(report, mesh.name, "MeshVertexColors");
  }
  std::vector<IndexedColourSource> colours(count);
  for (IndexedColourSource& colour : colours) {
    float rgba[4];
    if (!cursor.Dword(colour.vertex) || !cursor.Floats(rgba, 4)) {
      return Short(report, mesh.name, "MeshVertexColors");
    }
    colour.r = rgba[0];
    colour.g = rgba[1];
    colour.b = rgba[2];
    colour.a = rgba[3];
  }
  mesh.colours = std::move(colours);
  return S_OK;
}

void FitMaterialsToCount(MaterialListSource& list, const std::string& mesh_name,
                         std::size_t extra, MeshLoadReport& report) {
  const std::string object = MeshObjectPath(mesh_name, "MeshMaterialList");
  if (extra > 0) {
    report.Warn(MeshWarningCode::kExtraMaterials, object,
                Count(list.material_count + extra) + " Material objects for " +
                    Count(list.material_count) + " materials; the first " +
                    Count(list.material_count) + " are used");
  }
  const std::size_t have = list.materials.size();
  // The count is the file's word: it is honoured only as far as the faces
  // could use it, so that a bogus count allocates nothing large.
  constexpr std::size_t kFreeFill = 65536;
  if (have >= list.material_count ||
      list.material_count > std::max(kFreeFill, list.face_indexes.size())) {
    return;
  }
  report.Warn(MeshWarningCode::kMissingMaterials, object,
              Count(have) + " Material objects for " + Count(list.material_count) +
                  " materials; the rest are white");
  MaterialSource white{};
  white.face_colour[0] = white.face_colour[1] = white.face_colour[2] = white.face_colour[3] = 1.0f;
  list.materials.resize(list.material_count, white);
}

HRESULT DecodeMeshMaterialList(LockBytes data, DecodedMesh& mesh, MeshLoadReport& report) {
  LockCursor cursor(data);
  MaterialListSource list;
  DWORD indexes = 0;
  if (!cursor.Dword(list.material_count) || !cursor.Dword(indexes) ||
      !cursor.Has(indexes, sizeof(DWORD))) {
    return Short(report, mesh.name, "MeshMaterialList");
  }
  list.face_indexes.resize(indexes);
  if (!cursor.Dwords(list.face_indexes.data(), indexes)) {
    return Short(report, mesh.name, "MeshMaterialList");
  }
  mesh.material_list = std::move(list);
  return S_OK;
}

HRESULT DecodeMaterial(LockBytes data, const std::string& mesh_name, MaterialSource& material,
                       MeshLoadReport& report) {
  constexpr std::size_t kMaterialBytes = 11 * sizeof(float);
  const std::string child = "MeshMaterialList > Material '" + material.name + "'";
  if (data.size() != kMaterialBytes) {
    return Invalid(report, mesh_name, child,
                   "data is " + std::to_string(data.size()) + " bytes, not 44");
  }
  float values[11];
  std::memcpy(values, data.data(), sizeof values);
  std::memcpy(material.face_colour, values, 4 * sizeof(float));
  material.power = values[4];
  std::memcpy(material.specular, values + 5, 3 * sizeof(float));
  std::memcpy(material.emissive, values + 8, 3 * sizeof(float));
  return S_OK;
}

HRESULT DecodeTextureFilename(LockBytes data, const std::string& mesh_name, std::string& file_name,
                              MeshLoadReport& report) {
  LockCursor cursor(data);
  const char* text = nullptr;
  if (!cursor.String(text)) return Short(report, mesh_name, "Material > TextureFilename");
  file_name = text != nullptr ? text : "";
  return S_OK;
}

HRESULT DecodeSkinMeshHeader(LockBytes data, DecodedMesh& mesh, MeshLoadReport& report) {
  if (mesh.skin_bone_count) {
    return Invalid(report, mesh.name, "XSkinMeshHeader", "a second XSkinMeshHeader");
  }
  LockCursor cursor(data);
  WORD per_vertex = 0;
  WORD per_face = 0;
  WORD bones = 0;
  if (!cursor.Word(per_vertex) || !cursor.Word(per_face) || !cursor.Word(bones)) {
    return Short(report, mesh.name, "XSkinMeshHeader");
  }
  mesh.skin_bone_count = bones;
  return S_OK;
}

HRESULT DecodeSkinWeights(LockBytes data, DecodedMesh& mesh, MeshLoadReport& report) {
  const std::string child = "SkinWeights #" + std::to_string(mesh.skin_weights.size());
  if (!mesh.skin_bone_count) return Invalid(report, mesh.name, child, "comes before XSkinMeshHeader");
  LockCursor cursor(data);
  SkinWeightsSource bone;
  const char* name = nullptr;
  DWORD count = 0;
  if (!cursor.String(name) || !cursor.Dword(count) || !cursor.Has(count, 2 * sizeof(DWORD))) {
    return Short(report, mesh.name, child);
  }
  bone.bone_name = name != nullptr ? name : "";
  bone.vertices.resize(count);
  bone.weights.resize(count);
  if (!cursor.Dwords(bone.vertices.data(), count) || !cursor.Floats(bone.weights.data(), count) ||
      !cursor.Floats(&bone.offset.m[0][0], 16)) {
    return Short(report, mesh.name, "SkinWeights '" + bone.bone_name + "'");
  }
  mesh.skin_weights.push_back(std::move(bone));
  return S_OK;
}

}  // namespace ortolix
