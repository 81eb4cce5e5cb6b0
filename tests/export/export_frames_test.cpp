#include "export/export_frames.h"

#include <gtest/gtest.h>

#include <cmath>

#include "export/export_allocation.h"
#include "export/group_meshes.h"
#include "export/model_vertex_list.h"
#include "export/skin_check.h"
#include "tests/export/export_scene_test.h"
#include "tests/export/test_models.h"

namespace ortolix {
namespace {

using testing::BuildCube;
using testing::FaceDesc;
using testing::TestHostModel;

const float kHalfRoot = std::sqrt(0.5f);
const Quat kQuarterTurnZ{0, 0, kHalfRoot, kHalfRoot};  // +90 degrees about z

void ExpectMatrixNear(const Matrix4& actual, const float (&expected)[16]) {
  for (int i = 0; i < 16; ++i) {
    EXPECT_NEAR(actual.m[i], expected[i], 1e-6f) << "element " << i;
  }
}

void ExpectIdentity(const Matrix4& actual) {
  const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  ExpectMatrixNear(actual, identity);
}

// The translation of a file-layout matrix (row 3).
Vec3 Translation(const Matrix4& m) { return Vec3{m.m[12], m.m[13], m.m[14]}; }

class ExportFramesTest : public testing::ExportSceneTest {};

TEST_F(ExportFramesTest, LocalMatrixIsTranslationRotationScaleInFileLayout) {
  TestHostModel model;
  model.AddBone("root", -1, {1, 2, 3}, kQuarterTurnZ, {2, 2, 2});
  ASSERT_EQ(BuildExportFrames(scene_, model), 1);
  ASSERT_EQ(scene_.frameCount, 1);
  const ExportFrame& frame = scene_.frames[0];
  // Row vectors: x maps to (0, 2, 0), y to (-2, 0, 0); translation last.
  const float expected[16] = {0, 2, 0, 0, -2, 0, 0, 0, 0, 0, 2, 0, 1, 2, 3, 1};
  ExpectMatrixNear(frame.local, expected);
  ExpectMatrixNear(frame.combined, expected);  // a root: combined = local
  EXPECT_EQ(frame.parent, -1);
  EXPECT_EQ(frame.translation.z, 3.0f);
  EXPECT_EQ(frame.rotation.w, kHalfRoot);
  EXPECT_EQ(frame.scale.x, 2.0f);
  EXPECT_EQ(frame.influenceCount, 0);
  EXPECT_EQ(frame.name[0], '\0');
  ExpectIdentity(frame.matrix0);
  ExpectIdentity(frame.matrix1);
  EXPECT_EQ(frame.influences, nullptr);
  ASSERT_FALSE(model.calls.empty());
  EXPECT_EQ(model.calls.back(), "SkeletonHook(1)");
}

TEST_F(ExportFramesTest, ChildCombinesWithItsParentFirst) {
  TestHostModel model;
  model.AddBone("root", -1, {1, 0, 0}, kQuarterTurnZ);
  model.AddBone("child", 0, {1, 0, 0});
  ASSERT_EQ(BuildExportFrames(scene_, model), 1);
  const Vec3 world = Translation(scene_.frames[1].combined);
  EXPECT_NEAR(world.x, 1.0f, 1e-6f);  // the parent's turn carries the child's
  EXPECT_NEAR(world.y, 1.0f, 1e-6f);  // offset from +x to +y
  EXPECT_NEAR(world.z, 0.0f, 1e-6f);
  EXPECT_EQ(Translation(scene_.frames[1].local).x, 1.0f);
}

struct ParentCase {
  const char* label;
  std::int32_t parent;       // of bone 0 (bone 1 is a root translated by 5)
  bool combinedIsIdentity;   // else combined equals local
};

class ParentRuleTest : public ExportFramesTest, public ::testing::WithParamInterface<ParentCase> {};

TEST_P(ParentRuleTest, CombinedMatrixFollowsTheParentRule) {
  TestHostModel model;
  model.AddBone("bone", GetParam().parent, {0, 3, 0});
  model.AddBone("other", -1, {5, 0, 0});
  ASSERT_EQ(BuildExportFrames(scene_, model), 1);
  const ExportFrame& frame = scene_.frames[0];
  if (GetParam().combinedIsIdentity) {
    ExpectIdentity(frame.combined);
  } else {
    for (int i = 0; i < 16; ++i) EXPECT_EQ(frame.combined.m[i], frame.local.m[i]);
  }
  EXPECT_EQ(Translation(frame.local).y, 3.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Parents, ParentRuleTest,
    ::testing::Values(ParentCase{"self_parent", 0, true}, ParentCase{"root", -1, false},
                      ParentCase{"other_negative", -7, false},
                      ParentCase{"parent_at_bone_count", 2, true},
                      // The parent comes later and still holds identity.
                      ParentCase{"parent_listed_after_child", 1, false}),
    [](const ::testing::TestParamInfo<ParentCase>& info) { return info.param.label; });

TEST_F(ExportFramesTest, NoBonesMakesNoArrayAndSkipsTheHook) {
  TestHostModel model;
  model.EnableEmptyBones();
  EXPECT_EQ(BuildExportFrames(scene_, model), 1);
  EXPECT_EQ(scene_.frames, nullptr);
  EXPECT_TRUE(model.calls.empty());
}

TEST_F(ExportFramesTest, AllocationFailureYieldsZero) {
  TestHostModel model;
  model.AddBone("root", -1);
  FailExportAllocationAt(1);
  EXPECT_EQ(BuildExportFrames(scene_, model), 0);
  EXPECT_EQ(scene_.frames, nullptr);
  EXPECT_EQ(scene_.frameCount, 0);
}

// A triangle of vertex 0 (bones 0 and 1), vertex 1 (bone 1, plus bones -1 and
// 2 that do not exist) and vertex 2 (no bone); vertex 0 used with two
// different coordinates.
void BuildSkinnedTriangles(TestHostModel& model) {
  model.AddVertex({0, 0, 0}, {{0, 0.5f}, {1, 0.5f}});
  model.AddVertex({1, 0, 0}, {{1, 1.0f}, {-1, 0.0f}, {2, 0.0f}});
  model.AddVertex({0, 1, 0});
  model.AddBone("a", -1);
  model.AddBone("b", 0);
  const std::int32_t mesh = model.AddMesh();
  model.AddFace(mesh, FaceDesc{{0, 1, 2}, {{0, 0}, {0, 0}, {0, 0}}, {}});
  model.AddFace(mesh, FaceDesc{{0, 2, 1}, {{1, 0}, {0, 0}, {0, 0}}, {}});
}

TEST_F(ExportFramesTest, InfluencesCountOncePerExportVertex) {
  TestHostModel model;
  BuildSkinnedTriangles(model);
  ExportOptions options;
  ASSERT_EQ(BuildModelVertexList(scene_, model, options), 1);
  ASSERT_EQ(scene_.modelVertexCount, 4);  // vertex 0 split in two
  ASSERT_EQ(BuildExportFrames(scene_, model), 1);
  EXPECT_EQ(CountBoneInfluences(scene_, model), 1);
  EXPECT_EQ(scene_.frames[0].influenceCount, 2);
  EXPECT_EQ(scene_.frames[1].influenceCount, 3);
}

TEST_F(ExportFramesTest, InfluenceCountsStayZeroInGroupMode) {
  TestHostModel model;
  BuildSkinnedTriangles(model);
  ExportOptions options;
  options.exportGroupsAsMeshes = 1;
  ASSERT_EQ(BuildGroupMeshes(scene_, model, options), 1);
  ASSERT_EQ(BuildExportFrames(scene_, model), 1);
  EXPECT_EQ(CountBoneInfluences(scene_, model), 1);
  EXPECT_EQ(scene_.frames[0].influenceCount, 0);
  EXPECT_EQ(scene_.frames[1].influenceCount, 0);
}

TEST(AllVerticesSkinned, AnswersZeroOnlyForASkinnedModelWithAFreeVertex) {
  EXPECT_EQ(AllVerticesSkinned(nullptr), 1);
  TestHostModel model;
  BuildSkinnedTriangles(model);
  EXPECT_EQ(AllVerticesSkinned(&model), 1);  // no bone is used by the skin
  model.bones.items[1].skinUseCount = 1;
  EXPECT_EQ(AllVerticesSkinned(&model), 0);
  model.vertices.items[2].influenceCount = 1;
  EXPECT_EQ(AllVerticesSkinned(&model), 1);
  model.vertices.items[2].influenceCount = 0;
  HostVertex* vertices = model.vertices.items;
  model.vertices.items = nullptr;
  EXPECT_EQ(AllVerticesSkinned(&model), 1);
  model.vertices.items = vertices;
}

}  // namespace
}  // namespace ortolix
