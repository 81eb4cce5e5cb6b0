#include "tests/export/test_models.h"

namespace ortolix::testing {

void BuildCube(TestHostModel& model, std::int32_t groupCount) {
  for (int i = 0; i < 8; ++i) {
    model.AddVertex(Vec3{(i & 1) ? 1.0f : -1.0f, (i & 2) ? 1.0f : -1.0f, (i & 4) ? 1.0f : -1.0f});
  }
  const std::int32_t quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                    {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  const std::int32_t mesh = model.AddMesh();
  for (int f = 0; f < 6; ++f) {
    FaceDesc face;
    face.corners.assign(quads[f], quads[f] + 4);
    for (int c = 0; c < 4; ++c) {
      const Uv uv{static_cast<float>(f) + static_cast<float>(c) / 10.0f, static_cast<float>(f)};
      face.uv0.push_back(uv);
      face.uv1.push_back(Uv{uv.u, -uv.v});
    }
    face.group = f % groupCount;
    face.material = f % 2;
    model.AddFace(mesh, face);
  }
}

}  // namespace ortolix::testing
