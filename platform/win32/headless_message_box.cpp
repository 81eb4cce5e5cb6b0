// Headless message boxes: recorded, and answered from the user script.
#include <span>
#include <string>

#include "platform/win32/headless_state.h"

namespace ortolix {
namespace headless {
namespace {

constexpr int kOk[] = {IDOK};
constexpr int kOkCancel[] = {IDOK, IDCANCEL};
constexpr int kAbortRetryIgnore[] = {IDABORT, IDRETRY, IDIGNORE};
constexpr int kYesNoCancel[] = {IDYES, IDNO, IDCANCEL};
constexpr int kYesNo[] = {IDYES, IDNO};
constexpr int kRetryCancel[] = {IDRETRY, IDCANCEL};
constexpr int kCancelTryContinue[] = {IDCANCEL, IDTRYAGAIN, IDCONTINUE};

// The buttons of a box, left to right; empty for an unknown button set.
std::span<const int> Buttons(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OK: return kOk;
    case MB_OKCANCEL: return kOkCancel;
    case MB_ABORTRETRYIGNORE: return kAbortRetryIgnore;
    case MB_YESNOCANCEL: return kYesNoCancel;
    case MB_YESNO: return kYesNo;
    case MB_RETRYCANCEL: return kRetryCancel;
    case MB_CANCELTRYCONTINUE: return kCancelTryContinue;
    default: return {};
  }
}

int DefaultAnswer(std::span<const int> buttons, UINT type) {
  const std::size_t default_button = (type & MB_DEFMASK) / MB_DEFBUTTON2;
  return buttons[default_button < buttons.size() ? default_button : 0];
}

// The script's next answer checked against the buttons; 0 when the box has
// no such button. Escape (IDCANCEL) closes an OK box with IDOK, as in Win32.
int Answer(std::span<const int> buttons, UINT type) {
  auto& answers = State().script.message_box_answers;
  if (answers.empty()) return DefaultAnswer(buttons, type);
  int answer = answers.front();
  answers.pop_front();
  if (answer == IDCANCEL && buttons.size() == 1 && buttons[0] == IDOK) answer = IDOK;
  for (int button : buttons) {
    if (button == answer) return answer;
  }
  AddError("MessageBoxW: answer " + std::to_string(answer) + " is not a button of box type " +
           std::to_string(type & MB_TYPEMASK));
  return 0;
}

}  // namespace
}  // namespace headless

int MessageBoxW(HWND owner, const WideChar* text, const WideChar* caption, UINT type) {
  using namespace headless;
  HeadlessState& state = State();
  MessageBoxRecord record;
  record.order = state.next_order++;
  record.owner = owner;
  record.text = text == nullptr ? u"" : text;
  record.caption = caption == nullptr ? u"Error" : caption;
  record.flags = type;
  const std::span<const int> buttons = Buttons(type);
  if (buttons.empty()) {
    AddError("MessageBoxW: unknown box type " + std::to_string(type & MB_TYPEMASK));
  } else {
    record.answer = Answer(buttons, type);
  }
  state.message_boxes.push_back(std::move(record));
  return state.message_boxes.back().answer;
}

}  // namespace ortolix
