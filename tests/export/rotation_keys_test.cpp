#include "export/rotation_keys.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/export/test_host_model.h"

namespace ortolix {
namespace {

using testing::TestHostModel;

struct KeyCase {
  const char* label;
  std::vector<Quat> before;
  std::vector<Quat> after;
};

class RotationKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(RotationKeyTest, KeysEndOnOneHemisphere) {
  TestHostModel model;
  model.AddAnimation("a", 30, GetParam().before);
  FixRotationKeySigns(model);
  const HostTrack& track = model.animations.items[0].tracks[0];
  ASSERT_EQ(track.rotationKeyCount, static_cast<std::int32_t>(GetParam().after.size()));
  for (std::size_t k = 0; k < GetParam().after.size(); ++k) {
    SCOPED_TRACE(k);
    const Quat& q = track.rotationKeys[k].value;
    const Quat& want = GetParam().after[k];
    EXPECT_TRUE(q.x == want.x && q.y == want.y && q.z == want.z && q.w == want.w);
    EXPECT_EQ(track.rotationKeys[k].time, static_cast<float>(k));
  }
}

const Quat kQ{0.5f, 0.5f, 0.5f, 0.5f};
const Quat kMinusQ{-0.5f, -0.5f, -0.5f, -0.5f};
const Quat kSideways{0.0f, 0.0f, 0.7071068f, -0.7071068f};  // dot with kQ is 0

INSTANTIATE_TEST_SUITE_P(
    Keys, RotationKeyTest,
    ::testing::Values(KeyCase{"q_minus_q_q", {kQ, kMinusQ, kQ}, {kQ, kQ, kQ}},
                      KeyCase{"first_key_never_changes", {kMinusQ, kQ}, {kMinusQ, kMinusQ}},
                      KeyCase{"compares_with_corrected_key", {kQ, kMinusQ, kMinusQ}, {kQ, kQ, kQ}},
                      KeyCase{"zero_dot_keeps_sign", {kQ, kSideways}, {kQ, kSideways}},
                      KeyCase{"single_key", {kMinusQ}, {kMinusQ}}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return info.param.label; });

}  // namespace
}  // namespace ortolix
