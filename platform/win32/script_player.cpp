#include "platform/win32/script_player.h"

#include <optional>
#include <string>

namespace ortolix::headless {
namespace {

bool IsPushButton(ControlKind kind) {
  return kind == ControlKind::kDefPushButton || kind == ControlKind::kPushButton;
}

bool Matches(const ControlState& control, const ControlRef& ref) {
  switch (ref.by) {
    case ControlRef::By::kId:
      return control.id == ref.id;
    case ControlRef::By::kText:
      return control.text == ref.text;
    case ControlRef::By::kName:
      return ControlName(control.text) == ref.text;
  }
  return false;
}

std::string DescribeRef(const ControlRef& ref) {
  switch (ref.by) {
    case ControlRef::By::kId:
      return "id " + std::to_string(ref.id);
    case ControlRef::By::kText:
      return "text \"" + Describe(ref.text) + "\"";
    case ControlRef::By::kName:
      return "name \"" + Describe(ref.text) + "\"";
  }
  return {};
}

std::optional<std::size_t> Resolve(const RunningDialog& dialog, const ControlRef& ref) {
  for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
    if (Matches(dialog.controls[i], ref)) return i;
  }
  return std::nullopt;
}

// Plays one step; returns an empty text, or why the step cannot be played.
std::string PlayStep(RunningDialog& dialog, const DialogStep& step) {
  const std::optional<std::size_t> index = Resolve(dialog, step.control);
  if (!index) return "no control with " + DescribeRef(step.control);
  ControlState& control = dialog.controls[*index];
  const HWND handle = ControlHandle(dialog, *index);
  switch (step.kind) {
    case StepKind::kSetCheck:
      if (control.kind != ControlKind::kAutoCheckBox) return "control is not a check box";
      if (step.value != BST_UNCHECKED && step.value != BST_CHECKED) return "check state not 0 or 1";
      if (control.check == step.value) return {};
      control.check = step.value;
      SendCommand(dialog, control.id, BN_CLICKED, handle);
      return {};
    case StepKind::kTypeText:
      if (control.kind != ControlKind::kEditText) return "control is not an edit box";
      SetControlText(dialog, *index, step.text);
      return {};
    case StepKind::kChooseEntry:
      if (control.kind != ControlKind::kDropDownList) return "control is not a drop-down list";
      if (step.value < 0 || static_cast<std::size_t>(step.value) >= control.entries.size()) {
        return "entry " + std::to_string(step.value) + " of " +
               std::to_string(control.entries.size()) + " does not exist";
      }
      SelectEntry(control, step.value);
      SendCommand(dialog, control.id, CBN_SELCHANGE, handle);
      return {};
    case StepKind::kPress:
      if (!IsPushButton(control.kind)) return "control is not a push button";
      SendCommand(dialog, control.id, BN_CLICKED, handle);
      return {};
  }
  return "unknown step";
}

}  // namespace

bool PlayDialogScript(RunningDialog& dialog, int resource_id, const DialogScript& script) {
  for (std::size_t i = 0; i < script.steps.size(); ++i) {
    const std::string where =
        "dialog " + std::to_string(resource_id) + ", step " + std::to_string(i + 1) + ": ";
    if (dialog.ended) {
      AddError(where + "the dialog has already ended");
      return false;
    }
    const std::string problem = PlayStep(dialog, script.steps[i]);
    if (!problem.empty()) {
      AddError(where + problem);
      return false;
    }
  }
  return true;
}

std::u16string ControlName(std::u16string_view text) {
  std::u16string name(text);
  for (char16_t& unit : name) {
    if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit - u'A' + u'a');
    if (unit == u' ') unit = u'-';
  }
  return name;
}

}  // namespace ortolix::headless
