// A generated HostModel for benchmarks: one mesh of a square grid of
// triangles whose vertices are shared by up to six triangles, with texture
// coordinates that agree wherever a vertex is shared.
#pragma once

#include <memory>
#include <vector>

#include "hostapi/host_model.h"
#include "tests/support/inert_host_model.h"

namespace ortolix::bench {

class GridHostModel final : public test::InertHostModel {
 public:
  // A grid of cells x cells quads, two triangles each, spread over
  // `groupCount` groups by row.
  GridHostModel(int cells, int groupCount);
  ~GridHostModel();

  std::int64_t CornerCount() const { return static_cast<std::int64_t>(faces_.size()) * 3; }

  // Triangulation and the name queries succeed, so preparation runs no fallback.
  std::int32_t Triangulate() override { return 1; }
  std::int32_t MaterialQuery(HostPathString&) override { return 1; }
  std::int32_t GroupQuery(HostPathString&) override { return 1; }
  std::int32_t BoneQuery(HostPathString&) override { return 1; }

 private:
  std::vector<HostVertex> vertexStore_;
  std::vector<std::int32_t> corners_;
  std::vector<std::int32_t> exportIndices_;
  std::vector<HostTexElement> elements_;
  std::vector<HostFaceTexture> textures_;
  std::vector<HostFace> faces_;
  std::vector<HostGroup> groupStore_;
  test::TestMesh mesh_;
};

}  // namespace ortolix::bench
