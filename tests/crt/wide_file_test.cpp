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

// A full device fails at the flush, whether in the buffer of text mode or in
// the runtime's own; the first failure is kept with its path and cause.
TEST_F(WideFileTest, WriteFailuresAreRecordedOnce) {
  for (const char* mode : {"wt", "wb"}) {
    ClearFileWriteFailure();
    CrtFile* file = WideFileOpen(u"/dev/full", mode);
    ASSERT_NE(file, nullptr);
    const std::string line(1000, 'x');
    for (int i = 0; i < 200; ++i) (void)FileWrite(line.data(), 1, line.size(), file);
    EXPECT_EQ(FileClose(file), EOF) << mode;
    EXPECT_EQ(FirstFileWriteFailure().error, ENOSPC) << mode;
    EXPECT_EQ(FirstFileWriteFailure().path, "/dev/full") << mode;

    // A later failure does not replace the first; a good write leaves no record.
    file = WideFileOpen(u"/dev/full", mode);
    ASSERT_NE(file, nullptr);
    (void)FileWrite("y", 1, 1, file);
    (void)FileClose(file);
    EXPECT_EQ(FirstFileWriteFailure().path, "/dev/full");
    ClearFileWriteFailure();
    WriteAndRead(mode, "fine\n");
    EXPECT_EQ(FirstFileWriteFailure().error, 0) << mode;
  }
}

}  // namespace
}  // namespace ortolix
