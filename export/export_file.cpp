#include "export/export_file.h"

#include "export/export_release.h"
#include "platform/crt/wide_file.h"
#include "xwriter/scene_writer.h"
#include "xwriter/text_sink.h"

namespace ortolix {
namespace {

void WriteToFile(void* file, const char* data, std::size_t size) {
  // Write errors do not change the result.
  (void)FileWrite(data, 1, size, static_cast<CrtFile*>(file));
}

}  // namespace

// The sink already turns every line feed into carriage return plus line feed,
// so the file is opened in binary mode: the bytes are those of a text-mode
// file on Windows, on every platform.
int WriteExportFile(HostModel* model, ExportScene& scene, const ExportOptions& options) {
  if (model == nullptr) return 0;
  int result = 0;
  if (CrtFile* file = WideFileOpen(model->filePath.Wide(), "wb")) {
    {
      TextSink sink(WriteToFile, file);
      result = WriteScene(&sink, WriteContext{model, &scene, &options});
    }
    (void)FileClose(file);
  }
  FreeExportScene(scene);
  return result;
}

int WriteExportFile(HostModel* model) {
  return WriteExportFile(model, TheExportScene(), TheExportOptions());
}

std::int32_t HandleExportWrite(HostModel& model, PluginWord /*argument*/) {
  return WriteExportFile(&model);
}

}  // namespace ortolix
