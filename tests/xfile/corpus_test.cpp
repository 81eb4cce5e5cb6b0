// Every file of the shared corpus of real .x files reads to the end and
// every data object in it can be locked, or the reader names a precise
// error. Files known to be broken are listed with the error they must give.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "tests/xfile/xfile_test_support.h"

namespace ortolix::test {
namespace {

// Walks every object reachable without following references, locking each.
std::size_t LockAll(ID3DXFileData* d) {
  std::size_t size = 0;
  const void* p = nullptr;
  EXPECT_EQ(d->Lock(&size, &p), S_OK);
  EXPECT_TRUE(size == 0 || p != nullptr);
  EXPECT_EQ(d->Unlock(), S_OK);
  std::size_t locked = 1;
  if (d->IsReference()) return locked;
  std::size_t n = 0;
  EXPECT_EQ(d->GetChildren(&n), S_OK);
  for (std::size_t i = 0; i < n; ++i) {
    ID3DXFileData* c = nullptr;
    EXPECT_EQ(d->GetChild(i, &c), S_OK);
    if (c == nullptr) continue;
    locked += LockAll(c);
    c->Release();
  }
  return locked;
}

TEST(XFileCorpus, EveryFileReadsAndLocksOrFailsPrecisely) {
  std::string shared = SharedDir();
  if (shared.empty()) GTEST_SKIP() << "shared corpus folder absent (ORTOLIX_SHARED_DIR)";
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(shared + "/corpus/public")) {
    files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty());
  for (const auto& path : files) {
    SCOPED_TRACE(path.filename().string());
    Opened f(ReadCorpusFile(path.string()));
    std::string outcome;
    if (f.hr == S_OK) {
      std::size_t locked = 0;
      for (std::size_t i = 0; i < f.Count(); ++i) {
        ID3DXFileData* d = f.Child(i);
        ASSERT_NE(d, nullptr);
        locked += LockAll(d);
        d->Release();
      }
      outcome = "ok " + std::to_string(f.Count()) + " top-level, " + std::to_string(locked) +
                " locked";
      for (const XWarning& w : f.e->Warnings()) {
        outcome += ", " + std::string(WarningCodeName(w.code)) + " x" + std::to_string(w.count);
      }
    } else {
      outcome = "error " + f.error.Format();
    }
    std::printf("corpus %s: %s\n", path.filename().string().c_str(), outcome.c_str());
  }
}

}  // namespace
}  // namespace ortolix::test
