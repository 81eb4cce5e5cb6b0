#include "import/transfer_to_host.h"

#include "import/key_time_conversion.h"
#include "import/scene_axis_swap.h"
#include "import/scene_placement.h"
#include "import/transfer_steps.h"
#include "platform/win32/win32.h"
#include "platform/crt/text_helpers.h"

namespace ortolix {
namespace {

// The scale the import applies about the scene's centre.
constexpr float kImportScale = 1.0f;

WideString SourceDirectory(const WideString& source_path) {
  WideChar directory[kDirectoryPartSize] = {};
  DirectoryPart(source_path.c_str(), directory);
  return WideString(directory);
}

void ApplySceneOptions(HostModel& host, const ImportOptions& options) {
  if (options.swapScene == 1) SceneAxisSwap(&host, SwapDirection::kForward);
  ScaleScene(host, kImportScale);
  if (options.floorScene == 1) {
    FloorScene(host);
  } else if (options.centerScene == 1) {
    CentreScene(host);
  }
  if (options.flipHandedness == 1) (void)host.FlipHandedness();
}

}  // namespace

std::int32_t TransferToHost(HostModel& host, const ImportModel& model, const ImportOptions& options) {
  TransferContext context{host, model, options,
                          options.mergeSimilarMaterials == 1 ? model.mergedMaterials : model.materials,
                          SourceDirectory(model.sourcePath)};
  (void)SetCurrentDirectoryW(context.directory.c_str());
  const bool made = TransferMaterials(context) && TransferVertices(context) &&
                    TransferGroups(context) && TransferMeshes(context) && TransferBones(context) &&
                    TransferAnimations(context);
  if (!made) return 0;
  ConvertKeyTimes(host, model.ticksPerSecond);
  ApplySceneOptions(host, options);
  return 1;
}

std::int32_t TransferToHost(HostModel* host) {
  if (host == nullptr) return 0;
  return TransferToHost(*host, TheImportModel(), TheImportOptions());
}

}  // namespace ortolix
