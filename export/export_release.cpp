#include "export/export_release.h"

#include "export/export_allocation.h"

namespace ortolix {

void FreeModelVertexList(ExportScene& scene) {
  DeleteExportArray(scene.modelVertices);
  scene.modelVertexCount = 0;
}

void FreeGroupMeshes(ExportScene& scene) {
  if (scene.groupMeshes != nullptr) {
    for (std::int32_t k = 0; k < scene.groupMeshCount; ++k) {
      GroupMesh& mesh = scene.groupMeshes[k];
      DeleteExportArray(mesh.vertices);
      mesh.vertexCount = 0;
      if (mesh.faces != nullptr) {
        for (std::int32_t f = 0; f < mesh.faceCount; ++f) DeleteExportArray(mesh.faces[f].corners);
      }
      DeleteExportArray(mesh.faces);
      mesh.faceCount = 0;
      DeleteExportArray(mesh.name);
    }
  }
  DeleteExportArray(scene.groupMeshes);
  scene.groupMeshCount = 0;
}

void FreeExportFrames(ExportScene& scene) {
  DeleteExportArray(scene.frames);
  scene.frameCount = 0;
}

void FreeExportScene(ExportScene& scene) {
  FreeModelVertexList(scene);
  FreeExportFrames(scene);
  FreeGroupMeshes(scene);
}

}  // namespace ortolix
