#include "tests/win32/sample_dialog.h"

#include <algorithm>
#include <charconv>

#include "platform/win32/centre_dialog.h"

namespace ortolix::sample {
namespace {

constexpr ControlTemplate kControls[] = {
    {ControlKind::kDefPushButton, u"OK", IDOK, {130, 10, 50, 14}},
    {ControlKind::kPushButton, u"Cancel", IDCANCEL, {130, 27, 50, 14}},
    {ControlKind::kPushButton, u"Apply", kApplyButton, {130, 44, 50, 14}},
    {ControlKind::kGroupBox, u"Options", kStaticControlId, {5, 5, 115, 40}},
    {ControlKind::kAutoCheckBox, u"Export materials", kMaterialsBox, {15, 20, 95, 8}},
    {ControlKind::kAutoCheckBox, u"Flip handedness", kFlipBox, {15, 30, 95, 8}},
    {ControlKind::kRightText, u"ticks/sec:", kStaticControlId, {10, 52, 35, 8}},
    {ControlKind::kEditText, u"", kTicksEdit, {50, 50, 50, 12}},
    {ControlKind::kLeftText, u"animations:", kStaticControlId, {10, 70, 40, 8}},
    {ControlKind::kLeftText, u"0", kCountLabel, {55, 70, 55, 8}},
    {ControlKind::kDropDownList, u"", kAnimationList, {15, 80, 120, 105}},
};

Context* current = nullptr;  // the context of the running sample dialog

void Fill(HWND dialog, const Context& context) {
  SetDlgItemTextW(dialog, kTicksEdit, Wide(std::to_string(context.options.ticks)).c_str());
  SetDlgItemTextW(dialog, kCountLabel, Wide(std::to_string(context.animations.size())).c_str());
  SendDlgItemMessageW(dialog, kAnimationList, CB_RESETCONTENT, 0, 0);
  for (const std::u16string& name : context.animations) {
    SendDlgItemMessageW(dialog, kAnimationList, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(name.c_str()));
  }
  if (context.animations.empty()) {
    SendDlgItemMessageW(dialog, kAnimationList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"[none]"));
  }
  SendDlgItemMessageW(dialog, kAnimationList, CB_SETCURSEL, 0, 0);
  SendDlgItemMessageW(dialog, kMaterialsBox, BM_SETCHECK, static_cast<WPARAM>(context.options.materials), 0);
  SendDlgItemMessageW(dialog, kFlipBox, BM_SETCHECK, static_cast<WPARAM>(context.options.flip), 0);
}

void Accept(HWND dialog, Context& context) {
  std::vector<WideChar> buffer(static_cast<std::size_t>(context.ticks_buffer) + 1, u'#');
  context.ticks_read_count = GetDlgItemTextW(dialog, kTicksEdit, buffer.data(), context.ticks_buffer);
  context.ticks_raw = buffer;
  context.ticks_read.assign(buffer.data(), std::min<std::size_t>(context.ticks_read_count, buffer.size()));
  std::string narrow(context.ticks_read.begin(), context.ticks_read.end());
  int ticks = 0;
  std::from_chars(narrow.data(), narrow.data() + narrow.size(), ticks);
  context.options.ticks = ticks;
  context.options.materials = static_cast<int>(SendDlgItemMessageW(dialog, kMaterialsBox, BM_GETCHECK, 0, 0));
  context.options.flip = static_cast<int>(SendDlgItemMessageW(dialog, kFlipBox, BM_GETCHECK, 0, 0));
  if (context.on_ok) context.on_ok(dialog);
}

INT_PTR Command(HWND dialog, WPARAM wparam) {
  switch (LOWORD(wparam)) {
    case IDOK:
      Accept(dialog, *current);
      EndDialog(dialog, 1);
      return 1;
    case IDCANCEL:
      if (!current->ignore_cancel) EndDialog(dialog, 2);
      return 1;
    case kApplyButton:
      ++current->applied;
      return 1;
    case kAnimationList:
      if (HIWORD(wparam) == CBN_SELCHANGE) {
        const auto selection = SendDlgItemMessageW(dialog, kAnimationList, CB_GETCURSEL, 0, 0);
        if (selection != CB_ERR) current->options.selected = static_cast<int>(selection);
        ++current->selection_changes;
      }
      return 0;
    default:
      return 0;
  }
}

}  // namespace

const DialogTemplate kDialog = {
    kDialogId, u"Sample Options", u"MS Sans Serif", 8, 186, 205, kControls,
};

INT_PTR ORTOLIX_CALLBACK Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    current = reinterpret_cast<Context*>(lparam);
    Fill(dialog, *current);
    CentreOverDesktop(dialog);
    if (current->on_init) current->on_init(dialog);
    return 1;
  }
  if (message == WM_COMMAND) return Command(dialog, wparam);
  return 0;
}

INT_PTR Show(Context& context) {
  return DialogBoxParamW(nullptr, kDialogId, nullptr, &Procedure, reinterpret_cast<LPARAM>(&context));
}

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

}  // namespace ortolix::sample
