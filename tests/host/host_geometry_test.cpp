// The Host's model-wide operations: Triangulate, FlipHandedness and the
// skeleton hook.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/host/host_test_support.h"

namespace ortolix {
namespace {

using host_test::Doc;
using host_test::Load;

// Corner c of a face carries marks derived from its vertex index v: export
// index 100 + v, first element (v, 10v), second element (-v, -10v).
std::string MarkedFace(const std::vector<int>& corners, int material, int group,
                       const char* texture = "both") {
  std::string list, exports, first, second;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const std::string v = std::to_string(corners[i]);
    const char* sep = i ? ", " : "";
    list += sep + v;
    exports += sep + std::to_string(100 + corners[i]);
    first += sep + ("[" + v + ", " + std::to_string(10 * corners[i]) + "]");
    second += sep + ("[-" + v + ", -" + std::to_string(10 * corners[i]) + "]");
  }
  std::string face = R"({"material": )" + std::to_string(material) + R"(, "group": )" +
                     std::to_string(group) + R"(, "corners": [)" + list + R"(], "exportIndices": [)" +
                     exports + "]";
  const std::string kind = texture;
  if (kind == "none") return face + R"(, "uv0": null})";
  face += R"(, "uv0": [)" + first + "]";
  if (kind == "first") return face + R"(, "uv1": null})";
  return face + R"(, "uv1": [)" + second + "]}";
}

const char* kSixVertices = R"("vertices": [{}, {}, {}, {}, {}, {}], )";

// Checks that `face` is the triangle (a, b, c) with the marks of MarkedFace.
void ExpectMarkedTriangle(const HostFace& face, std::vector<int> corners, int material, int group) {
  ASSERT_EQ(face.cornerCount, static_cast<int>(corners.size()));
  EXPECT_EQ(face.material, material);
  EXPECT_EQ(face.group, group);
  for (int c = 0; c < face.cornerCount; ++c) {
    SCOPED_TRACE("corner " + std::to_string(c));
    const int v = corners[static_cast<std::size_t>(c)];
    EXPECT_EQ(face.corners[c], v);
    EXPECT_EQ(face.exportIndices[c], 100 + v);
    if (face.texture == nullptr) continue;
    EXPECT_EQ(face.texture->first[c].u, static_cast<float>(v));
    EXPECT_EQ(face.texture->first[c].v, static_cast<float>(10 * v));
    if (face.texture->second != nullptr) {
      EXPECT_EQ(face.texture->second[c].v, -10.0f * v);
    }
  }
}

TEST(HostTriangulate, FacesBecomeFansInPlaceAndInOrder) {
  auto host = Load(Doc(std::string(kSixVertices) + R"("meshes": [{"faces": [)" +
                       MarkedFace({0, 1, 2, 3}, 1, 2) + ", " + MarkedFace({5, 4, 3}, 3, 4) + ", " +
                       MarkedFace({0, 1, 2, 3, 4}, 5, 6, "first") + ", " +
                       MarkedFace({2, 1}, 7, 8) + ", " + MarkedFace({4, 3, 2, 1, 0, 5}, 9, 10, "none") +
                       "]}]"));
  ASSERT_EQ(host->Triangulate(), 1);
  const HostMesh& mesh = host->meshes.items[0];
  ASSERT_EQ(mesh.faceCount, 2 + 1 + 3 + 1 + 4);
  const HostFace* f = mesh.faces;
  ExpectMarkedTriangle(f[0], {0, 1, 2}, 1, 2);
  ExpectMarkedTriangle(f[1], {0, 2, 3}, 1, 2);
  ExpectMarkedTriangle(f[2], {5, 4, 3}, 3, 4);
  ExpectMarkedTriangle(f[3], {0, 1, 2}, 5, 6);
  ExpectMarkedTriangle(f[4], {0, 2, 3}, 5, 6);
  ExpectMarkedTriangle(f[5], {0, 3, 4}, 5, 6);
  ExpectMarkedTriangle(f[6], {2, 1}, 7, 8);
  ExpectMarkedTriangle(f[7], {4, 3, 2}, 9, 10);
  ExpectMarkedTriangle(f[10], {4, 0, 5}, 9, 10);
  // Texture records stay as the source face had them.
  EXPECT_NE(f[0].texture->second, nullptr);
  EXPECT_EQ(f[4].texture->second, nullptr);
  EXPECT_EQ(f[8].texture, nullptr);
  // Each new face has its own corners.
  EXPECT_NE(f[0].corners, f[1].corners);
  EXPECT_NE(f[0].texture->first, f[1].texture->first);
}

TEST(HostTriangulate, ModelsWithoutLargerFacesAreUnchanged) {
  auto host = Load(Doc(std::string(kSixVertices) + R"("meshes": [{"faces": [)" + MarkedFace({0, 1, 2}, 0, 0) +
                       R"(]}, {}, {"faces": []}, {"faces": [)" + MarkedFace({0, 1, 2, 3}, 0, 0) + "]}]"));
  const HostFace* kept = host->meshes.items[0].faces;
  ASSERT_EQ(host->Triangulate(), 1);
  EXPECT_EQ(host->meshes.items[0].faces, kept);
  EXPECT_EQ(host->meshes.items[1].faces, nullptr);
  EXPECT_EQ(host->meshes.items[2].faceCount, 0);
  EXPECT_EQ(host->meshes.items[3].faceCount, 2);
  const std::string once = SaveHostModelJson(*host);
  ASSERT_EQ(host->Triangulate(), 1);
  EXPECT_EQ(SaveHostModelJson(*host), once);

  InProcessHost empty;
  EXPECT_EQ(empty.Triangulate(), 1);
}

TEST(HostFlipHandedness, MirrorsTheModelInZ) {
  auto host = Load(host_test::kRichDocument);
  ASSERT_EQ(host->AllocateVertices(1), 1);  // a plain vertex with a known normal
  host->vertices.items[0] = {{1, 2, 3}, {4, 5, 6}, {1, 1, 1, 1}, 0, nullptr};
  HostBone& bone = host->bones.items[0];
  for (int i = 0; i < 16; ++i) bone.local.m[i] = bone.world.m[i] = static_cast<float>(i + 1);
  (void)host->FlipHandedness();

  const HostVertex& vertex = host->vertices.items[0];
  EXPECT_EQ(vertex.position.z, -3.0f);
  EXPECT_EQ(vertex.position.x, 1.0f);
  EXPECT_EQ(vertex.normal.z, -6.0f);
  EXPECT_EQ(bone.translation.z, -3.0f);
  EXPECT_EQ(bone.rotation.x, -0.0f);
  EXPECT_EQ(bone.rotation.z, 0.70710677f);
  EXPECT_EQ(bone.rotation.w, 0.70710677f);
  const std::vector<float> mirrored = {1, 2, -3, 4, 5, 6, -7, 8, -9, -10, 11, -12, 13, 14, -15, 16};
  EXPECT_EQ(std::vector<float>(bone.local.m, bone.local.m + 16), mirrored);
  EXPECT_EQ(std::vector<float>(bone.world.m, bone.world.m + 16), mirrored);
  EXPECT_EQ(bone.scale.z, 1.0f);

  const HostTrack& track = host->animations.items[0].tracks[0];
  EXPECT_EQ(track.positionKeys[1].value.z, 0.0f);
  EXPECT_EQ(track.positionKeys[1].value.y, 1.0f);
  EXPECT_EQ(track.scaleKeys[0].value.z, 1.0f);
  EXPECT_EQ(host->placed2.items[0].position.z, 5.0f);
  const std::vector<float> orientation = {0, 1, -2, 3, 4, 5, -6, 7, -8, -9, 10, -11, 12, 13, -14, 15};
  const Matrix4& m = host->placed2.items[0].orientation;
  EXPECT_EQ(std::vector<float>(m.m, m.m + 16), orientation);
  EXPECT_EQ(host->placed1.items[0].distances[1], 10.0f);

  const HostFace& face = host->meshes.items[0].faces[0];
  EXPECT_EQ(std::vector<int>(face.corners, face.corners + 3), (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(std::vector<int>(face.exportIndices, face.exportIndices + 3), (std::vector<int>{7, 6, 5}));
  EXPECT_EQ(face.texture->first[0].u, 1.0f);
  EXPECT_EQ(face.texture->first[0].v, 1.0f);
  EXPECT_EQ(face.texture->second[0].v, INFINITY);
  const HostFace& pentagon = host->meshes.items[0].faces[1];
  EXPECT_EQ(std::vector<int>(pentagon.corners, pentagon.corners + 5), (std::vector<int>{4, 3, 2, 1, 0}));
}

TEST(HostFlipHandedness, TwiceRestoresTheModel) {
  auto host = Load(host_test::kRichDocument);
  const std::string before = SaveHostModelJson(*host);
  (void)host->FlipHandedness();
  EXPECT_NE(SaveHostModelJson(*host), before);
  (void)host->FlipHandedness();
  EXPECT_EQ(SaveHostModelJson(*host), before);
}

}  // namespace
}  // namespace ortolix
