#include "plugin/host_path_string.h"

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

TEST(HostPathString, EmptyFromDefaultNullAndClear) {
  HostPathString from_default;
  HostPathString from_null_wide(static_cast<const WideChar*>(nullptr));
  HostPathString from_null_narrow(static_cast<const char*>(nullptr));
  for (const HostPathString* s : {&from_default, &from_null_wide, &from_null_narrow}) {
    EXPECT_TRUE(s->IsEmpty());
    EXPECT_EQ(s->Wide()[0], 0);
    EXPECT_EQ(s->NarrowAt(0), '\0');
  }
  HostPathString text(u"wood");
  EXPECT_FALSE(text.IsEmpty());
  text.Clear();
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_EQ(text.NarrowAt(0), '\0');
}

TEST(HostPathString, BothFormsHoldTheSameText) {
  HostPathString from_wide(u"C:\\tex\\K\u00f6rper.bmp");
  EXPECT_EQ(Narrow(from_wide), "C:\\tex\\K\xc3\xb6rper.bmp");
  HostPathString from_narrow("C:\\tex\\K\xc3\xb6rper.bmp");
  EXPECT_EQ(Wide(from_narrow), u"C:\\tex\\K\u00f6rper.bmp");
  EXPECT_EQ(from_narrow.NarrowAt(8), '\xc3');
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

TEST(HostPathString, CopyTakesBothBuffers) {
  HostPathString source(u"bone01");
  HostPathString target(std::u16string(259, u'x').c_str());
  target.CopyFrom(source);
  EXPECT_EQ(Wide(target), u"bone01");
  EXPECT_EQ(Narrow(target), "bone01");
  // Bytes past the terminator come along too: the copy is of whole buffers.
  EXPECT_EQ(std::memcmp(&target, &source, sizeof target), 0);
}

TEST(HostPathString, LongTextsAreCutTo259) {
  HostPathString from_wide(std::u16string(400, u'a').c_str());
  EXPECT_EQ(Wide(from_wide), std::u16string(259, u'a'));
  EXPECT_EQ(Narrow(from_wide), std::string(259, 'a'));
  HostPathString from_narrow(std::string(400, 'b').c_str());
  EXPECT_EQ(Narrow(from_narrow), std::string(259, 'b'));
  EXPECT_EQ(Wide(from_narrow), std::u16string(259, u'b'));
}

TEST(HostPathString, NarrowFormNeverEndsInHalfACharacter) {
  // 258 units whose narrow form is 258 bytes, then U+00E9 (2 bytes): the
  // narrow buffer has room for one more byte only, so the character is left out.
  const std::u16string wide = std::u16string(258, u'a') + u"\u00e9";
  HostPathString s(wide.c_str());
  EXPECT_EQ(Wide(s), wide);
  EXPECT_EQ(Narrow(s), std::string(258, 'a'));
}

TEST(HostPathString, WideCutKeepsSurrogatePairsWhole) {
  // The 259th unit would be the high half of a pair.
  const std::u16string wide = std::u16string(258, u'a') + u"\U0001F600";
  HostPathString s(wide.c_str());
  EXPECT_EQ(Wide(s), std::u16string(258, u'a'));
  EXPECT_EQ(Narrow(s), std::string(258, 'a'));
}

TEST(HostPathString, NarrowCutDropsASplitCharacter) {
  // 257 bytes, then a three-byte character of which only two fit.
  const std::string narrow = std::string(257, 'a') + "\xe6\x9c\xa8" + "tail";
  HostPathString s(narrow.c_str());
  EXPECT_EQ(Narrow(s), std::string(257, 'a'));
  EXPECT_EQ(Wide(s), std::u16string(257, u'a'));
  EXPECT_EQ(s.NarrowAt(257), '\0');
  EXPECT_EQ(s.NarrowAt(258), '\0');
}

TEST(HostPathString, UndecodableNarrowTextWidensBytewise) {
  // A Latin-1 name from an old file: not UTF-8, so each byte becomes a unit.
  HostPathString s("K\xf6rper");
  EXPECT_EQ(Narrow(s), "K\xf6rper");
  EXPECT_EQ(Wide(s), u"K\u00f6rper");
  EXPECT_FALSE(s.IsEmpty());
}

TEST(HostPathString, UnconvertibleWideTextHasAnEmptyNarrowForm) {
  const WideChar lone[] = {u'a', 0xD800, u'b', 0};
  HostPathString s(lone);
  EXPECT_EQ(Wide(s), std::u16string(lone));
  EXPECT_EQ(Narrow(s), "");
}

}  // namespace
}  // namespace ortolix
