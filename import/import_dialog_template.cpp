// The control table the headless dialog manager builds resource 101 from,
// generated from the same description as the .rc template.
#include "import/import_dialog.h"

#include "platform/win32/dialog_template.h"
#include "resources/import_dialog.h"

namespace ortolix {
namespace {

constexpr int ControlId(int id) { return id == ORTOLIX_IDC_NONE ? kStaticControlId : id; }

#define ORTOLIX_IMPORT_CONTROL(kind, id, text, x, y, w, h) \
  ControlTemplate{ControlKind::k##kind, u"" text, ControlId(id), DialogUnits{x, y, w, h}},

constexpr ControlTemplate kImportDialogControls[] = {
    ORTOLIX_IMPORT_DIALOG_CONTROLS(ORTOLIX_IMPORT_CONTROL)};

#undef ORTOLIX_IMPORT_CONTROL

constexpr DialogTemplate kImportDialogTemplate{
    ORTOLIX_IMPORT_DIALOG_ID,
    u"" ORTOLIX_IMPORT_DIALOG_CAPTION,
    u"" ORTOLIX_IMPORT_DIALOG_FONT,
    ORTOLIX_IMPORT_DIALOG_FONT_SIZE,
    ORTOLIX_IMPORT_DIALOG_WIDTH,
    ORTOLIX_IMPORT_DIALOG_HEIGHT,
    kImportDialogControls};

}  // namespace

void RegisterImportDialogTemplate() { RegisterDialogTemplate(kImportDialogTemplate); }

}  // namespace ortolix
