// Headless modal dialogs: DialogBoxParamW builds the controls from the
// registered template, runs the dialog procedure through WM_INITDIALOG and the
// user script, and records what was shown; EndDialog ends it.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "platform/win32/headless.h"
#include "platform/win32/headless_state.h"
#include "platform/win32/script_player.h"

namespace ortolix {
namespace headless {
namespace {

bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::kGroupBox && kind != ControlKind::kLeftText &&
         kind != ControlKind::kRightText;
}

std::optional<DialogScript> TakeScript(int resource_id) {
  auto& queue = State().script.dialogs;
  auto found = std::find_if(queue.begin(), queue.end(), [resource_id](const DialogScript& script) {
    return script.resource_id == 0 || script.resource_id == resource_id;
  });
  if (found == queue.end()) return std::nullopt;
  DialogScript script = std::move(*found);
  queue.erase(found);
  return script;
}

RunningDialog& Create(const DialogTemplate& dialog_template, DLGPROC procedure, std::size_t record) {
  HeadlessState& state = State();
  const std::uintptr_t serial = state.next_serial++;
  auto dialog = std::make_unique<RunningDialog>();
  dialog->handle = reinterpret_cast<HWND>(serial * kHandleStride);
  dialog->procedure = procedure;
  const PixelSize size = DialogPixelSize(dialog_template.width, dialog_template.height);
  dialog->rect = RECT{0, 0, size.width, size.height};
  dialog->record = record;
  for (const ControlTemplate& control : dialog_template.controls) {
    ControlState& state_of = dialog->controls.emplace_back();
    state_of.id = control.id;
    state_of.kind = control.kind;
    if (control.kind != ControlKind::kDropDownList) state_of.text = control.text;
    if (dialog->focus == nullptr && TakesFocus(control.kind)) {
      dialog->focus = ControlHandle(*dialog, dialog->controls.size() - 1);
    }
  }
  RunningDialog& running = *dialog;
  state.running[serial] = std::move(dialog);
  state.stack.push_back(&running);
  return running;
}

void Destroy(RunningDialog& dialog) {
  HeadlessState& state = State();
  std::erase(state.stack, &dialog);
  state.running.erase(reinterpret_cast<std::uintptr_t>(dialog.handle) / kHandleStride);
}

// WM_INITDIALOG, the script, then Cancel if the dialog is still open.
// Returns false when the script failed or the dialog would not close.
bool Run(RunningDialog& dialog, int resource_id, LPARAM param) {
  HeadlessState& state = State();
  const std::optional<DialogScript> script = TakeScript(resource_id);
  state.dialogs[dialog.record].scripted = script.has_value();
  const INT_PTR init = dialog.procedure(dialog.handle, WM_INITDIALOG,
                                        reinterpret_cast<WPARAM>(dialog.focus), param);
  state.dialogs[dialog.record].init_result = init;
  state.dialogs[dialog.record].at_init = dialog.controls;

  bool ok = !script || PlayDialogScript(dialog, resource_id, *script);
  if (!dialog.ended) {
    // As when the user presses Escape.
    SendCommand(dialog, IDCANCEL, BN_CLICKED, GetDlgItem(dialog.handle, IDCANCEL));
  }
  if (!dialog.ended) {
    AddError("dialog " + std::to_string(resource_id) + ": still open after IDCANCEL");
    ok = false;
  }
  return ok;
}

}  // namespace
}  // namespace headless

INT_PTR DialogBoxParamW(HINSTANCE instance, int resource_id, HWND owner, DLGPROC procedure,
                        LPARAM param) {
  using namespace headless;
  HeadlessState& state = State();
  DialogRecord record;
  record.order = state.next_order++;
  record.resource_id = resource_id;
  record.instance = instance;
  record.owner = owner;
  record.param = param;
  const DialogTemplate* dialog_template = FindDialogTemplate(resource_id);
  if (dialog_template == nullptr || procedure == nullptr ||
      dialog_template->controls.size() > kMaxControls) {
    AddError("DialogBoxParamW: dialog " + std::to_string(resource_id) +
             (procedure == nullptr ? " has no procedure" : " has no usable template"));
    record.result = -1;
    state.dialogs.push_back(std::move(record));
    return -1;
  }
  record.caption = dialog_template->caption;
  record.created = true;
  state.dialogs.push_back(std::move(record));
  const std::size_t index = state.dialogs.size() - 1;

  RunningDialog& dialog = Create(*dialog_template, procedure, index);
  const bool ok = Run(dialog, resource_id, param);
  DialogRecord& done = state.dialogs[index];
  done.at_close = dialog.controls;
  done.ended = dialog.ended;
  done.end_result = dialog.end_result;
  done.result = ok ? dialog.end_result : -1;
  Destroy(dialog);
  return done.result;
}

BOOL EndDialog(HWND window, INT_PTR result) {
  headless::RunningDialog* dialog = headless::FindDialog(window);
  if (dialog == nullptr) return 0;
  dialog->ended = true;
  dialog->end_result = result;
  return 1;
}

}  // namespace ortolix
