#include <string>
#include <vector>

#include "tests/win32/headless_fixture.h"

namespace ortolix {
namespace {

using headless::CommandRecord;
using headless::ControlRef;
using headless::DialogScript;
using headless::DialogStep;
using headless::FindControl;

void PushScript(std::vector<DialogStep> steps) {
  headless::AddDialogScript(DialogScript{0, std::move(steps)});
}

TEST_F(HeadlessTest, WithoutScriptTheDialogIsCancelled) {
  sample::Context context;
  EXPECT_EQ(sample::Show(context), 2);
  const auto& record = LastDialog();
  EXPECT_TRUE(record.created);
  EXPECT_FALSE(record.scripted);
  EXPECT_EQ(record.init_result, 1);
  EXPECT_EQ(record.commands.back(), (CommandRecord{IDCANCEL, BN_CLICKED, true}));
  EXPECT_EQ(record.result, 2);
  EXPECT_TRUE(headless::Errors().empty());
}

TEST_F(HeadlessTest, RecordsWhatInitialisationShowed) {
  sample::Context context;
  context.options = {0, 1, 29, 0};
  context.animations = {u"Walk (length: 4800)", u"Run (length: 2400)"};
  sample::Show(context);
  const auto& record = LastDialog();
  EXPECT_EQ(record.resource_id, sample::kDialogId);
  EXPECT_EQ(record.caption, u"Sample Options");
  const auto& init = record.at_init;
  EXPECT_EQ(FindControl(init, sample::kTicksEdit)->text, u"29");
  EXPECT_EQ(FindControl(init, sample::kCountLabel)->text, u"2");
  EXPECT_EQ(FindControl(init, sample::kMaterialsBox)->check, BST_UNCHECKED);
  EXPECT_EQ(FindControl(init, sample::kFlipBox)->check, BST_CHECKED);
  const auto* list = FindControl(init, sample::kAnimationList);
  EXPECT_EQ(list->entries, context.animations);
  EXPECT_EQ(list->selection, 0);
  EXPECT_EQ(list->text, u"Walk (length: 4800)");
  EXPECT_EQ(FindControl(init, IDOK)->text, u"OK");
}

TEST_F(HeadlessTest, ScriptedOkReadsEveryControl) {
  PushScript({
      DialogStep::SetCheck(ControlRef::Id(sample::kMaterialsBox), false),
      DialogStep::SetCheck(ControlRef::Text(u"Flip handedness"), true),
      DialogStep::TypeText(ControlRef::Id(sample::kTicksEdit), u"12ab"),
      DialogStep::ChooseEntry(ControlRef::Id(sample::kAnimationList), 1),
      DialogStep::Press(ControlRef::Id(IDOK)),
  });
  sample::Context context;
  context.animations = {u"Walk", u"Run"};
  EXPECT_EQ(sample::Show(context), 1);
  EXPECT_EQ(context.options.materials, 0);
  EXPECT_EQ(context.options.flip, 1);
  EXPECT_EQ(context.options.ticks, 12);
  EXPECT_EQ(context.options.selected, 1);
  EXPECT_EQ(context.selection_changes, 1);

  const auto& record = LastDialog();
  EXPECT_TRUE(record.scripted);
  EXPECT_EQ(FindControl(record.at_close, sample::kTicksEdit)->text, u"12ab");
  EXPECT_EQ(FindControl(record.at_close, sample::kAnimationList)->text, u"Run");
  EXPECT_EQ(FindControl(record.at_close, sample::kFlipBox)->check, BST_CHECKED);
  // The edit box's EN_CHANGE from initialisation comes first.
  const std::vector<CommandRecord> expected = {
      {sample::kTicksEdit, EN_CHANGE, true},      {sample::kMaterialsBox, BN_CLICKED, true},
      {sample::kFlipBox, BN_CLICKED, true},       {sample::kTicksEdit, EN_CHANGE, true},
      {sample::kAnimationList, CBN_SELCHANGE, true}, {IDOK, BN_CLICKED, true},
  };
  EXPECT_EQ(record.commands, expected);
  EXPECT_TRUE(headless::Errors().empty());
}

TEST_F(HeadlessTest, CancelKeepsOptions) {
  PushScript({DialogStep::SetCheck(ControlRef::Id(sample::kFlipBox), true),
              DialogStep::TypeText(ControlRef::Id(sample::kTicksEdit), u"-25"),
              DialogStep::Press(ControlRef::Text(u"Cancel"))});
  sample::Context context;
  EXPECT_EQ(sample::Show(context), 2);
  EXPECT_EQ(context.options.flip, 0);
  EXPECT_EQ(context.options.ticks, 4800);
  EXPECT_EQ(FindControl(LastDialog().at_close, sample::kFlipBox)->check, BST_CHECKED);
}

TEST_F(HeadlessTest, ScriptWithoutButtonEndsWithCancel) {
  PushScript({DialogStep::Press(ControlRef::Id(sample::kApplyButton)),
              DialogStep::Press(ControlRef::Id(sample::kApplyButton))});
  sample::Context context;
  EXPECT_EQ(sample::Show(context), 2);
  EXPECT_EQ(context.applied, 2);
  EXPECT_EQ(LastDialog().commands.back(), (CommandRecord{IDCANCEL, BN_CLICKED, true}));
  EXPECT_TRUE(headless::Errors().empty());
}

struct BadScript {
  const char* name;
  DialogStep step;
};

class BadScriptTest : public HeadlessTest, public ::testing::WithParamInterface<BadScript> {};

TEST_P(BadScriptTest, FailsTheDialogAndSaysWhy) {
  PushScript({GetParam().step, DialogStep::Press(ControlRef::Id(IDOK))});
  sample::Context context;
  EXPECT_EQ(sample::Show(context), -1);
  ASSERT_EQ(headless::Errors().size(), 1u);
  EXPECT_NE(headless::Errors()[0].find("dialog 900, step 1"), std::string::npos);
  // The dialog was dismissed with Cancel, never accepted.
  EXPECT_EQ(LastDialog().end_result, 2);
  EXPECT_EQ(context.ticks_read_count, 0u);
}

const BadScript kBadScripts[] = {
    {"UnknownId", DialogStep::Press(ControlRef::Id(4242))},
    {"UnknownText", DialogStep::SetCheck(ControlRef::Text(u"Export colours"), true)},
    {"TypeIntoCheckBox", DialogStep::TypeText(ControlRef::Id(sample::kFlipBox), u"1")},
    {"EntryPastEnd", DialogStep::ChooseEntry(ControlRef::Id(sample::kAnimationList), 1)},
    {"PressLabel", DialogStep::Press(ControlRef::Text(u"ticks/sec:"))},
};
INSTANTIATE_TEST_SUITE_P(Steps, BadScriptTest, ::testing::ValuesIn(kBadScripts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HeadlessTest, StepsAfterTheDialogEndedAreAnError) {
  PushScript({DialogStep::Press(ControlRef::Id(IDOK)),
              DialogStep::Press(ControlRef::Id(sample::kApplyButton))});
  sample::Context context;
  EXPECT_EQ(sample::Show(context), -1);
  EXPECT_EQ(LastDialog().end_result, 1);
  EXPECT_EQ(headless::Errors().size(), 1u);
}

}  // namespace
}  // namespace ortolix
