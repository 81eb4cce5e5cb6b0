// A generated HostModel for benchmarks: one mesh of a square grid of
// triangles whose vertices are shared by up to six triangles, with texture
// coordinates that agree wherever a vertex is shared.
#pragma once

#include <memory>
#include <vector>

#include "plugin/host_model.h"

namespace ortolix::bench {

class GridHostModel final : public HostModel {
 public:
  // A grid of cells x cells quads, two triangles each, spread over
  // `groupCount` groups by row.
  GridHostModel(int cells, int groupCount);
  ~GridHostModel();

  std::int64_t CornerCount() const { return static_cast<std::int64_t>(faces_.size()) * 3; }

  HWND GetMainWindow() override { return nullptr; }
  std::int32_t Triangulate() override { return 1; }
  std::int32_t MaterialQuery(HostPathString&) override { return 1; }
  std::int32_t GroupQuery(HostPathString&) override { return 1; }
  std::int32_t BoneQuery(HostPathString&) override { return 1; }
  std::int32_t MaterialFallback() override { return 0; }
  std::int32_t GroupFallback() override { return 0; }
  std::int32_t BoneFallback() override { return 0; }
  std::int32_t FlipHandedness() override { return 0; }
  std::int32_t PrepareExport(std::int32_t) override { return 0; }
  std::int32_t AllocateVertices(std::int32_t) override { return 0; }
  std::int32_t GroupsHook() override { return 0; }
  std::int32_t SkeletonHook(std::int32_t) override { return 0; }
  HostVertex* SetVertexInfluences(std::int32_t, std::int32_t) override { return nullptr; }
  HostMaterial* CreateMaterial(const HostPathString&) override { return nullptr; }
  HostGroup* CreateGroup(const HostPathString&, std::int32_t) override { return nullptr; }
  HostBone* CreateBone(const HostPathString&, std::int32_t) override { return nullptr; }
  HostAnimation* CreateAnimation(const HostPathString&) override { return nullptr; }
  HostMesh* CreateMesh() override { return nullptr; }

 private:
  class Mesh final : public HostMesh {
   public:
    std::int32_t AllocateFaces(std::int32_t) override { return 0; }
  };

  std::vector<HostVertex> vertexStore_;
  std::vector<std::int32_t> corners_;
  std::vector<std::int32_t> exportIndices_;
  std::vector<HostTexElement> elements_;
  std::vector<HostFaceTexture> textures_;
  std::vector<HostFace> faces_;
  std::vector<HostGroup> groupStore_;
  Mesh mesh_;
};

}  // namespace ortolix::bench
