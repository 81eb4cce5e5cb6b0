// SkeletonHook: rebuilds the bones' local and world matrices from their
// translation, rotation and scale.
#include <vector>

#include "host/in_process_host.h"

namespace ortolix {

namespace {

// T · R · S in the column layout: the rotation of the quaternion with the
// translation in column 3, times diag(sx, sy, sz, 1), by the affine product.
Matrix4 ComposeLocal(const Vec3& translation, const Quat& rotation, const Vec3& scale) {
  Matrix4 tr = QuatToRotationMatrix(rotation);
  *ElementAddress(tr, 0, 3) = translation.x;
  *ElementAddress(tr, 1, 3) = translation.y;
  *ElementAddress(tr, 2, 3) = translation.z;
  const Matrix4 s = MakeMatrix4(scale.x, 0, 0, 0,  //
                                0, scale.y, 0, 0,  //
                                0, 0, scale.z, 0,  //
                                0, 0, 0, 1);
  return AffineProduct(tr, s);
}

enum class Visit : unsigned char { kNew, kOnPath, kDone };

// Resolves the world matrix of `start` and of the ancestors it needs, parents
// first, without recursion. A bone whose parent index is out of range, its
// own index, or a bone on the current path (closing a cycle) is a root.
void ResolveWorld(HostBone* bones, std::int32_t count, std::int32_t start,
                  std::vector<Visit>& state, std::vector<std::int32_t>& path) {
  path.clear();
  std::int32_t bone = start;
  bool reachedRoot = false;
  while (!reachedRoot) {
    path.push_back(bone);
    state[static_cast<std::size_t>(bone)] = Visit::kOnPath;
    const std::int32_t parent = bones[bone].parent;
    if (parent < 0 || parent >= count || parent == bone ||
        state[static_cast<std::size_t>(parent)] == Visit::kOnPath) {
      bones[bone].world = bones[bone].local;
      reachedRoot = true;
    } else if (state[static_cast<std::size_t>(parent)] == Visit::kDone) {
      bones[bone].world = AffineProduct(bones[parent].world, bones[bone].local);
      reachedRoot = true;
    } else {
      bone = parent;
    }
  }
  // The last bone on the path is resolved; walk back down to `start`.
  state[static_cast<std::size_t>(path.back())] = Visit::kDone;
  for (std::size_t i = path.size() - 1; i-- > 0;) {
    HostBone& child = bones[path[i]];
    child.world = AffineProduct(bones[path[i + 1]].world, child.local);
    state[static_cast<std::size_t>(path[i])] = Visit::kDone;
  }
}

}  // namespace

std::int32_t InProcessHost::SkeletonHook(std::int32_t) {
  (void)operations_.Enter(HostOperation::kSkeletonHook);
  HostBone* list = bones.items;
  const std::int32_t count = bones.count;
  if (list == nullptr || count <= 0) return 1;
  for (std::int32_t i = 0; i < count; ++i) {
    list[i].local = ComposeLocal(list[i].translation, list[i].rotation, list[i].scale);
  }
  try {
    std::vector<Visit> state(static_cast<std::size_t>(count), Visit::kNew);
    std::vector<std::int32_t> path;
    for (std::int32_t i = 0; i < count; ++i) {
      if (state[static_cast<std::size_t>(i)] == Visit::kNew) ResolveWorld(list, count, i, state, path);
    }
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return 1;
}

}  // namespace ortolix
