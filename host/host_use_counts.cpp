// UpdateUseCounts: the use counts a Host derives from its records.
#include <algorithm>
#include <new>

#include "host/in_process_host.h"

namespace ortolix {
namespace {

void CountSkinUses(HostArray<HostBone>& bones, const HostArray<HostVertex>& vertices) {
  for (std::int32_t b = 0; b < bones.count; ++b) bones.items[b].skinUseCount = 0;
  for (std::int32_t v = 0; vertices.items && v < vertices.count; ++v) {
    const HostVertex& vertex = vertices.items[v];
    for (std::int32_t k = 0; vertex.influences && k < vertex.influenceCount; ++k) {
      const std::int32_t bone = vertex.influences[k].bone;
      if (bone >= 0 && bone < bones.count) ++bones.items[bone].skinUseCount;
    }
  }
}

}  // namespace

bool InProcessHost::UpdateUseCounts() {
  std::vector<std::vector<HostMaterialUse>> uses;
  std::vector<std::int32_t> materialUses(static_cast<std::size_t>(materials.count), 0);
  try {
    uses.resize(materialUses_.size());
    for (std::int32_t m = 0; meshes.items && m < meshes.count; ++m) {
      const HostMesh& mesh = meshes.items[m];
      for (std::int32_t f = 0; mesh.faces && f < mesh.faceCount; ++f) {
        const HostFace& face = mesh.faces[f];
        if (face.material < 0 || face.material >= materials.count) continue;
        ++materialUses[static_cast<std::size_t>(face.material)];
        if (face.group < 0 || static_cast<std::size_t>(face.group) >= uses.size()) continue;
        std::vector<HostMaterialUse>& list = uses[static_cast<std::size_t>(face.group)];
        const auto same = [&](const HostMaterialUse& use) { return use.material == face.material; };
        if (std::none_of(list.begin(), list.end(), same)) list.push_back({face.material, 0});
      }
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (std::int32_t i = 0; i < materials.count; ++i) materials.items[i].useCount = materialUses[i];
  materialUses_ = std::move(uses);
  for (std::int32_t g = 0; g < groups.count && static_cast<std::size_t>(g) < materialUses_.size(); ++g) {
    std::vector<HostMaterialUse>& list = materialUses_[static_cast<std::size_t>(g)];
    groups.items[g].materialUseCount = static_cast<std::int32_t>(list.size());
    groups.items[g].materialUses = list.empty() ? nullptr : list.data();
  }
  if (bones.items != nullptr) CountSkinUses(bones, vertices);
  return true;
}

}  // namespace ortolix
