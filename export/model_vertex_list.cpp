#include "export/model_vertex_list.h"

#include "export/export_release.h"
#include "export/vertex_weld.h"

namespace ortolix {
namespace {

// Welds every corner of the model; false when memory runs out or a corner
// names no vertex.
bool WeldModel(HostModel& model, WeldRule rule, VertexChainTable& chains,
               ExportVertexArray& vertices) {
  for (const HostMesh& mesh : Items(model.meshes)) {
    for (HostFace& face : Faces(mesh)) {
      for (std::int32_t c = 0; c < face.cornerCount; ++c) {
        const std::int32_t index = WeldCorner(model, face, c, rule, chains, vertices);
        if (index < 0) return false;
        if (face.exportIndices != nullptr) face.exportIndices[c] = index;
      }
    }
  }
  return true;
}

}  // namespace

std::int32_t BuildModelVertexList(ExportScene& scene, HostModel& model,
                                  const ExportOptions& options) {
  FreeModelVertexList(scene);
  // Most models make about one ExportVertex per Host vertex: room for that
  // many up front keeps the growth of both arrays rare.
  const std::int32_t hostVertices = model.vertices.items != nullptr ? model.vertices.count : 0;
  VertexChainTable chains;
  ExportVertexArray vertices;
  if (!chains.Prepare(hostVertices)) return 0;
  if (hostVertices > 0 && !vertices.reserve(static_cast<std::size_t>(hostVertices))) return 0;
  if (!WeldModel(model, WeldRuleFor(options), chains, vertices)) return 0;
  const auto count = static_cast<std::int32_t>(vertices.size());
  if (!vertices.Release(scene.modelVertices)) return 0;
  scene.modelVertexCount = count;
  return 1;
}

}  // namespace ortolix
