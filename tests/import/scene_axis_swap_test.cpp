#include "import/scene_axis_swap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "host/host_json.h"

namespace ortolix {
namespace {

std::unique_ptr<InProcessHost> Load(const std::string& members) {
  HostLoadResult loaded =
      LoadHostModelJson(R"({"format": "ortolix-host-model", "version": 1, )" + members + "}");
  EXPECT_TRUE(loaded.host) << loaded.error;
  return std::move(loaded.host);
}

void ExpectVec(const Vec3& got, float x, float y, float z) {
  EXPECT_NEAR(got.x, x, 1e-5f);
  EXPECT_NEAR(got.y, y, 1e-5f);
  EXPECT_NEAR(got.z, z, 1e-5f);
}

// A quarter turn about X that takes +y to +z would be (s, 0, 0, s); the
// forward swap takes +y to -z, so (-s, 0, 0, s) up to the quaternion's sign.
void ExpectForwardQuarterTurn(const Quat& q) {
  const float s = std::sqrt(0.5f);
  const float sign = q.w < 0 ? -1.0f : 1.0f;
  EXPECT_NEAR(sign * q.x, -s, 1e-5f);
  EXPECT_NEAR(sign * q.y, 0, 1e-5f);
  EXPECT_NEAR(sign * q.z, 0, 1e-5f);
  EXPECT_NEAR(sign * q.w, s, 1e-5f);
}

TEST(SceneAxisSwap, VectorsAndMatricesBothWays) {
  const Vec3 v{1, 2, 3};
  ExpectVec(SwapVector(v, SwapDirection::kForward), 1, 3, -2);
  ExpectVec(SwapVector(v, SwapDirection::kBackward), 1, -3, 2);
  Matrix4 m;
  for (int i = 0; i < 16; ++i) m.m[i] = float(i + 1);
  const Matrix4 forward = SwapMatrix(m, SwapDirection::kForward);
  const float rows[] = {1, 9, -5, 13};  // first elements of r0, r2, -r1, r3
  for (int r = 0; r < 4; ++r) EXPECT_EQ(forward.m[4 * r], rows[r]);
  const Matrix4 back = SwapMatrix(forward, SwapDirection::kBackward);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(back.m[i], m.m[i]);
}

// A root at (1, 2, 3) with a child two units further along z; the skeleton
// hook builds the world matrices from translation, rotation and scale.
TEST(SceneAxisSwap, BoneChainKeepsItsShapeInTheSwappedAxes) {
  auto host = Load(R"("bones": [
      {"name": "root", "parent": -1, "translation": [1, 2, 3]},
      {"name": "child", "parent": 0, "translation": [0, 0, 2]},
      {"name": "stray", "parent": 9, "translation": [0, 1, 0]}])");
  SceneAxisSwap(host.get(), SwapDirection::kForward);
  EXPECT_EQ(host->operations().Count(HostOperation::kSkeletonHook), 1);
  const HostBone& root = host->bones.items[0];
  ExpectVec(root.translation, 1, 3, -2);
  ExpectVec(root.scale, 1, 1, 1);
  ExpectForwardQuarterTurn(root.rotation);
  const HostBone& child = host->bones.items[1];
  // Relative to the turned parent the offset stays (0, 0, 2) with no turn.
  ExpectVec(child.translation, 0, 0, 2);
  EXPECT_NEAR(std::fabs(child.rotation.w), 1.0f, 1e-5f);
  // The child's world position is the parent's plus the swapped offset.
  EXPECT_NEAR(child.world.m[3], 1, 1e-5f);
  EXPECT_NEAR(child.world.m[7], 5, 1e-5f);
  EXPECT_NEAR(child.world.m[11], -2, 1e-5f);
  // A parent outside the array counts as a root.
  ExpectVec(host->bones.items[2].translation, 0, 0, -1);
}

TEST(SceneAxisSwap, MirroringBoneEndsWithNegatedScale) {
  auto host = Load(R"("bones": [{"name": "m", "scale": [-1, 1, 1]}])");
  SceneAxisSwap(host.get(), SwapDirection::kForward);
  const Vec3 s = host->bones.items[0].scale;
  EXPECT_LT(s.x * s.y * s.z, 0.0f);
  EXPECT_NEAR(std::fabs(s.x * s.y * s.z), 1.0f, 1e-5f);
}

TEST(SceneAxisSwap, VerticesAndPlacedObjectsWithoutBonesGoThereAndBack) {
  auto host = Load(R"("vertices": [{"position": [1, 2, 3]}],
      "placed1": [{"name": "lamp", "position": [4, 5, 6], "distances": [1, 2],
                   "orientation": [1,0,0,0, 0,1,0,7, 0,0,1,0, 0,0,0,1]}],
      "placed2": [{"name": "eye", "position": [0, -1, 0]}])");
  SceneAxisSwap(host.get(), SwapDirection::kForward);
  EXPECT_EQ(host->operations().Count(HostOperation::kSkeletonHook), 0);
  ExpectVec(host->vertices.items[0].position, 1, 3, -2);
  ExpectVec(host->placed1.items[0].position, 4, 6, -5);
  EXPECT_EQ(host->placed1.items[0].orientation.m[11], -7.0f);  // row 1 became -row 2
  ExpectVec(host->placed2.items[0].position, 0, 0, 1);
  SceneAxisSwap(host.get(), SwapDirection::kBackward);
  ExpectVec(host->vertices.items[0].position, 1, 2, 3);
  ExpectVec(host->placed1.items[0].position, 4, 5, 6);
  EXPECT_EQ(host->placed1.items[0].orientation.m[7], 7.0f);
  SceneAxisSwap(nullptr, SwapDirection::kForward);  // nothing to do
}

}  // namespace
}  // namespace ortolix
