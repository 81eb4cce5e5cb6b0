// The per-group build: one GroupMesh, with its own welded vertices, per Host
// group.
#pragma once

#include <cstdint>

#include "export/export_options.h"
#include "export/export_scene.h"

namespace ortolix {

// Releases the previous group meshes, then makes one GroupMesh per Host group
// (one named "defaultMesh" when the Host has no groups), holding the faces of
// every Host mesh whose group index is its own, in Host order, with the
// corners welded per GroupMesh. Result 1; 0 as soon as memory runs out or a
// corner names no Host vertex: what was made stays in the scene for
// FreeGroupMeshes.
std::int32_t BuildGroupMeshes(ExportScene& scene, const HostModel& model,
                              const ExportOptions& options);

// Gives a GroupMesh its own copy of a narrow name, whatever its length (the
// previous copy is freed). False when memory runs out.
[[nodiscard]] bool SetGroupMeshName(GroupMesh& mesh, const char* name);

}  // namespace ortolix
