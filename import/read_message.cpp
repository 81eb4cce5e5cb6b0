#include "import/read_message.h"

#include "import/import_model.h"
#include "import/read_import_file.h"
#include "ximport/read_x_file.h"

namespace ortolix {
namespace {

const char16_t* DeviceFailureText(std::uint32_t failure) {
  switch (failure) {
    case kDirectXInitNoInterface:
      return kNoDirectXInterface;
    case kDirectXInitNoDevice:
      return kNoDirectXDevice;
    default:
      return kDirectXInitFailed;
  }
}

}  // namespace

std::int32_t HandleImportRead(HostModel& model, PluginWord /*argument*/) {
  ImportModel& importModel = TheImportModel();
  ResetImportModel(importModel);
  importModel.sourcePath = model.filePath.Wide();
  std::uint32_t failure = kDirectXInitNone;
  IDirect3DDevice9* device = CreateImportDevice(&failure);
  if (device == nullptr) {
    model.errorMessage = HostPathString(DeviceFailureText(failure));
    ResetImportModel(importModel);
    return 0;
  }
  const std::uint32_t result = ReadImportFile(&model, device);
  device->Release();
  if (result != 1) ResetImportModel(importModel);
  return static_cast<std::int32_t>(result);
}

}  // namespace ortolix
