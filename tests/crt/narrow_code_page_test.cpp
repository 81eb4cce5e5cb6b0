// The process-wide narrow code page: decoding with U+FFFD for bad bytes,
// the conversions that read narrow text in it, and JSON strings of narrow
// text that are valid whatever the bytes.
#include "platform/crt/narrow_code_page.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/crt/ansi_convert.h"
#include "platform/crt/json_text.h"

namespace ortolix {
namespace {

// Restores UTF-8 after each case, since the setting is process-wide.
class NarrowCodePageTest : public ::testing::Test {
 protected:
  void TearDown() override { ASSERT_TRUE(SetNarrowCodePage(kUtf8CodePage)); }
};

TEST_F(NarrowCodePageTest, DecodesInTheSelectedPageAndReplacesBadBytes) {
  struct Case {
    unsigned code_page;
    std::string narrow;
    std::u32string points;
    std::size_t replaced;
  };
  const Case cases[] = {
      {kUtf8CodePage, "caf\xc3\xa9", U"caf\u00e9", 0},
      {kUtf8CodePage, "caf\xe9!", U"caf\ufffd!", 1},
      {kUtf8CodePage, "\xe3\x81", U"\ufffd\ufffd", 2},  // cut sequence
      {932, "\x95\x5c\x8e\xa6", U"\u8868\u793a", 0},
      {932, "a\x81", U"a\ufffd", 1},                    // lead byte at the end
      {1252, "caf\xe9 \x80", U"caf\u00e9 \u20ac", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code_page);
    ASSERT_TRUE(SetNarrowCodePage(c.code_page));
    ResetNarrowReplacementCount();
    std::u32string points;
    EXPECT_EQ(DecodeNarrow(c.narrow, &points), c.replaced);
    EXPECT_EQ(points, c.points);
    EXPECT_EQ(NarrowReplacementCount(), c.replaced);
  }
}

TEST_F(NarrowCodePageTest, UnknownPagesAreRefusedAndLeaveTheSettingAlone) {
  ASSERT_TRUE(SetNarrowCodePage(932));
  EXPECT_FALSE(SetNarrowCodePage(77777));
  EXPECT_EQ(NarrowCodePage(), 932u);
  EXPECT_TRUE(NarrowCodePageIsDoubleByte());
}

TEST_F(NarrowCodePageTest, WideFromAnsiReadsTheSelectedPage) {
  ASSERT_TRUE(SetNarrowCodePage(932));
  WideChar out[8];
  EXPECT_EQ(WideFromAnsi(out, 8, "\x95\x5c"), 2);
  EXPECT_EQ(out[0], u'\u8868');
  EXPECT_EQ(out[1], 0);
}

TEST_F(NarrowCodePageTest, JsonStringsOfNarrowTextAreAlwaysValid) {
  std::string out;
  AppendNarrowString(out, std::string("a\"\\\x01\xe9\xc3\xa9", 7));
  EXPECT_EQ(out, "\"a\\\"\\\\\\u0001\xEF\xBF\xBD\xC3\xA9\"");
  ASSERT_TRUE(SetNarrowCodePage(1252));
  out.clear();
  AppendNarrowString(out, "caf\xe9");
  EXPECT_EQ(out, "\"caf\xC3\xA9\"");
}

}  // namespace
}  // namespace ortolix
