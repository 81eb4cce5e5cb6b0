#include "xwriter/mesh_write_view.h"

namespace ortolix {
namespace {

template <typename T>
std::span<const T> View(const T* items, std::int32_t count) {
  if (items == nullptr || count <= 0) return {};
  return {items, static_cast<std::size_t>(count)};
}

}  // namespace

MeshWriteView MeshWriteView::WholeModel(const HostModel& model, const ExportScene& scene) {
  MeshWriteView source;
  source.vertices_ = View(scene.modelVertices, scene.modelVertexCount);
  if (model.meshes.items != nullptr && model.meshes.count > 0) {
    source.hostMeshes_ = model.meshes.items;
    source.hostMeshCount_ = model.meshes.count;
  }
  std::uint32_t faces = 0;  // a 32-bit sum, as the count is printed with "%d"
  for (std::int32_t m = 0; m < source.hostMeshCount_; ++m) {
    faces += static_cast<std::uint32_t>(source.hostMeshes_[m].faceCount);
  }
  source.faceCount_ = static_cast<std::int32_t>(faces);
  return source;
}

MeshWriteView MeshWriteView::Group(const ExportScene& scene, std::int32_t index) {
  const GroupMesh& group = scene.groupMeshes[index];
  MeshWriteView source;
  source.vertices_ = View(group.vertices, group.vertexCount);
  source.groupFaces_ = View(group.faces, group.faceCount);
  source.faceCount_ = group.faceCount;
  source.groupIndex_ = index;
  return source;
}

}  // namespace ortolix
