// The text helpers shared by the writer and the import side.
#include "platform/crt/text_helpers.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace ortolix
