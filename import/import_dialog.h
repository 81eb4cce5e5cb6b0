// The import options dialog (resource 101, "Import DirectX 9.0 Model").
#pragma once

#include <string>

#include "import/import_model.h"
#include "platform/win32/win32_types.h"

namespace ortolix {

// Dialog procedure of resource 101; it works on the module-wide ImportModel
// and ImportOptions. WM_INITDIALOG shows the counts, the animation list (or
// "[none]"), the ticks per second and the eight options, selects entry 0 and
// centres the dialog over the desktop. OK reads the ticks (empty or negative
// text gives 0) and the check boxes into the options and ends with 1; Cancel
// ends with 0 and changes nothing; a selection change of the list becomes the
// selected animation.
INT_PTR ORTOLIX_CALLBACK ImportDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Makes the headless dialog manager build resource 101 from the same control
// table as the .rc template (nothing to do on Windows).
void RegisterImportDialogTemplate();

// The counts of the dialog's Info box.
struct ImportCounts {
  std::int32_t materials;
  std::int32_t meshes;
  std::int32_t vertices;  // sum over the meshes
  std::int32_t faces;     // sum over the meshes
  std::int32_t frames;
  std::int32_t bones;       // of the first skin; 0 without skins
  std::int32_t animations;  // 0 unless the file held animation sets
};
ImportCounts CountImportModel(const ImportModel& model);

// The animation list's entries: "NAME (length: END)" per animation, the end
// truncated, or the one entry "[none]" without animation sets.
std::vector<std::u16string> AnimationListEntries(const ImportModel& model);

}  // namespace ortolix
