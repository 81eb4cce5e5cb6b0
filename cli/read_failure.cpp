#include "cli/read_failure.h"

#include <new>
#include <vector>

#include "platform/crt/text_convert.h"
#include "ximport/read_x_file.h"

namespace ortolix::cli {

std::string ReadFailureReason(const std::string& path) {
  IDirect3DDevice9* device = CreateImportDevice(nullptr);
  if (device == nullptr) return "no device for the mesh services";
  std::string reason;
  {
    XFileReader reader;
    reader.device = device;
    std::vector<WideChar> wide(path.size() + 1, 0);
    (void)LocaleWideFromNarrow(wide.data(), wide.size(), path.c_str());
    try {
      if (ReadXFile(reader, wide.data()) < 0) reason = reader.error.empty() ? "unreadable" : reader.error;
    } catch (const std::bad_alloc&) {
      reason = "out of memory";
    }
    ReleaseSceneMeshes(reader);
    DestroyReaderScenes(reader);
  }
  device->Release();
  return reason;
}

}  // namespace ortolix::cli
