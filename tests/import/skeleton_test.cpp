// Frame listing, animation sets, key copy and the rest-pose re-basing.
#include <gtest/gtest.h>

#include <cmath>

#include "import/rest_pose.h"
#include "tests/import/convert_test_support.h"

namespace ortolix {
namespace {

using testing::Convert;
using testing::FrameNames;
using testing::SceneBuilder;
using testing::TranslationMatrix;

TEST(FrameListing, ParentsFollowTheTreeAndPseudoFramesAreNotListed) {
  SceneBuilder scene;
  FrameNode& arm = scene.Frame(scene.Root(), "Arm");
  scene.Frame(arm, "Hand");
  FrameNode& set = scene.AnimationSet(scene.Root(), "Walk");
  FrameNode& animation = scene.Animation(set, &arm);
  // A Frame written inside an Animation: listed, with the parent rule taken
  // literally (the last frame listed before the animation node's children).
  scene.Frame(animation, "Inside");
  scene.Frame(scene.Root(), "Leg");
  scene.UnnamedFrame(scene.Root());

  const ImportModel model = Convert(scene);
  EXPECT_EQ(model.frameCount, 5);
  EXPECT_EQ(FrameNames(model), (std::vector<std::string>{"Arm", "Hand", "Inside", "Leg", "NoFmName4"}));
  std::vector<std::int32_t> parents;
  for (const ImportFrame& frame : model.frames) parents.push_back(frame.parent);
  EXPECT_EQ(parents, (std::vector<std::int32_t>{-1, 0, 1, -1, -1}));
}

// Keys of one kind at the given ticks, values (tick, 0, 0).
void AddPositionKeys(FrameNode& node, std::initializer_list<std::uint32_t> ticks) {
  for (std::uint32_t t : ticks) node.position_keys.push_back({t, float(t), 0, 0});
}

TEST(AnimationSets, KeysBindToFramesByNameAndSetTheTimeRange) {
  SceneBuilder scene;
  FrameNode& a = scene.Frame(scene.Root(), "A");
  FrameNode& b = scene.Frame(scene.Root(), "B");
  FrameNode x;  // a target that no listed frame is named like
  x.name = "X";
  FrameNode& walk = scene.AnimationSet(scene.Root(), "Walk");
  AddPositionKeys(scene.Animation(walk, &a), {10, 20});
  AddPositionKeys(scene.Animation(walk, &x), {0, 500});
  FrameNode& unnamed = scene.AnimationSet(scene.Root(), "");
  AddPositionKeys(scene.Animation(unnamed, &b), {7});
  FrameNode& twice = scene.Animation(unnamed, &b);
  twice.rotation_keys.push_back({9, 0, 0, 0, 1});

  const ImportModel model = Convert(scene);
  ASSERT_EQ(model.animationSets.size(), 2u);
  ASSERT_EQ(model.animations.size(), 2u);
  EXPECT_EQ(model.animationsPresent, 1);
  // The set records keep the ticks as read; the animations hold float times.
  EXPECT_EQ(model.animationSets[0].tracks[0].positionKeys[1].tick, 20u);
  EXPECT_EQ(model.animationSets[0].tracks[0].positionKeys[1].time, 0.0f);
  const ImportAnimation& first = model.animations[0];
  EXPECT_EQ(first.name, "Walk");
  EXPECT_EQ(first.start, 10.0f);  // the keys of X are dropped
  EXPECT_EQ(first.end, 20.0f);
  ASSERT_EQ(first.tracks[0].positionKeys.size(), 2u);
  EXPECT_EQ(first.tracks[0].positionKeys[1].time, 20.0f);
  EXPECT_EQ(first.tracks[0].positionKeys[1].tick, 0u);
  EXPECT_TRUE(first.tracks[1].positionKeys.empty());  // keys cover only some frames
  const ImportAnimation& second = model.animations[1];
  EXPECT_EQ(second.name, "DefaultAnim");
  EXPECT_EQ(second.start, 7.0f);
  EXPECT_EQ(second.end, 9.0f);
  EXPECT_EQ(second.tracks[1].positionKeys.size(), 1u);  // kept: the second track has none
  EXPECT_EQ(second.tracks[1].rotationKeys.size(), 1u);
}

struct RebaseCase {
  const char* label;
  D3DXMATRIX rest;
  Vec3 position, positionOut;
  Vec3 scale, scaleOut;
};

TEST(RestPose, KeysAreRebasedOnTheRestPose) {
  D3DXMATRIX scaled = TranslationMatrix(0, 0, 0);
  scaled.m[0][0] = 2;
  scaled.m[1][1] = 0;
  scaled.m[2][2] = 4;
  const RebaseCase cases[] = {
      {"identity", TranslationMatrix(0, 0, 0), {1, 2, 3}, {1, 2, 3}, {4, 5, 8}, {4, 5, 8}},
      {"translation", TranslationMatrix(1, 0, 0), {1, 2, 3}, {0, 2, 3}, {4, 5, 8}, {4, 5, 8}},
      {"scale with a zero", scaled, {0, 0, 0}, {0, 0, 0}, {4, 5, 8}, {2, 5, 2}},
  };
  for (const RebaseCase& c : cases) {
    SCOPED_TRACE(c.label);
    SceneBuilder scene;
    FrameNode& bone = scene.Frame(scene.Root(), "Bone", c.rest);
    FrameNode& animation = scene.Animation(scene.AnimationSet(scene.Root(), "S"), &bone);
    animation.position_keys.push_back({0, c.position.x, c.position.y, c.position.z});
    animation.scale_keys.push_back({0, c.scale.x, c.scale.y, c.scale.z});
    animation.rotation_keys.push_back({0, 0.6f, 0, 0, 0.8f});
    const ImportModel model = Convert(scene);
    const AnimationTrack& track = model.animations[0].tracks[0];
    EXPECT_EQ(track.positionKeys[0].value.x, c.positionOut.x);
    EXPECT_EQ(track.positionKeys[0].value.y, c.positionOut.y);
    EXPECT_EQ(track.positionKeys[0].value.z, c.positionOut.z);
    EXPECT_EQ(track.scaleKeys[0].value.x, c.scaleOut.x);
    EXPECT_EQ(track.scaleKeys[0].value.y, c.scaleOut.y);
    EXPECT_EQ(track.scaleKeys[0].value.z, c.scaleOut.z);
    // Rest rotation identity: each rotation key becomes its inverse.
    EXPECT_NEAR(track.rotationKeys[0].value.x, -0.6f, 1e-6);
    EXPECT_NEAR(track.rotationKeys[0].value.w, 0.8f, 1e-6);
  }
}

TEST(RestPose, MatrixKeysBecomePositionRotationAndScaleKeys) {
  SceneBuilder scene;
  FrameNode& bone = scene.Frame(scene.Root(), "Bone");
  FrameNode& animation = scene.Animation(scene.AnimationSet(scene.Root(), "S"), &bone);
  animation.position_keys.push_back({0, 9, 9, 9});  // replaced by the matrix keys
  // A quarter turn about z, scale 2, moved to (5, 6, 7), in file layout.
  SceneMatrixKey key{160, {0, 2, 0, 0, -2, 0, 0, 0, 0, 0, 2, 0, 5, 6, 7, 1}};
  animation.matrix_keys = {key, key};
  animation.matrix_keys[1].time = 320;

  const ImportModel model = Convert(scene);
  const AnimationTrack& track = model.animations[0].tracks[0];
  ASSERT_EQ(track.positionKeys.size(), 2u);
  ASSERT_EQ(track.rotationKeys.size(), 2u);
  ASSERT_EQ(track.scaleKeys.size(), 2u);
  EXPECT_EQ(track.matrixKeys.size(), 2u);
  EXPECT_EQ(track.positionKeys[1].time, 320.0f);
  EXPECT_EQ(track.positionKeys[0].value.x, 5.0f);
  EXPECT_EQ(track.positionKeys[0].value.z, 7.0f);
  EXPECT_NEAR(track.scaleKeys[0].value.x, 2.0f, 1e-5);
  EXPECT_NEAR(track.scaleKeys[0].value.z, 2.0f, 1e-5);
  // The rotation key is the inverse of the matrix's rotation, then the
  // re-basing inverts it again against the identity rest: the matrix's own
  // rotation, a quarter turn about z in the column layout.
  const AffineParts parts = DecomposeFileMatrix(MakeMatrix4(key.m));
  const Quat q = track.rotationKeys[0].value;
  EXPECT_NEAR(q.z, parts.q.z, 1e-6);
  EXPECT_NEAR(q.w, parts.q.w, 1e-6);
  EXPECT_NEAR(std::abs(q.z), std::sqrt(0.5f), 1e-5);
}

}  // namespace
}  // namespace ortolix
