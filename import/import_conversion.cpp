#include "import/import_conversion.h"

#include "import/frame_listing.h"
#include "import/import_allocation.h"
#include "import/import_animations.h"
#include "import/import_counts.h"
#include "import/mesh_conversion.h"
#include "import/rest_pose.h"
#include "import/skin_conversion.h"

namespace ortolix {
namespace {

// Sizes the frame, mesh and material arrays from the counts (at least one
// material). False when one of them cannot be had.
bool AllocateMainArrays(ImportModel& model) {
  if (model.frameCount > 0 && !AllocateImportArray(model.frames, model.frameCount)) return false;
  if (model.meshCount > 0 && !AllocateImportArray(model.meshes, model.meshCount)) return false;
  if (model.materialCount == 0) model.materialCount = 1;
  return AllocateImportArray(model.materials, model.materialCount);
}

FrameNode* NewestRoot(XFileReader& reader) {
  return reader.scene_list ? reader.scene_list->root.get() : nullptr;
}

}  // namespace

bool ConvertImportScene(XFileReader& reader, const ImportOptions& options, ImportModel& model) {
  FrameNode* root = NewestRoot(reader);
  model.ticksPerSecond = static_cast<std::int32_t>(reader.ticks_per_second);
  CountImportScene(root, model);
  if (!AllocateMainArrays(model)) return false;
  ListFrames(root, model);
  CollectAnimationSets(root, model);
  if (!CreateImportAnimations(model)) return false;
  CopyAnimationSetKeys(model);
  ConvertMeshes(root, options, model);
  RebaseOnRestPose(model);
  AttachSkinInfluences(model);
  NormaliseVertexWeights(model);
  return true;
}

}  // namespace ortolix
