#include "import/import_dialog.h"

#include <charconv>
#include <vector>

#include "export/export_dialog.h"
#include "import/import_options.h"
#include "platform/crt/ansi_convert.h"
#include "platform/win32/centre_dialog.h"
#include "platform/win32/win32.h"
#include "resources/import_dialog.h"

namespace ortolix {
namespace {

constexpr int kTicksTextSize = 128;

std::u16string DecimalText(std::int32_t value) {
  char narrow[16];
  const auto end = std::to_chars(narrow, narrow + sizeof narrow, value).ptr;
  return std::u16string(narrow, end);
}

std::u16string AnimationEntry(const ImportAnimation& animation) {
  std::vector<WideChar> name(animation.name.size() + 1, 0);
  if (WideFromAnsi(name.data(), name.size(), animation.name.c_str()) == 0) name[0] = 0;
  return std::u16string(name.data()) + u" (length: " +
         DecimalText(TruncateToInt32(animation.end)) + u")";
}

void ShowNumber(HWND dialog, int id, std::int32_t value) {
  SetDlgItemTextW(dialog, id, DecimalText(value).c_str());
}

void ShowCounts(HWND dialog, const ImportModel& model) {
  const ImportCounts counts = CountImportModel(model);
  ShowNumber(dialog, ORTOLIX_IDC_MATERIAL_COUNT, counts.materials);
  ShowNumber(dialog, ORTOLIX_IDC_MESH_COUNT, counts.meshes);
  ShowNumber(dialog, ORTOLIX_IDC_VERTEX_COUNT, counts.vertices);
  ShowNumber(dialog, ORTOLIX_IDC_FACE_COUNT, counts.faces);
  ShowNumber(dialog, ORTOLIX_IDC_FRAME_COUNT, counts.frames);
  ShowNumber(dialog, ORTOLIX_IDC_BONE_COUNT, counts.bones);
  ShowNumber(dialog, ORTOLIX_IDC_ANIMATION_COUNT, counts.animations);
  ShowNumber(dialog, ORTOLIX_IDC_IMPORT_TICKS_EDIT, model.ticksPerSecond);
}

void InitialiseDialog(HWND dialog) {
  ImportModel& model = TheImportModel();
  ShowCounts(dialog, model);
  SendDlgItemMessageW(dialog, ORTOLIX_IDC_ANIMATION_LIST, CB_RESETCONTENT, 0, 0);
  for (const std::u16string& entry : AnimationListEntries(model)) {
    SendDlgItemMessageW(dialog, ORTOLIX_IDC_ANIMATION_LIST, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(entry.c_str()));
  }
  model.selectedAnimation = 0;
  SendDlgItemMessageW(dialog, ORTOLIX_IDC_ANIMATION_LIST, CB_SETCURSEL, 0, 0);
  const ImportOptions& options = TheImportOptions();
  for (const ImportCheckBox& box : kImportCheckBoxes) {
    SendDlgItemMessageW(dialog, box.controlId, BM_SETCHECK,
                        static_cast<WPARAM>(options.*box.option), 0);
  }
  CentreOverDesktop(dialog);
}

void AcceptDialog(HWND dialog) {
  WideChar text[kTicksTextSize] = {};
  GetDlgItemTextW(dialog, ORTOLIX_IDC_IMPORT_TICKS_EDIT, text, kTicksTextSize);
  TheImportModel().ticksPerSecond = TicksFromText(text);
  ImportOptions& options = TheImportOptions();
  for (const ImportCheckBox& box : kImportCheckBoxes) {
    options.*box.option =
        static_cast<std::int32_t>(SendDlgItemMessageW(dialog, box.controlId, BM_GETCHECK, 0, 0));
  }
  EndDialog(dialog, 1);
}

void SelectAnimation(HWND dialog) {
  const LRESULT selection =
      SendDlgItemMessageW(dialog, ORTOLIX_IDC_ANIMATION_LIST, CB_GETCURSEL, 0, 0);
  if (selection != CB_ERR) TheImportModel().selectedAnimation = static_cast<std::int32_t>(selection);
}

}  // namespace

ImportCounts CountImportModel(const ImportModel& model) {
  ImportCounts counts{model.materialCount, model.meshCount, 0, 0, model.frameCount, 0, 0};
  // Summed unsigned, so that absurd totals wrap as the Host's int would
  // rather than overflow.
  std::uint32_t vertices = 0;
  std::uint32_t faces = 0;
  for (const ImportMesh& mesh : model.meshes) {
    vertices += static_cast<std::uint32_t>(mesh.vertices.size());
    faces += static_cast<std::uint32_t>(mesh.faces.size());
  }
  counts.vertices = static_cast<std::int32_t>(vertices);
  counts.faces = static_cast<std::int32_t>(faces);
  if (!model.skins.empty()) counts.bones = static_cast<std::int32_t>(model.skins[0].bones.size());
  if (model.animationsPresent == 1) {
    counts.animations = static_cast<std::int32_t>(model.animations.size());
  }
  return counts;
}

std::vector<std::u16string> AnimationListEntries(const ImportModel& model) {
  std::vector<std::u16string> entries;
  if (model.animations.empty() || model.animationsPresent != 1) {
    entries.push_back(u"[none]");
    return entries;
  }
  for (const ImportAnimation& animation : model.animations) {
    entries.push_back(AnimationEntry(animation));
  }
  return entries;
}

INT_PTR ORTOLIX_CALLBACK ImportDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_INITDIALOG) {
    InitialiseDialog(dialog);
    return 1;
  }
  if (message != WM_COMMAND) return 0;
  switch (LOWORD(wparam)) {
    case IDOK:
      AcceptDialog(dialog);
      return 1;
    case IDCANCEL:
      EndDialog(dialog, 0);
      return 1;
    case ORTOLIX_IDC_ANIMATION_LIST:
      if (HIWORD(wparam) == CBN_SELCHANGE) SelectAnimation(dialog);
      return 0;
    default:
      return 0;
  }
}

}  // namespace ortolix
