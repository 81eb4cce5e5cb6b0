// Arbitrary bytes through the whole import as the Host runs it: the read
// message, the import dialog answered with OK, the transfer into an
// in-process Host, and then the export of what was made (preparation with
// its dialog answered OK, and the write). Any crash, sanitizer report, leak
// or unbounded use of memory or time is a finding.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "host/in_process_host.h"
#include "platform/win32/headless.h"
#include "platform/win32/win32.h"
#include "plugin/plugin_entry.h"
#include "resources/export_dialog.h"
#include "resources/import_dialog.h"

namespace {

using namespace ortolix;

constexpr PluginWord kInstance = 0x400000;

std::string TempPath(const char* suffix) {
  return "/tmp/ortolix-fuzz-import-" + std::to_string(getpid()) + suffix;
}

bool WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

void PressOkIn(int dialog) {
  headless::AddDialogScript(
      headless::DialogScript{dialog, {headless::DialogStep::Press(headless::ControlRef::Id(IDOK))}});
}

// The export of a model the import made; its results are not judged, only
// that it ends.
void ExportModel(InProcessHost& host, const std::string& out) {
  host.filePath = HostPathString(out.c_str());
  PressOkIn(ORTOLIX_EXPORT_DIALOG_ID);
  for (int i = 0; i < 4; ++i) headless::AddMessageBoxAnswer(IDOK);
  if (PluginCallback(kMessageExportPrepare, &host, kInstance, 0) == 1) {
    (void)PluginCallback(kMessageExportWrite, &host, 0, 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string in = TempPath(".x");
  static const std::string out = TempPath("-out.x");
  if (!WriteInput(in, data, size)) __builtin_trap();
  headless::Reset();
  InProcessHost host;
  host.filePath = HostPathString(in.c_str());
  if (PluginCallback(kMessageImportRead, &host, 0, 0) == 1) {
    PressOkIn(ORTOLIX_IMPORT_DIALOG_ID);
    if (PluginCallback(kMessageImportTransfer, &host, kInstance, 0) == 1) ExportModel(host, out);
  }
  headless::Reset();
  return 0;
}
