// ortolix info IN.x: the counts of the import dialog's Info box and its
// animation list, as the dialog shows them after the read. The dialog is
// cancelled, so nothing is transferred.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/import_session.h"
#include "platform/win32/headless.h"
#include "resources/import_dialog.h"

namespace ortolix::cli {

namespace {

struct InfoLine {
  const char* label;
  int id;
};

constexpr InfoLine kInfoLines[] = {
    {"materials", ORTOLIX_IDC_MATERIAL_COUNT}, {"meshes", ORTOLIX_IDC_MESH_COUNT},
    {"vertices", ORTOLIX_IDC_VERTEX_COUNT},    {"faces", ORTOLIX_IDC_FACE_COUNT},
    {"frames", ORTOLIX_IDC_FRAME_COUNT},       {"bones", ORTOLIX_IDC_BONE_COUNT},
    {"animations", ORTOLIX_IDC_ANIMATION_COUNT}, {"ticks/sec", ORTOLIX_IDC_IMPORT_TICKS_EDIT}};

const headless::DialogRecord* ImportDialogShown() {
  for (const headless::DialogRecord& dialog : headless::ShownDialogs()) {
    if (dialog.resource_id == ORTOLIX_IMPORT_DIALOG_ID && dialog.created) return &dialog;
  }
  return nullptr;
}

void PrintDialog(const headless::DialogRecord& dialog) {
  for (const InfoLine& line : kInfoLines) {
    const headless::ControlState* control = headless::FindControl(dialog.at_init, line.id);
    std::printf("%s: %s\n", line.label, control ? NarrowText(control->text).c_str() : "?");
  }
  std::printf("animation list:\n");
  const headless::ControlState* list = headless::FindControl(dialog.at_init, ORTOLIX_IDC_ANIMATION_LIST);
  if (list == nullptr) return;
  for (const std::u16string& entry : list->entries) std::printf("  %s\n", NarrowText(entry).c_str());
}

int RunInfo(const std::string& input) {
  PluginCallbackFn callback = RegisterPlugin("info");
  if (callback == nullptr) return kExitFailure;
  ImportAnswers answers;
  answers.cancel = true;
  InProcessHost host;
  const int status = RunImport(callback, host, input, answers, "info");
  const headless::DialogRecord* dialog = ImportDialogShown();
  int result = status == kExitCancelled && dialog ? kExitOk : status;
  if (dialog) {
    PrintDialog(*dialog);
  } else if (result == kExitOk) {
    std::fprintf(stderr, "ortolix info: %s: the import dialog was not shown\n", input.c_str());
    result = kExitFailure;
  }
  headless::Reset();
  return result;
}

}  // namespace

void AddInfoCommand(CLI::App& app, int& status) {
  auto input = std::make_shared<std::string>();
  CLI::App* sub = app.add_subcommand(
      "info", "The counts of the import dialog's Info box and its animation list");
  sub->add_option("IN.x", *input, "The .x file to read")->required();
  sub->callback([input, &status] { status = RunInfo(*input); });
}

}  // namespace ortolix::cli
