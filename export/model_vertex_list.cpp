#include "export/model_vertex_list.h"

#include <algorithm>
#include <new>

#include "export/export_release.h"
#include "export/vertex_weld.h"

namespace ortolix {
namespace {

// Welds every corner of the model; false when a corner names no vertex.
bool WeldModel(HostModel& model, WeldRule rule, VertexChainTable& chains,
               ExportVertexArray& vertices) {
  if (model.meshes.items == nullptr) return true;
  for (std::int32_t m = 0; m < model.meshes.count; ++m) {
    const HostMesh& mesh = model.meshes.items[m];
    if (mesh.faces == nullptr) continue;
    for (std::int32_t f = 0; f < mesh.faceCount; ++f) {
      HostFace& face = mesh.faces[f];
      for (std::int32_t c = 0; c < face.cornerCount; ++c) {
        ExportVertex candidate;
        if (!MakeCornerCandidate(model, face, c, candidate)) return false;
        const std::int32_t index =
            FindOrAddExportVertex(chains, vertices, candidate.hostVertex, candidate, rule);
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
  ExportVertexArray vertices;
  try {
    VertexChainTable chains;
    if (model.vertices.items != nullptr) {
      chains.heads.assign(static_cast<std::size_t>(std::max(model.vertices.count, 0)), -1);
    }
    if (!WeldModel(model, WeldRuleFor(options), chains, vertices)) return 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
  if (vertices.empty()) return 1;
  const auto count = static_cast<std::int32_t>(vertices.size());
  scene.modelVertices = NewExportArray<ExportVertex>(count);
  if (scene.modelVertices == nullptr) return 0;
  std::copy(vertices.begin(), vertices.end(), scene.modelVertices);
  scene.modelVertexCount = count;
  return 1;
}

}  // namespace ortolix
