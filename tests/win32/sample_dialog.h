// A small dialog in the manner of the plug-in's option dialogs, used to drive
// the headless dialog manager: two check boxes, a ticks edit box, a count
// label, an animation drop-down list, OK, Cancel and an extra button.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/dialog_template.h"
#include "platform/win32/win32.h"

namespace ortolix::sample {

inline constexpr int kDialogId = 900;
inline constexpr int kMaterialsBox = 1001;
inline constexpr int kFlipBox = 1006;
inline constexpr int kTicksEdit = 1034;
inline constexpr int kCountLabel = 1020;
inline constexpr int kAnimationList = 1052;
inline constexpr int kApplyButton = 1070;

extern const DialogTemplate kDialog;

struct Options {
  int materials = 1;
  int flip = 0;
  int ticks = 4800;
  int selected = 0;
};

// Passed as the dialog's parameter; the procedure works on it.
struct Context {
  Options options;
  std::vector<std::u16string> animations;
  int ticks_buffer = 256;       // GetDlgItemTextW buffer size on OK
  std::vector<WideChar> ticks_raw;  // the whole buffer after the read, filled with '#' before
  std::u16string ticks_read;    // the text OK read
  UINT ticks_read_count = 0;    // what GetDlgItemTextW returned
  int applied = 0;              // presses of the extra button
  int selection_changes = 0;
  bool ignore_cancel = false;   // never ends the dialog
  std::function<void(HWND)> on_init;
  std::function<void(HWND)> on_ok;
};

// Init: fills the controls from the options and centres the dialog. OK reads
// them back and ends with 1; Cancel ends with 2; CBN_SELCHANGE stores the
// selection.
INT_PTR ORTOLIX_CALLBACK Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

INT_PTR Show(Context& context);

std::u16string Wide(const std::string& text);

}  // namespace ortolix::sample
