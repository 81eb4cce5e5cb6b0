#include "export/model_vertex_list.h"

#include <gtest/gtest.h>

#include <set>

#include "export/export_allocation.h"
#include "tests/export/export_scene_test.h"
#include "tests/export/test_host_model.h"

namespace ortolix {
namespace {

using test::BuildCube;
using test::FaceDesc;
using test::TestHostModel;

class ModelVertexListTest : public test::ExportSceneTest {};

ExportOptions TextureOptions(std::int32_t coordinates, std::int32_t multiple) {
  ExportOptions options;
  options.exportTextureCoordinates = coordinates;
  options.exportMultipleUvSets = multiple;
  return options;
}

TEST_F(ModelVertexListTest, CubeSplitsVerticesByTheComparedTextureSets) {
  // {coordinates, multiple, vertices}: only 2 exactly equal to 1 switches a rule on.
  const std::int32_t cases[][3] = {{1, 0, 24}, {0, 0, 8}, {0, 1, 24}, {1, 1, 24}, {2, 2, 8}};
  TestHostModel model;
  BuildCube(model);
  for (const auto& c : cases) {
    SCOPED_TRACE(c[0] * 10 + c[1]);
    ASSERT_EQ(BuildModelVertexList(scene_, model, TextureOptions(c[0], c[1])), 1);
    EXPECT_EQ(scene_.modelVertexCount, c[2]);
  }
}

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
      EXPECT_EQ(vertex.first.u, face.texture->first[c].u);
      EXPECT_EQ(vertex.second.v, face.texture->second[c].v);
      used.insert(index);
    }
  }
  EXPECT_EQ(used.size(), 24u);
}

// Two triangles over vertices 0..2 (vertex 1 placed on vertex 0 when
// `samePlace`); the second face's first-set u and second-set v at corner 0
// vary, and an empty set means no texture record.
struct TriangleCase {
  const char* label;
  float u2;
  float v2;
  bool noTexture1;
  bool samePlace;
  ExportOptions options;
  std::int32_t vertices;
};

TEST_F(ModelVertexListTest, TwoTrianglesWeldOnlyOnEqualCompared) {
  const TriangleCase cases[] = {
      {"coordinates_compare_exactly", 0.50001f, 0, false, false, TextureOptions(1, 0), 4},
      {"second_set_ignored", 0.5f, 1, false, false, TextureOptions(1, 0), 3},
      {"second_set_with_multiple", 0.5f, 1, false, false, TextureOptions(1, 1), 4},
      {"missing_record_is_zero", 0, 0, true, false, TextureOptions(1, 1), 3},
      {"same_place_two_host_vertices", 0.5f, 0, false, true, TextureOptions(1, 0), 3},
  };
  for (const TriangleCase& c : cases) {
    SCOPED_TRACE(c.label);
    TestHostModel model;
    model.AddVertex({0, 0, 0});
    model.AddVertex(c.samePlace ? Vec3{0, 0, 0} : Vec3{1, 0, 0});
    model.AddVertex({0, 1, 0});
    const std::int32_t mesh = model.AddMesh();
    const float u1 = c.noTexture1 ? 0.0f : 0.5f;
    if (c.noTexture1) {
      model.AddFace(mesh, FaceDesc{{0, 1, 2}, {}, {}});
    } else {
      model.AddFace(mesh, FaceDesc{{0, 1, 2}, {{u1, 0}, {0, 0}, {0, 0}}, {{0, 0}, {0, 0}, {0, 0}}});
    }
    model.AddFace(mesh, FaceDesc{{0, 1, 2}, {{c.u2, 0}, {0, 0}, {0, 0}}, {{0, c.v2}, {0, 0}, {0, 0}}});
    ASSERT_EQ(BuildModelVertexList(scene_, model, c.options), 1);
    EXPECT_EQ(scene_.modelVertexCount, c.vertices);
    EXPECT_EQ(model.Face(0, 1).exportIndices[1], model.Face(0, 0).exportIndices[1]);
    EXPECT_EQ(scene_.modelVertices[1].sharedPosition, 0);
    const ExportVertex& last = scene_.modelVertices[scene_.modelVertexCount - 1];
    // A split vertex sits where the first one does; distinct host vertices never share.
    EXPECT_EQ(last.sharedPosition, c.vertices == 4 ? 1 : 0);
  }
}

TEST_F(ModelVertexListTest, CornerOutsideTheVertexArrayFails) {
  TestHostModel model;
  model.AddVertex({0, 0, 0});
  model.AddFace(model.AddMesh(), FaceDesc{{0, 1, -1}, {}, {}});
  EXPECT_EQ(BuildModelVertexList(scene_, model, options_), 0);
  EXPECT_EQ(scene_.modelVertices, nullptr);
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

}  // namespace
}  // namespace ortolix
