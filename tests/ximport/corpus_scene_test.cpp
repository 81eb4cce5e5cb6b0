// Every public corpus file reads into an ImportScene that keeps the scene's
// invariants, or fails for its known reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/ximport/scene_check.h"
#include "tests/ximport/scene_reader.h"

namespace ortolix::testing {
namespace {

namespace fs = std::filesystem;

TEST(CorpusScene, EveryFileReadsOrFailsForItsKnownReason) {
  const char* shared = std::getenv("ORTOLIX_SHARED_DIR");
  const fs::path corpus = fs::path(shared != nullptr ? shared : ORTOLIX_SHARED_DIR) / "corpus" / "public";
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  // Counts of a few files with animation and deep hierarchies.
  const std::map<std::string, Counts> expected = {
      {"asp_Testwuson.X", {39, 1, 3, 117}}, {"b3d_747.X", {14, 7, 1, 13}},
      {"dbp_ROOM.X", {134, 130, 0, 0}},     {"dxl_tiny.x", {48, 1, 1, 47}},
      {"mtg_character.x", {10, 1, 2, 9}},   {"asp_test_cube_compressed.x", {2, 1, 0, 0}},
  };
  // An Animation whose frame reference names no frame in the file.
  const std::map<std::string, std::string> failures = {{"txl_stand.x", "AllPutting_2_Layer1"}};
  int read = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(corpus)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".x" && entry.path().extension() != ".X") continue;
    SceneReader r;
    const HRESULT hr = r.ReadFile(entry.path().string());
    if (auto failure = failures.find(name); failure != failures.end()) {
      EXPECT_LT(hr, 0) << name;
      EXPECT_NE(r.reader.error.find(failure->second), std::string::npos) << name << ": " << r.reader.error;
      continue;
    }
    ASSERT_GE(hr, 0) << name << ": " << r.reader.error;
    ++read;
    const Counts counts = CheckScene(*r.reader.current_scene, name);
    if (auto want = expected.find(name); want != expected.end()) {
      EXPECT_TRUE(counts == want->second) << name << ": " << counts.frames << " frames, " << counts.meshes
                                          << " meshes, " << counts.sets << " sets";
    }
  }
  EXPECT_GE(read, 40);
}

}  // namespace
}  // namespace ortolix::testing
