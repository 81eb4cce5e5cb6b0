#include "platform/crt/split_path.h"

#include <gtest/gtest.h>

#include <string>

namespace ortolix {
namespace {

struct SplitCase {
  const char16_t* path;
  const char16_t* drive;
  const char16_t* dir;
  const char16_t* name;
  const char16_t* ext;
};

const SplitCase kCases[] = {
    {u"", u"", u"", u"", u""},
    {u"wood.bmp", u"", u"", u"wood", u".bmp"},
    {u"C:\\tex\\wood.bmp", u"C:", u"\\tex\\", u"wood", u".bmp"},
    {u"maps\\wood.bmp", u"", u"maps\\", u"wood", u".bmp"},
    {u"/home/u/models/ship.x", u"", u"/home/u/models/", u"ship", u".x"},
    {u"a/b\\c.d", u"", u"a/b\\", u"c", u".d"},
    {u"C:wood.bmp", u"C:", u"", u"wood", u".bmp"},
    {u"C:", u"C:", u"", u"", u""},
    {u"archive.tar.gz", u"", u"", u"archive.tar", u".gz"},
    {u"dir.v2/readme", u"", u"dir.v2/", u"readme", u""},
    {u"dir/.hidden", u"", u"dir/", u"", u".hidden"},
    {u"dir/", u"", u"dir/", u"", u""},
    {u"name.", u"", u"", u"name", u"."},
    {u":x", u"", u"", u":x", u""},
    {u"\\\\server\\share\\f.txt", u"", u"\\\\server\\share\\", u"f", u".txt"},
};

std::string Show(const char16_t* text) {
  std::u16string s(text);
  return std::string(s.begin(), s.end());
}

TEST(SplitPath, SplitsAsTheRuntimeDoesWithBothSeparators) {
  for (const SplitCase& c : kCases) {
    WideChar drive[kMaxDrive], dir[kMaxDir], name[kMaxFileName], ext[kMaxExtension];
    WideSplitPath(c.path, drive, dir, name, ext);
    EXPECT_EQ(std::u16string(drive), c.drive) << Show(c.path);
    EXPECT_EQ(std::u16string(dir), c.dir) << Show(c.path);
    EXPECT_EQ(std::u16string(name), c.name) << Show(c.path);
    EXPECT_EQ(std::u16string(ext), c.ext) << Show(c.path);
  }
}

TEST(SplitPath, LongPartsAreCutToTheirBuffers) {
  const std::u16string long_dir = u"C:" + std::u16string(300, u'd') + u"\\" +
                                  std::u16string(300, u'n') + u"." + std::u16string(300, u'e');
  WideChar drive[kMaxDrive], dir[kMaxDir], name[kMaxFileName], ext[kMaxExtension];
  WideSplitPath(long_dir.c_str(), drive, dir, name, ext);
  EXPECT_EQ(std::u16string(drive), u"C:");
  EXPECT_EQ(std::u16string(dir), std::u16string(kMaxDir - 1, u'd'));
  EXPECT_EQ(std::u16string(name), std::u16string(kMaxFileName - 1, u'n'));
  EXPECT_EQ(std::u16string(ext), u"." + std::u16string(kMaxExtension - 2, u'e'));
}

}  // namespace
}  // namespace ortolix
