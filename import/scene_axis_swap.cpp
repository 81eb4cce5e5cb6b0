#include "import/scene_axis_swap.h"

#include "math/polar_decomposition.h"

namespace ortolix {
namespace {

void SetBoneRest(HostBone& bone) {
  SetIdentity(bone.local);
  bone.translation = Vec3{0.0f, 0.0f, 0.0f};
  bone.scale = Vec3{1.0f, 1.0f, 1.0f};
  bone.rotation = Quat{0.0f, 0.0f, 0.0f, 1.0f};
}

const HostBone* ParentOf(const HostArray<HostBone>& bones, const HostBone& bone) {
  if (bone.parent < 0 || bone.parent >= bones.count) return nullptr;
  return &bones.items[bone.parent];
}

// Translation, rotation and scale of the local matrix (column layout), with
// its fourth row taken as (0, 0, 0, 1); a mirroring matrix negates the scale.
void DecomposeLocal(HostBone& bone) {
  Matrix4 affine = bone.local;
  affine.m[12] = 0.0f;
  affine.m[13] = 0.0f;
  affine.m[14] = 0.0f;
  affine.m[15] = 1.0f;
  const AffineParts parts = DecomposeAffine(affine);
  bone.translation = Vec3{parts.t.x, parts.t.y, parts.t.z};
  bone.rotation = parts.q;
  bone.scale = Vec3{parts.k.x, parts.k.y, parts.k.z};
  if (parts.f < 0.0f) ScaleInPlace(bone.scale, parts.f);
}

void SwapBones(HostModel& model, SwapDirection direction) {
  HostArray<HostBone>& bones = model.bones;
  (void)model.SkeletonHook(1);
  for (std::int32_t i = 0; i < bones.count; ++i) {
    bones.items[i].world = SwapMatrix(bones.items[i].world, direction);
    SetBoneRest(bones.items[i]);
  }
  // Every world matrix is swapped before any local one is rebuilt.
  for (std::int32_t i = 0; i < bones.count; ++i) {
    HostBone& bone = bones.items[i];
    const HostBone* parent = ParentOf(bones, bone);
    bone.local = parent ? MatrixProduct(GeneralInverse(parent->world), bone.world) : bone.world;
  }
  for (std::int32_t i = 0; i < bones.count; ++i) DecomposeLocal(bones.items[i]);
}

template <typename Placed>
void SwapPlaced(HostArray<Placed>& placed, SwapDirection direction) {
  if (placed.items == nullptr) return;
  for (std::int32_t i = 0; i < placed.count; ++i) {
    placed.items[i].position = SwapVector(placed.items[i].position, direction);
    placed.items[i].orientation = SwapMatrix(placed.items[i].orientation, direction);
  }
}

}  // namespace

Vec3 SwapVector(const Vec3& v, SwapDirection direction) {
  if (direction == SwapDirection::kForward) return Vec3{v.x, v.z, -v.y};
  return Vec3{v.x, -v.z, v.y};
}

Matrix4 SwapMatrix(const Matrix4& m, SwapDirection direction) {
  const bool forward = direction == SwapDirection::kForward;
  Matrix4 out = m;
  for (int c = 0; c < 4; ++c) {
    const float row1 = m.m[4 + c];
    const float row2 = m.m[8 + c];
    out.m[4 + c] = forward ? row2 : -row2;
    out.m[8 + c] = forward ? -row1 : row1;
  }
  return out;
}

void SceneAxisSwap(HostModel* model, SwapDirection direction) {
  if (model == nullptr) return;
  if (model->bones.items != nullptr) SwapBones(*model, direction);
  if (model->vertices.items != nullptr) {
    for (std::int32_t i = 0; i < model->vertices.count; ++i) {
      model->vertices.items[i].position = SwapVector(model->vertices.items[i].position, direction);
    }
  }
  SwapPlaced(model->placed1, direction);
  SwapPlaced(model->placed2, direction);
}

}  // namespace ortolix
