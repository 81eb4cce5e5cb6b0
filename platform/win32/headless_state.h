// The headless dialog manager's module-wide state: one object holding the
// registered templates, the user script, the running dialogs, the records and
// the display settings. Internal to platform/win32.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/dialog_template.h"
#include "platform/win32/shown_record.h"
#include "platform/win32/user_script.h"
#include "platform/win32/win32.h"

namespace ortolix::headless {

// Handles are numbers: a dialog's is its serial number times kHandleStride,
// its controls' follow it (control i is the dialog's handle + 1 + i).
inline constexpr std::uintptr_t kHandleStride = 0x100;
inline constexpr std::size_t kMaxControls = kHandleStride - 1;
inline constexpr std::uintptr_t kDesktopHandle = 0x10;

struct RunningDialog {
  HWND handle = nullptr;
  DLGPROC procedure = nullptr;
  RECT rect{};
  HWND focus = nullptr;
  std::vector<ControlState> controls;
  bool ended = false;
  INT_PTR end_result = 0;
  std::size_t record = 0;  // index into HeadlessState::dialogs
};

struct HeadlessState {
  std::map<int, const DialogTemplate*> templates;  // kept by Reset

  UserScript script;
  std::map<std::uintptr_t, std::unique_ptr<RunningDialog>> running;  // by serial
  std::vector<RunningDialog*> stack;  // running dialogs, innermost last
  std::uintptr_t next_serial = 1;
  std::map<std::uintptr_t, HWND> device_contexts;  // open HDC value -> window
  std::uintptr_t next_device_context = 1;

  std::vector<DialogRecord> dialogs;
  std::vector<MessageBoxRecord> message_boxes;
  std::vector<std::string> errors;
  int next_order = 1;

  RECT desktop{0, 0, 1920, 1080};
  int screen_width = 1920;
  int screen_height = 1080;
  HWND focus_window = nullptr;
  std::vector<std::u16string> directory_requests;
  std::u16string current_directory;
};

HeadlessState& State();

// The running dialog whose handle is `window`, or null.
RunningDialog* FindDialog(HWND window);

// The running dialog and control index of a control handle; false when
// `window` is not a control of a running dialog.
bool FindControlHandle(HWND window, RunningDialog*& dialog, std::size_t& index);

HWND ControlHandle(const RunningDialog& dialog, std::size_t index);

// Sends WM_COMMAND(id, code) to the dialog's procedure with the control's
// handle (or 0), recording it; returns the procedure's answer.
INT_PTR SendCommand(RunningDialog& dialog, int id, int code, HWND control);

// Selects entry `index` of a drop-down list (-1: none); its text follows.
void SelectEntry(ControlState& control, int index);

// Replaces a control's text; an edit box then sends EN_CHANGE.
void SetControlText(RunningDialog& dialog, std::size_t index, std::u16string_view text);

// Appends a message to Errors().
void AddError(std::string message);

// Narrow text of a wide text, for error messages.
std::string Describe(std::u16string_view text);

}  // namespace ortolix::headless
