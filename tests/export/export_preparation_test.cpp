#include "export/export_preparation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/export_allocation.h"
#include "platform/win32/headless.h"
#include "plugin/plugin_entry.h"
#include "plugin/plugin_state.h"
#include "tests/export/preparation_fixture.h"
#include "tests/export/test_host_model.h"

namespace ortolix {
namespace {

using headless::ControlRef;
using headless::DialogStep;
using test::BuildCube;
using test::TestHostModel;
using Calls = std::vector<std::string>;

HINSTANCE TestInstance() { return reinterpret_cast<HINSTANCE>(0x400000); }

class ExportPreparationTest : public test::PreparationTest {
 protected:
  static DialogStep Check(int id, bool on) { return DialogStep::SetCheck(ControlRef::Id(id), on); }
};

// A skinned cube: bone 0 used by the skin, every vertex but the last bound.
void BuildSkinnedCube(TestHostModel& model, bool lastVertexBound) {
  BuildCube(model);
  model.AddBone("root", -1);
  model.bones.items[0].skinUseCount = 1;
  static HostInfluence bound{0, 1.0f};
  for (std::int32_t v = 0; v < model.vertices.count; ++v) {
    if (v + 1 == model.vertices.count && !lastVertexBound) continue;
    model.vertices.items[v].influenceCount = 1;
    model.vertices.items[v].influences = &bound;
  }
}

TEST_F(ExportPreparationTest, PluginCallbackRunsThePreparationForMessage0x10020) {
  TestHostModel model;
  BuildCube(model);
  AcceptDialog();
  const auto instance = reinterpret_cast<PluginWord>(TestInstance());
  EXPECT_EQ(PluginCallback(0x10020, &model, instance, 0), 1);
  EXPECT_EQ(CurrentModel(), &model);
  EXPECT_EQ(HostHandle(), instance);
  EXPECT_EQ(Scene().modelVertexCount, 24);
  EXPECT_EQ(headless::ShownDialogs().at(0).instance, TestInstance());

  CancelDialog();
  EXPECT_EQ(PluginCallback(0x10020, &model, instance, 0), 2);
  EXPECT_TRUE(ExportSceneIsEmpty(Scene()));

  TestHostModel untouched;
  EXPECT_EQ(PluginCallback(0x10020, &untouched, 0, 0), 0);
  EXPECT_TRUE(untouched.calls.empty());
}

TEST_F(ExportPreparationTest, RunsTheHostStepsInOrder) {
  TestHostModel model;
  model.AddMaterial("m");
  model.AddGroup("g");
  BuildCube(model);
  model.AddBone("b", -1);
  model.materialQueryResult = 0;
  model.boneQueryResult = 0;
  model.queryAnswerText = "written by the Host";  // each query still gets an empty text
  model.mainWindow = reinterpret_cast<HWND>(0x1234);
  AcceptDialog();
  ASSERT_EQ(PrepareExportScene(&model, TestInstance()), 1);
  EXPECT_EQ(model.calls, (Calls{"PrepareExport(1)", "MaterialQuery()", "MaterialFallback",
                                "GroupQuery()", "BoneQuery()", "BoneFallback", "GetMainWindow",
                                "Triangulate", "SkeletonHook(1)"}));
  EXPECT_EQ(Scene().modelVertexCount, 24);
  const headless::DialogRecord& dialog = headless::ShownDialogs().at(0);
  EXPECT_EQ(dialog.resource_id, 102);
  EXPECT_EQ(dialog.owner, model.mainWindow);
}

TEST_F(ExportPreparationTest, WarnsAboutUnboundVerticesOfASkinnedModel) {
  TestHostModel model;
  BuildSkinnedCube(model, false);
  const HWND focus = reinterpret_cast<HWND>(0x77);
  headless::SetFocusWindow(focus);
  headless::AddMessageBoxAnswer(IDOK);
  AcceptDialog();
  ASSERT_EQ(PrepareExportScene(&model, TestInstance()), 1);
  ASSERT_EQ(headless::ShownMessageBoxes().size(), 1u);
  const headless::MessageBoxRecord& box = headless::ShownMessageBoxes()[0];
  EXPECT_EQ(box.caption, u"Warning");
  EXPECT_EQ(box.text,
            u"Some vertices are not assigned to any bones.\nThis may cause problems when loading "
            u"DirectX skinned meshes.\n\nContinue anyway?\n");
  EXPECT_EQ(box.flags, MB_OKCANCEL | MB_ICONINFORMATION);
  EXPECT_EQ(box.owner, focus);
  EXPECT_LT(box.order, headless::ShownDialogs().at(0).order);
}

TEST_F(ExportPreparationTest, CancelOrAFailedWarningBoxStopsBeforeTheDialog) {
  // IDYES is no button of the box: MessageBoxW failed with 0.
  for (const int answer : {IDCANCEL, IDYES}) {
    SCOPED_TRACE(answer);
    TestHostModel model;
    BuildSkinnedCube(model, false);
    headless::AddMessageBoxAnswer(answer);
    AcceptDialog();
    EXPECT_EQ(PrepareExportScene(&model, TestInstance()), 2);
    EXPECT_TRUE(headless::ShownDialogs().empty());
    EXPECT_TRUE(ExportSceneIsEmpty(Scene()));
    headless::Reset();
  }
}

TEST_F(ExportPreparationTest, NoWarningWithoutASkinnedBoneOrAnUnboundVertex) {
  TestHostModel unskinned;
  BuildSkinnedCube(unskinned, false);
  unskinned.bones.items[0].skinUseCount = 0;
  AcceptDialog();
  ASSERT_EQ(PrepareExportScene(&unskinned, TestInstance()), 1);
  TestHostModel bound;
  BuildSkinnedCube(bound, true);
  AcceptDialog();
  ASSERT_EQ(PrepareExportScene(&bound, TestInstance()), 1);
  EXPECT_TRUE(headless::ShownMessageBoxes().empty());
  EXPECT_EQ(Scene().frames[0].influenceCount, 24);
}

TEST_F(ExportPreparationTest, FailedTriangulationShowsTheErrorBox) {
  TestHostModel model;
  BuildCube(model);
  model.triangulateResult = 0;
  headless::AddMessageBoxAnswer(IDOK);
  AcceptDialog();
  EXPECT_EQ(PrepareExportScene(&model, TestInstance()), 2);
  ASSERT_EQ(headless::ShownMessageBoxes().size(), 1u);
  const headless::MessageBoxRecord& box = headless::ShownMessageBoxes()[0];
  EXPECT_EQ(box.caption, u"Error");
  EXPECT_EQ(box.text, u"Failed to triangulate geometry.\t");
  EXPECT_EQ(box.flags, MB_OK | MB_ICONERROR);
  EXPECT_GT(box.order, headless::ShownDialogs().at(0).order);
  EXPECT_TRUE(ExportSceneIsEmpty(Scene()));
}

TEST_F(ExportPreparationTest, TriangulationOffKeepsTheCornerCounts) {
  TestHostModel model;
  model.AddGroup("g");
  BuildCube(model);
  AcceptDialog({Check(ORTOLIX_IDC_TRIANGULATE_MODEL, false),
                Check(ORTOLIX_IDC_EXPORT_GROUPS_AS_MESHES, true)});
  ASSERT_EQ(PrepareExportScene(&model, TestInstance()), 1);
  EXPECT_EQ(model.calls, (Calls{"PrepareExport(1)", "GroupQuery()", "GetMainWindow",
                                "GroupsHook"}));
  ASSERT_EQ(Scene().groupMeshCount, 1);
  ASSERT_EQ(Scene().groupMeshes[0].faceCount, 6);
  for (std::int32_t f = 0; f < 6; ++f) EXPECT_EQ(Scene().groupMeshes[0].faces[f].cornerCount, 4);
}

TEST_F(ExportPreparationTest, GroupModeCountsGroupFacesAndLeavesInfluencesAtZero) {
  TestHostModel model;
  model.AddGroup("a");
  model.AddGroup("b");
  BuildSkinnedCube(model, true);
  model.Face(0, 5).group = 7;  // names no group
  model.groups.items[0].faceCount = 99;
  AcceptDialog({Check(ORTOLIX_IDC_EXPORT_GROUPS_AS_MESHES, true)});
  ASSERT_EQ(PrepareExportScene(&model, TestInstance()), 1);
  EXPECT_EQ(model.groups.items[0].faceCount, 5);
  EXPECT_EQ(model.groups.items[1].faceCount, 0);
  EXPECT_EQ(Scene().modelVertices, nullptr);
  ASSERT_EQ(Scene().groupMeshCount, 2);
  EXPECT_EQ(Scene().groupMeshes[0].faceCount, 5);
  EXPECT_EQ(Scene().frames[0].influenceCount, 0);
}

TEST_F(ExportPreparationTest, EveryFailedAllocationStopsWithNoSceneLeft) {
  TestHostModel model;
  model.AddGroup("a");
  model.AddGroup("b");
  BuildCube(model, 2);
  model.AddBone("root", -1);
  model.AddBone("child", 0);
  for (const std::int32_t groups : {0, 1}) {
    SCOPED_TRACE(groups);
    TheExportOptions().exportGroupsAsMeshes = groups;
    FailExportAllocationAt(0);
    AcceptDialog();
    ASSERT_EQ(PrepareExportScene(&model, TestInstance()), 1);
    const std::int64_t allocations = ExportAllocationCount();
    ASSERT_GT(allocations, 3);
    for (std::int64_t nth = 1; nth <= allocations; ++nth) {
      SCOPED_TRACE(nth);
      FailExportAllocationAt(nth);
      AcceptDialog();
      EXPECT_EQ(PrepareExportScene(&model, TestInstance()), 2);
      EXPECT_TRUE(ExportSceneIsEmpty(Scene()));
    }
  }
  EXPECT_TRUE(headless::ShownMessageBoxes().empty());
}

}  // namespace
}  // namespace ortolix
