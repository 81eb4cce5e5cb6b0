// Hostile host-model documents: every one fails with the JSON path of the
// offending value, within the limits, and never crashes.
#include <gtest/gtest.h>

#include <string>

#include "tests/host/host_test_support.h"

namespace ortolix {
namespace {

using host_test::Doc;
using host_test::ErrorPath;

struct HostileCase {
  const char* name;
  std::string document;
  const char* path;  // where the error must point
};

const std::string kOneMaterial = R"("materials": [{"name": "m"}], )";
const std::string kThreeVertices = R"("vertices": [{}, {}, {}], )";

std::string LongText(std::size_t n) { return "\"" + std::string(n, 'a') + "\""; }

std::string Repeat(const std::string& text, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += text;
  return out;
}

std::vector<HostileCase> HostileCases() {
  return {
      {"TopIsNotAnObject", "[1, 2]", "document"},
      {"MissingFormat", R"({"version": 1})", "document"},
      {"WrongFormat", R"({"format": "other", "version": 1})", "format"},
      {"MissingVersion", R"({"format": "ortolix-host-model"})", "document"},
      {"UnsupportedVersion", R"({"format": "ortolix-host-model", "version": 2})", "version"},
      {"UnknownTopKey", Doc(R"("meshs": [])"), "meshs"},
      {"UnknownBoneKey", Doc(R"("bones": [{}, {}, {}, {"rotaton": [0, 0, 0, 1]}])"), "bones[3].rotaton"},
      {"DuplicateKey", R"({"format": "ortolix-host-model", "version": 1, "version": 1})", "version"},
      {"ArrayIsAnObject", Doc(R"("vertices": {})"), "vertices"},
      {"RecordIsAnArray", Doc(R"("vertices": [[0, 0, 0]])"), "vertices[0]"},
      {"ShortVector", Doc(R"("vertices": [{"position": [1, 2]}])"), "vertices[0].position"},
      {"TextInVector", Doc(R"("vertices": [{"position": [1, "x", 2]}])"), "vertices[0].position[1]"},
      {"NanSpelledOtherwise", Doc(R"("vertices": [{"normal": [0, "NaN", 0]}])"), "vertices[0].normal[1]"},
      {"FloatBeyondRange", Doc(R"("bones": [{"scale": [1, 1e39, 1]}])"), "bones[0].scale[1]"},
      {"IntegerWithFraction", Doc(R"("materials": [{"useCount": 1.5}])"), "materials[0].useCount"},
      {"IntegerBeyond32Bits", Doc(R"("groups": [{"faceCount": 2147483648}])"), "groups[0].faceCount"},
      {"IntegerBeyond64Bits", Doc(R"("bones": [{"parent": 99999999999999999999999}])"), "bones[0].parent"},
      {"TextTooLong", Doc(R"("materials": [{"name": )" + LongText(260) + "}]"), "materials[0].name"},
      {"TextTooLongInUtf8", Doc(R"("extras": [{"name": ")" + Repeat("\xC3\xA9", 130) + "\"}]"),
       "extras[0].name"},  // 130 characters, but 260 bytes: more than the narrow form holds
      {"InvalidUtf8", Doc("\"filePath\": \"a\xC3(\""), "filePath"},
      {"NulInText", Doc(R"("filePath": "a\u0000b")"), "filePath"},
      {"GroupNamesNoMaterial", Doc(kOneMaterial + R"("groups": [{"materials": [0, 1]}])"), "groups[0].materials[1]"},
      {"CornerOutsideVertices", Doc(kThreeVertices + R"("meshes": [{"faces": [{"corners": [0, 1, 3]}]}])"),
       "meshes[0].faces[0].corners[2]"},
      {"DefaultCornersWithoutVertices", Doc(R"("meshes": [{"faces": [{}]}])"), "meshes[0].faces[0].corners[0]"},
      {"ExportIndicesPerCorner", Doc(kThreeVertices + R"("meshes": [{"faces": [{"exportIndices": [0, 0]}]}])"),
       "meshes[0].faces[0].exportIndices"},
      {"UvPerCorner", Doc(kThreeVertices + R"("meshes": [{"faces": [{"uv0": [[0, 0]]}]}])"),
       "meshes[0].faces[0].uv0"},
      {"SecondUvWithoutTexture", Doc(kThreeVertices + R"("meshes": [{"faces": [{"uv0": null, "uv1": []}]}])"),
       "meshes[0].faces[0].uv1"},
      {"TextureWithoutKind", Doc(R"("materials": [{"texture": {"flags": 1}}])"), "materials[0].texture"},
      {"BitmapWithTwoPaths", Doc(R"("materials": [{"texture": {"kind": 1, "path1": "a"}}])"),
       "materials[0].texture.path1"},
      {"NullFirstPathWithSecond",
       Doc(R"("materials": [{"texture": {"kind": 4, "path1": null, "path2": "b"}}])"),
       "materials[0].texture.path2"},
      {"InfluenceNotAPair", Doc(R"("vertices": [{"influences": [[0, 1], [0]]}])"), "vertices[0].influences[1]"},
      {"RotationKeyShort", Doc(R"("animations": [{"tracks": [{"rotation": [[0, 0, 0, 1]]}]}])"),
       "animations[0].tracks[0].rotation[0]"},
      {"FpsAsText", Doc(R"("animations": [{"fps": "30"}])"), "animations[0].fps"},
      {"PlacedDistancesShort", Doc(R"("placed1": [{"distances": [1]}])"), "placed1[0].distances"},
      {"ExtraWithHostBlock", Doc(R"("extras": [{"name": "x", "block": 1}])"), "extras[0].block"},
      {"Truncated", R"({"format": "ortolix-host-model", "version": 1, "vertices": [{"position": [1, 2)",
       "vertices[0].position[2]"},
      {"TrailingGarbage", Doc() + " x", "document"},
      {"NotJson", "\x7f" "ELF\x01\x01", "document"},
  };
}

class HostJsonHostile : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostJsonHostile, FailsWithThePathOfTheOffendingValue) {
  const HostLoadResult result = LoadHostModelJson(GetParam().document);
  EXPECT_FALSE(result.host);
  EXPECT_EQ(ErrorPath(result.error), GetParam().path) << result.error;
  EXPECT_GT(result.error.size(), std::string(GetParam().path).size() + 2) << "no reason given";
}

INSTANTIATE_TEST_SUITE_P(Documents, HostJsonHostile, ::testing::ValuesIn(HostileCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostJsonLimits, NestingBeyondTheLimitFailsWhereItGoesTooDeep) {
  const std::string deep = Doc(R"("extras": )" + std::string(100000, '[') + std::string(100000, ']'));
  const HostLoadResult result = LoadHostModelJson(deep);
  EXPECT_FALSE(result.host);
  // The root object is level 1 and "extras" level 2; the 33rd level fails.
  std::string path = "extras";
  for (int i = 0; i < 31; ++i) path += "[0]";
  EXPECT_EQ(ErrorPath(result.error), path) << result.error;
}

TEST(HostJsonLimits, ValueCountAndSizeAreBounded) {
  JsonLimits limits;
  limits.maxValues = 1000;
  std::string vertices = R"("vertices": [{})";
  for (int i = 0; i < 2000; ++i) vertices += ", {}";
  HostLoadResult result = LoadHostModelJson(Doc(vertices + "]"), limits);
  EXPECT_FALSE(result.host);
  EXPECT_EQ(ErrorPath(result.error).substr(0, 9), "vertices[") << result.error;

  limits = JsonLimits{};
  limits.maxBytes = 64;
  result = LoadHostModelJson(Doc(R"("filePath": ")" + std::string(64, 'a') + "\""), limits);
  EXPECT_FALSE(result.host);
  EXPECT_EQ(ErrorPath(result.error), "document");
}

// Every prefix of a valid document, and the document with single bytes
// replaced, must load or fail cleanly (the sanitizer build checks memory).
TEST(HostJsonSweep, TruncatedAndDamagedDocumentsFailCleanly) {
  const std::string_view rich = host_test::kRichDocument;
  for (std::size_t n = 0; n < rich.size(); ++n) {
    const HostLoadResult result = LoadHostModelJson(rich.substr(0, n));
    ASSERT_FALSE(result.host) << n;
    ASSERT_NE(ErrorPath(result.error), result.error) << n << ": no place named";
  }
  // One replacement per byte, the kinds taken in turn: varied damage at every
  // place, quick enough for the sanitizer build.
  constexpr char kReplacements[] = {'}', ']', '"', '0', '-', ',', 'x'};
  std::size_t loaded = 0;
  for (std::size_t i = 0; i < rich.size(); ++i) {
    std::string damaged(rich);
    damaged[i] = kReplacements[i % sizeof kReplacements];
    const HostLoadResult result = LoadHostModelJson(damaged);
    if (result.host) {
      ++loaded;
      (void)SaveHostModelJson(*result.host);
    } else {
      ASSERT_NE(ErrorPath(result.error), result.error) << i << ": no place named";
    }
  }
  EXPECT_GT(loaded, 0u);  // damage inside numbers and texts can leave a valid model
}

}  // namespace
}  // namespace ortolix
