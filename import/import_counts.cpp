#include "import/import_counts.h"

#include <vector>

namespace ortolix {

void CountImportScene(const FrameNode* root, ImportModel& model) {
  model.currentMesh = model.currentMaterial = model.currentFrame = 0;
  model.frameCount = model.meshCount = model.materialCount = model.skinnedMeshCount = 0;
  // Counts are held wider than the model's i32 fields and saturate, so that
  // no tree shape can wrap them into negative sizes.
  std::int64_t frames = 0, meshes = 0, materials = 0, skinned = 0;
  std::vector<const FrameNode*> pending;
  if (root != nullptr) pending.push_back(root);
  while (!pending.empty()) {
    const FrameNode* node = pending.back();
    pending.pop_back();
    if (IsListedFrame(*node, root)) ++frames;
    for (const MeshContainer* c = node->mesh_list.get(); c != nullptr; c = c->next.get()) {
      ++meshes;
      materials += c->material_count;
      if (IsSkinnedContainer(*c)) ++skinned;
    }
    if (node->next_sibling) pending.push_back(node->next_sibling.get());
    if (node->first_child) pending.push_back(node->first_child.get());
  }
  const auto clamp = [](std::int64_t n) { return static_cast<std::int32_t>(n > INT32_MAX ? INT32_MAX : n); };
  model.frameCount = clamp(frames);
  model.meshCount = clamp(meshes);
  model.materialCount = clamp(materials);
  model.skinnedMeshCount = clamp(skinned);
}

}  // namespace ortolix
