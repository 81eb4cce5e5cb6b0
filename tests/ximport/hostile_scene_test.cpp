// Damaged files: every truncation and a sweep of corrupted bytes of a file
// that uses every loader either read into a scene that keeps its invariants
// or fail with a reason; never a crash (the suite runs under the sanitizers).
#include <gtest/gtest.h>

#include <string>

#include "tests/ximport/scene_check.h"
#include "tests/ximport/scene_reader.h"

namespace ortolix::testing {
namespace {

const std::string kEverything =
    "xof 0303txt 0032\n"
    "AnimTicksPerSecond { 4800; }\n"
    "Frame Root { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 1,2,3,1;; }\n"
    " Frame { Frame Tip { } }\n"
    " Mesh Body { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 2; 3;0,1,2;, 4;0,1,2,3;;\n"
    "  MeshMaterialList { 2; 2; 0, 1;; Material A { 1;1;1;1;; 5; 0;0;0;; 0;0;0;; TextureFilename { \"a.png\"; } }\n"
    "   Material { 0;1;0;1;; 5; 0;0;0;; 0;0;0;; } }\n"
    "  XSkinMeshHeader { 2; 4; 2; }\n"
    "  SkinWeights { \"Root\"; 2; 0, 1; 0.5, 1; 1,0,0,0, 0,1,0,0, 0,0,1,0, -1,-2,-3,1;; }\n"
    "  SkinWeights { \"Tip\"; 1; 3; 1; 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; } }\n"
    " Animation Loose { { Tip } AnimationKey { 1; 1; 0; 3; 2,2,2;;; } } }\n"
    "AnimationSet Walk { Animation { { Root } AnimationOptions { 1; 0; }\n"
    "  AnimationKey { 0; 2; 0; 4; 1,0,0,0;;, 10; 4; 0,1,0,0;;; }\n"
    "  AnimationKey { 4; 1; 0; 16; 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;;; }\n"
    "  AnimationKey { 2; 1; 5; 3; 1,2,3;;; } } }\n";

void ReadAndCheck(const std::string& text, const std::string& what) {
  SceneReader r;
  const HRESULT hr = r.ReadFile(WriteTempX(text));
  if (hr < 0) {
    EXPECT_FALSE(r.reader.error.empty()) << what;
    EXPECT_EQ(r.reader.scene_list, nullptr) << what;
    return;
  }
  ASSERT_NE(r.reader.current_scene, nullptr) << what;
  (void)CheckScene(*r.reader.current_scene, what);
}

TEST(HostileScene, TheWholeFileReads) {
  SceneReader r;
  ASSERT_EQ(r.ReadFile(WriteTempX(kEverything)), S_OK) << r.reader.error;
  const Counts counts = CheckScene(*r.reader.current_scene, "whole");
  EXPECT_TRUE(counts == (Counts{3, 1, 1, 2}));
}

TEST(HostileScene, EveryTruncationReadsOrFails) {
  for (std::size_t size = 0; size < kEverything.size(); ++size) {
    ReadAndCheck(kEverything.substr(0, size), "truncated at " + std::to_string(size));
  }
}

TEST(HostileScene, CorruptedBytesReadOrFail) {
  const char replacements[] = {'0', '9', '-', ';', ',', '{', '}', ' ', '"', 'x'};
  std::size_t r = 0;
  for (std::size_t at = 17; at < kEverything.size(); at += 2) {
    std::string text = kEverything;
    text[at] = replacements[r++ % sizeof replacements];
    ReadAndCheck(text, "byte " + std::to_string(at) + " set to '" + text[at] + "'");
  }
}

}  // namespace
}  // namespace ortolix::testing
