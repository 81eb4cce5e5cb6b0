// The writer's output for small hand-built scenes, compared byte for byte
// with expected files written from the file format by hand.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <tuple>

#include "platform/crt/clock.h"
#include "tests/xwriter/golden_file.h"
#include "tests/xwriter/test_model.h"

namespace ortolix {
namespace {

using test::TestModel;
using test::TestScene;

constexpr std::int64_t kEpoch = 1796491540;  // Sat Dec 05 17:25:40 2026 UTC

class SceneGolden : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
    SetClock(kEpoch);
    options_ = test::NoOptions();
  }
  void TearDown() override { SetClock(std::nullopt); }

  // Four vertices, two triangles (0 1 2) and (0 2 3) with materials 0 and 1
  // and groups 0 and 1, two materials, the first with a bitmap texture.
  void BuildQuad(bool skinned) {
    auto influences = [&](std::vector<HostInfluence> list) {
      return skinned ? list : std::vector<HostInfluence>{};
    };
    model_.AddVertex({0, 0, 0}, {0, 0, 1}, {1, 0, 0, 1}, influences({{0, 1.0f}}));
    model_.AddVertex({1, 0, 0}, {0, 0, 1}, {0, 1, 0, 1}, influences({{0, 0.5f}, {1, 0.5f}}));
    model_.AddVertex({1, 1, -0.5f}, {0, 0, 1}, {0, 0, 1, 0.5f}, influences({{1, 1.0f}}));
    model_.AddVertex({0, 1, 0.25f}, {0, 0, -1}, {1, 1, 1, 1}, influences({{1, 0.25f}, {0, 0.75f}}));
    model_.SetFaces({{0, 0, {0, 1, 2}}, {1, 1, {0, 2, 3}}});
    HostMaterial& red = model_.AddMaterial("red");
    red.diffuse = {1, 0, 0, 0.5f};  // the diffuse alpha is not written
    red.opacity = 0.75f;
    red.power = 32;
    red.specular = {0.5f, 0.5f, 0.5f, 1};
    texture_.kind = kBitmapMapKind;
    texture_.flags = 1;
    texture_.path = HostPathString("C:\\tex\\wood.bmp");
    model_.SetTexture(red, &texture_);
    HostMaterial& plain = model_.AddMaterial("plain");
    plain.diffuse = {0.25f, 0.25f, 0.25f, 1};
    plain.emissive = {0.1f, 0.2f, 0.3f, 1};
    const float uv1[4][2] = {{0.5f, 1.0f}, {0.0f, -2.0f}, {0.25f, 0.0f}, {1.0f, 1.0f}};
    const float uv0[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int h = 0; h < 4; ++h) {
      vertex_[h] = test::MakeExportVertex(model_, h, uv0[h][0], uv0[h][1], uv1[h][0], uv1[h][1]);
    }
  }

  void UseModelVertexList() { scene_.modelVertices.assign(vertex_, vertex_ + 4); }

  void UseGroupMeshes() {
    model_.AddGroup("front", 1, {0});
    model_.AddGroup("back", 1, {0, 1});
    model_.AddGroup("empty", 0, {});
    scene_.groups.push_back({"front", {vertex_[0], vertex_[1], vertex_[2]}, {{0, 1, 2}}, {0}});
    scene_.groups.push_back({"back", {vertex_[0], vertex_[2], vertex_[3]}, {{0, 1, 2}}, {1}});
    scene_.groups.push_back({"empty", {}, {}, {}});
  }

  static Matrix4 Translation(float x, float y, float z) {
    return Matrix4{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}};
  }

  // Bones root, body (child of root, named like the mesh frame) and orphan
  // (parent -2, never written as a frame); two animations.
  void BuildSkeleton() {
    model_.AddBone("root", -1, 1);
    model_.AddBone("body", 0, 1);
    model_.AddBone("orphan", -2, 0);
    scene_.frames.resize(3);
    scene_.frames[0].local = scene_.frames[0].combined = Translation(1, 2, 3);
    scene_.frames[0].influenceCount = 3;
    scene_.frames[1].local = Translation(0, 1, 0);
    scene_.frames[1].combined = Translation(1, 3, 3);
    scene_.frames[1].scale = {2, 0, 1};
    scene_.frames[1].influenceCount = 3;

    HostAnimation& walk = model_.AddAnimation("walk", 24, 3);
    model_.AddPositionKey(walk.tracks[0], 0, {0, 0, 0});
    model_.AddPositionKey(walk.tracks[0], 1.5f, {1, 0, -1});
    model_.AddRotationKey(walk.tracks[0], 0.999f, {0, 0, 0.6f, 0.8f});
    model_.AddScaleKey(walk.tracks[1], 0, {3, 3, 3});
    model_.AddPositionKey(walk.tracks[2], 0.5f, {1, 1, 1});
    HostAnimation& idle = model_.AddAnimation("idle", 0, 3);
    model_.AddRotationKey(idle.tracks[1], 1, {0, 0, 0, 1});
  }

  std::string Write() {
    ExportScene view = scene_.View();
    int result = -1;
    std::string text = test::WriteSceneText(WriteContext{&model_, &view, &options_}, &result);
    EXPECT_EQ(result, 1);
    return text;
  }

  static std::string Expected(const char* body) {
    return test::ReadGolden("header_minimal.x") + test::ReadGolden(body);
  }

  TestModel model_;
  TestScene scene_;
  ExportOptions options_;
  HostBitmapMap texture_;
  ExportVertex vertex_[4];
};

// Each case: golden file, model builder, options; every case with and
// without "Flip handedness".
struct SceneCase {
  const char* golden;
  bool skinned, groups, skeleton;
  void (*set)(ExportOptions&);
};

const SceneCase kSceneCases[] = {
    {"single_mesh", false, false, false,
     [](ExportOptions& o) {
       o.exportMaterials = o.exportTextureCoordinates = o.exportVertexNormals = 1;
       o.exportVertexColors = o.exportTicksPerSecond = o.exportAnimation = 1;
     }},
    {"group_mesh", false, true, false,
     [](ExportOptions& o) {
       o.exportGroupsAsMeshes = o.exportMaterials = o.exportTextureCoordinates = 1;
       o.exportMultipleUvSets = 1;
     }},
    {"skeleton", true, false, true,
     [](ExportOptions& o) {
       o.exportRootBoneTransform = o.exportTicksPerSecond = o.exportAnimation = 1;
     }},
    // Group meshes beside the bone tree, each with its own skin weights.
    {"skeleton_groups", true, true, true,
     [](ExportOptions& o) { o.exportGroupsAsMeshes = o.exportMaterials = 1; }},
};

class SceneTable : public SceneGolden,
                   public ::testing::WithParamInterface<std::tuple<SceneCase, bool>> {};

TEST_P(SceneTable, MatchesTheGoldenFile) {
  const auto& [c, flip] = GetParam();
  BuildQuad(c.skinned);
  if (c.groups) {
    UseGroupMeshes();
  } else {
    UseModelVertexList();
  }
  if (c.skeleton) BuildSkeleton();
  c.set(options_);
  options_.flipHandedness = flip ? 1 : 0;
  EXPECT_EQ(Write(), Expected((std::string(c.golden) + (flip ? "_flip.x" : ".x")).c_str()));
}

INSTANTIATE_TEST_SUITE_P(Scenes, SceneTable,
                         ::testing::Combine(::testing::ValuesIn(kSceneCases), ::testing::Bool()));

}  // namespace
}  // namespace ortolix
