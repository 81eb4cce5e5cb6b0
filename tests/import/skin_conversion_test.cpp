// Skins read from skinned containers, influences attached to vertices, and
// the weights normalised.
#include <gtest/gtest.h>

#include "tests/import/convert_test_support.h"

namespace ortolix {
namespace {

using test::BoneDescription;
using test::Convert;
using test::MeshDescription;
using test::SceneBuilder;
using test::StripMesh;

struct WeightView {
  std::int32_t bone;
  float weight;
  bool operator==(const WeightView&) const = default;
};

std::vector<WeightView> Weights(const ImportVertex& vertex) {
  std::vector<WeightView> out;
  for (const VertexWeight& w : vertex.weights) out.push_back({w.bone, w.weight});
  return out;
}

class SkinConversionTest : public ::testing::Test {
 protected:
  // Frames Hips > Spine > Arm (Arm deep in the tree, index 2), and after
  // them a skinned mesh of 6 vertices on frame Body (index 3).
  void SetUp() override {
    FrameNode& hips = scene_.Frame(scene_.Root(), "Hips");
    scene_.Frame(scene_.Frame(hips, "Spine"), "Arm");
    FrameNode& body = scene_.Frame(scene_.Root(), "Body");
    scene_.Mesh(body, StripMesh(3));  // not skinned, converted first
    MeshDescription desc = StripMesh(6);
    desc.bones = {
        BoneDescription{"Arm", {0, 1, 3, 99, 4}, {0.2f, 0.001f, 0.0011f, 0.5f, 0.5f}},
        BoneDescription{"Hips", {0, 1, 4, 4, 4, 4, 4}, {0.2f, 1.0f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f}},
        BoneDescription{"Ghost", {2, 4}, {0.3f, 0.5f}},
    };
    scene_.Mesh(body, desc);
  }
  SceneBuilder scene_;
};

TEST_F(SkinConversionTest, SkinReadAgainstTheListedFrames) {
  const ImportModel model = Convert(scene_);
  EXPECT_EQ(model.skinnedMeshCount, 1);
  ASSERT_EQ(model.skins.size(), 1u);
  const ImportSkin& skin = model.skins[0];
  EXPECT_EQ(skin.mesh, 0);  // the skinned container is newest, so first
  ASSERT_EQ(skin.bones.size(), 3u);
  EXPECT_EQ(skin.bones[0].name, "Arm");
  // 0.001 is not above the threshold; 0.0011 is; the vertex outside the mesh
  // stays in the skin.
  std::vector<std::int32_t> armVertices;
  for (const VertexWeight& w : skin.bones[0].influences) {
    armVertices.push_back(w.vertex);
    EXPECT_EQ(w.bone, -1);
  }
  EXPECT_EQ(armVertices, (std::vector<std::int32_t>{0, 3, 99, 4}));
  EXPECT_EQ(model.meshes[0].skinned, 1u);
  EXPECT_EQ(model.meshes[0].boneCount, 3);
  EXPECT_EQ(model.meshes[1].skinned, 0u);
}

TEST_F(SkinConversionTest, InfluencesAttachedAndNormalised) {
  const ImportModel model = Convert(scene_);
  const std::vector<ImportVertex>& v = model.meshes[0].vertices;
  ASSERT_EQ(v.size(), 6u);
  EXPECT_EQ(Weights(v[0]), (std::vector<WeightView>{{2, 0.5f}, {0, 0.5f}}));
  EXPECT_EQ(Weights(v[1]), (std::vector<WeightView>{{0, 1.0f}}));
  EXPECT_EQ(Weights(v[2]), (std::vector<WeightView>{{-1, 0.0f}}));  // names no frame
  EXPECT_EQ(Weights(v[3]), (std::vector<WeightView>{{2, 1.0f}}));
  EXPECT_TRUE(v[5].weights.empty());
  // Seven influences on one vertex are all kept, in skin order, normalised.
  ASSERT_EQ(v[4].weights.size(), 7u);
  float sum = 0;
  for (const VertexWeight& w : v[4].weights) sum += w.weight;
  EXPECT_NEAR(sum, 1.0f, 1e-6);
  EXPECT_EQ(v[4].weights[0].bone, 2);
  EXPECT_EQ(v[4].weights[1].bone, 0);
  EXPECT_EQ(v[4].weights[6].bone, -1);
  EXPECT_EQ(v[4].weights[6].weight, 0.0f);
  float read = 0.5f;
  for (int i = 0; i < 5; ++i) read += 0.1f;
  EXPECT_EQ(v[4].weights[0].weight, 0.5f * static_cast<float>(1.0 / double(read)));
}

}  // namespace
}  // namespace ortolix
