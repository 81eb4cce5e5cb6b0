#include "export/export_scene.h"

namespace ortolix {

ExportScene& TheExportScene() {
  static ExportScene scene;
  return scene;
}

bool ExportSceneIsEmpty(const ExportScene& scene) {
  return scene.modelVertices == nullptr && scene.modelVertexCount == 0 &&
         scene.groupMeshes == nullptr && scene.groupMeshCount == 0 && scene.frames == nullptr &&
         scene.frameCount == 0;
}

}  // namespace ortolix
