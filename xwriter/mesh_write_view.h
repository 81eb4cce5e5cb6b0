// A read-only view of one mesh to be written: the whole-model mesh (the model
// vertex list with the faces of every Host mesh) or one GroupMesh. The block
// writers read only this view, so both kinds share every format.
#pragma once

#include <cstdint>
#include <span>

#include "export/export_scene.h"
#include "hostapi/host_model.h"

namespace ortolix {

struct MeshFaceView {
  std::int32_t cornerCount;
  const std::int32_t* corners;      // indices into the mesh's vertices
  const std::int32_t* hostCorners;  // Host vertex indices; null for group faces
  std::int32_t material;
};

class MeshWriteView {
 public:
  // The model vertex list and the faces of all Host meshes in record order.
  static MeshWriteView WholeModel(const HostModel& model, const ExportScene& scene);
  // GroupMesh `index` of the scene (which must exist).
  static MeshWriteView Group(const ExportScene& scene, std::int32_t index);

  std::span<const ExportVertex> Vertices() const { return vertices_; }
  std::int32_t VertexCount() const { return static_cast<std::int32_t>(vertices_.size()); }
  // Whole-model mesh: the sum of the Host meshes' face counts.
  std::int32_t FaceCount() const { return faceCount_; }
  bool IsGroup() const { return groupIndex_ >= 0; }
  std::int32_t GroupIndex() const { return groupIndex_; }

  // The Host vertex behind corner `k` of `face`.
  std::int32_t HostVertexAt(const MeshFaceView& face, std::int32_t k) const {
    return face.hostCorners != nullptr ? face.hostCorners[k]
                                       : vertices_[static_cast<std::size_t>(face.corners[k])].hostVertex;
  }

  // Calls fn(face, index) for every face in file order.
  template <typename Fn>
  void ForEachFace(Fn&& fn) const {
    std::int64_t index = 0;
    if (IsGroup()) {
      for (const GroupFace& f : groupFaces_) {
        fn(MeshFaceView{f.cornerCount, f.corners, nullptr, f.material}, index++);
      }
      return;
    }
    for (std::int32_t m = 0; m < hostMeshCount_; ++m) {
      const HostMesh& mesh = hostMeshes_[m];
      if (mesh.faces == nullptr) continue;
      for (std::int32_t i = 0; i < mesh.faceCount; ++i) {
        const HostFace& f = mesh.faces[i];
        fn(MeshFaceView{f.cornerCount, f.exportIndices, f.corners, f.material}, index++);
      }
    }
  }

 private:
  std::span<const ExportVertex> vertices_;
  // A pointer and count: HostMesh is abstract, and clang's std::span refuses
  // an element type that cannot form an array.
  const HostMesh* hostMeshes_ = nullptr;
  std::int32_t hostMeshCount_ = 0;
  std::span<const GroupFace> groupFaces_;
  std::int32_t faceCount_ = 0;
  std::int32_t groupIndex_ = -1;
};

}  // namespace ortolix
