#include <string>

#include "tests/win32/headless_fixture.h"

namespace ortolix {
namespace {

using headless::ShownMessageBoxes;

struct Answering {
  const char* name;
  UINT type;
  int queued;  // 0: nothing queued
  int answer;
};

class AnswerTest : public HeadlessTest, public ::testing::WithParamInterface<Answering> {};

TEST_P(AnswerTest, AnswersFromTheScriptOrTheDefaultButton) {
  if (GetParam().queued != 0) headless::AddMessageBoxAnswer(GetParam().queued);
  EXPECT_EQ(MessageBoxW(nullptr, u"text", u"caption", GetParam().type), GetParam().answer);
  EXPECT_EQ(ShownMessageBoxes().back().answer, GetParam().answer);
  EXPECT_EQ(headless::Errors().empty(), GetParam().answer != 0);
}

const Answering kAnswers[] = {
    {"OkDefault", MB_OK | MB_ICONERROR, 0, IDOK},
    {"OkCancelDefault", MB_OKCANCEL | MB_ICONINFORMATION, 0, IDOK},
    {"OkCancelSecondDefault", MB_OKCANCEL | MB_DEFBUTTON2, 0, IDCANCEL},
    {"DefaultPastLastButton", MB_OK | MB_DEFBUTTON3, 0, IDOK},
    {"YesNoDefault", MB_YESNO, 0, IDYES},
    {"RetryCancelDefault", MB_RETRYCANCEL, 0, IDRETRY},
    {"CancelTryContinueDefault", MB_CANCELTRYCONTINUE, 0, IDCANCEL},
    {"OkCancelCancelled", MB_OKCANCEL, IDCANCEL, IDCANCEL},
    {"YesNoCancelNo", MB_YESNOCANCEL, IDNO, IDNO},
    {"EscapeOnOkBox", MB_OK, IDCANCEL, IDOK},
    {"AnswerNotOnTheBox", MB_OKCANCEL, IDYES, 0},
    {"CancelOnYesNo", MB_YESNO, IDCANCEL, 0},
    {"UnknownBoxType", 0x0007, 0, 0},
};
INSTANTIATE_TEST_SUITE_P(Boxes, AnswerTest, ::testing::ValuesIn(kAnswers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HeadlessTest, RecordsEveryBoxInOrder) {
  const HWND owner = reinterpret_cast<HWND>(0x7000);
  headless::InstallUserScript({{}, {IDCANCEL, IDOK}});
  const char16_t kText[] = u"Some vertices are not assigned to any bones.\nContinue anyway?\n";
  EXPECT_EQ(MessageBoxW(owner, kText, u"Warning", MB_OKCANCEL | MB_ICONINFORMATION), IDCANCEL);
  EXPECT_EQ(MessageBoxW(nullptr, u"Failed to triangulate geometry.\t", nullptr, MB_OK | MB_ICONERROR), IDOK);
  ASSERT_EQ(ShownMessageBoxes().size(), 2u);
  const auto& first = ShownMessageBoxes()[0];
  EXPECT_EQ(first.owner, owner);
  EXPECT_EQ(first.caption, u"Warning");
  EXPECT_EQ(first.text, kText);
  EXPECT_EQ(first.flags, MB_OKCANCEL | MB_ICONINFORMATION);
  const auto& second = ShownMessageBoxes()[1];
  EXPECT_EQ(second.caption, u"Error");  // a null caption shows "Error"
  EXPECT_EQ(second.text, u"Failed to triangulate geometry.\t");
  EXPECT_LT(first.order, second.order);
}

TEST_F(HeadlessTest, BoxesInsideADialogShareTheQueueAndTheOrder) {
  headless::InstallUserScript({{{0, {headless::DialogStep::Press(headless::ControlRef::Id(IDOK))}}},
                               {IDCANCEL}});
  sample::Context context;
  int answer = 0;
  HWND owner = nullptr;
  context.on_ok = [&answer, &owner](HWND dialog) {
    owner = dialog;
    answer = MessageBoxW(dialog, u"Sure?", u"Question", MB_OKCANCEL);
  };
  EXPECT_EQ(sample::Show(context), 1);
  EXPECT_EQ(answer, IDCANCEL);
  ASSERT_EQ(ShownMessageBoxes().size(), 1u);
  EXPECT_EQ(ShownMessageBoxes()[0].owner, owner);
  EXPECT_GT(ShownMessageBoxes()[0].order, LastDialog().order);
}

}  // namespace
}  // namespace ortolix
