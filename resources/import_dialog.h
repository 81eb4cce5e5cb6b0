/* Dialog resource 101, "Import DirectX 9.0 Model": the one description of its
   controls. Read by the resource compiler (import_dialog.rc) and by the C++
   code (the dialog procedure and the headless control table), so it holds
   only preprocessor definitions. */
#ifndef ORTOLIX_RESOURCES_IMPORT_DIALOG_H
#define ORTOLIX_RESOURCES_IMPORT_DIALOG_H

#define ORTOLIX_IMPORT_DIALOG_ID 101
#define ORTOLIX_IMPORT_DIALOG_CAPTION "Import DirectX 9.0 Model"
#define ORTOLIX_IMPORT_DIALOG_FONT "MS Sans Serif"
#define ORTOLIX_IMPORT_DIALOG_FONT_SIZE 8
#define ORTOLIX_IMPORT_DIALOG_WIDTH 212
#define ORTOLIX_IMPORT_DIALOG_HEIGHT 290

#define ORTOLIX_IDC_MATERIAL_COUNT 1016
#define ORTOLIX_IDC_MESH_COUNT 1017
#define ORTOLIX_IDC_FRAME_COUNT 1018
#define ORTOLIX_IDC_VERTEX_COUNT 1019
#define ORTOLIX_IDC_ANIMATION_COUNT 1020
#define ORTOLIX_IDC_FACE_COUNT 1021
#define ORTOLIX_IDC_BONE_COUNT 1022
#define ORTOLIX_IDC_IMPORT_TICKS_EDIT 1034
#define ORTOLIX_IDC_ZERO_TRANSPARENCY 1040
#define ORTOLIX_IDC_ZERO_SHININESS 1041
#define ORTOLIX_IDC_MERGE_MATERIALS 1042
#define ORTOLIX_IDC_MATERIALS_TO_GROUPS 1043
#define ORTOLIX_IDC_ANIMATION_LIST 1052
#define ORTOLIX_IDC_IMPORT_FLIP_HANDEDNESS 1053
#define ORTOLIX_IDC_SWAP_SCENE 1060
#define ORTOLIX_IDC_CENTER_SCENE 1061
#define ORTOLIX_IDC_FLOOR_SCENE 1062
#ifndef ORTOLIX_IDC_NONE
#define ORTOLIX_IDC_NONE (-1)
#endif

/* X(kind, id, text, x, y, width, height), in dialog units and template order.
   Kinds: DefPushButton, PushButton, GroupBox, LeftText, DropDownList (with a
   vertical scroll bar; its text is unused), AutoCheckBox and EditText
   (bordered, automatic horizontal scroll; its text is unused). */
#define ORTOLIX_IMPORT_DIALOG_CONTROLS(X) \
  X(DefPushButton, 1, "OK", 155, 10, 50, 14) \
  X(PushButton, 2, "Cancel", 155, 27, 50, 14) \
  X(GroupBox, ORTOLIX_IDC_NONE, "Info", 5, 5, 140, 80) \
  X(LeftText, ORTOLIX_IDC_NONE, "materials:", 10, 20, 40, 8) \
  X(LeftText, ORTOLIX_IDC_MATERIAL_COUNT, "0", 55, 20, 55, 8) \
  X(LeftText, ORTOLIX_IDC_NONE, "meshes:", 10, 30, 40, 8) \
  X(LeftText, ORTOLIX_IDC_MESH_COUNT, "0", 55, 30, 55, 8) \
  X(LeftText, ORTOLIX_IDC_NONE, "vertices:", 10, 40, 40, 8) \
  X(LeftText, ORTOLIX_IDC_VERTEX_COUNT, "0", 55, 40, 55, 8) \
  X(LeftText, ORTOLIX_IDC_NONE, "faces:", 10, 50, 40, 8) \
  X(LeftText, ORTOLIX_IDC_FACE_COUNT, "0", 55, 50, 55, 8) \
  X(LeftText, ORTOLIX_IDC_NONE, "frames:", 10, 60, 40, 8) \
  X(LeftText, ORTOLIX_IDC_FRAME_COUNT, "0", 55, 60, 55, 8) \
  X(LeftText, ORTOLIX_IDC_NONE, "bones:", 10, 70, 40, 8) \
  X(LeftText, ORTOLIX_IDC_BONE_COUNT, "0", 55, 70, 55, 8) \
  X(GroupBox, ORTOLIX_IDC_NONE, "Animation Info", 5, 90, 140, 65) \
  X(LeftText, ORTOLIX_IDC_NONE, "animations:", 10, 105, 40, 8) \
  X(LeftText, ORTOLIX_IDC_ANIMATION_COUNT, "0", 55, 105, 55, 8) \
  X(DropDownList, ORTOLIX_IDC_ANIMATION_LIST, "", 15, 114, 120, 105) \
  X(LeftText, ORTOLIX_IDC_NONE, "ticks/sec:", 15, 137, 35, 8) \
  X(EditText, ORTOLIX_IDC_IMPORT_TICKS_EDIT, "", 55, 135, 55, 12) \
  X(GroupBox, ORTOLIX_IDC_NONE, "Material Options", 5, 160, 140, 60) \
  X(AutoCheckBox, ORTOLIX_IDC_MERGE_MATERIALS, "Merge similar materials", 15, 175, 120, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_MATERIALS_TO_GROUPS, "Convert materials to groups", 15, 185, 120, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_ZERO_TRANSPARENCY, "Set zero transparency to default", 15, 195, 120, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_ZERO_SHININESS, "Set zero shininess to default", 15, 205, 120, 8) \
  X(GroupBox, ORTOLIX_IDC_NONE, "Misc Options", 5, 224, 140, 61) \
  X(AutoCheckBox, ORTOLIX_IDC_SWAP_SCENE, "Swap scene", 15, 240, 120, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_CENTER_SCENE, "Center scene", 15, 250, 120, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_FLOOR_SCENE, "Floor scene", 15, 260, 120, 8) \
  X(AutoCheckBox, ORTOLIX_IDC_IMPORT_FLIP_HANDEDNESS, "Flip handedness", 15, 270, 120, 8)

#endif
