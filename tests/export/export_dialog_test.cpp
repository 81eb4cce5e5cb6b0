#include "export/export_dialog.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>
#include <utility>

#include "export/export_options.h"
#include "platform/win32/headless.h"
#include "platform/win32/win32.h"
#include "resources/export_dialog.h"
#include "tests/export/test_host_model.h"

namespace ortolix {
namespace {

using headless::ControlRef;
using headless::DialogScript;
using headless::DialogStep;
using test::TestHostModel;

HINSTANCE TestInstance() { return reinterpret_cast<HINSTANCE>(0x400000); }

class ExportDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    TheExportOptions() = ExportOptions{};
    RegisterExportDialogTemplate();
  }
  void TearDown() override { headless::Reset(); }

  // Runs the dialog of resource 102 as export preparation does.
  INT_PTR Run(TestHostModel* model, std::vector<DialogStep> steps) {
    headless::AddDialogScript(DialogScript{ORTOLIX_EXPORT_DIALOG_ID, std::move(steps)});
    return DialogBoxParamW(TestInstance(), ORTOLIX_EXPORT_DIALOG_ID, nullptr, &ExportDialogProc,
                           reinterpret_cast<LPARAM>(model));
  }

  const headless::DialogRecord& LastDialog() {
    EXPECT_FALSE(headless::ShownDialogs().empty());
    return headless::ShownDialogs().back();
  }
};

DialogStep TypeTicks(std::u16string text) {
  return DialogStep::TypeText(ControlRef::Id(ORTOLIX_IDC_TICKS_EDIT), std::move(text));
}
DialogStep PressOk() { return DialogStep::Press(ControlRef::Id(IDOK)); }
DialogStep PressCancel() { return DialogStep::Press(ControlRef::Id(IDCANCEL)); }

TEST_F(ExportDialogTest, OkStoresTheTicksOfTheEditText) {
  const std::pair<std::u16string, std::int32_t> cases[] = {
      {u"-25", 0},     {u"12abc", 12}, {u"", 0}, {u"abc", 0}, {u"  +640", 640},
      {u"99999999999", INT32_MAX}, {u"30", 30}};
  for (const auto& [text, stored] : cases) {
    SCOPED_TRACE(std::string(text.begin(), text.end()));
    EXPECT_EQ(Run(nullptr, {TypeTicks(text), PressOk()}), IDOK);
    EXPECT_EQ(TheExportOptions().ticksPerSecond, stored);
  }
  EXPECT_TRUE(headless::Errors().empty());
}

TEST_F(ExportDialogTest, OpensWithDefaultsInTheStatedOrderAndCentred) {
  EXPECT_EQ(Run(nullptr, {PressCancel()}), IDCANCEL);
  const headless::DialogRecord& shown = LastDialog();
  EXPECT_EQ(shown.caption, u"Save DirectX 9.0 Model");
  EXPECT_EQ(shown.init_result, 1);
  EXPECT_EQ(headless::FindControl(shown.at_init, ORTOLIX_IDC_TICKS_EDIT)->text, u"4800");
  const ExportOptions defaults;
  for (const ExportCheckBox& box : kExportCheckBoxes) {
    const headless::ControlState* control = headless::FindControl(shown.at_init, box.controlId);
    ASSERT_NE(control, nullptr) << box.controlId;
    EXPECT_EQ(control->check, defaults.*box.option) << box.controlId;
  }
  ASSERT_EQ(shown.moves.size(), 1u);
  const headless::PixelSize size = headless::DialogPixelSize(186, 205);
  EXPECT_EQ(shown.moves[0].x, (1920 - size.width) / 2);
  EXPECT_EQ(shown.moves[0].y, (1080 - size.height) / 2);
  EXPECT_EQ(headless::OpenDeviceContexts(), 0u);
}

TEST_F(ExportDialogTest, CheckBoxesMapToTheirOptions) {
  // Each box text names the option it edits.
  struct Pair {
    std::u16string text;
    std::int32_t ExportOptions::*option;
  };
  const Pair pairs[] = {
      {u"Export materials", &ExportOptions::exportMaterials},
      {u"Export texture coordinates", &ExportOptions::exportTextureCoordinates},
      {u"Export vertex normals", &ExportOptions::exportVertexNormals},
      {u"Export vertex colors", &ExportOptions::exportVertexColors},
      {u"Export animation", &ExportOptions::exportAnimation},
      {u"Export templates", &ExportOptions::exportTemplates},
      {u"Export multiple uvsets", &ExportOptions::exportMultipleUvSets},
      {u"Triangulate model", &ExportOptions::triangulateModel},
      {u"Flip handedness", &ExportOptions::flipHandedness},
      {u"Use full texture filepath", &ExportOptions::useFullTexturePath},
      {u"Export root bone transform", &ExportOptions::exportRootBoneTransform},
      {u"Export groups as meshes", &ExportOptions::exportGroupsAsMeshes},
      {u"Export ticks per second", &ExportOptions::exportTicksPerSecond},
  };
  for (const Pair& pair : pairs) {
    SCOPED_TRACE(std::string(pair.text.begin(), pair.text.end()));
    TheExportOptions() = ExportOptions{};
    const std::int32_t before = TheExportOptions().*pair.option;
    ASSERT_EQ(Run(nullptr, {DialogStep::SetCheck(ControlRef::Text(pair.text), before == 0),
                            PressOk()}),
              IDOK);
    ExportOptions expected;
    expected.*pair.option = before == 0 ? 1 : 0;
    for (const ExportCheckBox& box : kExportCheckBoxes) {
      EXPECT_EQ(TheExportOptions().*box.option, expected.*box.option) << box.controlId;
    }
  }
  EXPECT_TRUE(headless::Errors().empty());
}

TEST_F(ExportDialogTest, CancelKeepsEveryOption) {
  ExportOptions chosen;
  chosen.exportMaterials = 0;
  chosen.flipHandedness = 1;
  chosen.ticksPerSecond = 160;
  TheExportOptions() = chosen;
  EXPECT_EQ(Run(nullptr, {DialogStep::SetCheck(ControlRef::Id(ORTOLIX_IDC_EXPORT_MATERIALS), true),
                          DialogStep::SetCheck(ControlRef::Id(ORTOLIX_IDC_TRIANGULATE_MODEL), false),
                          TypeTicks(u"77"), PressCancel()}),
            IDCANCEL);
  for (const ExportCheckBox& box : kExportCheckBoxes) {
    EXPECT_EQ(TheExportOptions().*box.option, chosen.*box.option) << box.controlId;
  }
  EXPECT_EQ(TheExportOptions().ticksPerSecond, 160);
}

TEST_F(ExportDialogTest, FirstAnimationSetsTheTicksByX86Truncation) {
  const std::pair<float, std::u16string> cases[] = {
      {29.97f, u"29"}, {0.0f, u"0"}, {-2.5f, u"-2"},
      {std::numeric_limits<float>::quiet_NaN(), u"-2147483648"}, {3.0e9f, u"-2147483648"}};
  for (const auto& [fps, shown] : cases) {
    SCOPED_TRACE(fps);
    TestHostModel model;
    model.AddAnimation("walk", fps);
    model.AddAnimation("run", 60);
    ASSERT_EQ(Run(&model, {PressCancel()}), IDCANCEL);
    EXPECT_EQ(headless::FindControl(LastDialog().at_init, ORTOLIX_IDC_TICKS_EDIT)->text, shown);
  }
}

TEST_F(ExportDialogTest, ModelWithoutAnimationRecordsShowsTheLastAcceptedTicks) {
  TestHostModel model;
  model.EnableEmptyAnimations();
  TheExportOptions().ticksPerSecond = 1234;
  ASSERT_EQ(Run(&model, {PressCancel()}), IDCANCEL);
  EXPECT_EQ(headless::FindControl(LastDialog().at_init, ORTOLIX_IDC_TICKS_EDIT)->text, u"1234");
}

TEST_F(ExportDialogTest, CentringKeepsTheDialogOnTheScreen) {
  const headless::PixelSize size = headless::DialogPixelSize(186, 205);
  // A desktop wider than the screen (two monitors) would centre past it.
  headless::SetDisplay(RECT{0, 0, 3840, 1080}, 1920, 1080);
  ASSERT_EQ(Run(nullptr, {PressCancel()}), IDCANCEL);
  EXPECT_EQ(LastDialog().moves.at(0).x, 1920 - size.width);
  // A desktop left of the origin would put it at a negative edge.
  headless::SetDisplay(RECT{-1000, 0, -900, 1080}, 1920, 1080);
  ASSERT_EQ(Run(nullptr, {PressCancel()}), IDCANCEL);
  EXPECT_EQ(LastDialog().moves.at(0).x, 0);
}

}  // namespace
}  // namespace ortolix
