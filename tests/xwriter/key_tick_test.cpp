// The key tick rule of the animation writer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "xwriter/animation_writer.h"

namespace ortolix {
namespace {

struct TickCase {
  float time;
  float rate;
  std::int32_t tick;
};

class KeyTicks : public ::testing::TestWithParam<TickCase> {};

TEST_P(KeyTicks, TruncatedTowardZeroKeepingTheLow32Bits) {
  EXPECT_EQ(KeyTick(GetParam().time, GetParam().rate), GetParam().tick);
}

constexpr float kInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(Times, KeyTicks,
                         ::testing::Values(TickCase{1.5f, 24, 36}, TickCase{0.999f, 24, 23},
                                           TickCase{-0.5f, 24, -12}, TickCase{-0.01f, 24, 0},
                                           TickCase{1e8f, 30, -1294967296},
                                           TickCase{1e10f, 24, -518168576}, TickCase{1e30f, 30, 0},
                                           TickCase{std::nanf(""), 30, 0}, TickCase{kInf, 30, 0},
                                           TickCase{-kInf, 30, 0}));

}  // namespace
}  // namespace ortolix
