#include "export/rotation_keys.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/export/test_host_model.h"

namespace ortolix {
namespace {

using test::TestHostModel;

const Quat kQ{0.5f, 0.5f, 0.5f, 0.5f};
const Quat kMinusQ{-0.5f, -0.5f, -0.5f, -0.5f};
const Quat kSideways{0.0f, 0.0f, 0.7071068f, -0.7071068f};  // dot with kQ is 0

TEST(RotationKeys, KeysEndOnOneHemisphere) {
  // {before, after}: the first key never changes, and each key compares with
  // the corrected one before it.
  const std::pair<std::vector<Quat>, std::vector<Quat>> cases[] = {
      {{kQ, kMinusQ, kQ}, {kQ, kQ, kQ}},        {{kMinusQ, kQ}, {kMinusQ, kMinusQ}},
      {{kQ, kMinusQ, kMinusQ}, {kQ, kQ, kQ}},   {{kQ, kSideways}, {kQ, kSideways}},
      {{kMinusQ}, {kMinusQ}}};
  for (const auto& [before, after] : cases) {
    SCOPED_TRACE(before.size());
    TestHostModel model;
    model.AddAnimation("a", 30, before);
    FixRotationKeySigns(model);
    const HostTrack& track = model.animations.items[0].tracks[0];
    ASSERT_EQ(track.rotationKeyCount, static_cast<std::int32_t>(after.size()));
    for (std::size_t k = 0; k < after.size(); ++k) {
      SCOPED_TRACE(k);
      const Quat& q = track.rotationKeys[k].value;
      const Quat& want = after[k];
      EXPECT_TRUE(q.x == want.x && q.y == want.y && q.z == want.z && q.w == want.w);
      EXPECT_EQ(track.rotationKeys[k].time, static_cast<float>(k));
    }
  }
}

}  // namespace
}  // namespace ortolix
