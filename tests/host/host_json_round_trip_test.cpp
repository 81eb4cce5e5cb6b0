// Loading and saving host models: every field reaches its record, saving
// keeps absent and empty arrays apart, and load ∘ save is the identity.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

#include "tests/host/host_test_support.h"

namespace ortolix {
namespace {

using host_test::Bits;
using host_test::Doc;
using host_test::kRichDocument;
using host_test::Load;

TEST(HostJsonRoundTrip, SaveThenLoadGivesTheSameDocument) {
  auto first = Load(kRichDocument);
  const std::string saved = SaveHostModelJson(*first);
  auto second = Load(saved);
  EXPECT_EQ(SaveHostModelJson(*second), saved);
  // Non-finite values and negative zeros travel as the format spells them.
  EXPECT_NE(saved.find(R"(["nan", "-nan", "inf", "-inf"])"), std::string::npos);
  EXPECT_NE(saved.find("[1e-45, 3.4028235e+38, -3.4028235e+38]"), std::string::npos);
  EXPECT_NE(saved.find("[-0.0, -0.0, 1e+20]"), std::string::npos);
  EXPECT_NE(saved.find(R"("path1": null)"), std::string::npos);
  EXPECT_NE(saved.find(R"("uv0": null)"), std::string::npos);
}

TEST(HostJsonRoundTrip, FloatsAreSavedInTheirShortestForm) {
  const struct {
    float value;
    const char* text;
  } cases[] = {{0.1f, "0.1"},   {1.0f / 3.0f, "0.33333334"}, {16777216.0f, "16777216"},
               {1e-7f, "1e-07"}, {-2.5f, "-2.5"},            {0.0f, "0"}};
  for (const auto& c : cases) {
    InProcessHost host;
    ASSERT_EQ(host.AllocateVertices(1), 1);
    host.vertices.items[0].position = {c.value, 0, 0};
    const std::string saved = SaveHostModelJson(host);
    EXPECT_NE(saved.find(std::string("\"position\": [") + c.text + ", 0, 0]"), std::string::npos)
        << c.text;
    auto loaded = Load(saved);
    EXPECT_EQ(Bits(loaded->vertices.items[0].position.x), Bits(c.value)) << c.text;
  }
}

TEST(HostJsonRoundTrip, AbsentAndEmptyArraysStayApart) {
  auto host = Load(Doc(R"("materials": [], "groups": [], "animations": [])"));
  EXPECT_NE(host->materials.items, nullptr);
  EXPECT_NE(host->groups.items, nullptr);
  EXPECT_NE(host->animations.items, nullptr);
  EXPECT_EQ(host->vertices.items, nullptr);
  EXPECT_EQ(host->meshes.items, nullptr);
  EXPECT_EQ(host->bones.items, nullptr);
  const std::string saved = SaveHostModelJson(*host);
  for (const char* key : {"\"materials\": []", "\"groups\": []", "\"animations\": []"}) {
    EXPECT_NE(saved.find(key), std::string::npos) << key;
  }
  for (const char* key : {"vertices", "meshes", "bones", "placed1", "placed2", "extras"}) {
    EXPECT_EQ(saved.find(key), std::string::npos) << key;
  }
}

TEST(HostJsonRoundTrip, FilesLoadAndSave) {
  const std::string sample = std::string(ORTOLIX_SOURCE_DIR) + "/samples/cube.json";
  HostLoadResult loaded = LoadHostModelFile(sample);
  ASSERT_TRUE(loaded.host) << loaded.error;
  EXPECT_EQ(loaded.host->meshes.items[0].faceCount, 6);
  const std::string out = ::testing::TempDir() + "host_json_cube.json";
  std::string error;
  ASSERT_TRUE(SaveHostModelFile(*loaded.host, out, error)) << error;
  std::ifstream file(out, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_EQ(text.str(), SaveHostModelJson(*loaded.host));

  EXPECT_FALSE(SaveHostModelFile(*loaded.host, "/nonexistent-dir/x.json", error));
  EXPECT_EQ(host_test::ErrorPath(error), "/nonexistent-dir/x.json");
  for (const std::string& bad : {std::string("/nonexistent-dir/x.json"), ::testing::TempDir()}) {
    HostLoadResult failed = LoadHostModelFile(bad);
    EXPECT_FALSE(failed.host);
    EXPECT_EQ(host_test::ErrorPath(failed.error), bad) << failed.error;
  }
  JsonLimits small;
  small.maxBytes = 100;
  HostLoadResult large = LoadHostModelFile(sample, small);
  EXPECT_FALSE(large.host);
  EXPECT_EQ(host_test::ErrorPath(large.error), sample);
}

}  // namespace
}  // namespace ortolix
