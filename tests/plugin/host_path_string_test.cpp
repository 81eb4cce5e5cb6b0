#include "plugin/host_path_string.h"

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
