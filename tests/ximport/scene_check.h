// The invariants every scene that ReadXFile returns must keep, checked with
// GoogleTest expectations; also counts the scene's nodes.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ximport/import_scene.h"

namespace ortolix::testing {

struct Counts {
  int frames = 0, meshes = 0, sets = 0, animations = 0;
  bool operator==(const Counts&) const = default;
};

// Checks the invariants of a read scene and counts its nodes.
inline Counts CheckScene(SceneNode& scene, const std::string& file) {
  Counts counts;
  std::set<const FrameNode*> nodes, animations;
  ForEachFrameNode(scene.root.get(), [&](FrameNode& n) { nodes.insert(&n); });
  ForEachFrameNode(scene.root->first_child.get(), [&](FrameNode& n) {
    if (n.pseudo_frame_flag == 0) {
      ++counts.frames;
      EXPECT_TRUE(n.name.has_value() && !n.name->empty()) << file;
    } else if (n.animation_set_flag == 1) {
      ++counts.sets;
    } else {
      ++counts.animations;
      animations.insert(&n);
      EXPECT_TRUE(n.target_frame == nullptr || nodes.count(n.target_frame) == 1) << file;
    }
  });
  std::set<const FrameNode*> listed;
  for (FrameNode* a = scene.animation_list; a != nullptr; a = a->next_animation) listed.insert(a);
  EXPECT_EQ(listed, animations) << file;
  ForEachFrameNode(scene.root.get(), [&](FrameNode& n) {
    for (const MeshContainer* c = n.mesh_list.get(); c != nullptr; c = c->next.get()) {
      ++counts.meshes;
      ASSERT_TRUE(c->mesh) << file;
      DWORD faces = 0;
      for (const D3DXATTRIBUTERANGE& r : c->attribute_table) faces += r.FaceCount;
      EXPECT_EQ(faces, c->mesh->GetNumFaces()) << file << " " << c->name;
      EXPECT_EQ(c->adjacency.size(), 3u * c->mesh->GetNumFaces()) << file;
      EXPECT_EQ(c->materials.size(), c->material_count) << file << " " << c->name;
      EXPECT_EQ(c->skinned, c->skin_info->GetNumBones() > 0 ? 1 : 0) << file;
      EXPECT_EQ(c->bone_matrix_pointers.size(), c->skin_info->GetNumBones()) << file;
      for (const D3DXMATRIX* p : c->bone_matrix_pointers) EXPECT_NE(p, nullptr) << file;
    }
  });
  return counts;
}

}  // namespace ortolix::testing
