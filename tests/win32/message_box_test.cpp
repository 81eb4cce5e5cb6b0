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

}  // namespace
}  // namespace ortolix
