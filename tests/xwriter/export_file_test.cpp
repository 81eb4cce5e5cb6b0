// The write message's results and failure rules, the empty model, and the
// names the writer makes unique or writes whole.
#include "export/export_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

#include "export/export_allocation.h"
#include "export/export_release.h"
#include "platform/crt/clock.h"
#include "tests/xwriter/golden_file.h"
#include "tests/xwriter/test_model.h"

namespace ortolix {
namespace {

using test::ReadFile;
using test::TestModel;

class ExportFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
    SetClock(1796491540);  // Sat Dec 05 17:25:40 2026 UTC
    options_ = test::NoOptions();
    // One file per test: ctest runs the tests as parallel processes.
    path_ = ::testing::TempDir() + "ortolix_export_file_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".x";
    std::remove(path_.c_str());
  }
  void TearDown() override {
    SetClock(std::nullopt);
    FreeExportScene(scene_);
    std::remove(path_.c_str());
  }

  // A one-triangle model, its scene allocated as export preparation does.
  void BuildTriangle() {
    model_.AddVertex({0, 0, 0}, {0, 0, 1}, {1, 1, 1, 1});
    model_.AddVertex({1, 0, 0}, {0, 0, 1}, {1, 1, 1, 1});
    model_.AddVertex({0, 1, 0}, {0, 0, 1}, {1, 1, 1, 1});
    model_.SetFaces({{0, 0, {0, 1, 2}}});
    scene_.modelVertices = NewExportArray<ExportVertex>(3);
    ASSERT_NE(scene_.modelVertices, nullptr);
    scene_.modelVertexCount = 3;
    for (int h = 0; h < 3; ++h) scene_.modelVertices[h] = test::MakeExportVertex(model_, h, 0, 0);
  }

  TestModel model_;
  ExportScene scene_;
  ExportOptions options_;
  std::string path_;
};

TEST_F(ExportFileTest, MissingModelFailsAndKeepsTheScene) {
  BuildTriangle();
  EXPECT_EQ(WriteExportFile(nullptr, scene_, options_), 0);
  EXPECT_NE(scene_.modelVertices, nullptr);
}

TEST_F(ExportFileTest, UnopenablePathFailsAndFreesTheScene) {
  BuildTriangle();
  model_.filePath = HostPathString((::testing::TempDir() + "no_such_dir/x/out.x").c_str());
  EXPECT_EQ(WriteExportFile(&model_, scene_, options_), 0);
  EXPECT_EQ(scene_.modelVertices, nullptr);
  EXPECT_EQ(scene_.modelVertexCount, 0);
}

TEST_F(ExportFileTest, WritesTheSceneToTheModelsPathReplacingTheFileAndFreesTheScene) {
  BuildTriangle();
  {
    std::ofstream old(path_, std::ios::binary);
    old << std::string(100000, 'x');  // longer than the new file
  }
  model_.filePath = HostPathString(path_.c_str());
  ExportScene copy = scene_;
  const std::string expected = test::WriteSceneText(WriteContext{&model_, &copy, &options_});
  EXPECT_EQ(WriteExportFile(&model_, scene_, options_), 1);
  EXPECT_EQ(ReadFile(path_), expected);
  EXPECT_EQ(scene_.modelVertices, nullptr);
  // A second write without a new preparation finds an empty scene.
  EXPECT_EQ(WriteExportFile(&model_, scene_, options_), 1);
  EXPECT_NE(ReadFile(path_).find("   Mesh staticMesh {\r\n    0;\r\n"), std::string::npos);
}

TEST_F(ExportFileTest, ModelWithoutGeometryWritesHeaderTemplatesTicksAndFramesLine) {
  options_.exportTicksPerSecond = 1;
  options_.ticksPerSecond = 4800;
  options_.exportAnimation = 1;
  model_.EmptyAnimations();
  int result = 0;
  const std::string text =
      test::WriteSceneText(WriteContext{&model_, &scene_, &options_}, &result);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(text, test::ReadGolden("header_minimal.x") +
                      "\r\nAnimTicksPerSecond {\r\n 4800;\r\n}\r\n\r\n// Start of Frames\r\n\r\n");
  EXPECT_EQ(model_.timeStamp.Narrow(), std::string("Sat Dec 05 17:25:40 2026"));
}

TEST_F(ExportFileTest, MeshFrameNameAvoidsBoneNamesIgnoringCase) {
  BuildTriangle();
  model_.AddBone("BODY", -1, 0);
  model_.AddBone("body0", -1, 0);
  scene_.frames = NewExportArray<ExportFrame>(2);
  scene_.frameCount = 2;
  const std::string text = test::WriteSceneText(WriteContext{&model_, &scene_, &options_});
  EXPECT_NE(text.find("\r\n   Frame Body00 {\r\n"), std::string::npos);
  EXPECT_NE(text.find("   Frame BODY {\r\n"), std::string::npos);
}

TEST_F(ExportFileTest, NamesOf255CharactersAreWrittenWhole) {
  BuildTriangle();
  const std::string bone(255, 'b');
  const std::string material(255, 'm');
  const std::string animation(255, 'a');
  model_.AddBone(bone.c_str(), -1, 1);
  model_.AddMaterial(material.c_str());
  scene_.frames = NewExportArray<ExportFrame>(1);
  scene_.frameCount = 1;
  scene_.frames[0].influenceCount = 0;
  HostAnimation& walk = model_.AddAnimation(animation.c_str(), 30, 1);
  model_.AddScaleKey(walk.tracks[0], 0, {1, 1, 1});
  options_.exportMaterials = options_.exportAnimation = 1;
  const std::string text = test::WriteSceneText(WriteContext{&model_, &scene_, &options_});
  EXPECT_NE(text.find("   Frame " + bone + " {\r\n"), std::string::npos);
  EXPECT_NE(text.find("    Material " + material + " {\r\n"), std::string::npos);
  EXPECT_NE(text.find("AnimationSet " + animation + " {\r\n"), std::string::npos);
  EXPECT_NE(text.find("      {" + bone + "}\r\n"), std::string::npos);
}

}  // namespace
}  // namespace ortolix
