#include "hostapi/time_stamp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/crt/clock.h"
#include "tests/support/inert_host_model.h"

namespace ortolix {
namespace {

class TimeStampTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
  }
  void TearDown() override { SetClock(std::nullopt); }

  test::InertHostModel model_;
};

TEST_F(TimeStampTest, StoresTheClockAsTextWithoutLineFeed) {
  model_.timeStamp = HostPathString(u"stale");
  SetClock(1796491540);
  const HostPathString copy = RefreshTimeStamp(model_);
  EXPECT_EQ(std::u16string(model_.timeStamp.Wide()), u"Sat Dec 05 17:25:40 2026");
  EXPECT_EQ(std::string(model_.timeStamp.Narrow()), "Sat Dec 05 17:25:40 2026");
  EXPECT_EQ(std::u16string(copy.Wide()), u"Sat Dec 05 17:25:40 2026");
  EXPECT_EQ(std::string(copy.Narrow()), "Sat Dec 05 17:25:40 2026");
}

TEST_F(TimeStampTest, ClockOutsideTheRangeGivesAnEmptyTimeStamp) {
  model_.timeStamp = HostPathString(u"stale");
  SetClock(-1);
  EXPECT_TRUE(RefreshTimeStamp(model_).IsEmpty());
  EXPECT_TRUE(model_.timeStamp.IsEmpty());
  EXPECT_EQ(model_.timeStamp.NarrowAt(0), '\0');
}

}  // namespace
}  // namespace ortolix
