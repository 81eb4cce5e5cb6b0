#include "platform/crt/wide_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace ortolix {
namespace {

namespace fs = std::filesystem;

class WideFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("ortolix_wide_file_" + std::to_string(::getpid()) + "_" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // The test's directory plus `name` as UTF-16 (names here are ASCII or UTF-8).
  std::u16string WidePath(const std::u16string& name) const {
    const std::string dir = dir_.string() + "/";
    return std::u16string(dir.begin(), dir.end()) + name;
  }

  std::string ReadBytes(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string WriteAndRead(const char* mode, const std::string& data) {
    const std::u16string path = WidePath(u"out.x");
    CrtFile* file = WideFileOpen(path.c_str(), mode);
    EXPECT_NE(file, nullptr) << mode;
    if (file == nullptr) return {};
    EXPECT_EQ(FileWrite(data.data(), 1, data.size(), file), data.size());
    EXPECT_EQ(FileClose(file), 0);
    return ReadBytes("out.x");
  }

  fs::path dir_;
};

TEST_F(WideFileTest, TextModeWritesCarriageReturnLineFeed) {
  struct Case {
    const char* mode;
    std::string in;
    std::string out;
  };
  const Case cases[] = {
      {"wt", "xof 0303txt 0032\n", "xof 0303txt 0032\r\n"},
      {"w", "a\n\nb", "a\r\n\r\nb"},
      {"wt", "\n", "\r\n"},
      {"wt", "already\r\n", "already\r\r\n"},  // as the Windows runtime does
      {"wt", std::string("nul\0\n", 5), std::string("nul\0\r\n", 6)},
      {"wb", "a\nb\n", "a\nb\n"},
      {"wb", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(WriteAndRead(c.mode, c.in), c.out) << c.mode;
}

TEST_F(WideFileTest, TranslationCrossesTheBufferBoundary) {
  // Lines long enough that "\r\n" pairs straddle the 64 KiB buffer edges.
  std::string in, expected;
  for (int i = 0; i < 20000; ++i) {
    const std::string line = std::to_string(i * 7919) + " 0.000000;";
    in += line + "\n";
    expected += line + "\r\n";
  }
  EXPECT_EQ(WriteAndRead("wt", in), expected);
}

TEST_F(WideFileTest, ItemsCountWholeSourceItems) {
  const std::u16string path = WidePath(u"items.x");
  CrtFile* file = WideFileOpen(path.c_str(), "wt");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(FileWrite("ab\ncd\n", 3, 2, file), 2u);
  EXPECT_EQ(FileWrite("x", 0, 1, file), 0u);
  EXPECT_EQ(FileClose(file), 0);
  EXPECT_EQ(ReadBytes("items.x"), "ab\r\ncd\r\n");
}

TEST_F(WideFileTest, ReplacesAnExistingFileAndAppends) {
  EXPECT_EQ(WriteAndRead("wt", "first version\n"), "first version\r\n");
  EXPECT_EQ(WriteAndRead("wt", "2\n"), "2\r\n");
  const std::u16string path = WidePath(u"out.x");
  CrtFile* file = WideFileOpen(path.c_str(), "at");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(FileWrite("3\n", 1, 2, file), 2u);
  EXPECT_EQ(FileClose(file), 0);
  EXPECT_EQ(ReadBytes("out.x"), "2\r\n3\r\n");
}

TEST_F(WideFileTest, NonAsciiPathIsUtf8OnDisk) {
  const std::u16string path = WidePath(u"K\u00f6rper \u6728.x");
  CrtFile* file = WideFileOpen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(FileWrite("z", 1, 1, file), 1u);
  EXPECT_EQ(FileClose(file), 0);
  EXPECT_EQ(ReadBytes("K\xc3\xb6rper \xe6\x9c\xa8.x"), "z");
}

TEST_F(WideFileTest, BinaryReadGivesBytesBack) {
  WriteAndRead("wt", "a\nb");
  const std::u16string path = WidePath(u"out.x");
  CrtFile* file = WideFileOpen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  char bytes[16];
  EXPECT_EQ(FileRead(bytes, 1, sizeof bytes, file), 4u);
  EXPECT_EQ(std::string(bytes, 4), "a\r\nb");
  EXPECT_EQ(FileClose(file), 0);
}

TEST_F(WideFileTest, RefusedModesAndPaths) {
  WriteAndRead("wb", "x");
  const std::u16string path = WidePath(u"out.x");
  for (const char* mode : {"", "x", "rt", "r", "w+", "wt+", "r+", "wtb", "wbb", "w++", "wz"}) {
    errno = 0;
    EXPECT_EQ(WideFileOpen(path.c_str(), mode), nullptr) << mode;
    EXPECT_EQ(errno, EINVAL) << mode;
  }
  EXPECT_EQ(WideFileOpen(path.c_str(), nullptr), nullptr);
  EXPECT_EQ(WideFileOpen(nullptr, "wt"), nullptr);
  const WideChar lone[] = {u'/', u't', u'm', u'p', u'/', 0xD800, 0};
  EXPECT_EQ(WideFileOpen(lone, "wb"), nullptr);
  const std::u16string missing = WidePath(u"no/such/dir/out.x");
  EXPECT_EQ(WideFileOpen(missing.c_str(), "wt"), nullptr);
  EXPECT_EQ(FileClose(nullptr), EOF);
}

TEST_F(WideFileTest, BinaryUpdateModeIsAllowed) {
  WriteAndRead("wb", "abc");
  const std::u16string path = WidePath(u"out.x");
  CrtFile* file = WideFileOpen(path.c_str(), "r+b");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(FileClose(file), 0);
}

TEST_F(WideFileTest, OwnerClosesTheFile) {
  {
    CrtFilePtr file(WideFileOpen(WidePath(u"owned.x").c_str(), "wt"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(FileWrite("q\n", 1, 2, file.get()), 2u);
  }
  EXPECT_EQ(ReadBytes("owned.x"), "q\r\n");
}

}  // namespace
}  // namespace ortolix
