#include "export/export_preparation.h"

#include "export/export_dialog.h"
#include "export/export_frames.h"
#include "export/export_options.h"
#include "export/export_release.h"
#include "export/export_scene.h"
#include "export/group_meshes.h"
#include "export/host_names.h"
#include "export/model_vertex_list.h"
#include "export/rotation_keys.h"
#include "export/skin_check.h"
#include "platform/win32/win32.h"
#include "resources/export_dialog.h"

namespace ortolix {
namespace {

constexpr std::int32_t kStopped = 2;

// The Host's material, group and bone queries, each with its fallback. Each
// query gets its own empty text: the Host may write into it.
void RunHostQueries(HostModel& model) {
  if (HostPathString text; model.materials.items != nullptr && model.MaterialQuery(text) == 0) {
    model.MaterialFallback();
  }
  if (HostPathString text; model.groups.items != nullptr && model.GroupQuery(text) == 0) {
    model.GroupFallback();
  }
  if (HostPathString text; model.bones.items != nullptr && model.BoneQuery(text) == 0) {
    model.BoneFallback();
  }
}

// False when the model is skinned, some vertex has no bone and the user does
// not want to go on.
bool AcceptUnskinnedVertices(const HostModel& model) {
  if (model.bones.items == nullptr || AllVerticesSkinned(&model) != 0) return true;
  const int answer = MessageBoxW(GetFocus(), kUnskinnedWarningText, kUnskinnedWarningCaption,
                                 MB_OKCANCEL | MB_ICONINFORMATION);
  return answer != IDCANCEL && answer != 0 && answer != -1;
}

// False when the dialog was cancelled or could not be shown (0 or -1).
bool RunOptionsDialog(HostModel& model, HINSTANCE instance) {
  RegisterExportDialogTemplate();
  const INT_PTR result = DialogBoxParamW(instance, ORTOLIX_EXPORT_DIALOG_ID, model.GetMainWindow(),
                                         &ExportDialogProc, reinterpret_cast<LPARAM>(&model));
  return result != IDCANCEL && result != 0 && result != -1;
}

bool TriangulateIfAsked(HostModel& model, const ExportOptions& options) {
  if (options.triangulateModel != 1 || model.meshes.items == nullptr ||
      model.vertices.items == nullptr) {
    return true;
  }
  if (model.Triangulate() != 0) return true;
  MessageBoxW(GetFocus(), kTriangulateErrorText, kTriangulateErrorCaption, MB_OK | MB_ICONERROR);
  return false;
}

// Every group's face count becomes the number of faces that name it.
void CountGroupFaces(HostModel& model) {
  if (model.groups.items == nullptr) return;
  for (std::int32_t g = 0; g < model.groups.count; ++g) model.groups.items[g].faceCount = 0;
  for (const HostMesh& mesh : Items(model.meshes)) {
    for (const HostFace& face : Faces(mesh)) {
      if (face.group >= 0 && face.group < model.groups.count) ++model.groups.items[face.group].faceCount;
    }
  }
}

bool BuildMeshes(ExportScene& scene, HostModel& model, const ExportOptions& options) {
  if (options.exportGroupsAsMeshes == 1) {
    model.GroupsHook();
    CountGroupFaces(model);
    return BuildGroupMeshes(scene, model, options) == 1;
  }
  return BuildModelVertexList(scene, model, options) == 1;
}

// Every stop releases the whole scene: what this preparation built and what
// an earlier one may have left without a write.
std::int32_t Stop(ExportScene& scene) {
  FreeExportScene(scene);
  return kStopped;
}

}  // namespace

std::int32_t PrepareExportScene(HostModel* model, HINSTANCE instance) {
  if (model == nullptr || instance == nullptr) return 0;
  ExportScene& scene = TheExportScene();
  model->PrepareExport(1);
  CleanHostNames(*model);
  FixRotationKeySigns(*model);
  RunHostQueries(*model);
  if (!AcceptUnskinnedVertices(*model)) return Stop(scene);
  if (!RunOptionsDialog(*model, instance)) return Stop(scene);
  const ExportOptions& options = TheExportOptions();
  if (!TriangulateIfAsked(*model, options)) return Stop(scene);
  // One export fills one mesh member; drop whatever an unwritten earlier
  // preparation left in the other.
  FreeExportScene(scene);
  if (!BuildMeshes(scene, *model, options)) return Stop(scene);
  if (BuildExportFrames(scene, *model) != 1) return Stop(scene);
  CountBoneInfluences(scene, *model);
  return 1;
}

std::int32_t HandleExportPrepare(HostModel& model, PluginWord instance) {
  return PrepareExportScene(&model, reinterpret_cast<HINSTANCE>(instance));
}

}  // namespace ortolix
