#include "export/export_dialog.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "export/export_options.h"
#include "platform/crt/wide_to_int.h"
#include "platform/win32/centre_dialog.h"
#include "platform/win32/win32.h"
#include "hostapi/host_model.h"
#include "resources/export_dialog.h"

namespace ortolix {
namespace {

constexpr int kTicksTextSize = 256;

void ShowTicks(HWND dialog, std::int32_t ticks) {
  char narrow[16];
  const auto end = std::to_chars(narrow, narrow + sizeof narrow - 1, ticks).ptr;
  WideChar wide[16];
  std::size_t i = 0;
  for (const char* c = narrow; c != end; ++c) wide[i++] = static_cast<WideChar>(*c);
  wide[i] = 0;
  SetDlgItemTextW(dialog, ORTOLIX_IDC_TICKS_EDIT, wide);
}

void InitialiseDialog(HWND dialog, const HostModel* model) {
  ExportOptions& options = TheExportOptions();
  if (model != nullptr && model->animations.items != nullptr && model->animations.count > 0) {
    options.ticksPerSecond = TruncateToInt32(model->animations.items[0].framesPerSecond);
  }
  ShowTicks(dialog, options.ticksPerSecond);
  for (const ExportCheckBox& box : kExportCheckBoxes) {
    SendDlgItemMessageW(dialog, box.controlId, BM_SETCHECK,
                        static_cast<WPARAM>(options.*box.option), 0);
  }
  CentreOverDesktop(dialog);
}

void AcceptDialog(HWND dialog) {
  ExportOptions& options = TheExportOptions();
  WideChar text[kTicksTextSize] = {};
  GetDlgItemTextW(dialog, ORTOLIX_IDC_TICKS_EDIT, text, kTicksTextSize);
  options.ticksPerSecond = TicksFromText(text);
  for (const ExportCheckBox& box : kExportCheckBoxes) {
    options.*box.option =
        static_cast<std::int32_t>(SendDlgItemMessageW(dialog, box.controlId, BM_GETCHECK, 0, 0));
  }
  EndDialog(dialog, IDOK);
}

}  // namespace

std::int32_t TicksFromText(const WideChar* text) {
  if (text[0] == 0) return 0;
  const std::int32_t value = WideToInt(text);
  return value < 0 ? 0 : value;
}

std::int32_t TruncateToInt32(float value) {
  // The range test is done in double, where both limits are exact.
  const double truncated = std::trunc(static_cast<double>(value));
  if (!(truncated >= static_cast<double>(INT32_MIN) && truncated <= static_cast<double>(INT32_MAX))) {
    return INT32_MIN;
  }
  return static_cast<std::int32_t>(truncated);
}

INT_PTR ORTOLIX_CALLBACK ExportDialogProc(HWND dialog, UINT message, WPARAM wparam,
                                          LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    InitialiseDialog(dialog, reinterpret_cast<const HostModel*>(lparam));
    return 1;
  }
  if (message != WM_COMMAND) return 0;
  switch (LOWORD(wparam)) {
    case IDOK:
      AcceptDialog(dialog);
      return 1;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return 1;
    default:
      return 0;
  }
}

}  // namespace ortolix
