#include "export/model_vertex_list.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "export/export_allocation.h"
#include "export/vertex_weld.h"
#include "tests/export/export_scene_test.h"
#include "tests/export/test_models.h"

namespace ortolix {
namespace {

using testing::BuildCube;
using testing::FaceDesc;
using testing::TestHostModel;

class ModelVertexListTest : public testing::ExportSceneTest {};

ExportOptions TextureOptions(std::int32_t coordinates, std::int32_t multiple) {
  ExportOptions options;
  options.exportTextureCoordinates = coordinates;
  options.exportMultipleUvSets = multiple;
  return options;
}

struct CubeCase {
  std::int32_t coordinates;
  std::int32_t multiple;
  std::int32_t expected;
};

class CubeWeldTest : public ModelVertexListTest,
                     public ::testing::WithParamInterface<CubeCase> {};

TEST_P(CubeWeldTest, SplitsVerticesByTheComparedTextureSets) {
  TestHostModel model;
  BuildCube(model);
  const CubeCase& c = GetParam();
  ASSERT_EQ(BuildModelVertexList(scene_, model, TextureOptions(c.coordinates, c.multiple)), 1);
  EXPECT_EQ(scene_.modelVertexCount, c.expected);
  EXPECT_EQ(scene_.groupMeshes, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Options, CubeWeldTest,
                         ::testing::Values(CubeCase{1, 0, 24}, CubeCase{0, 0, 8},
                                           CubeCase{0, 1, 24}, CubeCase{1, 1, 24},
                                           // Only 2 exactly equal to 1 switches a rule on.
                                           CubeCase{2, 2, 8}));

TEST_F(ModelVertexListTest, CornerIndicesPointAtVerticesOfTheirHostVertexAndCoordinates) {
  TestHostModel model;
  BuildCube(model);
  ASSERT_EQ(BuildModelVertexList(scene_, model, options_), 1);
  std::set<std::int32_t> used;
  for (std::int32_t f = 0; f < 6; ++f) {
    const HostFace& face = model.Face(0, f);
    for (std::int32_t c = 0; c < face.cornerCount; ++c) {
      const std::int32_t index = face.exportIndices[c];
      ASSERT_GE(index, 0);
      ASSERT_LT(index, scene_.modelVertexCount);
      const ExportVertex& vertex = scene_.modelVertices[index];
      EXPECT_EQ(vertex.hostVertex, face.corners[c]);
      EXPECT_EQ(vertex.hostVertexAgain, face.corners[c]);
      EXPECT_EQ(vertex.first.u, face.texture->first[c].u);
      EXPECT_EQ(vertex.first.v, face.texture->first[c].v);
      EXPECT_EQ(vertex.first.hostWord0, 7);
      EXPECT_EQ(vertex.second.v, face.texture->second[c].v);
      used.insert(index);
    }
  }
  EXPECT_EQ(used.size(), 24u);
}

TEST_F(ModelVertexListTest, VerticesAppearInFirstUseOrderWithHostData) {
  TestHostModel model;
  model.AddVertex({1, 2, 3});
  model.AddVertex({4, 5, 6});
  model.AddVertex({7, 8, 9});
  const std::int32_t mesh = model.AddMesh();
  model.AddFace(mesh, FaceDesc{{2, 0, 1}, {{0, 0}, {0, 0}, {0, 0}}, {}});
  ASSERT_EQ(BuildModelVertexList(scene_, model, options_), 1);
  ASSERT_EQ(scene_.modelVertexCount, 3);
  EXPECT_EQ(scene_.modelVertices[0].hostVertex, 2);
  EXPECT_EQ(scene_.modelVertices[1].hostVertex, 0);
  EXPECT_EQ(scene_.modelVertices[0].position.x, 7.0f);
  EXPECT_EQ(scene_.modelVertices[0].normal.y, 1.0f);
  EXPECT_EQ(scene_.modelVertices[0].color.a, 1.0f);
  EXPECT_EQ(scene_.modelVertices[0].sharedPosition, 0);
}

TEST_F(ModelVertexListTest, TextureCoordinatesCompareExactly) {
  TestHostModel model;
  model.AddVertex({0, 0, 0});
  model.AddVertex({1, 0, 0});
  model.AddVertex({0, 1, 0});
  const std::int32_t mesh = model.AddMesh();
  model.AddFace(mesh, FaceDesc{{0, 1, 2}, {{0.5f, 0}, {0, 0}, {0, 0}}, {}});
  model.AddFace(mesh, FaceDesc{{0, 2, 1}, {{0.50001f, 0}, {0, 0}, {0, 0}}, {}});
  ASSERT_EQ(BuildModelVertexList(scene_, model, options_), 1);
  EXPECT_EQ(scene_.modelVertexCount, 4);
  EXPECT_NE(model.Face(0, 0).exportIndices[0], model.Face(0, 1).exportIndices[0]);
  // The split vertex sits where the first one does.
  EXPECT_EQ(scene_.modelVertices[model.Face(0, 1).exportIndices[0]].sharedPosition, 1);
  EXPECT_EQ(model.Face(0, 1).exportIndices[1], model.Face(0, 0).exportIndices[2]);
}

TEST_F(ModelVertexListTest, SecondSetSplitsOnlyWithMultipleUvSets) {
  TestHostModel model;
  model.AddVertex({0, 0, 0});
  model.AddVertex({1, 0, 0});
  model.AddVertex({0, 1, 0});
  const std::int32_t mesh = model.AddMesh();
  model.AddFace(mesh, FaceDesc{{0, 1, 2}, {{0, 0}, {0, 0}, {0, 0}}, {{0, 0}, {0, 0}, {0, 0}}});
  model.AddFace(mesh, FaceDesc{{0, 1, 2}, {{0, 0}, {0, 0}, {0, 0}}, {{0, 1}, {0, 0}, {0, 0}}});
  ASSERT_EQ(BuildModelVertexList(scene_, model, TextureOptions(1, 0)), 1);
  EXPECT_EQ(scene_.modelVertexCount, 3);
  ASSERT_EQ(BuildModelVertexList(scene_, model, TextureOptions(1, 1)), 1);
  EXPECT_EQ(scene_.modelVertexCount, 4);
}

TEST_F(ModelVertexListTest, MissingTextureRecordCountsAsZeroCoordinates) {
  TestHostModel model;
  model.AddVertex({0, 0, 0});
  model.AddVertex({1, 0, 0});
  model.AddVertex({0, 1, 0});
  const std::int32_t mesh = model.AddMesh();
  model.AddFace(mesh, FaceDesc{{0, 1, 2}, {}, {}});
  model.AddFace(mesh, FaceDesc{{0, 1, 2}, {{0, 0}, {0, 0}, {0, 0}}, {}});
  ASSERT_EQ(BuildModelVertexList(scene_, model, TextureOptions(1, 1)), 1);
  EXPECT_EQ(scene_.modelVertexCount, 3);
  EXPECT_EQ(scene_.modelVertices[0].first.u, 0.0f);
}

TEST_F(ModelVertexListTest, SameSpotOnTwoHostVerticesStaysTwoVertices) {
  // Two host vertices at the same place stay two ExportVertices: the weld
  // never looks beyond the chain of one host vertex.
  TestHostModel model;
  model.AddVertex({0, 0, 0});
  model.AddVertex({0, 0, 0});
  model.AddVertex({0, 1, 0});
  const std::int32_t mesh = model.AddMesh();
  model.AddFace(mesh, FaceDesc{{0, 1, 2}, {}, {}});
  ASSERT_EQ(BuildModelVertexList(scene_, model, options_), 1);
  EXPECT_EQ(scene_.modelVertexCount, 3);
  EXPECT_EQ(scene_.modelVertices[1].sharedPosition, 0);
}

TEST_F(ModelVertexListTest, ModelWithoutCornersLeavesTheListEmpty) {
  TestHostModel model;
  model.AddVertex({0, 0, 0});
  ASSERT_EQ(BuildModelVertexList(scene_, model, options_), 1);
  EXPECT_EQ(scene_.modelVertices, nullptr);
  EXPECT_EQ(scene_.modelVertexCount, 0);
}

TEST_F(ModelVertexListTest, CornerOutsideTheVertexArrayFails) {
  TestHostModel model;
  model.AddVertex({0, 0, 0});
  const std::int32_t mesh = model.AddMesh();
  model.AddFace(mesh, FaceDesc{{0, 1, -1}, {}, {}});
  EXPECT_EQ(BuildModelVertexList(scene_, model, options_), 0);
  EXPECT_EQ(scene_.modelVertices, nullptr);
}

TEST_F(ModelVertexListTest, RebuildReleasesThePreviousList) {
  TestHostModel model;
  BuildCube(model);
  ASSERT_EQ(BuildModelVertexList(scene_, model, options_), 1);
  ASSERT_EQ(BuildModelVertexList(scene_, model, TextureOptions(0, 0)), 1);
  EXPECT_EQ(scene_.modelVertexCount, 8);
}

TEST_F(ModelVertexListTest, EveryAllocationFailureYieldsZeroAndNoList) {
  TestHostModel model;
  BuildCube(model);
  FailExportAllocationAt(0);
  ASSERT_EQ(BuildModelVertexList(scene_, model, options_), 1);
  const std::int64_t allocations = ExportAllocationCount();
  ASSERT_GT(allocations, 2);
  for (std::int64_t nth = 1; nth <= allocations; ++nth) {
    SCOPED_TRACE(nth);
    FailExportAllocationAt(nth);
    EXPECT_EQ(BuildModelVertexList(scene_, model, options_), 0);
    EXPECT_EQ(scene_.modelVertices, nullptr);
    EXPECT_EQ(scene_.modelVertexCount, 0);
  }
}

TEST(VertexWeld, ChainKeepsCreationOrderAndSharedPositionFlag) {
  VertexChainTable chains;
  ExportVertexArray vertices;
  ExportVertex a{};
  a.hostVertex = 5;
  a.first.u = 1;
  ExportVertex b = a;
  b.first.u = 2;
  ExportVertex moved = a;
  moved.position.x = 0.00005f;  // within tolerance of a: same position
  EXPECT_EQ(FindOrAddExportVertex(chains, vertices, 5, a, WeldRule::kFirstTextureSet), 0);
  EXPECT_EQ(FindOrAddExportVertex(chains, vertices, 5, b, WeldRule::kFirstTextureSet), 1);
  EXPECT_EQ(vertices[1].sharedPosition, 1);
  EXPECT_EQ(FindOrAddExportVertex(chains, vertices, 5, moved, WeldRule::kFirstTextureSet), 0);
  EXPECT_EQ(FindOrAddExportVertex(chains, vertices, 5, b, WeldRule::kFirstTextureSet), 1);
  EXPECT_EQ(FindOrAddExportVertex(chains, vertices, 5, b, WeldRule::kPositionOnly), 0);
  ExportVertex far = a;
  far.position.x = 0.0001f;  // not within tolerance
  EXPECT_EQ(FindOrAddExportVertex(chains, vertices, 5, far, WeldRule::kPositionOnly), 2);
  EXPECT_EQ(vertices[2].sharedPosition, 0);
  EXPECT_GE(chains.heads.size(), 6u);
}

}  // namespace
}  // namespace ortolix
