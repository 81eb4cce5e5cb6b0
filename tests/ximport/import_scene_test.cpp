// Container operations of the ImportScene on hand-built trees.
#include <gtest/gtest.h>

#include "ximport/import_scene.h"

namespace ortolix {
namespace {

FrameNode* Named(FrameNode& parent, const char* name) {
  std::unique_ptr<FrameNode> node = CreateFrameNode();
  if (name != nullptr) node->name = name;
  return AppendChild(parent, std::move(node));
}

TEST(ImportScene, FindFrameByNameIsPreOrderAndSkipsUnnamedNodes) {
  SceneNode scene;
  EXPECT_EQ(FindFrameByName(scene, "A"), nullptr);  // no root
  scene.root = CreateFrameNode();
  FrameNode* a = Named(*scene.root, "A");
  FrameNode* unnamed = Named(*a, nullptr);
  FrameNode* deep = Named(*unnamed, "Twin");
  FrameNode* later = Named(*scene.root, "Twin");
  EXPECT_EQ(FindFrameByName(scene, "Twin"), deep);
  EXPECT_EQ(FindFrameByName(later, "Twin"), later);
  EXPECT_EQ(FindFrameByName(scene, "twin"), nullptr);  // case-sensitive
  EXPECT_EQ(FindFrameByName(scene, ""), nullptr);
  // Siblings after the start node take part, earlier ones do not.
  EXPECT_EQ(FindFrameByName(a, "Twin"), deep);
  EXPECT_EQ(FindFrameByName(later, "A"), nullptr);
  ASSERT_EQ(scene.root->first_child.get(), a);
  EXPECT_EQ(a->next_sibling.get(), later);
}

TEST(ImportScene, HugeTreesAreWalkedAndDestroyedWithoutRecursion) {
  constexpr int kCount = 200000;
  auto root = CreateFrameNode();
  FrameNode* tip = root.get();
  for (int i = 0; i < kCount; ++i) tip = Named(*tip, "d");   // one deep chain
  for (int i = 0; i < kCount; ++i) Named(*root, "s");         // one wide level
  for (int i = 0; i < kCount; ++i) {
    auto container = std::make_unique<MeshContainer>();
    AddMeshContainer(*tip, std::move(container));
  }
  std::size_t visited = 0;
  ForEachFrameNode(root.get(), [&](FrameNode&) { ++visited; });
  EXPECT_EQ(visited, 2u * kCount + 1);
  tip->name = "tip";
  EXPECT_EQ(FindFrameByName(root.get(), "tip"), tip);
  root.reset();  // would overflow the stack if teardown recursed
}

TEST(ImportScene, DropCurrentSceneUnlinksOnlyTheCurrentOne) {
  XFileReader reader;
  DropCurrentScene(reader);  // nothing current: nothing happens
  reader.scene_list = std::make_unique<SceneNode>();
  reader.scene_list->next = std::make_unique<SceneNode>();
  SceneNode* head = reader.scene_list.get();
  reader.current_scene = head->next.get();
  DropCurrentScene(reader);
  EXPECT_EQ(reader.scene_list.get(), head);
  EXPECT_EQ(head->next, nullptr);
  EXPECT_EQ(reader.current_scene, nullptr);
  reader.current_scene = head;
  DropCurrentScene(reader);
  EXPECT_EQ(reader.scene_list, nullptr);
}

TEST(ImportScene, AppendMaterialNameKeepsLongNamesWhole) {
  MeshContainer c;
  EXPECT_EQ(AppendMaterialName(c, nullptr), nullptr);
  const std::string long_name(300, 'm');
  ASSERT_NE(AppendMaterialName(c, long_name.c_str()), nullptr);
  ASSERT_NE(AppendMaterialName(c, ""), nullptr);
  EXPECT_EQ(c.material_names, (std::vector<std::string>{long_name, ""}));
}

}  // namespace
}  // namespace ortolix
