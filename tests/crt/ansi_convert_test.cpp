#include "platform/crt/ansi_convert.h"

#include <gtest/gtest.h>

#include <string>

namespace ortolix {
namespace {

struct AnsiCase {
  const char* label;
  std::u16string wide;
  std::string narrow;  // UTF-8, the POSIX ANSI code page
};

class AnsiConvertTest : public testing::TestWithParam<AnsiCase> {};

TEST_P(AnsiConvertTest, WideToAnsiWritesTextAndTerminator) {
  const AnsiCase& c = GetParam();
  char out[32];
  const int n = AnsiFromWide(out, sizeof out, c.wide.c_str());
  ASSERT_EQ(n, static_cast<int>(c.narrow.size() + 1));
  EXPECT_EQ(std::string(out, n), c.narrow + '\0');
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AnsiConvertTest,
    testing::Values(AnsiCase{"empty", u"", ""}, AnsiCase{"ascii", u"wood.bmp", "wood.bmp"},
                    AnsiCase{"latin", u"K\u00f6rper", "K\xc3\xb6rper"},
                    AnsiCase{"cjk", u"\u6728", "\xe6\x9c\xa8"},
                    AnsiCase{"pair", u"\U0001F600", "\xf0\x9f\x98\x80"},
                    AnsiCase{"lone_high", std::u16string{u'a', 0xD800, u'b'}, "a\xef\xbf\xbd" "b"},
                    AnsiCase{"lone_low", std::u16string{0xDC00}, "\xef\xbf\xbd"}),
    [](const testing::TestParamInfo<AnsiCase>& info) { return info.param.label; });

TEST(AnsiConvert, AnsiToWideDecodesAndReplacesInvalidBytes) {
  WideChar out[16];
  EXPECT_EQ(WideFromAnsi(out, 16, "K\xc3\xb6r"), 4);
  EXPECT_EQ(std::u16string(out), u"K\u00f6r");
  // A lone continuation byte and a truncated sequence: one U+FFFD per byte.
  EXPECT_EQ(WideFromAnsi(out, 16, "a\x80" "b\xe6\x9c"), 6);
  EXPECT_EQ(std::u16string(out), u"a\uFFFDb\uFFFD\uFFFD");
  EXPECT_EQ(WideFromAnsi(out, 16, "\xf0\x9f\x98\x80"), 3);
  EXPECT_EQ(std::u16string(out), u"\U0001F600");
}

}  // namespace
}  // namespace ortolix
