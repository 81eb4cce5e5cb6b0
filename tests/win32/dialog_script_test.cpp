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

void PushScript(std::vector<DialogStep> steps, int resource_id = 0) {
  headless::AddDialogScript(DialogScript{resource_id, std::move(steps)});
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

TEST_F(HeadlessTest, EmptyListShowsTheNoneEntry) {
  sample::Context context;
  sample::Show(context);
  EXPECT_EQ(FindControl(LastDialog().at_init, sample::kAnimationList)->entries,
            std::vector<std::u16string>{u"[none]"});
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

TEST_F(HeadlessTest, CheckBoxAlreadyInStateIsNotClicked) {
  PushScript({DialogStep::SetCheck(ControlRef::Id(sample::kMaterialsBox), true),
              DialogStep::Press(ControlRef::Id(IDOK))});
  sample::Context context;
  sample::Show(context);
  for (const auto& command : LastDialog().commands) EXPECT_NE(command.id, sample::kMaterialsBox);
  EXPECT_EQ(context.options.materials, 1);
}

TEST_F(HeadlessTest, CheckBoxByName) {
  PushScript({DialogStep::SetCheck(ControlRef::Name(u"export-materials"), false),
              DialogStep::Press(ControlRef::Text(u"OK"))});
  sample::Context context;
  EXPECT_EQ(sample::Show(context), 1);
  EXPECT_EQ(context.options.materials, 0);
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
    {"CheckAnEdit", DialogStep::SetCheck(ControlRef::Id(sample::kTicksEdit), true)},
    {"ThirdCheckState", {headless::StepKind::kSetCheck, ControlRef::Id(sample::kFlipBox), 2, {}}},
    {"EntryPastEnd", DialogStep::ChooseEntry(ControlRef::Id(sample::kAnimationList), 1)},
    {"NegativeEntry", DialogStep::ChooseEntry(ControlRef::Id(sample::kAnimationList), -1)},
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

TEST_F(HeadlessTest, DialogThatWillNotCloseFails) {
  sample::Context context;
  context.ignore_cancel = true;
  EXPECT_EQ(sample::Show(context), -1);
  EXPECT_FALSE(LastDialog().ended);
  EXPECT_EQ(headless::Errors().size(), 1u);
}

TEST_F(HeadlessTest, UnregisteredDialogCannotBeCreated) {
  EXPECT_EQ(DialogBoxParamW(nullptr, 777, nullptr, &sample::Procedure, 0), -1);
  EXPECT_FALSE(LastDialog().created);
  EXPECT_EQ(LastDialog().resource_id, 777);
  EXPECT_EQ(headless::Errors().size(), 1u);
}

TEST_F(HeadlessTest, NullProcedureCannotRun) {
  EXPECT_EQ(DialogBoxParamW(nullptr, sample::kDialogId, nullptr, nullptr, 0), -1);
  EXPECT_FALSE(LastDialog().created);
}

TEST_F(HeadlessTest, ScriptsAreTakenByResourceId) {
  PushScript({DialogStep::Press(ControlRef::Id(IDCANCEL))}, 901);
  PushScript({DialogStep::Press(ControlRef::Id(IDOK))}, sample::kDialogId);
  sample::Context context;
  EXPECT_EQ(sample::Show(context), 1);
  ASSERT_EQ(headless::ShownDialogs().size(), 1u);
  // The script for the other dialog is still waiting; the next showing gets none.
  EXPECT_EQ(sample::Show(context), 2);
  EXPECT_FALSE(LastDialog().scripted);
}

TEST_F(HeadlessTest, EachShowingTakesItsOwnScript) {
  PushScript({DialogStep::Press(ControlRef::Id(IDOK))});
  PushScript({DialogStep::Press(ControlRef::Id(IDCANCEL))});
  sample::Context context;
  EXPECT_EQ(sample::Show(context), 1);
  EXPECT_EQ(sample::Show(context), 2);
  EXPECT_EQ(sample::Show(context), 2);
  EXPECT_EQ(headless::ShownDialogs().size(), 3u);
  EXPECT_LT(headless::ShownDialogs()[0].order, headless::ShownDialogs()[1].order);
}

TEST_F(HeadlessTest, RecordsOwnerInstanceAndParam) {
  const HWND owner = reinterpret_cast<HWND>(0x4000);
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(0x5000);
  sample::Context context;
  DialogBoxParamW(instance, sample::kDialogId, owner, &sample::Procedure,
                  reinterpret_cast<LPARAM>(&context));
  EXPECT_EQ(LastDialog().owner, owner);
  EXPECT_EQ(LastDialog().instance, instance);
  EXPECT_EQ(LastDialog().param, reinterpret_cast<LPARAM>(&context));
}

TEST_F(HeadlessTest, HandlesDieWithTheDialog) {
  HWND seen = nullptr;
  sample::Context context;
  context.on_init = [&seen](HWND dialog) { seen = dialog; };
  sample::Show(context);
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(GetDlgItem(seen, IDOK), nullptr);
  EXPECT_EQ(EndDialog(seen, 1), 0);
}

TEST_F(HeadlessTest, ResetKeepsTemplatesAndClearsTheRest) {
  headless::AddMessageBoxAnswer(IDCANCEL);
  sample::Context context;
  sample::Show(context);
  headless::Reset();
  EXPECT_TRUE(headless::ShownDialogs().empty());
  EXPECT_EQ(FindDialogTemplate(sample::kDialogId), &sample::kDialog);
  EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", MB_OKCANCEL), IDOK);
}

TEST(ControlName, LowerCaseWithHyphens) {
  EXPECT_EQ(headless::ControlName(u"Set zero transparency to default"),
            u"set-zero-transparency-to-default");
  EXPECT_EQ(headless::ControlName(u"OK"), u"ok");
  EXPECT_EQ(headless::ControlName(u"ticks/sec:"), u"ticks/sec:");
}

}  // namespace
}  // namespace ortolix
