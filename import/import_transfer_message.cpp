#include "import/import_transfer_message.h"

#include "import/import_dialog.h"
#include "import/import_model.h"
#include "import/import_options.h"
#include "import/material_conversion.h"
#include "import/transfer_to_host.h"
#include "platform/win32/win32.h"
#include "resources/import_dialog.h"

namespace ortolix {

std::int32_t HandleImportTransfer(HostModel& model, PluginWord instance) {
  if (instance == 0) {
    ResetImportModel();
    return 0;
  }
  RegisterImportDialogTemplate();
  const INT_PTR answer =
      DialogBoxParamW(reinterpret_cast<HINSTANCE>(instance), ORTOLIX_IMPORT_DIALOG_ID,
                      model.GetMainWindow(), &ImportDialogProc, 0);
  if (answer == 0 || answer == -1 || answer == 2) {
    ResetImportModel();
    return 2;
  }
  if (TheImportOptions().mergeSimilarMaterials == 1) MergeSimilarMaterials(TheImportModel());
  const std::int32_t transferred = TransferToHost(&model);
  ResetImportModel();
  return transferred != 0 ? 1 : 0;
}

}  // namespace ortolix
