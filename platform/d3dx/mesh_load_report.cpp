#include "platform/d3dx/mesh_load_report.h"

#include <utility>

namespace ortolix {

std::string_view MeshWarningName(MeshWarningCode code) {
  switch (code) {
    case MeshWarningCode::kSingleMaterialIndex: return "single-material-index";
    case MeshWarningCode::kFewerTextureCoords: return "fewer-texture-coords";
    case MeshWarningCode::kFewerVertexColours: return "fewer-vertex-colours";
    case MeshWarningCode::kExtraVertexDataIgnored: return "extra-vertex-data-ignored";
    case MeshWarningCode::kTooManyTextureSets: return "too-many-texture-sets";
    case MeshWarningCode::kExtraMaterials: return "extra-materials";
    case MeshWarningCode::kMissingMaterials: return "missing-materials";
  }
  return "unknown";
}

HRESULT MeshLoadReport::Fail(HRESULT failure, std::string message) {
  if (code >= 0) {
    code = failure;
    error = std::move(message);
  }
  return code;
}

void MeshLoadReport::Warn(MeshWarningCode warning, std::string object, std::string message) {
  for (MeshWarning& existing : warnings) {
    if (existing.code == warning && existing.object == object) {
      ++existing.count;
      return;
    }
  }
  warnings.push_back({warning, std::move(object), std::move(message), 1});
}

std::string MeshObjectPath(std::string_view mesh_name, std::string_view child) {
  std::string path = mesh_name.empty() ? "Mesh (unnamed)" : "Mesh '" + std::string(mesh_name) + "'";
  if (!child.empty()) {
    path += " > ";
    path += child;
  }
  return path;
}

}  // namespace ortolix
