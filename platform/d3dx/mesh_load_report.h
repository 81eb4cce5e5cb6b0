// What a mesh load tells its caller beyond the HRESULT: the first fault, as
// the reader's diagnostic record (code, object path, message; mesh data has
// no file position) and as one line, and the quirks that were tolerated,
// each once with how often it happened.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/d3dx/d3dx_types.h"
#include "platform/xfile/diagnostics.h"

namespace ortolix {

enum class MeshWarningCode : std::uint8_t {
  kSingleMaterialIndex,      // one material index for a mesh of several faces
  kFewerTextureCoords,       // fewer texture coordinates than vertices: the rest (0, 0)
  kFewerVertexColours,       // fewer colours than vertices: the rest white, alpha 0
  kExtraVertexDataIgnored,   // FVFData/DeclData that does not fit the mesh, or not texture sets
  kTooManyTextureSets,       // texture sets beyond the eighth
  kExtraMaterials,           // more Material children than nMaterials: the first used
  kMissingMaterials,         // fewer Material children than nMaterials: white ones added
};

[[nodiscard]] std::string_view MeshWarningName(MeshWarningCode code);

struct MeshWarning {
  MeshWarningCode code;
  std::string object;   // "Mesh 'body' > MeshTextureCoords"
  std::string message;  // the first occurrence
  std::uint32_t count = 1;
};

struct MeshLoadReport {
  HRESULT code = S_OK;
  std::string error;  // "Mesh 'body' > MeshNormals: ..." when code is a failure
  // The same failure as fields: code, object "Mesh 'body' > MeshNormals",
  // message; `positioned` is false.
  XDiagnostic diagnostic;
  std::vector<MeshWarning> warnings;

  // Records the first failure and returns its code.
  HRESULT Fail(HRESULT failure, std::string object, std::string message);
  // The same with "object: message" in one text; the object path is the text
  // before the first ": " outside quoted names (none when there is no such
  // separator).
  HRESULT Fail(HRESULT failure, std::string text);
  void Warn(MeshWarningCode code, std::string object, std::string message);
};

// "Mesh 'name'" or "Mesh (unnamed)", then " > child" when a child is named.
[[nodiscard]] std::string MeshObjectPath(std::string_view mesh_name, std::string_view child = {});

}  // namespace ortolix
