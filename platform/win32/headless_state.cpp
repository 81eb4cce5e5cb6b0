#include "platform/win32/headless_state.h"

#include <cstdio>
#include <utility>

#include "platform/win32/headless.h"

namespace ortolix::headless {

HeadlessState& State() {
  static HeadlessState state;
  return state;
}

void Reset() {
  HeadlessState& state = State();
  auto templates = std::move(state.templates);
  state = HeadlessState{};
  state.templates = std::move(templates);
}

RunningDialog* FindDialog(HWND window) {
  const auto value = reinterpret_cast<std::uintptr_t>(window);
  if (value % kHandleStride != 0) return nullptr;
  auto& running = State().running;
  auto found = running.find(value / kHandleStride);
  return found == running.end() ? nullptr : found->second.get();
}

bool FindControlHandle(HWND window, RunningDialog*& dialog, std::size_t& index) {
  const auto value = reinterpret_cast<std::uintptr_t>(window);
  if (value % kHandleStride == 0) return false;
  auto& running = State().running;
  auto found = running.find(value / kHandleStride);
  if (found == running.end()) return false;
  const std::size_t offset = value % kHandleStride - 1;
  if (offset >= found->second->controls.size()) return false;
  dialog = found->second.get();
  index = offset;
  return true;
}

HWND ControlHandle(const RunningDialog& dialog, std::size_t index) {
  return reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(dialog.handle) + 1 + index);
}

INT_PTR SendCommand(RunningDialog& dialog, int id, int code, HWND control) {
  State().dialogs[dialog.record].commands.push_back({id, code, control != nullptr});
  return dialog.procedure(dialog.handle, WM_COMMAND,
                          MAKEWPARAM(static_cast<std::uint32_t>(id), static_cast<std::uint32_t>(code)),
                          reinterpret_cast<LPARAM>(control));
}

void AddError(std::string message) { State().errors.push_back(std::move(message)); }

std::string Describe(std::u16string_view text) {
  std::string out;
  for (char16_t unit : text) {
    if (unit >= 0x20 && unit < 0x7F) {
      out += static_cast<char>(unit);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
      out += escaped;
    }
  }
  return out;
}

const ControlState* FindControl(std::span<const ControlState> controls, int id) {
  for (const ControlState& control : controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

const std::vector<DialogRecord>& ShownDialogs() { return State().dialogs; }
const std::vector<MessageBoxRecord>& ShownMessageBoxes() { return State().message_boxes; }
const std::vector<std::string>& Errors() { return State().errors; }

void InstallUserScript(UserScript script) { State().script = std::move(script); }
void AddDialogScript(DialogScript script) { State().script.dialogs.push_back(std::move(script)); }
void AddMessageBoxAnswer(int answer) { State().script.message_box_answers.push_back(answer); }

void SetDisplay(RECT desktop, int screen_width, int screen_height) {
  HeadlessState& state = State();
  state.desktop = desktop;
  state.screen_width = screen_width;
  state.screen_height = screen_height;
}

void SetFocusWindow(HWND window) { State().focus_window = window; }

std::size_t OpenDeviceContexts() { return State().device_contexts.size(); }

const std::vector<std::u16string>& DirectoryRequests() { return State().directory_requests; }
const std::u16string& CurrentDirectory() { return State().current_directory; }

}  // namespace ortolix::headless

namespace ortolix {

void RegisterDialogTemplate(const DialogTemplate& dialog) {
  headless::State().templates[dialog.resource_id] = &dialog;
}

const DialogTemplate* FindDialogTemplate(int resource_id) {
  const auto& templates = headless::State().templates;
  auto found = templates.find(resource_id);
  return found == templates.end() ? nullptr : found->second;
}

}  // namespace ortolix
