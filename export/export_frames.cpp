#include "export/export_frames.h"

#include "export/export_allocation.h"
#include "export/export_release.h"

namespace ortolix {
namespace {

void CombineFrames(ExportFrame* frames, std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    ExportFrame& frame = frames[i];
    const std::int32_t parent = frame.parent;
    if (parent == i || parent >= count) continue;  // keeps identity
    if (parent >= 0) {
      AffineProduct(frames[parent].combined, frame.local, frame.combined);
    } else {
      frame.combined = frame.local;
    }
  }
}

}  // namespace

Matrix4 BoneLocalMatrix(const Vec3& translation, const Quat& rotation, const Vec3& scale) {
  Matrix4 rotate;
  QuatToRotationMatrix(rotation, rotate);
  rotate.m[3] = translation.x;
  rotate.m[7] = translation.y;
  rotate.m[11] = translation.z;
  Matrix4 scaling;
  SetIdentity(scaling);
  scaling.m[0] = scale.x;
  scaling.m[5] = scale.y;
  scaling.m[10] = scale.z;
  Matrix4 local;
  AffineProduct(rotate, scaling, local);
  return local;
}

std::int32_t BuildExportFrames(ExportScene& scene, HostModel& model) {
  FreeExportFrames(scene);
  const std::int32_t count = model.bones.items != nullptr ? model.bones.count : 0;
  if (count < 1) return 1;
  scene.frames = NewExportArray<ExportFrame>(count);
  if (scene.frames == nullptr) return 0;
  scene.frameCount = count;
  for (std::int32_t i = 0; i < count; ++i) {
    const HostBone& bone = model.bones.items[i];
    ExportFrame& frame = scene.frames[i];
    frame.parent = bone.parent;
    frame.translation = bone.translation;
    frame.rotation = bone.rotation;
    frame.scale = bone.scale;
    frame.local = BoneLocalMatrix(bone.translation, bone.rotation, bone.scale);
  }
  CombineFrames(scene.frames, count);
  for (std::int32_t i = 0; i < count; ++i) {
    Transpose(scene.frames[i].local, scene.frames[i].local);
    Transpose(scene.frames[i].combined, scene.frames[i].combined);
  }
  model.SkeletonHook(1);
  return 1;
}

std::int32_t CountBoneInfluences(ExportScene& scene, const HostModel& model) {
  if (scene.frames == nullptr || scene.modelVertices == nullptr) return 1;
  for (std::int32_t i = 0; i < scene.frameCount; ++i) scene.frames[i].influenceCount = 0;
  if (model.vertices.items == nullptr) return 1;
  for (std::int32_t v = 0; v < scene.modelVertexCount; ++v) {
    const std::int32_t h = scene.modelVertices[v].hostVertex;
    if (h < 0 || h >= model.vertices.count) continue;
    const HostVertex& vertex = model.vertices.items[h];
    if (vertex.influences == nullptr) continue;
    for (std::int32_t k = 0; k < vertex.influenceCount; ++k) {
      const std::int32_t bone = vertex.influences[k].bone;
      if (bone >= 0 && bone < scene.frameCount) ++scene.frames[bone].influenceCount;
    }
  }
  return 1;
}

}  // namespace ortolix
