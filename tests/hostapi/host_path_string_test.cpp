#include "hostapi/host_path_string.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/crt/narrow_code_page.h"

namespace ortolix {
namespace {

std::u16string Wide(const HostPathString& s) { return s.Wide(); }
std::string Narrow(const HostPathString& s) { return s.Narrow(); }

TEST(HostPathString, LayoutIsWideThenNarrow) {
  HostPathString s;
  const auto* base = reinterpret_cast<const char*>(&s);
  EXPECT_EQ(sizeof s, 780u);
  EXPECT_EQ(reinterpret_cast<const char*>(s.Wide()) - base, 0);
  EXPECT_EQ(s.Narrow() - base, 520);
}

TEST(HostPathString, Holds259AsciiCharactersInBothBuffers) {
  const std::u16string wide(259, u'w');
  const std::string narrow(259, 'n');
  HostPathString from_wide(wide.c_str());
  EXPECT_EQ(Wide(from_wide), wide);
  EXPECT_EQ(Narrow(from_wide), std::string(259, 'w'));
  HostPathString from_narrow(narrow.c_str());
  EXPECT_EQ(Narrow(from_narrow), narrow);
  EXPECT_EQ(Wide(from_narrow), std::u16string(259, u'n'));
}

TEST(HostPathString, SelfCopyLeavesTheTextUnchanged) {
  HostPathString s(std::u16string(259, u'q').c_str());
  s.CopyFrom(s);
  s = *&s;
  EXPECT_EQ(Wide(s), std::u16string(259, u'q'));
  EXPECT_EQ(Narrow(s), std::string(259, 'q'));
}

TEST(HostPathString, LongTextsAreCutTo259) {
  HostPathString from_wide(std::u16string(400, u'a').c_str());
  EXPECT_EQ(Wide(from_wide), std::u16string(259, u'a'));
  EXPECT_EQ(Narrow(from_wide), std::string(259, 'a'));
  HostPathString from_narrow(std::string(400, 'b').c_str());
  EXPECT_EQ(Narrow(from_narrow), std::string(259, 'b'));
  EXPECT_EQ(Wide(from_narrow), std::u16string(259, u'b'));
}

// Texts beyond ASCII, cuts inside a character and texts the locale cannot
// convert (POSIX: UTF-8). Each case gives one form and expects both.
struct TextCase {
  const char* label;
  std::u16string wide_in;  // used when narrow_in is null
  const char* narrow_in;
  std::u16string wide;
  std::string narrow;
};

TEST(HostPathString, NonAsciiCutAndUnconvertibleTexts) {
  const std::string a258(258, 'a');
  const std::u16string w258(258, u'a');
  const std::string a258_e_acute = a258 + "\xC3\xA9";
  const TextCase cases[] = {
      {"wide non-ASCII", u"caf\u00e9 \U0001F600", nullptr, u"caf\u00e9 \U0001F600",
       "caf\xC3\xA9 \xF0\x9F\x98\x80"},
      {"narrow non-ASCII", u"", "caf\xC3\xA9", u"caf\u00e9", "caf\xC3\xA9"},
      {"pair cut at 259 units", w258 + u"\U0001F600", nullptr, w258, a258},
      {"narrow form of 260 bytes", w258 + u"\u00e9", nullptr, w258 + u"\u00e9", a258},
      {"narrow cut inside a character", u"", a258_e_acute.c_str(), w258, a258},
      {"undecodable bytes become U+FFFD", u"", "caf\xE9", u"caf\ufffd", "caf\xE9"},
      {"lone surrogate", std::u16string(u"a") + char16_t(0xD800) + u"b", nullptr,
       std::u16string(u"a") + char16_t(0xD800) + u"b", ""},
  };
  for (const TextCase& c : cases) {
    const HostPathString s = c.narrow_in != nullptr ? HostPathString(c.narrow_in)
                                                    : HostPathString(c.wide_in.c_str());
    EXPECT_EQ(Wide(s), c.wide) << c.label;
    EXPECT_EQ(Narrow(s), c.narrow) << c.label;
  }
}

TEST(HostPathString, NarrowTextIsReadInTheNarrowCodePage) {
  struct Case {
    unsigned code_page;
    std::string narrow;
    std::u16string wide;
  };
  const Case cases[] = {
      {kUtf8CodePage, "caf\xc3\xa9", u"caf\u00e9"},
      {kUtf8CodePage, "caf\xe9.bmp", u"caf\ufffd.bmp"},      // not UTF-8: U+FFFD
      {kUtf8CodePage, std::string(258, 'x') + "\xc3\xa9", std::u16string(258, u'x')},  // cut
      {932, "\x95\x5c\x8e\xa6", u"\u8868\u793a"},
      {1252, "caf\xe9", u"caf\u00e9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code_page);
    ASSERT_TRUE(SetNarrowCodePage(c.code_page));
    HostPathString s(c.narrow.c_str());
    EXPECT_EQ(Wide(s), c.wide);
  }
  ASSERT_TRUE(SetNarrowCodePage(kUtf8CodePage));
}

}  // namespace
}  // namespace ortolix
