// DumpMeshes: the JSON of `ortolix dump --meshes`.
#include "xdump/mesh_json.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/d3dx/xof_text.h"

namespace ortolix::test {
namespace {

using nlohmann::json;

class MeshDumpTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& body) {
    std::ofstream(path_, std::ios::binary) << kTextHeader << body;
    return path_.string();
  }
  void TearDown() override { std::filesystem::remove(path_); }
  std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                ("ortolix_mesh_dump_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".x");
};

TEST_F(MeshDumpTest, OneEntryPerMeshInFileOrderWithFailuresListed) {
  const std::string triangle = VectorList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  const std::string path = Write(
      "Frame root {\n Mesh quad {\n" + VectorList({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}) +
      FaceList({{0, 1, 2, 3}, {0, 2, 3}}) +
      "MeshMaterialList { 2; 2; 1, 0;;\n"
      " Material Red { 1.0;0.0;0.0;1.0;; 8.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; TextureFilename { \"red.bmp\"; } }\n"
      " Material Blue { 0.0;0.0;1.0;1.0;; 8.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; } }\n"
      "XSkinMeshHeader { 1; 1; 1; }\n"
      "SkinWeights { \"Bone\"; 2; 0, 1; 1.0, 0.5;\n"
      " 1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;; }\n"
      "MeshTextureCoords { 2; 0.0;0.0;, 1.0;0.0;; }\n }\n}\n"
      "Mesh broken {\n" + triangle + FaceList({{0, 1, 5}}) + "}\n");
  std::string text, error;
  ASSERT_EQ(DumpMeshes(path.c_str(), ReaderLimits{}, &text, &error), S_OK) << error;
  const json meshes = json::parse(text);
  ASSERT_EQ(meshes.size(), 2u);
  const json& quad = meshes[0];
  EXPECT_EQ(quad["name"], "quad");
  EXPECT_EQ(quad["fvf"], "0x00000102");
  EXPECT_EQ(quad["vertices"], 4);
  EXPECT_EQ(quad["faces"], 3);
  // Sorted by material: the triangle of material 0 first.
  ASSERT_EQ(quad["attributes"].size(), 2u);
  EXPECT_EQ(quad["attributes"][0]["id"], 0);
  EXPECT_EQ(quad["attributes"][0]["face_start"], 0);
  EXPECT_EQ(quad["attributes"][0]["face_count"], 1);
  EXPECT_EQ(quad["attributes"][1]["face_count"], 2);
  ASSERT_EQ(quad["materials"].size(), 2u);
  EXPECT_EQ(quad["materials"][0]["texture"], "red.bmp");
  EXPECT_EQ(quad["materials"][0]["diffuse"], json::array({1.0, 0.0, 0.0, 1.0}));
  EXPECT_EQ(quad["materials"][0]["power"], 8.0);
  EXPECT_TRUE(quad["materials"][1]["texture"].is_null());
  ASSERT_EQ(quad["bones"].size(), 1u);
  EXPECT_EQ(quad["bones"][0]["name"], "Bone");
  EXPECT_EQ(quad["bones"][0]["influences"], 2);
  ASSERT_EQ(quad["warnings"].size(), 1u);
  EXPECT_EQ(quad["warnings"][0]["code"], "fewer-texture-coords");
  EXPECT_EQ(quad["warnings"][0]["object"], "Mesh 'quad' > MeshTextureCoords");

  const json& broken = meshes[1];
  EXPECT_EQ(broken["name"], "broken");
  EXPECT_EQ(broken["error"], "Mesh 'broken': face 0 uses vertex 5 of 3");
  EXPECT_EQ(broken["code"], "0x88760B59");
  EXPECT_FALSE(broken.contains("vertices"));
}

TEST_F(MeshDumpTest, AFileThatCannotBeReadFailsWithItsReason) {
  std::string text, error;
  EXPECT_EQ(DumpMeshes("/nonexistent/ortolix.x", ReaderLimits{}, &text, &error), D3DXFERR_FILENOTFOUND);
  EXPECT_FALSE(error.empty());
  const std::string path = Write("Mesh m { 3; 0.0;0.0;0.0;, }");
  EXPECT_LT(DumpMeshes(path.c_str(), ReaderLimits{}, &text, &error), 0);
  EXPECT_NE(error.find("ortolix_mesh_dump_"), std::string::npos) << error;
}

}  // namespace
}  // namespace ortolix::test
