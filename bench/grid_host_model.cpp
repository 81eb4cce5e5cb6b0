#include "bench/grid_host_model.h"

namespace ortolix::bench {

GridHostModel::GridHostModel(int cells, int groupCount) {
  const int side = cells + 1;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      HostVertex vertex{};
      vertex.position = {static_cast<float>(x), static_cast<float>(y), 0.0f};
      vertex.normal = {0, 0, 1};
      vertex.color = {1, 1, 1, 1};
      vertexStore_.push_back(vertex);
    }
  }
  const std::size_t faceCount = static_cast<std::size_t>(cells) * cells * 2;
  corners_.reserve(faceCount * 3);
  elements_.reserve(faceCount * 3);
  for (int y = 0; y < cells; ++y) {
    for (int x = 0; x < cells; ++x) {
      const int v00 = y * side + x;
      const int quad[2][3] = {{v00, v00 + 1, v00 + side + 1}, {v00, v00 + side + 1, v00 + side}};
      for (const auto& triangle : quad) {
        for (int v : triangle) {
          corners_.push_back(v);
          const HostVertex& at = vertexStore_[static_cast<std::size_t>(v)];
          elements_.push_back(HostTexElement{0, at.position.x / cells, at.position.y / cells, 0});
        }
      }
    }
  }
  exportIndices_.assign(corners_.size(), 0);
  textures_.resize(faceCount);
  faces_.resize(faceCount);
  for (std::size_t f = 0; f < faceCount; ++f) {
    textures_[f] = HostFaceTexture{&elements_[f * 3], &elements_[f * 3]};
    const int row = static_cast<int>(f / (static_cast<std::size_t>(cells) * 2));
    faces_[f] = HostFace{0, row * groupCount / cells, 3, &corners_[f * 3], &exportIndices_[f * 3],
                         &textures_[f]};
  }
  groupStore_.resize(static_cast<std::size_t>(groupCount));
  mesh_.faceCount = static_cast<std::int32_t>(faceCount);
  mesh_.faces = faces_.data();

  hostWord0 = hostWord1 = 0;
  placed1 = {};
  placed2 = {};
  materials = {};
  hostArray0 = hostArray1 = {};
  extras = {};
  bones = {};
  animations = {};
  vertices = {static_cast<std::int32_t>(vertexStore_.size()), vertexStore_.data()};
  groups = {groupCount, groupStore_.data()};
  meshes = {1, &mesh_};
}

GridHostModel::~GridHostModel() = default;

}  // namespace ortolix::bench
