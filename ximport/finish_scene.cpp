// After the file walk: bone pointers, world matrices and the pose of each
// skinned mesh. Every walk is iterative, so tree depth never matters.
#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/d3dx/d3dx_math.h"
#include "ximport/read_context.h"

namespace ortolix {
namespace {

// A bone that names no node is posed with this identity world matrix.
const D3DXMATRIX& IdentityWorld() {
  static const D3DXMATRIX identity = D3DXIdentityMatrix();
  return identity;
}

}  // namespace

void ResolveBonePointers(SceneNode& scene) {
  // First node of each name in pre-order: what a search from the root finds.
  std::unordered_map<std::string_view, FrameNode*> by_name;
  ForEachFrameNode(scene.root.get(), [&](FrameNode& node) {
    if (node.name) by_name.emplace(*node.name, &node);
  });
  ForEachFrameNode(scene.root.get(), [&](FrameNode& node) {
    for (MeshContainer* c = node.mesh_list.get(); c != nullptr; c = c->next.get()) {
      if (!c->mesh || !c->skin_info) continue;
      const DWORD bones = std::min<DWORD>(c->skin_info->GetNumBones(),
                                          static_cast<DWORD>(c->bone_matrix_pointers.size()));
      for (DWORD b = 0; b < bones; ++b) {
        const char* bone_name = c->skin_info->GetBoneName(b);
        auto found = bone_name != nullptr ? by_name.find(bone_name) : by_name.end();
        c->bone_matrix_pointers[b] =
            found != by_name.end() ? &found->second->world_matrix : &IdentityWorld();
      }
    }
  });
}

void ComputeWorldMatrices(FrameNode* root) {
  // Siblings share the parent's product; children take the node's own.
  std::vector<std::pair<FrameNode*, D3DXMATRIX>> pending;
  if (root != nullptr) pending.emplace_back(root, D3DXIdentityMatrix());
  while (!pending.empty()) {
    auto [node, parent_product] = pending.back();
    pending.pop_back();
    D3DXMATRIX product;
    D3DXMatrixMultiply(&product, &node->frame_matrix, &parent_product);
    if (node->pseudo_frame_flag == 0) {
      node->local_matrix = node->frame_matrix;
      node->world_matrix = product;
    }
    if (node->next_sibling) pending.emplace_back(node->next_sibling.get(), parent_product);
    if (node->first_child) pending.emplace_back(node->first_child.get(), product);
  }
}

void PoseSkinnedMeshes(XFileReader& reader, SceneNode& scene) {
  ForEachFrameNode(scene.root.get(), [&](FrameNode& node) {
    MeshContainer* newest = node.mesh_list.get();  // the Mesh loaded last in this frame
    if (newest != nullptr && newest->mesh && newest->skinned == 1) {
      (void)PoseSkinnedMesh(reader, *newest);
    }
  });
}

}  // namespace ortolix
