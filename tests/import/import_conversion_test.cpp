// The conversion as a whole: its results on small scenes, the reset, and a
// sweep that fails each of its allocations in turn.
#include <gtest/gtest.h>

#include "import/import_allocation.h"
#include "import/import_animations.h"
#include "tests/import/convert_test_support.h"

namespace ortolix {
namespace {

using test::BoneDescription;
using test::Convert;
using test::Material;
using test::MeshDescription;
using test::SceneBuilder;
using test::StripMesh;

TEST(ImportConversion, SceneWithoutMeshes) {
  SceneBuilder scene;
  scene.Reader().ticks_per_second = 4800;
  const ImportModel model = Convert(scene);
  EXPECT_EQ(model.ticksPerSecond, 4800);
  EXPECT_EQ(model.frameCount, 0);
  EXPECT_EQ(model.meshCount, 0);
  EXPECT_TRUE(model.meshes.empty());
  EXPECT_EQ(model.materialCount, 1);
  ASSERT_EQ(model.materials.size(), 1u);
  EXPECT_EQ(model.materials[0].power, 128.0f);
  ASSERT_EQ(model.animations.size(), 1u);
  EXPECT_EQ(model.animations[0].name, "DefaultAnim0");
  EXPECT_EQ(model.animations[0].end, 30.0f);
  EXPECT_TRUE(model.animations[0].tracks.empty());
}

TEST(ImportConversion, ResetKeepsTicksAndSourcePath) {
  SceneBuilder scene;
  scene.Reader().ticks_per_second = 160;
  ImportModel model = Convert(scene);
  model.sourcePath = u"C:\\m.x";
  model.selectedAnimation = 2;
  model.mergedMaterials.resize(1);
  ResetImportModel(model);
  EXPECT_EQ(model.ticksPerSecond, 160);
  EXPECT_EQ(model.sourcePath, u"C:\\m.x");
  const std::vector<std::int32_t> fields{model.currentMesh,  model.currentMaterial,  model.currentFrame,
                                         model.selectedAnimation, model.frameCount, model.materialCount,
                                         model.meshCount, model.skinnedMeshCount, model.animationsPresent};
  EXPECT_EQ(fields, std::vector<std::int32_t>(9, 0));
  EXPECT_TRUE(model.materials.empty() && model.mergedMaterials.empty() && model.animations.empty());
}

// Tracks are frames times animations: a file of many frames and many empty
// sets fails the read instead of asking for their product in memory.
TEST(ImportConversion, TooManyTracksFailTheRead) {
  for (const std::size_t sets : {10u, 1049u}) {
    SceneBuilder scene;
    for (int f = 0; f < 1000; ++f) scene.Frame(scene.Root(), "F" + std::to_string(f));
    for (std::size_t s = 0; s < sets; ++s) scene.AnimationSet(scene.Root(), "S");
    ImportModel model;
    const bool converted = ConvertImportScene(scene.Reader(), ImportOptions{}, model);
    EXPECT_EQ(converted, sets * 1000 <= kMaxImportTracks) << sets;
  }
}

// Two sets, skinned and plain meshes with materials: every kind of
// allocation the conversion makes.
void BuildRichScene(SceneBuilder& scene) {
  FrameNode& hips = scene.Frame(scene.Root(), "Hips");
  FrameNode& arm = scene.Frame(hips, "Arm");
  MeshDescription skinned = StripMesh(5, 2);
  skinned.materials = {Material(1, 0, 0, 1, 10, "a\\wood.bmp"), Material(0, 1, 0, 1, 10, "Wood.BMP")};
  skinned.materialNames = {"m0", "m1"};
  skinned.bones = {BoneDescription{"Arm", {0, 1, 2}, {0.5f, 0.5f, 1}}, BoneDescription{"Hips", {0, 1, 3}, {0.5f, 0.2f, 1}}};
  scene.Mesh(arm, skinned);
  MeshDescription plain = StripMesh(4);
  plain.materials = {Material(0, 0, 1, 1, 0)};
  scene.Mesh(hips, plain);
  for (const char* name : {"Walk", "Run"}) {
    FrameNode& set = scene.AnimationSet(scene.Root(), name);
    FrameNode& a = scene.Animation(set, &arm);
    a.position_keys = {{0, 1, 2, 3}, {10, 1, 2, 3}};
    a.rotation_keys = {{0, 0, 0, 0, 1}};
    a.scale_keys = {{5, 1, 1, 1}};
    a.matrix_keys = {{10, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}};
    scene.Animation(set, &hips).position_keys = {{3, 0, 0, 0}};
  }
}

// What holds after any conversion that returned true.
void CheckModel(const ImportModel& model) {
  ASSERT_EQ(model.meshes.size(), std::size_t(model.meshCount));
  ASSERT_EQ(model.frames.size(), std::size_t(model.frameCount));
  ASSERT_EQ(model.materials.size(), std::size_t(model.materialCount));
  ASSERT_FALSE(model.animations.empty());
  for (const ImportAnimation& animation : model.animations) ASSERT_EQ(animation.tracks.size(), model.frames.size());
  for (const ImportMesh& mesh : model.meshes) {
    // Faces keep their indices when the vertices could not be allocated.
    for (const ImportFace& face : mesh.faces) {
      for (std::int32_t v : face.vertices) {
        if (!mesh.vertices.empty()) {
          ASSERT_LT(v, std::int32_t(mesh.vertices.size()));
        }
      }
    }
    for (const ImportVertex& vertex : mesh.vertices) {
      for (const VertexWeight& w : vertex.weights) ASSERT_LT(w.bone, std::int32_t(model.frames.size()));
    }
  }
}

TEST(ImportConversion, EveryFailedAllocationSkipsItsItemOrFailsTheRead) {
  FailImportAllocationAt(0);
  std::int64_t allocations = 0;
  {
    SceneBuilder scene;
    BuildRichScene(scene);
    const ImportModel model = Convert(scene);
    allocations = ImportAllocationCount();
    CheckModel(model);
    EXPECT_EQ(model.skins.size(), 1u);
  }
  ASSERT_GT(allocations, 20);
  // Frames, meshes, materials, the animations and the tracks of each of the
  // two animations are the main arrays: only their failures fail the read.
  int failedReads = 0;
  for (std::int64_t nth = 1; nth <= allocations; ++nth) {
    SCOPED_TRACE(nth);
    SceneBuilder scene;
    BuildRichScene(scene);
    ImportModel model;
    FailImportAllocationAt(nth);
    const bool converted = ConvertImportScene(scene.Reader(), ImportOptions{}, model);
    FailImportAllocationAt(0);
    if (converted) {
      CheckModel(model);
    } else {
      ++failedReads;
    }
    MergeSimilarMaterials(model);
  }
  EXPECT_EQ(failedReads, 6);
}

}  // namespace
}  // namespace ortolix
