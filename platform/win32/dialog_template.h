// A dialog template as a table that mirrors a `.rc` DIALOG resource, line by
// line, so the headless dialog manager builds the same controls the real
// dialog has. Example, for `AUTOCHECKBOX "Export materials", 1001, 15, 20, 95, 8`:
//   {ControlKind::kAutoCheckBox, u"Export materials", 1001, {15, 20, 95, 8}}
//
// On Windows the dialog comes from the DLL's resources and registration does
// nothing, so callers need no platform test.
#pragma once

#include <span>
#include <string_view>

namespace ortolix {

// The id `.rc` files write as -1 (IDC_STATIC) for labels and group boxes.
inline constexpr int kStaticControlId = 65535;

// One kind per `.rc` control statement the plug-in's dialogs use.
enum class ControlKind {
  kDefPushButton,  // DEFPUSHBUTTON
  kPushButton,     // PUSHBUTTON
  kGroupBox,       // GROUPBOX
  kAutoCheckBox,   // AUTOCHECKBOX (two states, toggles itself when clicked)
  kLeftText,       // LTEXT
  kRightText,      // RTEXT
  kEditText,       // EDITTEXT (single line)
  kDropDownList,   // COMBOBOX with CBS_DROPDOWNLIST
};

// Position and size in dialog units.
struct DialogUnits {
  int x;
  int y;
  int width;
  int height;
};

struct ControlTemplate {
  ControlKind kind;
  std::u16string_view text;
  int id;
  DialogUnits place;
};

struct DialogTemplate {
  int resource_id;
  std::u16string_view caption;
  std::u16string_view font;
  int point_size;
  int width;   // dialog units
  int height;  // dialog units
  std::span<const ControlTemplate> controls;
};

#ifdef _WIN32
inline void RegisterDialogTemplate(const DialogTemplate&) {}
#else
// Makes `dialog` the template of its resource id, replacing an earlier one.
// Only a pointer is kept: the template, its controls and texts must have
// static storage duration (a constexpr table). Registrations survive
// headless::Reset().
void RegisterDialogTemplate(const DialogTemplate& dialog);

// The registered template of `resource_id`, or null.
const DialogTemplate* FindDialogTemplate(int resource_id);
#endif

}  // namespace ortolix
