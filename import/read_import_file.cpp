#include "import/read_import_file.h"

#include <utility>

#include <new>

#include "import/import_conversion.h"
#include "ximport/read_x_file.h"

namespace ortolix {
namespace {

// Frees the scenes (their meshes first) whatever happened.
class SceneRelease {
 public:
  explicit SceneRelease(XFileReader& reader) : reader_(reader) {}
  SceneRelease(const SceneRelease&) = delete;
  SceneRelease& operator=(const SceneRelease&) = delete;
  ~SceneRelease() {
    ReleaseSceneMeshes(reader_);
    DestroyReaderScenes(reader_);
  }

 private:
  XFileReader& reader_;
};

}  // namespace

std::uint32_t ReadImportFile(HostModel* model, IDirect3DDevice9* device) {
  if (model == nullptr || device == nullptr) return 0;
  XFileReader reader;
  reader.device = device;
  SceneRelease release(reader);
  ImportModel& importModel = TheImportModel();
  try {
    if (ReadXFile(reader, model->filePath.Wide(), 0, 0) < 0) {
      ResetImportModel(importModel);
      return 0;
    }
    importModel.readWarnings = std::move(reader.warnings);
    if (!ConvertImportScene(reader, TheImportOptions(), importModel)) return 0;
  } catch (const std::bad_alloc&) {
    // Working storage of a walk ran out; the read message resets the model.
    return 0;
  }
  return 1;
}

}  // namespace ortolix
