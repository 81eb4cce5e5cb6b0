// Releasing the members of the ExportScene. Each operation is harmless when
// its member is already empty.
#pragma once

#include "export/export_scene.h"

namespace ortolix {

void FreeModelVertexList(ExportScene& scene);
// Every GroupMesh's vertices, every GroupFace's corners, the face arrays,
// then the GroupMesh array.
void FreeGroupMeshes(ExportScene& scene);
void FreeExportFrames(ExportScene& scene);

// What the writer releases after writing, in its order: the model vertex
// list, the export frames, the group meshes.
void FreeExportScene(ExportScene& scene);

}  // namespace ortolix
