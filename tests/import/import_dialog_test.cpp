#include "import/import_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "import/import_model.h"
#include "import/import_options.h"
#include "import/import_transfer_message.h"
#include "host/in_process_host.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/headless.h"
#include "platform/win32/win32.h"
#include "resources/import_dialog.h"

namespace ortolix {
namespace {

using headless::ControlRef;
using headless::DialogScript;
using headless::DialogStep;

constexpr std::uintptr_t kInstance = 0x400000;

// Resource 101 as the dialog's layout gives it, control for control.
TEST(ImportDialogTemplate, RegisteredTableIsResource101ControlForControl) {
  using K = ControlKind;
  constexpr int S = kStaticControlId;
  const ControlTemplate expected[] = {
      {K::kDefPushButton, u"OK", 1, {155, 10, 50, 14}},
      {K::kPushButton, u"Cancel", 2, {155, 27, 50, 14}},
      {K::kGroupBox, u"Info", S, {5, 5, 140, 80}},
      {K::kLeftText, u"materials:", S, {10, 20, 40, 8}},
      {K::kLeftText, u"0", 1016, {55, 20, 55, 8}},
      {K::kLeftText, u"meshes:", S, {10, 30, 40, 8}},
      {K::kLeftText, u"0", 1017, {55, 30, 55, 8}},
      {K::kLeftText, u"vertices:", S, {10, 40, 40, 8}},
      {K::kLeftText, u"0", 1019, {55, 40, 55, 8}},
      {K::kLeftText, u"faces:", S, {10, 50, 40, 8}},
      {K::kLeftText, u"0", 1021, {55, 50, 55, 8}},
      {K::kLeftText, u"frames:", S, {10, 60, 40, 8}},
      {K::kLeftText, u"0", 1018, {55, 60, 55, 8}},
      {K::kLeftText, u"bones:", S, {10, 70, 40, 8}},
      {K::kLeftText, u"0", 1022, {55, 70, 55, 8}},
      {K::kGroupBox, u"Animation Info", S, {5, 90, 140, 65}},
      {K::kLeftText, u"animations:", S, {10, 105, 40, 8}},
      {K::kLeftText, u"0", 1020, {55, 105, 55, 8}},
      {K::kDropDownList, u"", 1052, {15, 114, 120, 105}},
      {K::kLeftText, u"ticks/sec:", S, {15, 137, 35, 8}},
      {K::kEditText, u"", 1034, {55, 135, 55, 12}},
      {K::kGroupBox, u"Material Options", S, {5, 160, 140, 60}},
      {K::kAutoCheckBox, u"Merge similar materials", 1042, {15, 175, 120, 8}},
      {K::kAutoCheckBox, u"Convert materials to groups", 1043, {15, 185, 120, 8}},
      {K::kAutoCheckBox, u"Set zero transparency to default", 1040, {15, 195, 120, 8}},
      {K::kAutoCheckBox, u"Set zero shininess to default", 1041, {15, 205, 120, 8}},
      {K::kGroupBox, u"Misc Options", S, {5, 224, 140, 61}},
      {K::kAutoCheckBox, u"Swap scene", 1060, {15, 240, 120, 8}},
      {K::kAutoCheckBox, u"Center scene", 1061, {15, 250, 120, 8}},
      {K::kAutoCheckBox, u"Floor scene", 1062, {15, 260, 120, 8}},
      {K::kAutoCheckBox, u"Flip handedness", 1053, {15, 270, 120, 8}},
  };
  RegisterImportDialogTemplate();
  const DialogTemplate* dialog = FindDialogTemplate(101);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->caption, u"Import DirectX 9.0 Model");
  EXPECT_EQ(dialog->font, u"MS Sans Serif");
  EXPECT_EQ(dialog->point_size, 8);
  EXPECT_EQ(dialog->width, 212);
  EXPECT_EQ(dialog->height, 290);
  ASSERT_EQ(dialog->controls.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    const ControlTemplate& got = dialog->controls[i];
    EXPECT_EQ(got.kind, expected[i].kind);
    EXPECT_EQ(got.text, expected[i].text);
    EXPECT_EQ(got.id, expected[i].id);
    EXPECT_EQ(got.place.x, expected[i].place.x);
    EXPECT_EQ(got.place.y, expected[i].place.y);
    EXPECT_EQ(got.place.width, expected[i].place.width);
    EXPECT_EQ(got.place.height, expected[i].place.height);
  }
}

ImportAnimation Animation(std::string name, float end) {
  ImportAnimation animation;
  animation.name = std::move(name);
  animation.end = end;
  return animation;
}

class ImportDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    TheImportOptions() = ImportOptions{};
    ResetImportModel();
    RegisterImportDialogTemplate();
  }
  void TearDown() override {
    headless::Reset();
    TheImportOptions() = ImportOptions{};
    ResetImportModel();
  }

  INT_PTR Run(std::vector<DialogStep> steps) {
    headless::AddDialogScript(DialogScript{ORTOLIX_IMPORT_DIALOG_ID, std::move(steps)});
    return DialogBoxParamW(reinterpret_cast<HINSTANCE>(kInstance), ORTOLIX_IMPORT_DIALOG_ID,
                           nullptr, &ImportDialogProc, 0);
  }
  static const std::u16string& Shown(int id) {
    return headless::FindControl(headless::ShownDialogs().back().at_init, id)->text;
  }
};

DialogStep PressOk() { return DialogStep::Press(ControlRef::Id(IDOK)); }
DialogStep PressCancel() { return DialogStep::Press(ControlRef::Id(IDCANCEL)); }

TEST_F(ImportDialogTest, ShowsCountsAndTheAnimationList) {
  ImportModel& model = TheImportModel();
  model.materialCount = 3;
  model.meshCount = 2;
  model.frameCount = 5;
  model.meshes.resize(2);
  model.meshes[0].vertices.resize(4);
  model.meshes[0].faces.resize(2);
  model.meshes[1].vertices.resize(6);
  model.meshes[1].faces.resize(3);
  model.skins.resize(2);  // only the first skin's bones count
  model.skins[0].bones.resize(7);
  model.skins[1].bones.resize(9);
  model.animationsPresent = 1;
  model.animations = {Animation("Walk", 4800.0f), Animation("Run", 2400.9f)};
  model.ticksPerSecond = 4800;
  EXPECT_EQ(Run({PressCancel()}), 0);
  const std::pair<int, std::u16string> shown[] = {
      {ORTOLIX_IDC_MATERIAL_COUNT, u"3"}, {ORTOLIX_IDC_MESH_COUNT, u"2"},
      {ORTOLIX_IDC_VERTEX_COUNT, u"10"},  {ORTOLIX_IDC_FACE_COUNT, u"5"},
      {ORTOLIX_IDC_FRAME_COUNT, u"5"},    {ORTOLIX_IDC_BONE_COUNT, u"7"},
      {ORTOLIX_IDC_ANIMATION_COUNT, u"2"}, {ORTOLIX_IDC_IMPORT_TICKS_EDIT, u"4800"}};
  for (const auto& [id, text] : shown) EXPECT_EQ(Shown(id), text) << id;
  const headless::ControlState* list =
      headless::FindControl(headless::ShownDialogs().back().at_init, ORTOLIX_IDC_ANIMATION_LIST);
  EXPECT_EQ(list->entries, (std::vector<std::u16string>{u"Walk (length: 4800)", u"Run (length: 2400)"}));
  EXPECT_EQ(list->selection, 0);
  EXPECT_EQ(headless::ShownDialogs().back().moves.size(), 1u);  // centred
}

TEST_F(ImportDialogTest, WithoutAnimationSetsListsNoneAndCountsZero) {
  ImportModel& model = TheImportModel();
  model.animations = {Animation("DefaultAnim0", 30.0f)};  // the default animation
  model.animationsPresent = 0;
  EXPECT_EQ(Run({PressCancel()}), 0);
  EXPECT_EQ(Shown(ORTOLIX_IDC_ANIMATION_COUNT), u"0");
  EXPECT_EQ(headless::FindControl(headless::ShownDialogs().back().at_init, ORTOLIX_IDC_ANIMATION_LIST)->entries,
            std::vector<std::u16string>{u"[none]"});
}

TEST_F(ImportDialogTest, OkStoresTheTicksAsTyped) {
  const std::pair<std::u16string, std::int32_t> cases[] = {
      {u"-5", 0}, {u"", 0}, {u"4800", 4800}, {u"12ab", 12}, {u"ab", 0}};
  for (const auto& [text, stored] : cases) {
    SCOPED_TRACE(std::string(text.begin(), text.end()));
    TheImportModel().ticksPerSecond = 77;
    EXPECT_EQ(Run({DialogStep::TypeText(ControlRef::Id(ORTOLIX_IDC_IMPORT_TICKS_EDIT), text), PressOk()}), 1);
    EXPECT_EQ(TheImportModel().ticksPerSecond, stored);
  }
  EXPECT_TRUE(headless::Errors().empty());
}

TEST_F(ImportDialogTest, EachCheckBoxEditsItsOwnOption) {
  const std::pair<std::u16string, std::int32_t ImportOptions::*> boxes[] = {
      {u"Merge similar materials", &ImportOptions::mergeSimilarMaterials},
      {u"Convert materials to groups", &ImportOptions::convertMaterialsToGroups},
      {u"Set zero transparency to default", &ImportOptions::zeroTransparencyToDefault},
      {u"Set zero shininess to default", &ImportOptions::zeroShininessToDefault},
      {u"Swap scene", &ImportOptions::swapScene},
      {u"Center scene", &ImportOptions::centerScene},
      {u"Floor scene", &ImportOptions::floorScene},
      {u"Flip handedness", &ImportOptions::flipHandedness}};
  for (const auto& [text, option] : boxes) {
    SCOPED_TRACE(std::string(text.begin(), text.end()));
    TheImportOptions() = ImportOptions{};
    const std::int32_t before = TheImportOptions().*option;
    ASSERT_EQ(Run({DialogStep::SetCheck(ControlRef::Text(text), before == 0), PressOk()}), 1);
    ImportOptions expected;
    expected.*option = before == 0 ? 1 : 0;
    for (const ImportCheckBox& box : kImportCheckBoxes) {
      EXPECT_EQ(TheImportOptions().*box.option, expected.*box.option) << box.controlId;
    }
  }
}

TEST_F(ImportDialogTest, CancelKeepsOptionsAndTicks) {
  TheImportModel().ticksPerSecond = 160;
  EXPECT_EQ(Run({DialogStep::SetCheck(ControlRef::Text(u"Merge similar materials"), false),
                 DialogStep::SetCheck(ControlRef::Text(u"Swap scene"), true),
                 DialogStep::TypeText(ControlRef::Id(ORTOLIX_IDC_IMPORT_TICKS_EDIT), u"9"), PressCancel()}),
            0);
  const ImportOptions defaults;
  for (const ImportCheckBox& box : kImportCheckBoxes) {
    EXPECT_EQ(TheImportOptions().*box.option, defaults.*box.option) << box.controlId;
  }
  EXPECT_EQ(TheImportModel().ticksPerSecond, 160);
}

TEST_F(ImportDialogTest, ChoosingAnEntrySelectsThatAnimation) {
  ImportModel& model = TheImportModel();
  model.animationsPresent = 1;
  model.animations = {Animation("Walk", 1), Animation("Run", 2), Animation("Jump", 3)};
  model.selectedAnimation = 2;  // the dialog starts from entry 0 whatever was set
  ASSERT_EQ(Run({PressOk()}), 1);
  EXPECT_EQ(model.selectedAnimation, 0);
  ASSERT_EQ(Run({DialogStep::ChooseEntry(ControlRef::Id(ORTOLIX_IDC_ANIMATION_LIST), 2), PressOk()}), 1);
  EXPECT_EQ(model.selectedAnimation, 2);
}

// The message handler around the dialog: 2 on Cancel, 0 without an instance,
// and the ImportModel empty afterwards in every case.
TEST_F(ImportDialogTest, HandlerResultsAndReset) {
  InProcessHost host;
  const std::pair<std::vector<DialogStep>, std::int32_t> cases[] = {
      {{PressCancel()}, 2}, {{PressOk()}, 1}};
  for (const auto& [steps, result] : cases) {
    TheImportModel().materials.resize(1);
    TheImportModel().materialCount = 1;
    TheImportModel().ticksPerSecond = 30;
    headless::AddDialogScript(DialogScript{ORTOLIX_IMPORT_DIALOG_ID, steps});
    EXPECT_EQ(HandleImportTransfer(host, kInstance), result);
    EXPECT_TRUE(TheImportModel().materials.empty());
    EXPECT_EQ(TheImportModel().materialCount, 0);
  }
  EXPECT_EQ(host.materials.count, 1);  // made by the OK run only
  TheImportModel().materials.resize(1);
  EXPECT_EQ(HandleImportTransfer(host, 0), 0);
  EXPECT_TRUE(TheImportModel().materials.empty());
  EXPECT_EQ(headless::ShownDialogs().size(), 2u);
}

}  // namespace
}  // namespace ortolix
