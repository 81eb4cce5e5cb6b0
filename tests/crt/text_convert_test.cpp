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

TEST(LocaleConvert, NarrowRefusesUnpairedSurrogates) {
  char out[8];
  const WideChar lone[] = {u'a', 0xDC00, 0};
  EXPECT_EQ(LocaleNarrowFromWide(out, sizeof out, lone), kConversionFailed);
  const WideChar pair[] = {0xD83D, 0xDE00, 0};
  EXPECT_EQ(LocaleNarrowFromWide(out, sizeof out, pair), 4u);
  EXPECT_EQ(std::string(out), "\xf0\x9f\x98\x80");
}

TEST(LocaleConvert, WideRefusesInvalidSequences) {
  WideChar out[8];
  for (const char* bad : {"\x80", "\xc3", "\xc0\x80", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xff"}) {
    EXPECT_EQ(LocaleWideFromNarrow(out, 8, bad), kConversionFailed) << static_cast<int>(bad[0]);
  }
  EXPECT_EQ(LocaleWideFromNarrow(out, 8, "\xf0\x9f\x98\x80z"), 3u);
  EXPECT_EQ(std::u16string(out), u"\U0001F600z");
}

TEST(LocaleConvert, WideKeepsSurrogatePairsWhole) {
  WideChar out[2] = {u'#', u'#'};
  EXPECT_EQ(LocaleWideFromNarrow(out, 2, "a\xf0\x9f\x98\x80"), 1u);
  EXPECT_EQ(out[0], u'a');
  EXPECT_EQ(out[1], u'#');  // no room for the pair, nor for a terminator
}

}  // namespace
}  // namespace ortolix
