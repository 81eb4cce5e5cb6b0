#include "cli/win32_dialog_driver.h"

#include <windows.h>

#include <fstream>
#include <optional>

#include "cli/win32_window_controls.h"
#include "cli/win32_window_picture.h"
#include "platform/win32/headless.h"
#include "resources/export_dialog.h"
#include "resources/import_dialog.h"

namespace ortolix {

namespace cli {

namespace {

constexpr UINT_PTR kDriveTimer = 0x0D1A;

// The script and records the commands see through headless.h, and what
// outlives their resets: the hook, the --controls list, the picture count.
struct DriverState {
  headless::UserScript script;
  std::vector<headless::DialogRecord> dialogs;
  std::vector<headless::MessageBoxRecord> boxes;
  std::vector<std::string> errors;
  int nextOrder = 0;
  HHOOK hook = nullptr;
  nlohmann::json controls = nlohmann::json::array();
  int pictures = 0;
};

DriverState& State() {
  static DriverState state;
  return state;
}

void AddError(std::string error) { State().errors.push_back(std::move(error)); }

// The resource id of a plug-in dialog, known by its caption; 0 for any other
// dialog window (a message box).
int ResourceIdOf(const std::u16string& caption) {
  if (Utf8(caption) == ORTOLIX_EXPORT_DIALOG_CAPTION) return ORTOLIX_EXPORT_DIALOG_ID;
  if (Utf8(caption) == ORTOLIX_IMPORT_DIALOG_CAPTION) return ORTOLIX_IMPORT_DIALOG_ID;
  return 0;
}

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

// --screenshot and --controls for one window.
void SaveOutputs(HWND window, int resourceId, const std::u16string& caption,
                 const std::vector<WindowControl>& controls) {
  const DialogDriverSettings& settings = TheDialogDriverSettings();
  DriverState& state = State();
  if (!settings.screenshotDir.empty()) {
    const std::string name = resourceId != 0 ? "dialog-" + std::to_string(resourceId) : "message-box";
    const std::string path = settings.screenshotDir + "/" + std::to_string(++state.pictures) + "-" + name + ".png";
    std::string error;
    if (!SaveWindowPicture(window, path, error)) AddError("--screenshot: " + error);
  }
  if (!settings.controlsFile.empty() && resourceId != 0) {
    state.controls.push_back(ControlsJson(resourceId, caption, controls));
    std::ofstream out(settings.controlsFile, std::ios::binary | std::ios::trunc);
    out << state.controls.dump(2) << '\n';
    if (!out) AddError("--controls: " + settings.controlsFile + ": could not be written");
  }
}

const WindowControl* FindWindowControl(const std::vector<WindowControl>& controls,
                                       const headless::ControlRef& ref) {
  for (const WindowControl& control : controls) {
    const bool match = ref.by == headless::ControlRef::By::kId     ? control.state.id == ref.id
                       : ref.by == headless::ControlRef::By::kText ? control.state.text == ref.text
                                                                   : headless::ControlName(control.state.text) == ref.text;
    if (match) return &control;
  }
  return nullptr;
}

// Typing: the edit box's text selected, then replaced key by key (or
// cleared), each key sending EN_UPDATE and EN_CHANGE as typing does.
void TypeInto(HWND edit, const std::u16string& text) {
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  if (text.empty()) SendMessageW(edit, WM_CLEAR, 0, 0);
  for (const char16_t unit : text) SendMessageW(edit, WM_CHAR, unit, 1);
}

// An entry the list lacks is not chosen: the command cannot see a plug-in
// DLL's list before the dialog shows it.
void ChooseEntry(HWND dialog, HWND combo, int index) {
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  if (index < 0 || index >= count) return;
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

void PlayStep(HWND dialog, const headless::DialogStep& step) {
  const std::vector<WindowControl> controls = ReadWindowControls(dialog);
  const WindowControl* control = FindWindowControl(controls, step.control);
  if (control == nullptr) {
    AddError("dialog step: no control " + (step.control.by == headless::ControlRef::By::kId
                                               ? std::to_string(step.control.id)
                                               : Utf8(step.control.text)));
    return;
  }
  switch (step.kind) {
    case headless::StepKind::kSetCheck:
      if (control->state.check != step.value) Click(control->window);
      if (SendMessageW(control->window, BM_GETCHECK, 0, 0) != step.value) {
        AddError("dialog step: check box " + Utf8(control->state.text) + " did not change");
      }
      break;
    case headless::StepKind::kTypeText: TypeInto(control->window, step.text); break;
    case headless::StepKind::kChooseEntry: ChooseEntry(dialog, control->window, step.value); break;
    case headless::StepKind::kPress: Click(control->window); break;
  }
}

std::optional<headless::DialogScript> TakeDialogScript(int resourceId) {
  auto& scripts = State().script.dialogs;
  for (auto it = scripts.begin(); it != scripts.end(); ++it) {
    if (it->resource_id == 0 || it->resource_id == resourceId) {
      headless::DialogScript script = std::move(*it);
      scripts.erase(it);
      return script;
    }
  }
  return std::nullopt;
}

// Plays the dialog's script; a dialog its script leaves open gets Cancel.
void AnswerDialog(HWND dialog, headless::DialogRecord& record) {
  std::optional<headless::DialogScript> script = TakeDialogScript(record.resource_id);
  record.scripted = script.has_value();
  if (script) {
    for (const headless::DialogStep& step : script->steps) {
      if (!IsWindowVisible(dialog)) {
        AddError("dialog " + std::to_string(record.resource_id) + ": a step after the dialog closed");
        break;
      }
      PlayStep(dialog, step);
    }
  }
  record.at_close = ControlStates(ReadWindowControls(dialog));
  if (IsWindowVisible(dialog)) {
    AddError("dialog " + std::to_string(record.resource_id) + " stayed open: Cancel pressed");
    Click(GetDlgItem(dialog, IDCANCEL));
  }
  record.ended = !IsWindowVisible(dialog);
}

// Wine and Windows both show a message box's text in a static control with
// id 0xFFFF; the icon is a static of another id.
std::u16string MessageText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text != nullptr ? WindowText(text) : std::u16string();
}

// The script's next answer, as a person's click on that button. Escape
// (IDCANCEL) closes an OK box with OK; with no answer left, the default
// button is pressed.
void AnswerMessageBox(HWND box, headless::MessageBoxRecord& record) {
  auto& answers = State().script.message_box_answers;
  int answer = static_cast<int>(LOWORD(SendMessageW(box, DM_GETDEFID, 0, 0)));
  if (!answers.empty()) {
    answer = answers.front();
    answers.pop_front();
  }
  if (answer == IDCANCEL && GetDlgItem(box, IDCANCEL) == nullptr) answer = IDOK;
  HWND button = GetDlgItem(box, answer);
  if (button == nullptr) {
    AddError("MessageBoxW: answer " + std::to_string(answer) + " is not a button of the box");
    SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return;
  }
  record.answer = answer;
  Click(button);
}

void Drive(HWND window) {
  DriverState& state = State();
  const std::u16string caption = WindowText(window);
  const int resourceId = ResourceIdOf(caption);
  const std::vector<WindowControl> controls = ReadWindowControls(window);
  SaveOutputs(window, resourceId, caption, controls);
  const bool answer = !TheDialogDriverSettings().interactive;
  if (resourceId == 0) {
    headless::MessageBoxRecord record;
    record.order = state.nextOrder++;
    record.owner = GetWindow(window, GW_OWNER);
    record.caption = caption;
    record.text = MessageText(window);
    if (answer) AnswerMessageBox(window, record);
    state.boxes.push_back(std::move(record));
    return;
  }
  headless::DialogRecord record;
  record.order = state.nextOrder++;
  record.resource_id = resourceId;
  record.owner = GetWindow(window, GW_OWNER);
  record.caption = caption;
  record.created = true;
  record.at_init = ControlStates(controls);
  if (answer) AnswerDialog(window, record);
  state.dialogs.push_back(std::move(record));
}

// Runs inside the dialog's modal loop. A dialog is shown when its queue
// first runs empty, so the timer waits for that before the dialog is driven.
void CALLBACK DriveTimer(HWND window, UINT, UINT_PTR timer, DWORD) {
  if (!IsWindowVisible(window)) return;  // the timer fires again
  KillTimer(window, timer);
  Drive(window);
}

bool IsDialogFrame(HWND window, const CREATESTRUCTW& create) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return (create.style & WS_CHILD) == 0 && lstrcmpW(name, L"#32770") == 0;
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    if (IsDialogFrame(window, *create->lpcs)) SetTimer(window, kDriveTimer, USER_TIMER_MINIMUM, &DriveTimer);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void EnsureHook() {
  DriverState& state = State();
  if (state.hook != nullptr) return;
  state.hook = SetWindowsHookExW(WH_CBT, &CbtHook, nullptr, GetCurrentThreadId());
  if (state.hook == nullptr) AddError("SetWindowsHookExW(WH_CBT) failed");
}

}  // namespace

DialogDriverSettings& TheDialogDriverSettings() {
  static DialogDriverSettings settings;
  return settings;
}

void AddDialogDriverOptions(CLI::App& app) {
  DialogDriverSettings& settings = TheDialogDriverSettings();
  app.add_flag("--interactive", settings.interactive,
               "Leave the plug-in's dialogs and message boxes to the person at the screen");
  app.add_option("--screenshot", settings.screenshotDir,
                 "Save each dialog and message box as a PNG in this folder")
      ->check(CLI::ExistingDirectory);
  app.add_option("--controls", settings.controlsFile,
                 "Write each dialog's child windows (class, id, text, check state, rectangle) "
                 "to this JSON file");
}

}  // namespace cli

// The headless script and records, served from the real windows.
namespace headless {

void Reset() {
  cli::DriverState& state = cli::State();
  state.script = {};
  state.dialogs.clear();
  state.boxes.clear();
  state.errors.clear();
  state.nextOrder = 0;
  cli::EnsureHook();
}

void InstallUserScript(UserScript script) {
  cli::State().script = std::move(script);
  cli::EnsureHook();
}

void AddDialogScript(DialogScript script) { cli::State().script.dialogs.push_back(std::move(script)); }
void AddMessageBoxAnswer(int answer) { cli::State().script.message_box_answers.push_back(answer); }

const std::vector<DialogRecord>& ShownDialogs() { return cli::State().dialogs; }
const std::vector<MessageBoxRecord>& ShownMessageBoxes() { return cli::State().boxes; }
const std::vector<std::string>& Errors() { return cli::State().errors; }

const ControlState* FindControl(std::span<const ControlState> controls, int id) {
  for (const ControlState& control : controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

std::u16string ControlName(std::u16string_view text) {
  std::u16string name;
  for (const char16_t c : text) {
    name.push_back(c == u' ' ? u'-' : (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c);
  }
  return name;
}

}  // namespace headless

}  // namespace ortolix
