// The reader driver and the frame/mesh walk: what reads, what is skipped,
// what fails, and what a failed read leaves behind.
#include <gtest/gtest.h>

#include "platform/d3dx/d3d9_device.h"
#include "tests/ximport/scene_reader.h"

namespace ortolix::testing {
namespace {

TEST(ReadXFile, FileWithoutDataObjectsGivesAnEmptyRoot) {
  SceneReader r;
  ASSERT_EQ(r.ReadText("template Empty { <11111111-2222-3333-4444-555555555555> DWORD a; }\n"), S_OK)
      << r.reader.error;
  ASSERT_NE(r.reader.current_scene, nullptr);
  EXPECT_EQ(r.reader.current_scene, r.reader.scene_list.get());
  EXPECT_EQ(r.Root().first_child, nullptr);
  EXPECT_EQ(r.Root().mesh_list, nullptr);
  EXPECT_FALSE(r.Root().name.has_value());
  EXPECT_EQ(r.reader.ticks_per_second, 0u);
}

TEST(ReadXFile, UnreadablePathOrNoDeviceFailsWithoutScene) {
  SceneReader r;
  EXPECT_LT(r.ReadFile(::testing::TempDir() + "no_such_file.x"), 0);
  EXPECT_EQ(r.reader.scene_list, nullptr);
  EXPECT_EQ(r.reader.current_scene, nullptr);
  EXPECT_FALSE(r.reader.error.empty());

  XFileReader no_device;
  const std::u16string path = WidePath(WriteTempX("xof 0303txt 0032\n"));
  EXPECT_EQ(ReadXFile(no_device, path.c_str()), E_FAIL);
  r.reader.device = nullptr;
  EXPECT_EQ(ReadXFile(r.reader, nullptr), E_FAIL);
}

TEST(CreateImportDevice, ReportsEachFailureCode) {
  struct Case {
    bool fail_direct3d;
    bool fail_device;
    std::uint32_t code;
  };
  for (const Case& c : {Case{false, false, 7}, Case{true, false, 1}, Case{false, true, 2}}) {
    D3DXTestSwitches& switches = D3DXTestSwitchesForTesting();
    switches.fail_direct3d_create = c.fail_direct3d;
    switches.fail_create_device = c.fail_device;
    std::uint32_t code = 7;  // left alone on success
    ComRef<IDirect3DDevice9> device(CreateImportDevice(&code));
    switches = D3DXTestSwitches{};
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(static_cast<bool>(device), c.code == 7);
  }
}

TEST(ReadXFile, TopLevelMeshHangsOnTheRootAndTopLevelMaterialIsIgnored) {
  SceneReader r;
  ASSERT_EQ(r.ReadText("Material Loose { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }\n" + QuadMesh("Solo")), S_OK)
      << r.reader.error;
  EXPECT_EQ(r.Root().first_child, nullptr);
  ASSERT_NE(r.Root().mesh_list, nullptr);
  const MeshContainer& c = *r.Root().mesh_list;
  EXPECT_EQ(c.name, "Solo");
  EXPECT_EQ(c.next, nullptr);
  EXPECT_EQ(c.skinned, 0);
  EXPECT_EQ(c.mesh->GetFVF(), 0x252u);
  EXPECT_EQ(c.mesh->GetNumFaces(), 2u);
  EXPECT_EQ(c.adjacency.size(), 6u);
  EXPECT_TRUE(c.materials.empty());
  EXPECT_TRUE(c.material_names.empty());
}

TEST(ReadXFile, FailingMeshIsSkippedAndItsSiblingsKept) {
  SceneReader r;
  const std::string bad = "Mesh Bad { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,7;; }\n";
  ASSERT_EQ(r.ReadText("Frame F {\n" + bad + QuadMesh("Good") + "}\nFrame G { }\n"), S_OK)
      << r.reader.error;
  auto frames = SceneReader::Children(r.Root());
  ASSERT_EQ(frames.size(), 2u);
  ASSERT_NE(frames[0]->mesh_list, nullptr);
  EXPECT_EQ(frames[0]->mesh_list->name, "Good");
  EXPECT_EQ(frames[0]->mesh_list->next, nullptr);
  EXPECT_EQ(*frames[1]->name, "G");
  EXPECT_TRUE(r.HasWarning("mesh_skipped"));
}

TEST(ReadXFile, UnnamedFramesAreNumberedAcrossTheFile) {
  SceneReader r;
  ASSERT_EQ(r.ReadText("Frame { Frame { } }\nFrame A { Frame { } }\n"), S_OK) << r.reader.error;
  std::vector<std::string> names;
  ForEachFrameNode(r.Root().first_child.get(), [&](FrameNode& n) { names.push_back(*n.name); });
  EXPECT_EQ(names, (std::vector<std::string>{"NoFrameName0", "NoFrameName1", "A", "NoFrameName2"}));
  EXPECT_EQ(r.reader.unnamed_frame_counter, 3);
}

TEST(ReadXFile, FrameMatricesChainIntoWorldMatrices) {
  const float move[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1};
  const float first[16] = {9, 0, 0, 0, 0, 9, 0, 0, 0, 0, 9, 0, 0, 0, 0, 1};
  const float scale[16] = {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 1, 0, 1};
  SceneReader r;
  ASSERT_EQ(r.ReadText("Frame A { FrameTransformMatrix { " + Matrix(move) + " }\n"
                       " Frame B { FrameTransformMatrix { " + Matrix(first) + " }\n"
                       "  FrameTransformMatrix { " + Matrix(scale) + " }\n"
                       "  Mesh One { 1; 0;0;0;; 0; }\n" + QuadMesh("Two") + " } }\n"),
            S_OK)
      << r.reader.error;
  FrameNode& a = *r.Root().first_child;
  FrameNode& b = *a.first_child;
  EXPECT_EQ(a.world_matrix.m[3][2], 3.0f);
  EXPECT_EQ(b.local_matrix.m[0][0], 2.0f);  // the second matrix wins
  // B's world = B x A: scale 2, then move by (0, 1, 0) + (1, 2, 3).
  EXPECT_EQ(b.world_matrix.m[0][0], 2.0f);
  EXPECT_EQ(b.world_matrix.m[3][0], 1.0f);
  EXPECT_EQ(b.world_matrix.m[3][1], 3.0f);
  EXPECT_EQ(b.world_matrix.m[3][2], 3.0f);
  // The mesh without faces fails and is skipped; the last loaded comes first.
  ASSERT_NE(b.mesh_list, nullptr);
  EXPECT_EQ(b.mesh_list->name, "Two");
}

TEST(ReadXFile, TwoMeshesInOneFrameNewestFirst) {
  SceneReader r;
  ASSERT_EQ(r.ReadText("Frame F {\n" + QuadMesh("First") + QuadMesh("Second") + "}\n"), S_OK);
  const MeshContainer* c = r.Root().first_child->mesh_list.get();
  ASSERT_NE(c, nullptr);
  ASSERT_NE(c->next, nullptr);
  EXPECT_EQ(c->name, "Second");
  EXPECT_EQ(c->next->name, "First");
}

TEST(ReadXFile, FailedReadLeavesTheEarlierSceneCurrent) {
  SceneReader r;
  ASSERT_EQ(r.ReadText("Frame Kept { }\n"), S_OK);
  SceneNode* before = r.reader.current_scene;
  EXPECT_EQ(r.ReadText("Animation { { Later } }\nFrame Later { }\n"), E_INVALIDARG);
  EXPECT_EQ(r.reader.current_scene, before);
  EXPECT_EQ(r.reader.scene_list.get(), before);
  EXPECT_EQ(r.reader.scene_list->next, nullptr);
  EXPECT_NE(r.reader.error.find("Later"), std::string::npos) << r.reader.error;
  // A later successful read replaces the current scene rather than stacking it.
  ASSERT_EQ(r.ReadText("Frame New { }\n"), S_OK);
  EXPECT_EQ(r.reader.scene_list->next, nullptr);
  EXPECT_EQ(*r.Root().first_child->name, "New");
}

}  // namespace
}  // namespace ortolix::testing
