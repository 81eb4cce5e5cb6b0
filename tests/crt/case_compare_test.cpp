#include "platform/crt/case_compare.h"

#include <gtest/gtest.h>

namespace ortolix {
namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

struct CompareCase {
  const char* a;
  const char* b;
  const char16_t* wa;
  const char16_t* wb;
  int sign;
};

// Lower-case folding puts '_' (0x5F) after letters, as the runtime does.
const CompareCase kCases[] = {
    {"Body", "body", u"Body", u"body", 0},
    {"BODY0", "body0", u"BODY0", u"body0", 0},
    {"", "", u"", u"", 0},
    {"Body", "Body0", u"Body", u"Body0", -1},
    {"b", "A", u"b", u"A", 1},
    {"_", "a", u"_", u"a", -1},
    {"_", "A", u"_", u"A", -1},
    {"[", "z", u"[", u"z", -1},
    {"\xc3\x96", "\xc3\xb6", u"\u00d6", u"\u00f6", -1},  // only ASCII folds
    {"\xff", "a", u"\u00ff", u"a", 1},                   // bytes compare unsigned
};

TEST(CaseCompare, FoldsAsciiOnly) {
  for (const CompareCase& c : kCases) {
    EXPECT_EQ(Sign(NarrowCaseCompare(c.a, c.b)), c.sign) << c.a << " vs " << c.b;
    EXPECT_EQ(Sign(NarrowCaseCompare(c.b, c.a)), -c.sign) << c.b << " vs " << c.a;
    EXPECT_EQ(Sign(WideCaseCompare(c.wa, c.wb)), c.sign) << c.a << " vs " << c.b;
    EXPECT_EQ(Sign(WideCaseCompare(c.wb, c.wa)), -c.sign) << c.b << " vs " << c.a;
  }
}

}  // namespace
}  // namespace ortolix
