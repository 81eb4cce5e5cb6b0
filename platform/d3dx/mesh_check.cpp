// The checks that tie a Mesh's children to the mesh itself.
#include <string>

#include "platform/d3dx/mesh_build.h"

namespace ortolix {
namespace {

std::string Count(std::size_t n) { return std::to_string(n); }

HRESULT Invalid(MeshLoadReport& report, const DecodedMesh& s, const char* child, const std::string& fault) {
  return report.Fail(D3DXERR_INVALIDDATA, MeshObjectPath(s.name, child) + ": " + fault);
}

HRESULT CheckFaces(const DecodedMesh& s, MeshLoadReport& report) {
  if (s.positions.empty() && s.faces.corner_counts.empty()) {
    return report.Fail(D3DXERR_LOADEDMESHASNODATA, MeshObjectPath(s.name) + ": no vertices and no faces");
  }
  if (s.faces.corner_counts.empty()) {
    return report.Fail(D3DERR_INVALIDCALL, MeshObjectPath(s.name) + ": " + Count(s.positions.size()) +
                                               " vertices but no faces");
  }
  std::size_t corner = 0;
  for (std::size_t f = 0; f < s.faces.corner_counts.size(); ++f) {
    const DWORD corners = s.faces.corner_counts[f];
    if (corners < 3) return Invalid(report, s, "", "face " + Count(f) + " has " + Count(corners) + " corners");
    for (DWORD c = 0; c < corners; ++c, ++corner) {
      if (s.faces.indices[corner] >= s.positions.size()) {
        return Invalid(report, s, "", "face " + Count(f) + " uses vertex " + Count(s.faces.indices[corner]) +
                                          " of " + Count(s.positions.size()));
      }
    }
  }
  return S_OK;
}

HRESULT CheckNormals(const DecodedMesh& s, MeshLoadReport& report) {
  if (!s.normals) return S_OK;
  const MeshPolygons& faces = s.normals->faces;
  if (faces.corner_counts.size() != s.faces.corner_counts.size()) {
    return Invalid(report, s, "MeshNormals", Count(faces.corner_counts.size()) + " normal faces for " +
                                                 Count(s.faces.corner_counts.size()) + " faces");
  }
  for (std::size_t f = 0; f < faces.corner_counts.size(); ++f) {
    if (faces.corner_counts[f] != s.faces.corner_counts[f]) {
      return Invalid(report, s, "MeshNormals", "normal face " + Count(f) + " has " +
                                                   Count(faces.corner_counts[f]) + " indices for " +
                                                   Count(s.faces.corner_counts[f]) + " corners");
    }
  }
  for (std::size_t i = 0; i < faces.indices.size(); ++i) {
    if (faces.indices[i] >= s.normals->normals.size()) {
      return Invalid(report, s, "MeshNormals", "normal index " + Count(faces.indices[i]) + " of " +
                                                   Count(s.normals->normals.size()));
    }
  }
  return S_OK;
}

HRESULT CheckVertexData(const DecodedMesh& s, MeshLoadReport& report) {
  const std::size_t vertices = s.positions.size();
  if (s.texture_coords) {
    const std::size_t count = s.texture_coords->count;
    if (count > vertices) {
      return Invalid(report, s, "MeshTextureCoords", Count(count) + " coordinates for " + Count(vertices) + " vertices");
    }
    if (count < vertices) {
      report.Warn(MeshWarningCode::kFewerTextureCoords, MeshObjectPath(s.name, "MeshTextureCoords"),
                  Count(count) + " coordinates for " + Count(vertices) + " vertices; the rest are (0, 0)");
    }
  }
  if (s.colours) {
    for (const IndexedColourSource& colour : *s.colours) {
      if (colour.vertex >= vertices) {
        return Invalid(report, s, "MeshVertexColors", "colour for vertex " + Count(colour.vertex) + " of " + Count(vertices));
      }
    }
    if (s.colours->size() < vertices) {
      report.Warn(MeshWarningCode::kFewerVertexColours, MeshObjectPath(s.name, "MeshVertexColors"),
                  Count(s.colours->size()) + " colours for " + Count(vertices) +
                      " vertices; the rest are white with alpha 0");
    }
  }
  return S_OK;
}

HRESULT CheckMaterials(const DecodedMesh& s, std::vector<DWORD>& polygon_material, MeshLoadReport& report) {
  const std::size_t faces = s.faces.corner_counts.size();
  polygon_material.assign(faces, 0);
  if (!s.material_list || s.material_list->material_count == 0) return S_OK;
  const MaterialListSource& list = *s.material_list;
  const std::size_t indexes = list.face_indexes.size();
  if (indexes != faces && !(indexes == 1 && faces > 1)) {
    return Invalid(report, s, "MeshMaterialList", Count(indexes) + " face indexes for " + Count(faces) + " faces");
  }
  if (list.materials.size() != list.material_count) {
    return Invalid(report, s, "MeshMaterialList", Count(list.materials.size()) + " Material objects for " +
                                                      Count(list.material_count) + " materials");
  }
  for (std::size_t i = 0; i < indexes; ++i) {
    if (list.face_indexes[i] >= list.material_count) {
      return Invalid(report, s, "MeshMaterialList", "face " + Count(i) + " uses material " +
                                                        Count(list.face_indexes[i]) + " of " + Count(list.material_count));
    }
  }
  if (indexes == 1 && faces > 1) {
    report.Warn(MeshWarningCode::kSingleMaterialIndex, MeshObjectPath(s.name, "MeshMaterialList"),
                "one face index for " + Count(faces) + " faces; material " + Count(list.face_indexes[0]) +
                    " applies to all");
    polygon_material.assign(faces, list.face_indexes[0]);
  } else {
    polygon_material = list.face_indexes;
  }
  return S_OK;
}

HRESULT CheckSkin(const DecodedMesh& s, MeshLoadReport& report) {
  if (!s.skin_bone_count || *s.skin_bone_count == s.skin_weights.size()) return S_OK;
  return Invalid(report, s, "XSkinMeshHeader", Count(s.skin_weights.size()) + " SkinWeights for " +
                                                   Count(*s.skin_bone_count) + " bones");
}

}  // namespace

HRESULT CheckDecodedMesh(const DecodedMesh& source, std::vector<DWORD>& polygon_material,
                        MeshLoadReport& report) {
  for (auto check : {CheckFaces, CheckNormals, CheckVertexData, CheckSkin}) {
    if (const HRESULT hr = check(source, report); hr < 0) return hr;
  }
  return CheckMaterials(source, polygon_material, report);
}

}  // namespace ortolix
