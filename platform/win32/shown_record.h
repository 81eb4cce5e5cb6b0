// What the headless dialog manager showed, kept so tests and the command can
// check captions, texts, check states, list entries and answers.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "platform/crt/wide_char.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/win32_types.h"

namespace ortolix::headless {

// A control as the dialog shows it. Also the live state of a running dialog.
struct ControlState {
  int id = 0;
  ControlKind kind = ControlKind::kLeftText;
  std::u16string text;                // for a drop-down list: the selected entry
  int check = 0;                      // check boxes: BST_UNCHECKED or BST_CHECKED
  std::vector<std::u16string> entries;  // drop-down list entries
  int selection = -1;                 // drop-down list: selected index or CB_ERR
};

// A WM_COMMAND the manager sent to a dialog procedure.
struct CommandRecord {
  int id = 0;
  int code = 0;               // BN_CLICKED, EN_CHANGE, CBN_SELCHANGE
  bool from_control = false;  // lParam held the control's handle

  bool operator==(const CommandRecord&) const = default;
};

// A SetWindowPos call on a dialog.
struct WindowMove {
  HWND insert_after = nullptr;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  UINT flags = 0;

  bool operator==(const WindowMove&) const = default;
};

struct DialogRecord {
  int order = 0;  // position among all dialogs and message boxes shown
  int resource_id = 0;
  HINSTANCE instance = nullptr;
  HWND owner = nullptr;
  LPARAM param = 0;
  std::u16string caption;
  bool created = false;  // false: no template or no procedure; nothing was shown
  bool scripted = false;  // a dialog script was taken from the user script
  INT_PTR init_result = 0;  // the procedure's answer to WM_INITDIALOG
  std::vector<ControlState> at_init;   // after WM_INITDIALOG
  std::vector<ControlState> at_close;  // when the dialog was destroyed
  std::vector<CommandRecord> commands;
  std::vector<WindowMove> moves;
  bool ended = false;      // EndDialog was called
  INT_PTR end_result = 0;  // the value given to EndDialog
  INT_PTR result = 0;      // what DialogBoxParamW returned
};

struct MessageBoxRecord {
  int order = 0;
  HWND owner = nullptr;
  std::u16string caption;
  std::u16string text;
  UINT flags = 0;
  int answer = 0;  // what MessageBoxW returned
};

// The first control with `id` in a snapshot, or null.
const ControlState* FindControl(std::span<const ControlState> controls, int id);

const std::vector<DialogRecord>& ShownDialogs();
const std::vector<MessageBoxRecord>& ShownMessageBoxes();

// Mistakes found while serving the calls: script steps that could not be
// played, unsupported messages or indexes, dialogs that stayed open. Empty
// when everything went as a real dialog would have gone.
const std::vector<std::string>& Errors();

}  // namespace ortolix::headless
