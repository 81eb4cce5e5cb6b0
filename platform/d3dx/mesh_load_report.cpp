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

namespace {

// Where the object path of "object: message" ends: the first ": " outside
// '...' quoted names, or npos.
std::size_t ObjectPathEnd(std::string_view text) {
  bool quoted = false;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '\'') quoted = !quoted;
    if (!quoted && text[i] == ':' && text[i + 1] == ' ') return i;
  }
  return std::string_view::npos;
}

}  // namespace

HRESULT MeshLoadReport::Fail(HRESULT failure, std::string object, std::string message) {
  if (code < 0) return code;
  code = failure;
  error = object.empty() ? message : object + ": " + message;
  diagnostic.code = failure;
  diagnostic.positioned = false;
  diagnostic.object = std::move(object);
  diagnostic.message = std::move(message);
  return code;
}

HRESULT MeshLoadReport::Fail(HRESULT failure, std::string text) {
  const std::size_t end = ObjectPathEnd(text);
  if (end == std::string::npos) return Fail(failure, std::string(), std::move(text));
  return Fail(failure, text.substr(0, end), text.substr(end + 2));
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
