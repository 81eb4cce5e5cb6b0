#include "platform/crt/text_convert.h"

#include <gtest/gtest.h>

#include <string>

namespace ortolix {
namespace {

TEST(LocaleConvert, NarrowStopsBeforeACharacterThatDoesNotFit) {
  char out[4] = {'#', '#', '#', '#'};
  // "ab" + U+00E9: the two bytes of the last character do not fit in 3.
  EXPECT_EQ(LocaleNarrowFromWide(out, 3, u"ab\u00e9"), 2u);
  EXPECT_EQ(out[2], '#');
  EXPECT_EQ(LocaleNarrowFromWide(out, 4, u"ab\u00e9"), 4u);  // fits, no terminator
  EXPECT_EQ(std::string(out, 4), "ab\xc3\xa9");
}

TEST(LocaleConvert, WideRefusesInvalidSequences) {
  WideChar out[8];
  for (const char* bad : {"\x80", "\xc3", "\xc0\x80", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xff"}) {
    EXPECT_EQ(LocaleWideFromNarrow(out, 8, bad), kConversionFailed) << static_cast<int>(bad[0]);
  }
  EXPECT_EQ(LocaleWideFromNarrow(out, 8, "\xf0\x9f\x98\x80z"), 3u);
  EXPECT_EQ(std::u16string(out), u"\U0001F600z");
}

}  // namespace
}  // namespace ortolix
