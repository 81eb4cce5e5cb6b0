// Meshes: vertices decoded from the vertex buffer, faces in attribute-range
// order, names and the holding frame's matrices.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/import/convert_test_support.h"

namespace ortolix {
namespace {

using test::Convert;
using test::MeshDescription;
using test::SceneBuilder;
using test::StripMesh;
using test::TranslationMatrix;

std::vector<std::int32_t> FaceWords(const ImportMesh& mesh) {
  std::vector<std::int32_t> words;
  for (const ImportFace& face : mesh.faces) {
    words.insert(words.end(), {face.material, face.vertices[0], face.vertices[1], face.vertices[2]});
  }
  return words;
}

TEST(MeshConversion, VerticesAreDecodedWithColourBytesAndNaNRepair) {
  SceneBuilder scene;
  MeshDescription desc = StripMesh(3);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  desc.vertices[0] = {1, nan, 3, 9, 9, 9, 0xFF8040C0u, 0.25f, 0.5f, nan, 0.75f};
  desc.vertices[1].color = 0x00FFFFFFu;  // alpha byte 0
  scene.Mesh(scene.Root(), desc);

  const ImportModel model = Convert(scene);
  ASSERT_EQ(model.meshes.size(), 1u);
  const ImportVertex& v = model.meshes[0].vertices[0];
  EXPECT_EQ(v.position.x, 1.0f);
  EXPECT_EQ(v.position.y, 0.0f);
  EXPECT_EQ(v.position.z, 3.0f);
  EXPECT_EQ(v.color.r, 128 * 0.003921569f);
  EXPECT_EQ(v.color.g, 64 * 0.003921569f);
  EXPECT_EQ(v.color.b, 192 * 0.003921569f);
  EXPECT_EQ(v.color.a, 1.0f);
  EXPECT_EQ(v.uv1.x, 0.25f);
  EXPECT_EQ(v.uv1.y, 0.5f);
  EXPECT_EQ(v.uv2.x, 0.0f);
  EXPECT_EQ(v.uv2.y, 0.75f);
  EXPECT_EQ(model.meshes[0].vertices[1].color.a, 1.0f);
  EXPECT_EQ(model.meshes[0].vertices[1].color.r, 255 * 0.003921569f);
}

struct FaceCase {
  const char* label;
  bool sixteenBit;
  std::vector<D3DXATTRIBUTERANGE> ranges;
  std::vector<std::int32_t> faces;  // material and three indices per face
};

TEST(MeshConversion, FacesFollowTheAttributeTable) {
  // Four vertices, faces (0,1,2) and (1,2,3).
  const FaceCase cases[] = {
      {"32-bit", false, {{0, 0, 1, 0, 4}, {1, 1, 1, 0, 4}}, {0, 0, 1, 2, 1, 1, 2, 3}},
      {"16-bit", true, {{0, 0, 1, 0, 4}, {1, 1, 1, 0, 4}}, {0, 0, 1, 2, 1, 1, 2, 3}},
      {"ranges in table order", false, {{5, 1, 1, 0, 4}, {2, 0, 1, 0, 4}}, {5, 1, 2, 3, 2, 0, 1, 2}},
      {"fewer faces covered", false, {{3, 1, 1, 0, 4}}, {3, 1, 2, 3, -1, -1, -1, -1}},
      {"more faces covered", false, {{0, 0, 2, 0, 4}, {7, 0, 2, 0, 4}}, {0, 0, 1, 2, 0, 1, 2, 3}},
      {"no attribute table", false, {}, {-1, -1, -1, -1, -1, -1, -1, -1}},
  };
  for (const FaceCase& c : cases) {
    SCOPED_TRACE(c.label);
    SceneBuilder scene;
    MeshDescription desc = StripMesh(4);
    desc.sixteenBit = c.sixteenBit;
    desc.ranges = c.ranges;
    scene.Mesh(scene.Root(), desc);
    const ImportModel model = Convert(scene);
    EXPECT_EQ(FaceWords(model.meshes[0]), c.faces);
  }
}

TEST(MeshConversion, NamesMatricesAndOrder) {
  SceneBuilder scene;
  MeshDescription rootMesh = StripMesh(3);
  rootMesh.name = "OnRoot";
  scene.Mesh(scene.Root(), rootMesh);
  FrameNode& body = scene.Frame(scene.Root(), "Body", TranslationMatrix(0, 1, 0));
  FrameNode& arm = scene.Frame(body, "Arm", TranslationMatrix(2, 0, 0));
  MeshDescription first = StripMesh(3), second = StripMesh(4);
  first.name = "First";
  scene.Mesh(arm, first);
  scene.Mesh(arm, second);  // unnamed: empty name; newest first in the list

  const ImportModel model = Convert(scene);
  ASSERT_EQ(model.meshCount, 3);
  EXPECT_EQ(model.meshes[0].meshName, "OnRoot");
  EXPECT_EQ(model.meshes[0].frameName, "NoFrameName0");
  EXPECT_EQ(model.meshes[1].meshName, "");
  EXPECT_EQ(model.meshes[1].vertices.size(), 4u);
  EXPECT_EQ(model.meshes[2].meshName, "First");
  EXPECT_EQ(model.meshes[2].frameName, "Arm");
  EXPECT_EQ(model.meshes[2].local.m[12], 2.0f);
  EXPECT_EQ(model.meshes[2].world.m[12], 2.0f);
  EXPECT_EQ(model.meshes[2].world.m[13], 1.0f);
  EXPECT_EQ(model.meshes[2].skinned, 0u);
  EXPECT_EQ(model.meshes[2].boneCount, 0);
}

TEST(MeshConversion, FailedLocksLeaveDefaults) {
  SceneBuilder scene;
  MeshDescription desc = StripMesh(3);
  desc.vertices[0].x = 5;
  scene.Mesh(scene.Root(), desc);
  D3DXTestSwitchesForTesting().fail_buffer_locks = true;
  ImportModel model;
  const bool converted = ConvertImportScene(scene.Reader(), ImportOptions{}, model);
  D3DXTestSwitchesForTesting().fail_buffer_locks = false;
  ASSERT_TRUE(converted);
  ASSERT_EQ(model.meshes[0].vertices.size(), 3u);
  EXPECT_EQ(model.meshes[0].vertices[0].position.x, 0.0f);
  EXPECT_EQ(FaceWords(model.meshes[0]), (std::vector<std::int32_t>{-1, -1, -1, -1}));
}

}  // namespace
}  // namespace ortolix
