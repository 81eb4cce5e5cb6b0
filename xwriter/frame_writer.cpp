#include "xwriter/frame_writer.h"

#include <algorithm>
#include <string>
#include <vector>

#include "xwriter/block_text.h"
#include "xwriter/flip.h"
#include "xwriter/frame_name.h"
#include "xwriter/mesh_write_view.h"
#include "xwriter/mesh_writer.h"

namespace ortolix {
namespace {

constexpr Matrix4 kIdentity{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

bool HasGeometry(const HostModel& model) {
  return HasRecords(model.vertices) && HasRecords(model.meshes);
}

// A frame with the identity transform around one mesh.
int WriteMeshFrame(TextSink& sink, const WriteContext& context, const MeshWriteView& source,
                   const std::string& candidate, std::int32_t w) {
  const std::string name = UniqueFrameName(*context.model, candidate);
  if (w == 0) {
    Print(sink, "Frame %s {\n   FrameTransformMatrix {\n", name.c_str());
    MatrixRows(sink, 4, kIdentity);
    sink.Text("   }\n\n");
  } else {
    Print(sink, "\n%*sFrame %s {\n%*s   FrameTransformMatrix {\n", w, " ", name.c_str(), w, " ");
    MatrixRows(sink, std::max(w, 1) + 4, kIdentity);
    Print(sink, "%*s   }\n\n", w, " ");
  }
  const int result = WriteMesh(&sink, context, source, w + 3);
  if (result == 0) return 0;
  if (w == 0) {
    sink.Text("}\n");
  } else {
    Print(sink, "%*s}\n", w, " ");
  }
  return 1;
}

// Children of every bone in record order, as index lists.
std::vector<std::vector<std::int32_t>> ChildLists(const HostModel& model) {
  std::vector<std::vector<std::int32_t>> children(
      static_cast<std::size_t>(std::max(model.bones.count, 0)));
  for (std::int32_t i = 0; i < model.bones.count; ++i) {
    const std::int32_t parent = model.bones.items[i].parent;
    if (parent >= 0 && parent < model.bones.count) children[parent].push_back(i);
  }
  return children;
}

void WriteBoneOpening(TextSink& sink, const WriteContext& context, std::int32_t bone,
                      std::int32_t w) {
  const char* name = context.model->bones.items[bone].name.Narrow();
  if (w != 0) {
    Print(sink, "%*sFrame %s {\n", w, " ", name);
  } else {
    Print(sink, "Frame %s {\n", name);
  }
  const std::int32_t iw = w != 0 ? w + 3 : 2;
  const bool flip = IsSet(context.options->flipHandedness);
  const Matrix4& local =
      bone < context.scene->frameCount ? context.scene->frames[bone].local : kIdentity;
  Print(sink, "%*sFrameTransformMatrix {\n", iw, " ");
  MatrixRows(sink, std::max(iw, 1) + 1, FlipIf(flip, local));
  Print(sink, "%*s}\n\n", iw, " ");
}

void WriteBoneClosing(TextSink& sink, std::int32_t w) {
  if (w != 0) {
    Print(sink, "%*s}\n", w, " ");
  } else {
    sink.Text("}\n");
  }
}

}  // namespace

int WriteSingleMeshFrame(TextSink* sink, const WriteContext& context, std::int32_t w) {
  if (sink == nullptr) return 0;
  if (!HasGeometry(*context.model)) return 1;
  return WriteMeshFrame(*sink, context, MeshWriteView::WholeModel(*context.model, *context.scene),
                        "Body", w);
}

int WriteGroupMeshFrames(TextSink* sink, const WriteContext& context, std::int32_t w) {
  if (sink == nullptr) return 0;
  const ExportScene& scene = *context.scene;
  if (!HasGeometry(*context.model) || scene.groupMeshes == nullptr) return 1;
  for (std::int32_t g = 0; g < scene.groupMeshCount; ++g) {
    const GroupMesh& group = scene.groupMeshes[g];
    if (group.vertexCount <= 0 || group.faceCount <= 0) continue;
    // A group mesh that fails stops where it failed; the next one follows.
    (void)WriteMeshFrame(*sink, context, MeshWriteView::Group(scene, g), group.name, w);
  }
  return 1;
}

namespace {

using ChildTable = std::vector<std::vector<std::int32_t>>;

// Depth first with an explicit stack, so a long chain of bones cannot
// exhaust the call stack. Only bones reached from `bone` through parent
// links are written, so a parent cycle is never entered from a root; a bone
// is opened at most once, so starting inside a cycle ends as well.
void WriteBoneTree(TextSink& sink, const WriteContext& context, const ChildTable& children,
                   std::int32_t bone, std::int32_t w) {
  struct Open {
    std::int32_t bone;
    std::int32_t w;
    std::size_t nextChild;
  };
  std::vector<Open> stack;
  std::vector<bool> opened(children.size(), false);
  opened[static_cast<std::size_t>(bone)] = true;
  WriteBoneOpening(sink, context, bone, w);
  stack.push_back({bone, w, 0});
  while (!stack.empty()) {
    Open& top = stack.back();
    const auto& list = children[static_cast<std::size_t>(top.bone)];
    if (top.nextChild < list.size()) {
      const std::int32_t child = list[top.nextChild++];
      if (opened[static_cast<std::size_t>(child)]) continue;
      opened[static_cast<std::size_t>(child)] = true;
      const std::int32_t childW = top.w + 3;
      WriteBoneOpening(sink, context, child, childW);
      stack.push_back({child, childW, 0});
      continue;
    }
    WriteBoneClosing(sink, top.w);
    stack.pop_back();
  }
}

bool BoneInRange(const HostModel& model, std::int32_t bone) {
  return model.bones.items != nullptr && bone >= 0 && bone < model.bones.count;
}

}  // namespace

int WriteBoneFrame(TextSink* sink, const WriteContext& context, std::int32_t bone,
                   std::int32_t w) {
  if (sink == nullptr || !BoneInRange(*context.model, bone)) return 0;
  WriteBoneTree(*sink, context, ChildLists(*context.model), bone, w);
  return 1;
}

int WriteSkeletonFrames(TextSink* sink, const WriteContext& context) {
  if (sink == nullptr) return 0;
  const HostModel& model = *context.model;
  const ExportOptions& options = *context.options;
  const bool root = IsSet(options.exportRootBoneTransform);
  if (root) {
    const std::string name = UniqueFrameName(model, "SceneRoot");
    Print(*sink, "Frame %s {\n", name.c_str());
    sink->Text("  FrameTransformMatrix {\n");
    MatrixRows(*sink, 3, FlipIf(IsSet(options.flipHandedness), kIdentity));
    sink->Text("  }\n\n");
  }
  if (model.bones.items != nullptr) {
    const ChildTable children = ChildLists(model);
    for (std::int32_t b = 0; b < model.bones.count; ++b) {
      if (model.bones.items[b].parent == -1) WriteBoneTree(*sink, context, children, b, 3);
    }
  }
  const int meshes = IsSet(options.exportGroupsAsMeshes) ? WriteGroupMeshFrames(sink, context, 3)
                                                         : WriteSingleMeshFrame(sink, context, 3);
  if (meshes == 0) return 0;
  if (root) sink->Text("}\n");
  return 1;
}

}  // namespace ortolix
