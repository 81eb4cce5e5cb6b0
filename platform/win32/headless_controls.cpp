// Headless controls: the messages the plug-in sends to check boxes, edit
// boxes, labels and drop-down lists, and the dialog-item calls built on them.
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/win32/headless_state.h"

namespace ortolix {
namespace headless {
namespace {

bool IsTextKind(ControlKind kind) { return kind != ControlKind::kDropDownList; }

std::u16string_view TextOf(LPARAM lparam) {
  const auto* text = reinterpret_cast<const WideChar*>(lparam);
  return text == nullptr ? std::u16string_view{} : std::u16string_view{text};
}

// Copies as Win32 does: at most max_count - 1 units, then a terminator.
UINT CopyText(std::u16string_view text, WideChar* out, int max_count) {
  if (out == nullptr || max_count < 1) return 0;
  const std::size_t count = std::min(text.size(), static_cast<std::size_t>(max_count) - 1);
  std::copy_n(text.data(), count, out);
  out[count] = 0;
  return static_cast<UINT>(count);
}

LRESULT Unsupported(const ControlState& control, UINT message) {
  char number[16];
  std::snprintf(number, sizeof number, "0x%04X", static_cast<unsigned>(message));
  AddError(std::string("SendMessageW: message ") + number + " to control " +
           std::to_string(control.id) + " is not supported");
  return 0;
}

LRESULT ComboMessage(ControlState& control, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto count = static_cast<WPARAM>(control.entries.size());
  switch (message) {
    case CB_ADDSTRING:
      control.entries.emplace_back(TextOf(lparam));
      return static_cast<LRESULT>(count);
    case CB_RESETCONTENT:
      control.entries.clear();
      SelectEntry(control, -1);
      return CB_OKAY;
    case CB_SETCURSEL:
      // An index out of range clears the selection and answers CB_ERR.
      SelectEntry(control, wparam < count ? static_cast<int>(wparam) : -1);
      return wparam < count ? static_cast<LRESULT>(wparam) : CB_ERR;
    case CB_GETCURSEL:
      return control.selection;
    case CB_GETCOUNT:
      return static_cast<LRESULT>(count);
    case CB_GETLBTEXTLEN:
      return wparam < count ? static_cast<LRESULT>(control.entries[wparam].size()) : CB_ERR;
    case CB_GETLBTEXT: {
      if (wparam >= count) return CB_ERR;
      const std::u16string& entry = control.entries[wparam];
      return CopyText(entry, reinterpret_cast<WideChar*>(lparam), static_cast<int>(entry.size()) + 1);
    }
    default:
      return Unsupported(control, message);
  }
}

LRESULT ButtonMessage(ControlState& control, UINT message, WPARAM wparam) {
  const bool check_box = control.kind == ControlKind::kAutoCheckBox;
  switch (message) {
    case BM_SETCHECK:
      // A two-state box takes any state above checked as checked.
      if (check_box) control.check = wparam >= BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
      return 0;
    case BM_GETCHECK:
    case BM_GETSTATE:  // focus and pushed bits are not modelled
      return check_box ? control.check : 0;
    default:
      return Unsupported(control, message);
  }
}

LRESULT ControlMessage(RunningDialog& dialog, std::size_t index, UINT message, WPARAM wparam,
                       LPARAM lparam) {
  ControlState& control = dialog.controls[index];
  switch (message) {
    case WM_SETTEXT:
      if (!IsTextKind(control.kind)) return Unsupported(control, message);
      SetControlText(dialog, index, TextOf(lparam));
      return 1;
    case WM_GETTEXT:
      return CopyText(control.text, reinterpret_cast<WideChar*>(lparam), static_cast<int>(wparam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(control.text.size());
    case BM_SETCHECK:
    case BM_GETCHECK:
    case BM_GETSTATE:
      return ButtonMessage(control, message, wparam);
    default:
      if (control.kind == ControlKind::kDropDownList) {
        return ComboMessage(control, message, wparam, lparam);
      }
      return Unsupported(control, message);
  }
}

// The running dialog and index of control `id`, recording an error naming
// `call` when there is none.
bool FindItem(HWND dialog_window, int id, const char* call, RunningDialog*& dialog,
              std::size_t& index) {
  dialog = FindDialog(dialog_window);
  if (dialog != nullptr) {
    for (std::size_t i = 0; i < dialog->controls.size(); ++i) {
      if (dialog->controls[i].id == id) {
        index = i;
        return true;
      }
    }
  }
  AddError(std::string(call) + ": no control " + std::to_string(id) +
           (dialog == nullptr ? " (not a running dialog)" : ""));
  return false;
}

}  // namespace

void SelectEntry(ControlState& control, int index) {
  control.selection = index;
  control.text = index >= 0 ? control.entries[static_cast<std::size_t>(index)] : u"";
}

void SetControlText(RunningDialog& dialog, std::size_t index, std::u16string_view text) {
  ControlState& control = dialog.controls[index];
  control.text = text;
  if (control.kind == ControlKind::kEditText) {
    SendCommand(dialog, control.id, EN_CHANGE, ControlHandle(dialog, index));
  }
}

}  // namespace headless

HWND GetDlgItem(HWND dialog_window, int id) {
  const headless::RunningDialog* dialog = headless::FindDialog(dialog_window);
  if (dialog == nullptr) return nullptr;
  for (std::size_t i = 0; i < dialog->controls.size(); ++i) {
    if (dialog->controls[i].id == id) return headless::ControlHandle(*dialog, i);
  }
  return nullptr;
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (headless::RunningDialog* dialog = headless::FindDialog(window)) {
    return dialog->procedure(window, message, wparam, lparam);
  }
  headless::RunningDialog* dialog = nullptr;
  std::size_t index = 0;
  if (!headless::FindControlHandle(window, dialog, index)) {
    headless::AddError("SendMessageW: not a window of a running dialog");
    return 0;
  }
  return headless::ControlMessage(*dialog, index, message, wparam, lparam);
}

LRESULT SendDlgItemMessageW(HWND dialog_window, int id, UINT message, WPARAM wparam, LPARAM lparam) {
  headless::RunningDialog* dialog = nullptr;
  std::size_t index = 0;
  if (!headless::FindItem(dialog_window, id, "SendDlgItemMessageW", dialog, index)) return 0;
  return headless::ControlMessage(*dialog, index, message, wparam, lparam);
}

UINT GetDlgItemTextW(HWND dialog_window, int id, WideChar* text, int max_count) {
  headless::RunningDialog* dialog = nullptr;
  std::size_t index = 0;
  if (!headless::FindItem(dialog_window, id, "GetDlgItemTextW", dialog, index)) {
    return headless::CopyText({}, text, max_count);
  }
  return headless::CopyText(dialog->controls[index].text, text, max_count);
}

BOOL SetDlgItemTextW(HWND dialog_window, int id, const WideChar* text) {
  headless::RunningDialog* dialog = nullptr;
  std::size_t index = 0;
  if (!headless::FindItem(dialog_window, id, "SetDlgItemTextW", dialog, index)) return 0;
  return headless::ControlMessage(*dialog, index, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

}  // namespace ortolix
