// Message 0x10020 against the in-process Host, whose model is compared as a
// whole through its JSON document.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/host_json.h"
#include "plugin/plugin_entry.h"
#include "tests/export/preparation_fixture.h"

namespace ortolix {
namespace {

const PluginWord kInstance = 0x400000;

// One quad and one triangle sharing two vertices, a bone, and a track whose
// second rotation key is the negation of the first. {0}, {1}, {2} and {3}
// stand for the group name, the bone name, the animation name and the second
// rotation key.
const char kModelTemplate[] = R"({
  "format": "ortolix-host-model", "version": 1,
  "vertices": [
    {"position": [0, 0, 0]}, {"position": [1, 0, 0]},
    {"position": [1, 1, 0]}, {"position": [0, 1, 0]}, {"position": [2, 0, 0]}
  ],
  "groups": [{"name": "{0}", "faceCount": 0, "materials": []}],
  "meshes": [{"faces": [
    {"material": 0, "group": 0, "corners": [0, 1, 2, 3],
     "uv0": [[0, 0], [1, 0], [1, 1], [0, 1]], "uv1": [[0, 0], [0, 0], [0, 0], [0, 0]]},
    {"material": 0, "group": 0, "corners": [1, 4, 2],
     "uv0": [[1, 0], [2, 0], [1, 1]], "uv1": [[0, 0], [0, 0], [0, 0]]}
  ]}],
  "bones": [{"name": "{1}", "parent": -1}],
  "animations": [{"name": "{2}", "fps": 30, "tracks": [
    {"position": [], "rotation": [[0, 0.5, 0.5, 0.5, 0.5], [1, {3}]], "scale": []}
  ]}]
})";

std::string Model(const std::string& group, const std::string& bone, const std::string& animation,
                  const std::string& secondKey) {
  std::string text = kModelTemplate;
  const std::string fields[] = {group, bone, animation, secondKey};
  for (int i = 0; i < 4; ++i) {
    const std::string mark = "{" + std::to_string(i) + "}";
    text.replace(text.find(mark), mark.size(), fields[i]);
  }
  return text;
}

std::unique_ptr<InProcessHost> Load(const std::string& text) {
  HostLoadResult loaded = LoadHostModelJson(text);
  EXPECT_NE(loaded.host, nullptr) << loaded.error;
  return std::move(loaded.host);
}

using InProcessHostExportTest = test::PreparationTest;

TEST_F(InProcessHostExportTest, CancelledPreparationChangesOnlyNamesAndKeys) {
  const std::unique_ptr<InProcessHost> host =
      Load(Model("2 body", "arm.left", "walk-cycle", "-0.5, -0.5, -0.5, -0.5"));
  ASSERT_NE(host, nullptr);
  CancelDialog();
  EXPECT_EQ(PluginCallback(0x10020, host.get(), kInstance, 0), 2);
  EXPECT_TRUE(ExportSceneIsEmpty(Scene()));

  const std::unique_ptr<InProcessHost> expected =
      Load(Model("__body", "arm_left", "walk_cycle", "0.5, 0.5, 0.5, 0.5"));
  ASSERT_NE(expected, nullptr);
  EXPECT_EQ(SaveHostModelJson(*host), SaveHostModelJson(*expected));
  EXPECT_EQ(host->operations().Count(HostOperation::kTriangulate), 0);
}

TEST_F(InProcessHostExportTest, TriangulatedFacesReachTheBuilderAsTriangles) {
  const std::unique_ptr<InProcessHost> host = Load(Model("g", "b", "a", "0.5, 0.5, 0.5, 0.5"));
  ASSERT_NE(host, nullptr);
  AcceptDialog();
  ASSERT_EQ(PluginCallback(0x10020, host.get(), kInstance, 0), 1);
  const HostMesh& mesh = host->meshes.items[0];
  ASSERT_EQ(mesh.faceCount, 3);  // the quad's fan of two, then the triangle
  // Five corners of distinct (vertex, uv) pairs: vertices 1 and 2 carry the
  // same coordinates in both faces.
  EXPECT_EQ(Scene().modelVertexCount, 5);
  const std::int32_t expectedIndices[3][3] = {{0, 1, 2}, {0, 2, 3}, {1, 4, 2}};
  for (std::int32_t f = 0; f < 3; ++f) {
    ASSERT_EQ(mesh.faces[f].cornerCount, 3);
    for (std::int32_t c = 0; c < 3; ++c) {
      EXPECT_EQ(mesh.faces[f].exportIndices[c], expectedIndices[f][c]) << f << "," << c;
    }
  }
  ASSERT_EQ(Scene().frameCount, 1);
  EXPECT_EQ(host->operations().Count(HostOperation::kSkeletonHook), 1);
}

}  // namespace
}  // namespace ortolix
