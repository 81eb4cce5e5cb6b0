// The text helpers shared with the import side, and the key tick rule.
#include "xwriter/text_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "xwriter/animation_writer.h"

namespace ortolix {
namespace {

TEST(NarrowFromWide, ConvertsWholeTextsAndCutsBetweenCharacters) {
  char out[8];
  EXPECT_EQ(NarrowFromWide(u"wood", out, sizeof out), 4u);
  EXPECT_STREQ(out, "wood");
  EXPECT_EQ(NarrowFromWide(u"abcdef", out, 4), 3u);
  EXPECT_STREQ(out, "abc");
  // "\u00e9" takes two bytes: with room for three it fits with its terminator,
  // with room for two it does not fit at all.
  EXPECT_EQ(NarrowFromWide(u"\u00e9", out, 3), 2u);
  EXPECT_STREQ(out, "\xc3\xa9");
  EXPECT_EQ(NarrowFromWide(u"a\u00e9", out, 3), 1u);
  EXPECT_STREQ(out, "a");
  EXPECT_EQ(NarrowFromWide(nullptr, out, sizeof out), 0u);
  EXPECT_EQ(NarrowFromWide(u"x", nullptr, 4), 0u);
}

TEST(WideFromNarrow, ConvertsWholeTextsAndCutsToTheCapacity) {
  WideChar out[8];
  EXPECT_EQ(WideFromNarrow("wood", out, 8), 4u);
  EXPECT_EQ(std::u16string(out), u"wood");
  EXPECT_EQ(WideFromNarrow("abc", out, 2), 1u);
  EXPECT_EQ(std::u16string(out), u"a");
  EXPECT_EQ(WideFromNarrow("\xc3\xa9", out, 8), 1u);
  EXPECT_EQ(std::u16string(out), u"\u00e9");
  EXPECT_EQ(WideFromNarrow(nullptr, out, 8), 0u);
}

struct PathCase {
  const char16_t* path;
  const char16_t* fileName;
  const char16_t* directory;
};

class PathParts : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathParts, FileNameWithExtensionAndDirectoryWithSeparator) {
  WideChar name[kFileNamePartSize];
  WideChar directory[kDirectoryPartSize];
  ASSERT_EQ(FileNamePart(GetParam().path, name), 1);
  ASSERT_EQ(DirectoryPart(GetParam().path, directory), 1);
  EXPECT_EQ(std::u16string(name), GetParam().fileName);
  EXPECT_EQ(std::u16string(directory), GetParam().directory);
}

// Both separators split a path on every platform the tests run on; an
// appended separator is "/" there.
INSTANTIATE_TEST_SUITE_P(
    Paths, PathParts,
    ::testing::Values(PathCase{u"C:\\tex\\wood.bmp", u"wood.bmp", u"C:\\tex\\"},
                      PathCase{u"art/maps/second.tga", u"second.tga", u"art/maps/"},
                      PathCase{u"wood.bmp", u"wood.bmp", u""},
                      PathCase{u"noext", u"noext", u""},
                      PathCase{u"a/b.c/", u"", u"a/b.c/"},
                      PathCase{u"", u"", u""}));

struct TickCase {
  float time;
  float rate;
  std::int32_t tick;
};

class KeyTicks : public ::testing::TestWithParam<TickCase> {};

TEST_P(KeyTicks, TruncatedTowardZeroKeepingTheLow32Bits) {
  EXPECT_EQ(KeyTick(GetParam().time, GetParam().rate), GetParam().tick);
}

constexpr float kInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Times, KeyTicks,
    ::testing::Values(TickCase{1.5f, 24, 36}, TickCase{0.999f, 24, 23}, TickCase{-0.5f, 24, -12},
                      TickCase{-0.01f, 24, 0}, TickCase{1e8f, 30, -1294967296},
                      TickCase{1e10f, 24, -518168576}, TickCase{1e30f, 30, 0},
                      TickCase{std::nanf(""), 30, 0}, TickCase{kInf, 30, 0},
                      TickCase{-kInf, 30, 0}));

}  // namespace
}  // namespace ortolix
