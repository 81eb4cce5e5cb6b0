#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/crt/clock.h"
#include "platform/crt/ctime_text.h"

namespace ortolix {
namespace {

class CTimeTest : public testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
  }
  void TearDown() override { SetClock(std::nullopt); }

  static std::u16string Text(std::int64_t time, bool& ok) {
    WideChar out[kCTimeBufferSize];
    ok = WideCTime64(time, out);
    return std::u16string(out);
  }
};

struct CTimeCase {
  std::int64_t time;
  const char16_t* text;
};

TEST_F(CTimeTest, LayoutIsWeekdayMonthPaddedDayTimeYearAndLineFeed) {
  const CTimeCase cases[] = {
      {0, u"Thu Jan 01 00:00:00 1970\n"},
      {981173106, u"Sat Feb 03 04:05:06 2001\n"},
      {1796491540, u"Sat Dec 05 17:25:40 2026\n"},
      {kCTimeMax, u"Wed Dec 31 23:59:59 3000\n"},
  };
  for (const CTimeCase& c : cases) {
    bool ok = false;
    const std::u16string text = Text(c.time, ok);
    EXPECT_TRUE(ok) << c.time;
    EXPECT_EQ(text, c.text) << c.time;
    EXPECT_EQ(text.size(), 25u);
  }
}

TEST_F(CTimeTest, FollowsTheLocalTimeZone) {
  setenv("TZ", "EST5", 1);
  tzset();
  bool ok = false;
  EXPECT_EQ(Text(1796491540, ok), u"Sat Dec 05 12:25:40 2026\n");
  EXPECT_TRUE(ok);
}

}  // namespace
}  // namespace ortolix
