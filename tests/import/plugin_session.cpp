#include "tests/import/plugin_session.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/crt/clock.h"
#include "platform/win32/headless.h"
#include "platform/win32/win32.h"
#include "plugin/plugin_entry.h"
#include "resources/export_dialog.h"
#include "resources/import_dialog.h"

namespace ortolix::import_test {
namespace {

constexpr PluginWord kInstance = 0x400000;

void PressOkIn(int dialog) {
  headless::AddDialogScript(
      headless::DialogScript{dialog, {headless::DialogStep::Press(headless::ControlRef::Id(IDOK))}});
}

}  // namespace

std::unique_ptr<InProcessHost> ImportFile(const std::string& path, std::int32_t* read,
                                          std::int32_t* transfer) {
  auto host = std::make_unique<InProcessHost>();
  host->filePath = HostPathString(path.c_str());
  headless::Reset();
  PressOkIn(ORTOLIX_IMPORT_DIALOG_ID);
  std::int32_t read_result = PluginCallback(kMessageImportRead, host.get(), 0, 0);
  std::int32_t transfer_result = 0;
  if (read_result == 1) {
    transfer_result = PluginCallback(kMessageImportTransfer, host.get(), kInstance, 0);
    if (transfer_result == 1) (void)host->UpdateUseCounts();
  }
  headless::Reset();
  if (read) *read = read_result;
  if (transfer) *transfer = transfer_result;
  return host;
}

std::int32_t ExportTo(InProcessHost& host, const std::string& path, bool second_uv_set) {
  using headless::ControlRef;
  using headless::DialogStep;
  host.filePath = HostPathString(path.c_str());
  headless::Reset();
  SetClock(0);
  headless::AddDialogScript(headless::DialogScript{
      ORTOLIX_EXPORT_DIALOG_ID,
      {DialogStep::SetCheck(ControlRef::Id(ORTOLIX_IDC_EXPORT_MULTIPLE_UVSETS), second_uv_set),
       DialogStep::Press(ControlRef::Id(IDOK))}});
  headless::AddMessageBoxAnswer(IDOK);
  std::int32_t result = PluginCallback(kMessageExportPrepare, &host, kInstance, 0);
  if (result == 1) result = PluginCallback(kMessageExportWrite, &host, 0, 0);
  SetClock(std::nullopt);
  headless::Reset();
  return result;
}

std::string TempFile(const std::string& name) {
  return (std::filesystem::temp_directory_path() /
          ("ortolix_import_" + std::to_string(getpid()) + "_" + name))
      .string();
}

std::string SharedDir() {
  const char* env = std::getenv("ORTOLIX_SHARED_DIR");
  return env != nullptr ? env : ORTOLIX_SHARED_DIR;
}

}  // namespace ortolix::import_test
