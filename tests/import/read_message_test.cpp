// The read message end to end: device failures, the reset rules, a small
// text file through reader and conversion, and the public corpus.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "import/import_model.h"
#include "import/read_import_file.h"
#include "import/read_message.h"
#include "platform/d3dx/d3d9_device.h"
#include "tests/support/inert_host_model.h"
#include "xwriter/text_helpers.h"

namespace ortolix {
namespace {

class PathHostModel final : public testing_support::InertHostModel {
 public:
  explicit PathHostModel(const std::string& path) { filePath = HostPathString(path.c_str()); }
};

constexpr char kSkinnedArm[] = R"(xof 0303txt 0032
AnimTicksPerSecond { 160; }
Frame Body {
  FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,2,0,1;; }
  Frame Arm {
    FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 3,0,0,1;; }
    Frame Hand { }
  }
  Mesh skin {
    3; 0;0;0;, 1;0;0;, 0;1;0;;
    1; 3;0,1,2;;
    MeshMaterialList { 1; 1; 0;;
      Material Leather { 1;0.5;0.25;0;; 0; 0;0;0;; 0;0;0;; TextureFilename { "C:\\art\\leather.bmp"; } }
    }
    XSkinMeshHeader { 2; 4; 2; }
    SkinWeights { "Hand"; 2; 0, 1; 0.2, 0.5; 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; }
    SkinWeights { "Body"; 1; 0; 0.2; 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; }
  }
}
AnimationSet Wave {
  Animation { { Arm } AnimationKey { 4; 1; 320; 16; 1,0,0,0, 0,1,0,0, 0,0,1,0, 4,0,0,1;;; } }
}
)";

class ReadMessageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetImportModel();
    path_ = (std::filesystem::temp_directory_path() / "ortolix_import_read_test.x").string();
    std::ofstream(path_, std::ios::binary) << kSkinnedArm;
  }
  void TearDown() override {
    D3DXTestSwitchesForTesting() = D3DXTestSwitches{};
    ResetImportModel();
    std::filesystem::remove(path_);
  }
  std::string path_;
};

TEST_F(ReadMessageTest, ReadsAndConvertsAFile) {
  PathHostModel host(path_);
  ASSERT_EQ(HandleImportRead(host, 0), 1);
  const ImportModel& model = TheImportModel();
  EXPECT_EQ(model.sourcePath, WideString(host.filePath.Wide()));
  EXPECT_EQ(model.ticksPerSecond, 160);
  ASSERT_EQ(model.frameCount, 3);
  EXPECT_EQ(model.frames[2].name, "Hand");
  EXPECT_EQ(model.frames[2].parent, 1);
  EXPECT_EQ(model.frames[2].world.m[12], 3.0f);
  EXPECT_EQ(model.frames[2].world.m[13], 2.0f);
  ASSERT_EQ(model.meshes.size(), 1u);
  const ImportMesh& mesh = model.meshes[0];
  EXPECT_EQ(mesh.meshName, "skin");
  EXPECT_EQ(mesh.frameName, "Body");
  EXPECT_EQ(mesh.world.m[13], 2.0f);
  EXPECT_EQ(mesh.skinned, 1u);
  EXPECT_EQ(mesh.boneCount, 2);
  ASSERT_EQ(mesh.faces.size(), 1u);
  EXPECT_EQ(mesh.faces[0].vertices[2], 2);
  // Vertex 0: Hand 0.2 and Body 0.2, normalised; vertex 1: Hand alone.
  ASSERT_EQ(mesh.vertices[0].weights.size(), 2u);
  EXPECT_EQ(mesh.vertices[0].weights[0].bone, 2);
  EXPECT_EQ(mesh.vertices[0].weights[0].weight, 0.5f);
  EXPECT_EQ(mesh.vertices[0].weights[1].bone, 0);
  EXPECT_EQ(mesh.vertices[1].weights[0].weight, 1.0f);
  ASSERT_EQ(model.materials.size(), 1u);
  EXPECT_EQ(model.materials[0].name, "Leather");
  EXPECT_EQ(model.materials[0].textureFileName, u"leather.bmp");
  EXPECT_EQ(model.materials[0].power, 128.0f);  // zero shininess to default
  EXPECT_EQ(model.materials[0].opacity, 1.0f);  // zero transparency to default
  ASSERT_EQ(model.animations.size(), 1u);
  EXPECT_EQ(model.animations[0].name, "Wave");
  EXPECT_EQ(model.animations[0].end, 320.0f);
  const AnimationTrack& arm = model.animations[0].tracks[1];
  ASSERT_EQ(arm.positionKeys.size(), 1u);
  EXPECT_EQ(arm.positionKeys[0].value.x, 1.0f);  // (4, 0, 0) against the rest (3, 0, 0)
  EXPECT_TRUE(model.animations[0].tracks[2].positionKeys.empty());
}

TEST_F(ReadMessageTest, DeviceFailuresAreReportedInTheMessageText) {
  struct Case {
    D3DXTestSwitches switches;
    const char16_t* message;
  };
  const Case cases[] = {
      {{.fail_direct3d_create = true}, kNoDirectXInterface},
      {{.fail_create_device = true}, kNoDirectXDevice},
  };
  for (const Case& c : cases) {
    PathHostModel host(path_);
    TheImportModel().ticksPerSecond = 77;
    TheImportModel().frames.resize(2);  // left over: the message resets first
    D3DXTestSwitchesForTesting() = c.switches;
    EXPECT_EQ(HandleImportRead(host, 0), 0);
    EXPECT_EQ(WideString(host.errorMessage.Wide()), WideString(c.message));
    EXPECT_STREQ(host.errorMessage.Narrow(), NarrowString(c.message).c_str());
    EXPECT_TRUE(TheImportModel().frames.empty());
    EXPECT_EQ(TheImportModel().ticksPerSecond, 77);
    EXPECT_EQ(TheImportModel().sourcePath, WideString(host.filePath.Wide()));
  }
}

TEST_F(ReadMessageTest, UnreadableFileFailsAndLeavesTheModelEmpty) {
  PathHostModel host(path_ + ".missing");
  host.errorMessage = HostPathString("unchanged");
  EXPECT_EQ(HandleImportRead(host, 0), 0);
  EXPECT_STREQ(host.errorMessage.Narrow(), "unchanged");
  EXPECT_TRUE(TheImportModel().materials.empty());
  EXPECT_TRUE(TheImportModel().animations.empty());
  EXPECT_EQ(ReadImportFile(nullptr, nullptr), 0u);
}

// Each cut and each altered byte of the file ends in a result, never a
// fault (the sanitizer build runs this), and what converts keeps its shape.
TEST_F(ReadMessageTest, TruncatedAndAlteredFilesEndCleanly) {
  const std::string text = kSkinnedArm;
  std::vector<std::string> variants;
  for (std::size_t cut = 0; cut < text.size(); cut += 7) variants.push_back(text.substr(0, cut));
  for (std::size_t at = 16; at < text.size(); at += 11) {
    for (const char replacement : {'9', '}'}) {
      variants.push_back(text);
      variants.back()[at] = replacement;
    }
  }
  int converted = 0;
  for (const std::string& variant : variants) {
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << variant;
    PathHostModel host(path_);
    const std::int32_t result = HandleImportRead(host, 0);
    ASSERT_TRUE(result == 0 || result == 1);
    if (result == 0) continue;
    ++converted;
    const ImportModel& model = TheImportModel();
    ASSERT_EQ(model.meshes.size(), std::size_t(model.meshCount));
    for (const ImportAnimation& animation : model.animations) ASSERT_EQ(animation.tracks.size(), model.frames.size());
  }
  EXPECT_GT(converted, 0);
}

// Every corpus file converts or fails cleanly; what converts keeps the
// model's invariants.
TEST_F(ReadMessageTest, PublicCorpus) {
  const char* env = std::getenv("ORTOLIX_SHARED_DIR");
  const std::filesystem::path corpus = std::filesystem::path(env ? env : ORTOLIX_SHARED_DIR) / "corpus/public";
  if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no corpus";
  int converted = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".x" && ext != ".X") continue;
    SCOPED_TRACE(entry.path().filename().string());
    PathHostModel host(entry.path().string());
    if (HandleImportRead(host, 0) != 1) continue;
    ++converted;
    const ImportModel& model = TheImportModel();
    EXPECT_EQ(model.meshes.size(), std::size_t(model.meshCount));
    EXPECT_GE(model.materials.size(), 1u);
    for (const ImportAnimation& animation : model.animations) EXPECT_EQ(animation.tracks.size(), model.frames.size());
  }
  EXPECT_GE(converted, 30);
}

}  // namespace
}  // namespace ortolix
