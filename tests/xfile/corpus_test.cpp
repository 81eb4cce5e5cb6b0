// Every file of the shared corpus of real .x files reads to the end and
// every data object in it can be locked, or the reader names a precise
// error. Files known to be broken are listed with the error they must give.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "platform/xfile/standard_templates.h"
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

// Files that cannot be read on their own, with the error they give.
struct KnownBroken {
  const char* file;
  HRESULT code;
  const char* message;  // part of the diagnostic
};
// None at present: txl_stand.x, an animation for a model kept in another
// file, reads with the animation-target-missing warning.
constexpr std::array<KnownBroken, 0> kKnownBroken{};

const KnownBroken* FindBroken(const std::string& name) {
  for (const KnownBroken& k : kKnownBroken) {
    if (name == k.file) return &k;
  }
  return nullptr;
}

// The error names the file on disk when it is read from a path.
std::string ErrorFromPath(const std::string& path) {
  ID3DXFile* file = nullptr;
  if (Failed(D3DXFileCreate(&file))) return "";
  for (std::string_view block : {RetainedModeTemplates(), SkinningTemplates(), VertexDataTemplates()}) {
    (void)file->RegisterTemplates(block.data(), block.size());
  }
  ID3DXFileEnumObject* e = nullptr;
  HRESULT hr = file->CreateEnumObject(path.c_str(), D3DXF_FILELOAD_FROMFILE, &e);
  std::string text = Failed(hr) ? file->LastError().Format() : "";
  SafeRelease(e);
  file->Release();
  return text;
}

TEST(XFileCorpus, EveryFileReadsAndLocksOrFailsPrecisely) {
  std::string shared = SharedDir();
  if (shared.empty()) GTEST_SKIP() << "shared corpus folder absent (ORTOLIX_SHARED_DIR)";
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(shared + "/corpus/public")) {
    if (IsXFileName(entry.path())) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty());
  for (const auto& path : files) {
    const std::string name = path.filename().string();
    SCOPED_TRACE(name);
    const KnownBroken* broken = FindBroken(name);
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
      outcome = "ok " + std::to_string(f.Count()) + " top-level, " + std::to_string(locked) + " locked";
    } else {
      outcome = "error " + f.error.Format();
    }
    if (broken == nullptr) {
      EXPECT_EQ(f.hr, S_OK) << outcome;
    } else {
      EXPECT_EQ(f.hr, broken->code) << outcome;
      std::string from_path = ErrorFromPath(path.string());
      EXPECT_NE(from_path.find(path.string() + broken->message), std::string::npos) << from_path;
    }
    std::printf("corpus %s: %s\n", path.filename().string().c_str(), outcome.c_str());
  }
}

}  // namespace
}  // namespace ortolix::test
