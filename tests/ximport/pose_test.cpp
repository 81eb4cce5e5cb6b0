// Posing skinned meshes into the frames' pose, and material records and
// names read from the MeshMaterialList.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "tests/ximport/scene_reader.h"

namespace ortolix::testing {
namespace {

using Point = std::array<float, 3>;

std::vector<Point> Positions(const MeshContainer& c) {
  void* data = nullptr;
  EXPECT_EQ(c.mesh->LockVertexBuffer(D3DLOCK_READONLY, &data), S_OK);
  std::vector<Point> out(c.mesh->GetNumVertices());
  for (std::size_t v = 0; v < out.size(); ++v) {
    std::memcpy(out[v].data(), static_cast<const char*>(data) + v * c.mesh->GetNumBytesPerVertex(), 12);
  }
  (void)c.mesh->UnlockVertexBuffer();
  return out;
}

std::string Translation(float x, float y, float z) {
  const float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
  return Matrix(m);
}

// A quad skinned to one bone: vertices 0..2 with `weights`, vertex 3 free.
std::string SkinnedQuad(const std::string& name, const std::string& bone, const std::string& weights,
                        const std::string& offset) {
  return QuadMesh(name, " XSkinMeshHeader { 1; 1; 1; }\n SkinWeights { \"" + bone + "\"; 3; 0,1,2; " +
                            weights + "; " + offset + " }\n");
}

const std::string kBoneFrame = "Frame Bone { FrameTransformMatrix { " + Translation(1, 2, 3) + " } }\n";

TEST(Pose, SkinnedMeshesTakeTheFramesPose) {
  struct Case {
    const char* name;
    std::string bone, weights, offset;
    std::vector<Point> expected;
  };
  const Case cases[] = {
      {"bind pose keeps positions", "Bone", "1,1,1", Translation(-1, -2, -3),
       {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}},
      {"bone transform, weights not normalised", "Bone", "1,1,0.25", Translation(0, 0, 0),
       {{1, 2, 3}, {2, 2, 3}, {0.5f, 0.75f, 0.75f}, {0, 1, 0}}},
      {"bone naming no frame uses identity", "Nowhere", "1,1,1", Translation(5, 0, 0),
       {{5, 0, 0}, {6, 0, 0}, {6, 1, 0}, {0, 1, 0}}},
  };
  for (const Case& c : cases) {
    SceneReader r;
    ASSERT_EQ(r.ReadText(kBoneFrame + "Frame Holder {\n" +
                         SkinnedQuad("Skin", c.bone, c.weights, c.offset) + "}\n"),
              S_OK)
        << c.name << ": " << r.reader.error;
    const MeshContainer& mesh = *r.Root().first_child->next_sibling->mesh_list;
    EXPECT_EQ(mesh.skinned, 1) << c.name;
    ASSERT_EQ(mesh.bone_matrix_pointers.size(), 1u) << c.name;
    EXPECT_EQ(Positions(mesh), c.expected) << c.name;
  }
}

TEST(Pose, OnlyTheLastSkinnedMeshOfAFrameIsPosed) {
  SceneReader r;
  const std::string offset = Translation(0, 0, 0);
  ASSERT_EQ(r.ReadText(kBoneFrame + "Frame Holder {\n" + SkinnedQuad("A", "Bone", "1,1,1", offset) +
                       SkinnedQuad("B", "Bone", "1,1,1", offset) + "}\n"),
            S_OK)
      << r.reader.error;
  const MeshContainer& b = *r.Root().first_child->next_sibling->mesh_list;
  EXPECT_EQ(b.bone_matrix_pointers[0], &r.Root().first_child->world_matrix);
  EXPECT_EQ(Positions(b)[0], (Point{1, 2, 3}));
  EXPECT_EQ(Positions(*b.next)[0], (Point{0, 0, 0}));
}

TEST(Materials, RecordsAndNamesKeepListOrder) {
  const std::string material = "1;0.5;0.25;1;; 8; 0;0;0;; 0;0;0;;";
  SceneReader r;
  ASSERT_EQ(r.ReadText("Material Shared { " + material + " TextureFilename { \"wood.bmp\"; } }\n" +
                       QuadMesh("M", " MeshMaterialList { 4; 2; 0, 3;;\n"
                                     "  Material First { " + material + " }\n"
                                     "  Material { " + material + " }\n"
                                     "  { Shared }\n"
                                     "  Material Last { " + material + " } }\n")),
            S_OK)
      << r.reader.error;
  const MeshContainer& c = *r.Root().mesh_list;
  EXPECT_EQ(c.material_count, 4u);
  EXPECT_EQ(c.attribute_range_count, 4u);
  EXPECT_EQ(c.material_names, (std::vector<std::string>{"First", "", "Shared", "Last"}));
  ASSERT_EQ(c.materials.size(), 4u);
  EXPECT_EQ(c.materials[0].texture_file_name, "");
  EXPECT_EQ(c.materials[2].texture_file_name, "wood.bmp");
  EXPECT_EQ(c.materials[1].material.Diffuse.g, 0.5f);
  EXPECT_EQ(c.materials[1].material.Power, 8.0f);
  // Faces sorted by attribute: one range for material 0, one for 3.
  ASSERT_EQ(c.attribute_table.size(), 2u);
  EXPECT_EQ(c.attribute_table[1].AttribId, 3u);
}

}  // namespace
}  // namespace ortolix::testing
