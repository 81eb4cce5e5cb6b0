// The user script that answers headless dialogs and message boxes in place of
// a person: per dialog a list of steps (set a check box, type into an edit
// box, choose a list entry, press a button), and a queue of message box
// answers. On Windows the command's window driver plays it on real windows.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/crt/wide_char.h"

namespace ortolix::headless {

// Names a control of the running dialog: by id, by its exact text, or by its
// text in lower case with blanks as hyphens ("Export materials" is
// "export-materials"). The first matching control counts.
struct ControlRef {
  enum class By { kId, kText, kName };
  By by = By::kId;
  int id = 0;
  std::u16string text;

  static ControlRef Id(int id) { return {By::kId, id, {}}; }
  static ControlRef Text(std::u16string text) { return {By::kText, 0, std::move(text)}; }
  static ControlRef Name(std::u16string name) { return {By::kName, 0, std::move(name)}; }
};

enum class StepKind {
  kSetCheck,     // automatic check box; clicks (BN_CLICKED) only when the state changes
  kTypeText,     // edit box; replaces its text, then EN_CHANGE
  kChooseEntry,  // drop-down list; selects entry `value`, then CBN_SELCHANGE
  kPress,        // push button; BN_CLICKED with the button's id
};

struct DialogStep {
  StepKind kind = StepKind::kPress;
  ControlRef control;
  int value = 0;  // check state (0 or 1) or entry index
  std::u16string text;

  static DialogStep SetCheck(ControlRef control, bool checked) {
    return {StepKind::kSetCheck, std::move(control), checked ? 1 : 0, {}};
  }
  static DialogStep TypeText(ControlRef control, std::u16string text) {
    return {StepKind::kTypeText, std::move(control), 0, std::move(text)};
  }
  static DialogStep ChooseEntry(ControlRef control, int index) {
    return {StepKind::kChooseEntry, std::move(control), index, {}};
  }
  static DialogStep Press(ControlRef control) {
    return {StepKind::kPress, std::move(control), 0, {}};
  }
};

// The steps for one showing of a dialog. `resource_id` 0 matches any dialog.
// When the steps end with the dialog still open, it gets IDCANCEL.
struct DialogScript {
  int resource_id = 0;
  std::vector<DialogStep> steps;
};

struct UserScript {
  // Each dialog takes the first script that matches its resource id.
  std::deque<DialogScript> dialogs;
  // Each message box takes the front answer (IDOK, IDCANCEL, IDYES, ...).
  std::deque<int> message_box_answers;
};

// Replaces the installed script.
void InstallUserScript(UserScript script);

// Append to the installed script.
void AddDialogScript(DialogScript script);
void AddMessageBoxAnswer(int answer);

// The lower-case, hyphenated name of a control text ("Flip handedness" is
// "flip-handedness"). Only ASCII letters are folded.
std::u16string ControlName(std::u16string_view text);

}  // namespace ortolix::headless
