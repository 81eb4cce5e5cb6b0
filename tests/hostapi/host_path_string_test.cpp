#include "hostapi/host_path_string.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

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

}  // namespace
}  // namespace ortolix
