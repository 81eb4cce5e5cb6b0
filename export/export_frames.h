// Export frames (one per Host bone) and their skin influence counts.
#pragma once

#include <cstdint>

#include "export/export_scene.h"

namespace ortolix {

// Releases the previous frames. With N Host bones (N >= 1) makes N frames
// copying each bone's parent, translation, rotation and scale; the local
// matrix is translation x rotation x scale and the combined matrix the
// parent's combined times the local one (a root's is its local matrix; a
// frame whose parent is itself or N or more keeps identity; a parent listed
// after its child still holds identity then). Both matrices end in the file
// layout. Then calls the Host's SkeletonHook(1). Result 1 (also without
// bones: no array is made and the hook is not called); 0 when memory runs
// out.
std::int32_t BuildExportFrames(ExportScene& scene, HostModel& model);

// The local matrix of a bone, in the column layout.
Matrix4 BoneLocalMatrix(const Vec3& translation, const Quat& rotation, const Vec3& scale);

// When both the frames and the model vertex list exist: every frame's
// influence count becomes the number of ExportVertices whose Host vertex has
// an influence on that bone (indices outside the frames are ignored).
// Otherwise nothing happens. Result 1.
std::int32_t CountBoneInfluences(ExportScene& scene, const HostModel& model);

}  // namespace ortolix
