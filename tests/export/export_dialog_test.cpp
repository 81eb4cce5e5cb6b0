#include "export/export_dialog.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <iterator>
#include <string>
#include <string_view>

#include "export/export_options.h"
#include "export/export_preparation.h"
#include "platform/win32/headless.h"
#include "platform/win32/win32.h"
#include "resources/export_dialog.h"
#include "tests/export/test_host_model.h"

namespace ortolix {
namespace {

using headless::ControlRef;
using headless::DialogScript;
using headless::DialogStep;
using testing::TestHostModel;

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

struct TicksCase {
  const char* label;
  std::u16string text;
  std::int32_t stored;
};

class TicksTextTest : public ExportDialogTest, public ::testing::WithParamInterface<TicksCase> {};

TEST_P(TicksTextTest, OkStoresTheTicksOfTheEditText) {
  EXPECT_EQ(Run(nullptr, {TypeTicks(GetParam().text), PressOk()}), IDOK);
  EXPECT_EQ(TheExportOptions().ticksPerSecond, GetParam().stored);
  EXPECT_TRUE(headless::Errors().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TicksTextTest,
    ::testing::Values(TicksCase{"minus_25", u"-25", 0}, TicksCase{"digits_then_letters", u"12abc", 12},
                      TicksCase{"empty", u"", 0}, TicksCase{"letters", u"abc", 0},
                      TicksCase{"blanks_and_plus", u"  +640", 640},
                      TicksCase{"saturates", u"99999999999", INT32_MAX},
                      TicksCase{"plain", u"30", 30}),
    [](const ::testing::TestParamInfo<TicksCase>& info) { return info.param.label; });

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

TEST_F(ExportDialogTest, AcceptedValuesOpenTheNextDialog) {
  ASSERT_EQ(Run(nullptr, {TypeTicks(u"25"),
                          DialogStep::SetCheck(ControlRef::Id(ORTOLIX_IDC_FLIP_HANDEDNESS), true),
                          PressOk()}),
            IDOK);
  ASSERT_EQ(Run(nullptr, {PressCancel()}), IDCANCEL);
  const headless::DialogRecord& second = LastDialog();
  EXPECT_EQ(headless::FindControl(second.at_init, ORTOLIX_IDC_TICKS_EDIT)->text, u"25");
  EXPECT_EQ(headless::FindControl(second.at_init, ORTOLIX_IDC_FLIP_HANDEDNESS)->check, 1);
}

struct FpsCase {
  const char* label;
  float fps;
  const char16_t* shown;
};

class FramesPerSecondTest : public ExportDialogTest,
                            public ::testing::WithParamInterface<FpsCase> {};

TEST_P(FramesPerSecondTest, FirstAnimationSetsTheTicks) {
  TestHostModel model;
  model.AddAnimation("walk", GetParam().fps);
  model.AddAnimation("run", 60);
  ASSERT_EQ(Run(&model, {PressCancel()}), IDCANCEL);
  EXPECT_EQ(headless::FindControl(LastDialog().at_init, ORTOLIX_IDC_TICKS_EDIT)->text,
            GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rates, FramesPerSecondTest,
    ::testing::Values(FpsCase{"fractional", 29.97f, u"29"}, FpsCase{"zero", 0.0f, u"0"},
                      FpsCase{"negative_truncates_up", -2.5f, u"-2"},
                      FpsCase{"nan", std::numeric_limits<float>::quiet_NaN(), u"-2147483648"},
                      FpsCase{"too_large", 3.0e9f, u"-2147483648"}),
    [](const ::testing::TestParamInfo<FpsCase>& info) { return info.param.label; });

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

TEST_F(ExportDialogTest, OtherCommandsAndMessagesAnswerFalse) {
  EXPECT_EQ(ExportDialogProc(nullptr, WM_COMMAND, ORTOLIX_IDC_EXPORT_MATERIALS, 0), 0);
  EXPECT_EQ(ExportDialogProc(nullptr, 0x0200, 0, 0), 0);
}

TEST(TruncateToInt32, FollowsTheX86Conversion) {
  EXPECT_EQ(TruncateToInt32(29.97f), 29);
  EXPECT_EQ(TruncateToInt32(-29.97f), -29);
  EXPECT_EQ(TruncateToInt32(2147483520.0f), 2147483520);
  EXPECT_EQ(TruncateToInt32(2147483648.0f), INT32_MIN);
  EXPECT_EQ(TruncateToInt32(-2147483648.0f), INT32_MIN);
  EXPECT_EQ(TruncateToInt32(std::numeric_limits<float>::infinity()), INT32_MIN);
}

TEST(ExportDialogTemplate, RegisteredTableIsResource102ControlForControl) {
  struct Expected {
    ControlKind kind;
    std::u16string_view text;
    int id;
    int x, y, width, height;
  };
  constexpr int kNone = kStaticControlId;
  const Expected expected[] = {
      {ControlKind::kDefPushButton, u"OK", 1, 130, 10, 50, 14},
      {ControlKind::kPushButton, u"Cancel", 2, 130, 27, 50, 14},
      {ControlKind::kGroupBox, u"Export Options", kNone, 5, 5, 115, 90},
      {ControlKind::kAutoCheckBox, u"Export materials", 1001, 15, 20, 95, 8},
      {ControlKind::kAutoCheckBox, u"Export texture coordinates", 1000, 15, 30, 95, 8},
      {ControlKind::kAutoCheckBox, u"Export vertex normals", 1002, 15, 40, 95, 8},
      {ControlKind::kAutoCheckBox, u"Export vertex colors", 1003, 15, 50, 95, 8},
      {ControlKind::kAutoCheckBox, u"Export animation", 1004, 15, 60, 95, 8},
      {ControlKind::kAutoCheckBox, u"Export templates", 1005, 15, 70, 95, 8},
      {ControlKind::kAutoCheckBox, u"Export multiple uvsets", 1007, 15, 80, 95, 8},
      {ControlKind::kGroupBox, u"Misc Options", kNone, 5, 100, 115, 100},
      {ControlKind::kAutoCheckBox, u"Triangulate model", 1011, 15, 115, 95, 8},
      {ControlKind::kAutoCheckBox, u"Flip handedness", 1006, 15, 125, 95, 8},
      {ControlKind::kAutoCheckBox, u"Use full texture filepath", 1008, 15, 135, 95, 8},
      {ControlKind::kAutoCheckBox, u"Export root bone transform", 1012, 15, 145, 95, 8},
      {ControlKind::kAutoCheckBox, u"Export groups as meshes", 1010, 15, 155, 95, 8},
      {ControlKind::kAutoCheckBox, u"Export ticks per second", 1009, 15, 165, 95, 8},
      {ControlKind::kRightText, u"ticks/sec:", kNone, 10, 182, 35, 8},
      {ControlKind::kEditText, u"", 1034, 50, 180, 50, 12},
  };
  RegisterExportDialogTemplate();
  const DialogTemplate* dialog = FindDialogTemplate(102);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->caption, u"Save DirectX 9.0 Model");
  EXPECT_EQ(dialog->font, u"MS Sans Serif");
  EXPECT_EQ(dialog->point_size, 8);
  EXPECT_EQ(dialog->width, 186);
  EXPECT_EQ(dialog->height, 205);
  ASSERT_EQ(dialog->controls.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    const ControlTemplate& control = dialog->controls[i];
    EXPECT_EQ(control.kind, expected[i].kind);
    EXPECT_EQ(control.text, expected[i].text);
    EXPECT_EQ(control.id, expected[i].id);
    EXPECT_EQ(control.place.x, expected[i].x);
    EXPECT_EQ(control.place.y, expected[i].y);
    EXPECT_EQ(control.place.width, expected[i].width);
    EXPECT_EQ(control.place.height, expected[i].height);
  }
}

}  // namespace
}  // namespace ortolix
