#include "export/group_meshes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "export/export_allocation.h"
#include "tests/export/export_scene_test.h"
#include "tests/export/test_host_model.h"

namespace ortolix {
namespace {

using test::BuildCube;
using test::TestHostModel;

class GroupMeshesTest : public test::ExportSceneTest {};

// Faces 0, 2, 4 in group "a"; 1, 3, 5 in group "b".
void BuildTwoGroupCube(TestHostModel& model) {
  model.AddGroup("a");
  model.AddGroup("b");
  BuildCube(model, 2);
}

TEST_F(GroupMeshesTest, ModelWithoutGroupsGivesOneDefaultMeshOfGroupZeroFaces) {
  TestHostModel model;
  BuildCube(model, 2);
  ASSERT_EQ(BuildGroupMeshes(scene_, model, options_), 1);
  ASSERT_EQ(scene_.groupMeshCount, 1);
  const GroupMesh& only = scene_.groupMeshes[0];
  EXPECT_STREQ(only.name, "defaultMesh");
  ASSERT_EQ(only.faceCount, 3);
  EXPECT_EQ(only.faces[1].hostFace, 2);
  EXPECT_EQ(scene_.modelVertices, nullptr);
}

TEST_F(GroupMeshesTest, FacesGoToTheirGroupInHostOrderWithOwnVertices) {
  TestHostModel model;
  BuildTwoGroupCube(model);
  model.AddGroup("empty");
  ASSERT_EQ(BuildGroupMeshes(scene_, model, options_), 1);
  ASSERT_EQ(scene_.groupMeshCount, 3);
  EXPECT_STREQ(scene_.groupMeshes[0].name, "a");
  EXPECT_STREQ(scene_.groupMeshes[2].name, "empty");
  for (std::int32_t k = 0; k < 2; ++k) {
    const GroupMesh& mesh = scene_.groupMeshes[k];
    ASSERT_EQ(mesh.faceCount, 3);
    EXPECT_EQ(mesh.vertexCount, 12);  // every corner has its own coordinates
    for (std::int32_t f = 0; f < 3; ++f) {
      const GroupFace& face = mesh.faces[f];
      EXPECT_EQ(face.hostFace, 2 * f + k);
      EXPECT_EQ(face.material, (2 * f + k) % 2);
      ASSERT_EQ(face.cornerCount, 4);
      const HostFace& host = model.Face(0, face.hostFace);
      for (std::int32_t c = 0; c < 4; ++c) {
        ASSERT_LT(face.corners[c], mesh.vertexCount);
        EXPECT_EQ(mesh.vertices[face.corners[c]].hostVertex, host.corners[c]);
        EXPECT_EQ(mesh.vertices[face.corners[c]].first.u, host.texture->first[c].u);
      }
    }
  }
  EXPECT_EQ(scene_.groupMeshes[2].faceCount, 0);
  EXPECT_EQ(scene_.groupMeshes[2].vertices, nullptr);
  // Group mode never writes the whole-model corner indices.
  EXPECT_EQ(model.Face(0, 0).exportIndices[0], -1);
}

TEST_F(GroupMeshesTest, WeldRestartsForEveryGroupMesh) {
  TestHostModel model;
  BuildTwoGroupCube(model);
  ExportOptions positionsOnly;
  positionsOnly.exportTextureCoordinates = 0;
  ASSERT_EQ(BuildGroupMeshes(scene_, model, positionsOnly), 1);
  // Faces 0, 2, 4 use host vertices 0 to 6; faces 1, 3, 5 use 1 to 7. The six
  // shared host vertices appear in both GroupMeshes.
  EXPECT_EQ(scene_.groupMeshes[0].vertexCount, 7);
  EXPECT_EQ(scene_.groupMeshes[1].vertexCount, 7);
  EXPECT_EQ(scene_.groupMeshes[1].vertices[0].hostVertex, 4);
}

TEST_F(GroupMeshesTest, LongNamesAreKeptWhole) {
  GroupMesh mesh{};
  std::string name(254, 'a');
  name += "\xC3\xA9\xC3\xA9";  // two two-byte characters reaching past 255 bytes
  ASSERT_TRUE(SetGroupMeshName(mesh, name.c_str()));
  EXPECT_EQ(std::string(mesh.name), name);
  ASSERT_TRUE(SetGroupMeshName(mesh, "left_hand"));
  EXPECT_STREQ(mesh.name, "left_hand");
  DeleteExportArray(mesh.name);
}

TEST_F(GroupMeshesTest, EveryAllocationFailureYieldsZeroAndReleasesCleanly) {
  TestHostModel model;
  BuildTwoGroupCube(model);
  FailExportAllocationAt(0);
  ASSERT_EQ(BuildGroupMeshes(scene_, model, options_), 1);
  const std::int64_t allocations = ExportAllocationCount();
  ASSERT_GT(allocations, 10);
  for (std::int64_t nth = 1; nth <= allocations; ++nth) {
    SCOPED_TRACE(nth);
    FailExportAllocationAt(nth);
    EXPECT_EQ(BuildGroupMeshes(scene_, model, options_), 0);
    FreeGroupMeshes(scene_);
    EXPECT_EQ(scene_.groupMeshes, nullptr);
    EXPECT_EQ(scene_.groupMeshCount, 0);
  }
}

}  // namespace
}  // namespace ortolix
