#include "import/import_model.h"

#include <utility>

namespace ortolix {

ImportModel& TheImportModel() {
  static ImportModel model;
  return model;
}

void ResetImportModel(ImportModel& model) {
  ImportModel empty;
  empty.ticksPerSecond = model.ticksPerSecond;
  empty.sourcePath = std::move(model.sourcePath);
  model = std::move(empty);
}

void ResetImportModel() { ResetImportModel(TheImportModel()); }

}  // namespace ortolix
