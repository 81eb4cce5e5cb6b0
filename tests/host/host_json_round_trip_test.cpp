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

std::string Narrow(const HostPathString& text) { return text.Narrow(); }

TEST(HostJsonRoundTrip, RichDocumentReachesEveryRecord) {
  auto host = Load(kRichDocument);
  EXPECT_EQ(Narrow(host->filePath), "out\\model.x");
  EXPECT_EQ(Narrow(host->creatorName), "Modeller \"Q\"");
  EXPECT_EQ(Narrow(host->website), "caf\xC3\xA9.example \xE2\x98\x83 \xF0\x9D\x84\x9E");
  EXPECT_EQ(host->website.Wide()[3], u'\u00e9');
  EXPECT_EQ(Narrow(host->errorMessage), "line\nbreak\ttab");

  ASSERT_EQ(host->materials.count, 5);
  const HostMaterial& wood = host->materials.items[0];
  EXPECT_EQ(wood.ambient.b, 0.3f);
  EXPECT_EQ(Bits(wood.emissive.g), 0x80000000u);
  EXPECT_TRUE(std::isnan(wood.specular.r) && !std::signbit(wood.specular.r));
  EXPECT_TRUE(std::isnan(wood.specular.g) && std::signbit(wood.specular.g));
  EXPECT_EQ(wood.specular.b, INFINITY);
  EXPECT_EQ(wood.specular.a, -INFINITY);
  EXPECT_EQ(wood.power, 32.5f);
  EXPECT_EQ(wood.useCount, 3);
  auto* bitmap = static_cast<HostBitmapMap*>(host->materials.items[0].GetTextureMap(0));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->kind, kBitmapMapKind);
  EXPECT_EQ(Narrow(bitmap->path), "C:\\tex\\wood.bmp");
  // Kind 4 is reached through the map's second base.
  auto* layered = static_cast<HostLayeredMap*>(host->materials.items[1].GetTextureMap(0));
  ASSERT_EQ(layered->kind, kLayeredMapKind);
  EXPECT_EQ(layered->flags, 2);
  EXPECT_EQ(Narrow(layered->paths->second), "b.bmp");
  auto* nullPaths = static_cast<HostLayeredMap*>(host->materials.items[2].GetTextureMap(0));
  EXPECT_EQ(nullPaths->paths, nullptr);
  EXPECT_EQ(host->materials.items[3].GetTextureMap(0)->kind, 7);
  EXPECT_EQ(host->materials.items[4].GetTextureMap(0), nullptr);
  // Defaults of a material that gives only its name.
  const HostMaterial& plain = host->materials.items[4];
  EXPECT_EQ(plain.diffuse.r, 1.0f);
  EXPECT_EQ(plain.ambient.r, 0.0f);
  EXPECT_EQ(plain.ambient.a, 1.0f);
  EXPECT_EQ(plain.opacity, 1.0f);

  ASSERT_EQ(host->vertices.count, 5);
  EXPECT_EQ(host->vertices.items[0].influenceCount, 2);
  EXPECT_EQ(host->vertices.items[0].influences[1].bone, 1);
  EXPECT_EQ(host->vertices.items[0].influences[1].weight, 0.25f);
  EXPECT_EQ(Bits(host->vertices.items[1].position.x), 1u);  // the smallest subnormal
  EXPECT_EQ(host->vertices.items[1].position.y, 3.4028235e38f);
  EXPECT_EQ(Bits(host->vertices.items[2].position.x), 0x80000000u);  // the token -0
  EXPECT_EQ(Bits(host->vertices.items[2].position.y), 0x80000000u);
  EXPECT_EQ(host->vertices.items[3].color.g, 1.0f);

  ASSERT_EQ(host->groups.count, 3);
  EXPECT_EQ(host->groups.items[0].faceCount, 7);
  ASSERT_EQ(host->groups.items[0].materialUseCount, 2);
  EXPECT_EQ(host->groups.items[0].materialUses[1].material, 4);
  EXPECT_EQ(host->groups.items[2].materialUseCount, 0);

  ASSERT_EQ(host->meshes.count, 3);
  const HostMesh& mesh = host->meshes.items[0];
  ASSERT_EQ(mesh.faceCount, 4);
  EXPECT_EQ(mesh.faces[0].exportIndices[2], 7);
  EXPECT_EQ(mesh.faces[0].texture->second[2].v, INFINITY);
  EXPECT_EQ(mesh.faces[1].cornerCount, 5);
  EXPECT_EQ(mesh.faces[1].texture, nullptr);
  EXPECT_EQ(mesh.faces[2].texture->second, nullptr);
  EXPECT_EQ(mesh.faces[2].texture->first[1].u, 3.0f);
  EXPECT_EQ(mesh.faces[3].exportIndices[3], 0);
  EXPECT_NE(mesh.faces[3].texture->second, nullptr);
  EXPECT_EQ(host->meshes.items[1].faces, nullptr);
  EXPECT_NE(host->meshes.items[2].faces, nullptr);
  EXPECT_EQ(host->meshes.items[2].faceCount, 0);

  ASSERT_EQ(host->bones.count, 2);
  EXPECT_EQ(host->bones.items[0].local.m[3], 1.0f);
  EXPECT_EQ(host->bones.items[0].skinUseCount, 1);
  EXPECT_EQ(host->bones.items[1].parent, 0);
  EXPECT_EQ(host->bones.items[1].rotation.w, 1.0f);

  ASSERT_EQ(host->animations.count, 3);
  const HostAnimation& walk = host->animations.items[0];
  ASSERT_EQ(walk.trackCount, 3);
  EXPECT_EQ(walk.tracks[0].positionKeyCount, 2);
  EXPECT_EQ(walk.tracks[0].positionKeys[1].value.y, 1.0f);
  EXPECT_EQ(walk.tracks[0].rotationKeys[0].value.w, 1.0f);
  EXPECT_EQ(walk.tracks[2].scaleKeyCount, 0);
  EXPECT_EQ(host->animations.items[1].tracks, nullptr);
  EXPECT_NE(host->animations.items[2].tracks, nullptr);

  EXPECT_EQ(host->placed1.items[0].distances[1], 10.0f);
  EXPECT_EQ(host->placed2.items[0].orientation.m[14], 14.0f);
  EXPECT_NE(host->extras.items, nullptr);
  EXPECT_EQ(host->extras.count, 0);
}

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

TEST(HostJsonRoundTrip, NumbersLoadAsTheNearestFloat) {
  // 16777217 lies between two floats. The second number lies just above the
  // midpoint of 1 and the next float: through double it would land on the
  // midpoint and then round to even (1), read directly it rounds up.
  auto host = Load(Doc(R"("vertices": [{"position": [16777217, 1.00000005960464477539062501, 1e-46]}])"));
  EXPECT_EQ(host->vertices.items[0].position.x, 16777216.0f);
  EXPECT_EQ(Bits(host->vertices.items[0].position.y), Bits(1.0000001f));
  EXPECT_EQ(Bits(host->vertices.items[0].position.z), 0u);
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

TEST(HostJsonRoundTrip, NewModelSavesOnlyTheHeader) {
  InProcessHost host;
  EXPECT_EQ(SaveHostModelJson(host),
            "{\n  \"format\": \"ortolix-host-model\",\n  \"version\": 1,\n  \"filePath\": \"\",\n"
            "  \"creator\": {\"name\": \"\", \"version\": \"\", \"website\": \"\"},\n"
            "  \"timeStamp\": \"\",\n  \"message\": \"\"\n}\n");
}

TEST(HostJsonRoundTrip, TextsThatAreNotUtf8AreSavedWithReplacementCharacters) {
  InProcessHost host;
  std::strcpy(host.errorMessage.Narrow(), "bad \xFF byte \x01");
  const std::string saved = SaveHostModelJson(host);
  EXPECT_NE(saved.find("\"message\": \"bad \xEF\xBF\xBD byte \\u0001\""), std::string::npos);
  Load(saved);
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
