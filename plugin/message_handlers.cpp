#include "plugin/message_handlers.h"

#include "export/export_preparation.h"
#include "export/export_file.h"
#include "import/import_transfer_message.h"
#include "import/read_message.h"

// A subsystem that handles a message includes its header here, names its
// handler in the table, and joins ortolix_plugin's DEPS in CMakeLists.txt.

namespace ortolix {

namespace {

constexpr MessageHandlers kBuiltHandlers = {
    .importRead = &HandleImportRead,
    .exportWrite = &HandleExportWrite,
    .importTransfer = &HandleImportTransfer,
    .exportPrepare = &HandleExportPrepare,
};

}  // namespace

const MessageHandlers& BuiltHandlers() { return kBuiltHandlers; }

}  // namespace ortolix
