/* Dialog resource 102, "Save DirectX 9.0 Model": the one description of its
   controls. Read by the resource compiler (export_dialog.rc) and by the C++
   code (the dialog procedure and the headless control table), so it holds
   only preprocessor definitions. */
#ifndef ORTOLIX_RESOURCES_EXPORT_DIALOG_H
#define ORTOLIX_RESOURCES_EXPORT_DIALOG_H

#define ORTOLIX_EXPORT_DIALOG_ID 102
#define ORTOLIX_EXPORT_DIALOG_CAPTION "Save DirectX 9.0 Model"
#define ORTOLIX_EXPORT_DIALOG_FONT "MS Sans Serif"
#define ORTOLIX_EXPORT_DIALOG_FONT_SIZE 8
#define ORTOLIX_EXPORT_DIALOG_WIDTH 186
#define ORTOLIX_EXPORT_DIALOG_HEIGHT 205

#define ORTOLIX_IDC_EXPORT_TEXTURE_COORDINATES 1000
#define ORTOLIX_IDC_EXPORT_MATERIALS 1001
#define ORTOLIX_IDC_EXPORT_VERTEX_NORMALS 1002
#define ORTOLIX_IDC_EXPORT_VERTEX_COLORS 1003
#define ORTOLIX_IDC_EXPORT_ANIMATION 1004
#define ORTOLIX_IDC_EXPORT_TEMPLATES 1005
#define ORTOLIX_IDC_FLIP_HANDEDNESS 1006
#define ORTOLIX_IDC_EXPORT_MULTIPLE_UVSETS 1007
#define ORTOLIX_IDC_USE_FULL_TEXTURE_PATH 1008
#define ORTOLIX_IDC_EXPORT_TICKS_PER_SECOND 1009
#define ORTOLIX_IDC_EXPORT_GROUPS_AS_MESHES 1010
#define ORTOLIX_IDC_TRIANGULATE_MODEL 1011
#define ORTOLIX_IDC_EXPORT_ROOT_BONE_TRANSFORM 1012
#define ORTOLIX_IDC_TICKS_EDIT 1034
#define ORTOLIX_IDC_NONE (-1)

/* X(kind, id, text, x, y, width, height), in dialog units and template order.
   Kinds: DefPushButton, PushButton, GroupBox, AutoCheckBox, RightText and
   EditText (bordered, automatic horizontal scroll; its text is unused). */
#define ORTOLIX_EXPORT_DIALOG_CONTROLS(X) \
  X(DefPushButton, 1, "OK", 130, 10, 50, 14) \
  X(PushButton, 2, "Cancel", 130, 27, 50, 14) \
  X(GroupBox, ORTOLIX_IDC_NONE, "Export Options", 5, 5, 115, 90) \
  X(AutoCheckBox, ORTOLIX_IDC_EXPORT_MATERIALS, "Export materials", 15, 20, 95, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_EXPORT_TEXTURE_COORDINATES, "Export texture coordinates", 15, 30, 95, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_EXPORT_VERTEX_NORMALS, "Export vertex normals", 15, 40, 95, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_EXPORT_VERTEX_COLORS, "Export vertex colors", 15, 50, 95, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_EXPORT_ANIMATION, "Export animation", 15, 60, 95, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_EXPORT_TEMPLATES, "Export templates", 15, 70, 95, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_EXPORT_MULTIPLE_UVSETS, "Export multiple uvsets", 15, 80, 95, 8) \
  X(GroupBox, ORTOLIX_IDC_NONE, "Misc Options", 5, 100, 115, 100) \
  X(AutoCheckBox, ORTOLIX_IDC_TRIANGULATE_MODEL, "Triangulate model", 15, 115, 95, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_FLIP_HANDEDNESS, "Flip handedness", 15, 125, 95, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_USE_FULL_TEXTURE_PATH, "Use full texture filepath", 15, 135, 95, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_EXPORT_ROOT_BONE_TRANSFORM, "Export root bone transform", 15, 145, 95, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_EXPORT_GROUPS_AS_MESHES, "Export groups as meshes", 15, 155, 95, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_EXPORT_TICKS_PER_SECOND, "Export ticks per second", 15, 165, 95, 8) \
  X(RightText, ORTOLIX_IDC_NONE, "ticks/sec:", 10, 182, 35, 8) \
  X(EditText, ORTOLIX_IDC_TICKS_EDIT, "", 50, 180, 50, 12)

#endif
