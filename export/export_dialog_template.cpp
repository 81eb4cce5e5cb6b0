// The control table the headless dialog manager builds resource 102 from,
// generated from the same description as the .rc template.
#include "export/export_dialog.h"

#include "platform/win32/dialog_template.h"
#include "resources/export_dialog.h"

namespace ortolix {
namespace {

constexpr int ControlId(int id) { return id == ORTOLIX_IDC_NONE ? kStaticControlId : id; }

#define ORTOLIX_EXPORT_CONTROL(kind, id, text, x, y, w, h) \
  ControlTemplate{ControlKind::k##kind, u"" text, ControlId(id), DialogUnits{x, y, w, h}},

constexpr ControlTemplate kExportDialogControls[] = {
    ORTOLIX_EXPORT_DIALOG_CONTROLS(ORTOLIX_EXPORT_CONTROL)};

#undef ORTOLIX_EXPORT_CONTROL

constexpr DialogTemplate kExportDialogTemplate{
    ORTOLIX_EXPORT_DIALOG_ID,
    u"" ORTOLIX_EXPORT_DIALOG_CAPTION,
    u"" ORTOLIX_EXPORT_DIALOG_FONT,
    ORTOLIX_EXPORT_DIALOG_FONT_SIZE,
    ORTOLIX_EXPORT_DIALOG_WIDTH,
    ORTOLIX_EXPORT_DIALOG_HEIGHT,
    kExportDialogControls};

}  // namespace

void RegisterExportDialogTemplate() { RegisterDialogTemplate(kExportDialogTemplate); }

}  // namespace ortolix
