#include <algorithm>
#include <string>
#include <vector>

#include "tests/win32/headless_fixture.h"

namespace ortolix {
namespace {

using headless::ControlRef;
using headless::DialogStep;

struct Truncation {
  int buffer;
  UINT copied;
  std::u16string raw;  // the buffer's first units after the read
};

class TruncationTest : public HeadlessTest, public ::testing::WithParamInterface<Truncation> {};

// The OK handler reads "123456" into a buffer of the given size filled with
// '#'; at most size - 1 units and a terminator are written, nothing beyond.
TEST_P(TruncationTest, ReadRespectsTheBufferSize) {
  headless::AddDialogScript({0, {DialogStep::TypeText(ControlRef::Id(sample::kTicksEdit), u"123456"),
                                 DialogStep::Press(ControlRef::Id(IDOK))}});
  sample::Context context;
  context.ticks_buffer = GetParam().buffer;
  EXPECT_EQ(sample::Show(context), 1);
  EXPECT_EQ(context.ticks_read_count, GetParam().copied);
  const std::size_t shown = std::min(context.ticks_raw.size(), GetParam().raw.size());
  EXPECT_EQ(std::u16string(context.ticks_raw.data(), shown), GetParam().raw);
}

const Truncation kTruncations[] = {
    {0, 0, u"#"},
    {1, 0, std::u16string(u"\0#", 2)},
    {2, 1, std::u16string(u"1\0#", 3)},
    {6, 5, std::u16string(u"12345\0#", 7)},
    {7, 6, std::u16string(u"123456\0#", 8)},
    {8, 6, std::u16string(u"123456\0##", 9)},
    {256, 6, std::u16string(u"123456\0##", 9)},
};
INSTANTIATE_TEST_SUITE_P(Sizes, TruncationTest, ::testing::ValuesIn(kTruncations),
                         [](const auto& info) { return "Buffer" + std::to_string(info.param.buffer); });

TEST_F(HeadlessTest, ControlMessagesBehaveAsWin32) {
  sample::Context context;
  context.on_init = [](HWND dialog) {
    HWND list = GetDlgItem(dialog, sample::kAnimationList);
    EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Jump")), 1);
    EXPECT_EQ(SendMessageW(list, CB_GETLBTEXTLEN, 1, 0), 4);
    WideChar entry[8] = {};
    EXPECT_EQ(SendMessageW(list, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(entry)), 4);
    EXPECT_EQ(std::u16string(entry), u"Jump");
    EXPECT_EQ(SendMessageW(list, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(entry)), CB_ERR);
    EXPECT_EQ(SendMessageW(list, CB_SETCURSEL, 1, 0), 1);
    WideChar shown[8] = {};
    EXPECT_EQ(GetDlgItemTextW(dialog, sample::kAnimationList, shown, 8), 4u);
    EXPECT_EQ(std::u16string(shown), u"Jump");
    // Out of range clears the selection.
    EXPECT_EQ(SendMessageW(list, CB_SETCURSEL, 5, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(list, CB_RESETCONTENT, 0, 0), CB_OKAY);
    EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 0);

    HWND box = GetDlgItem(dialog, sample::kFlipBox);
    SendMessageW(box, BM_SETCHECK, BST_INDETERMINATE, 0);  // two-state box
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(SendMessageW(box, BM_GETSTATE, 0, 0), BST_UNCHECKED);
    SendDlgItemMessageW(dialog, IDOK, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendDlgItemMessageW(dialog, IDOK, BM_GETCHECK, 0, 0), 0);

    HWND label = GetDlgItem(dialog, sample::kCountLabel);
    EXPECT_EQ(SendMessageW(label, WM_GETTEXTLENGTH, 0, 0), 1);
    EXPECT_EQ(GetDlgItem(dialog, 4242), nullptr);
  };
  sample::Show(context);
  EXPECT_TRUE(headless::Errors().empty()) << headless::Errors().front();
}

TEST_F(HeadlessTest, OnlyEditBoxesNotifyTextChanges) {
  sample::Context context;
  context.on_init = [](HWND dialog) {
    SetDlgItemTextW(dialog, sample::kCountLabel, u"7");
    SetDlgItemTextW(dialog, sample::kTicksEdit, nullptr);
  };
  sample::Show(context);
  const auto& record = LastDialog();
  ASSERT_EQ(record.commands.size(), 3u);  // Fill's edit text, the hook's, Cancel
  EXPECT_EQ(record.commands[1], (headless::CommandRecord{sample::kTicksEdit, EN_CHANGE, true}));
  EXPECT_EQ(headless::FindControl(record.at_init, sample::kCountLabel)->text, u"7");
  EXPECT_EQ(headless::FindControl(record.at_init, sample::kTicksEdit)->text, u"");
}

TEST_F(HeadlessTest, MistakenCallsAreListed) {
  sample::Context context;
  context.on_init = [](HWND dialog) {
    EXPECT_EQ(SendDlgItemMessageW(dialog, sample::kCountLabel, CB_ADDSTRING, 0, 0), 0);
    EXPECT_EQ(SendDlgItemMessageW(dialog, 4242, BM_GETCHECK, 0, 0), 0);
    EXPECT_EQ(SetDlgItemTextW(dialog, sample::kAnimationList, u"Run"), 0);
    WideChar text[4] = {u'#', u'#', u'#', u'#'};
    EXPECT_EQ(GetDlgItemTextW(dialog, 4242, text, 4), 0u);
    EXPECT_EQ(text[0], 0);
  };
  sample::Show(context);
  EXPECT_EQ(headless::Errors().size(), 4u);
}

TEST_F(HeadlessTest, CallsOutsideAnyDialogFail) {
  const HWND stale = reinterpret_cast<HWND>(0x100);
  EXPECT_EQ(SendMessageW(stale, BM_GETCHECK, 0, 0), 0);
  EXPECT_EQ(SetDlgItemTextW(stale, IDOK, u"x"), 0);
  EXPECT_EQ(headless::Errors().size(), 2u);
}

TEST_F(HeadlessTest, MessagesToTheDialogReachItsProcedure) {
  sample::Context context;
  context.on_init = [&context](HWND dialog) {
    EXPECT_EQ(SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(sample::kApplyButton, BN_CLICKED), 0), 1);
    EXPECT_EQ(context.applied, 1);
  };
  sample::Show(context);
}

TEST_F(HeadlessTest, FocusIsInTheRunningDialog) {
  const HWND host = reinterpret_cast<HWND>(0x7000);
  headless::SetFocusWindow(host);
  EXPECT_EQ(GetFocus(), host);
  sample::Context context;
  context.on_init = [](HWND dialog) { EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK)); };
  sample::Show(context);
  EXPECT_EQ(GetFocus(), host);
}

}  // namespace
}  // namespace ortolix
