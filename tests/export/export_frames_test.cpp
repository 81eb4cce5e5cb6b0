#include "export/export_frames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "export/export_allocation.h"
#include "export/model_vertex_list.h"
#include "tests/export/export_scene_test.h"
#include "tests/export/test_host_model.h"

namespace ortolix {
namespace {

using test::BuildCube;
using test::FaceDesc;
using test::TestHostModel;

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

class ExportFramesTest : public test::ExportSceneTest {};

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
  ExpectIdentity(frame.matrix0);
  EXPECT_EQ(model.calls, std::vector<std::string>{"SkeletonHook(1)"});
}

TEST_F(ExportFramesTest, ChildCombinesWithItsParentFirst) {
  TestHostModel model;
  model.AddBone("root", -1, {1, 0, 0}, kQuarterTurnZ);
  model.AddBone("child", 0, {1, 0, 0});
  ASSERT_EQ(BuildExportFrames(scene_, model), 1);
  const Vec3 world = Translation(scene_.frames[1].combined);
  // The parent's turn carries the child's offset from +x to +y.
  EXPECT_NEAR(world.x, 1.0f, 1e-6f);
  EXPECT_NEAR(world.y, 1.0f, 1e-6f);
}

TEST_F(ExportFramesTest, CombinedMatrixFollowsTheParentRule) {
  // {parent of bone 0, combined is identity (else it equals local)}; bone 1
  // is a root translated by 5. A later parent still holds identity.
  const std::pair<std::int32_t, bool> cases[] = {{0, true}, {-1, false}, {-7, false},
                                                 {2, true}, {1, false}};
  for (const auto& [parent, identity] : cases) {
    SCOPED_TRACE(parent);
    TestHostModel model;
    model.AddBone("bone", parent, {0, 3, 0});
    model.AddBone("other", -1, {5, 0, 0});
    ASSERT_EQ(BuildExportFrames(scene_, model), 1);
    const ExportFrame& frame = scene_.frames[0];
    if (identity) {
      ExpectIdentity(frame.combined);
    } else {
      for (int i = 0; i < 16; ++i) EXPECT_EQ(frame.combined.m[i], frame.local.m[i]);
    }
    FreeExportScene(scene_);
  }
}

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

TEST_F(ExportFramesTest, InfluencesCountOncePerExportVertex) {
  // Vertex 0 (bones 0 and 1) used with two coordinates, vertex 1 (bone 1,
  // plus bones -1 and 2 that do not exist), vertex 2 (no bone).
  TestHostModel model;
  model.AddVertex({0, 0, 0}, {{0, 0.5f}, {1, 0.5f}});
  model.AddVertex({1, 0, 0}, {{1, 1.0f}, {-1, 0.0f}, {2, 0.0f}});
  model.AddVertex({0, 1, 0});
  model.AddBone("a", -1);
  model.AddBone("b", 0);
  const std::int32_t mesh = model.AddMesh();
  model.AddFace(mesh, FaceDesc{{0, 1, 2}, {{0, 0}, {0, 0}, {0, 0}}, {}});
  model.AddFace(mesh, FaceDesc{{0, 2, 1}, {{1, 0}, {0, 0}, {0, 0}}, {}});
  ASSERT_EQ(BuildModelVertexList(scene_, model, ExportOptions{}), 1);
  ASSERT_EQ(scene_.modelVertexCount, 4);  // vertex 0 split in two
  ASSERT_EQ(BuildExportFrames(scene_, model), 1);
  EXPECT_EQ(CountBoneInfluences(scene_, model), 1);
  EXPECT_EQ(scene_.frames[0].influenceCount, 2);
  EXPECT_EQ(scene_.frames[1].influenceCount, 3);
}

}  // namespace
}  // namespace ortolix
