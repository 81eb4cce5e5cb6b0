// The export options dialog (resource 102, "Save DirectX 9.0 Model").
#pragma once

#include <cstdint>

#include "platform/crt/wide_char.h"
#include "platform/win32/win32_types.h"

namespace ortolix {

// Dialog procedure of resource 102. WM_INITDIALOG takes the HostModel (or
// null) as its lParam: when the model has at least one animation, the ticks
// value becomes the first animation's frames per second, truncated; the edit
// box shows the ticks, the check boxes the module-wide ExportOptions, and the
// dialog is centred over the desktop. OK stores the ticks (empty or negative
// text gives 0) and the check boxes into the options and ends with 1; Cancel
// ends with 2 and changes nothing.
INT_PTR ORTOLIX_CALLBACK ExportDialogProc(HWND dialog, UINT message, WPARAM wparam,
                                          LPARAM lparam);

// Makes the headless dialog manager build resource 102 from the same control
// table as the .rc template (nothing to do on Windows).
void RegisterExportDialogTemplate();

// The ticks value of an edit text: empty gives 0, else the leading decimal
// integer (as _wtoi reads it), negative values becoming 0.
std::int32_t TicksFromText(const WideChar* text);

// Frames per second to an integer, truncated toward zero; NaN, infinities and
// values out of range give INT32_MIN, as the x86 conversion does.
std::int32_t TruncateToInt32(float value);

}  // namespace ortolix
