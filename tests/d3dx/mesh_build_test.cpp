// BuildSkinMesh on decoded sources, for the cases text sources cannot reach
// cheaply; the loading from .x text is tested in load_skin_mesh_test.
#include "platform/d3dx/mesh_build.h"

#include <gtest/gtest.h>

#include "tests/d3dx/mesh_test_support.h"
#include "tests/d3dx/test_device.h"

namespace ortolix::testing {
namespace {

MeshSource Triangle() {
  MeshSource source;
  source.name = "tri";
  source.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  source.faces.corner_counts = {3};
  source.faces.indices = {0, 1, 2};
  return source;
}

struct Built {
  ComRef<ID3DXMesh> mesh;
  ComRef<ID3DXBuffer> adjacency, materials;
  ComRef<ID3DXSkinInfo> skin;
  DWORD material_count = 99;
  MeshLoadReport report;
  HRESULT code = E_FAIL;
};

Built Build(const MeshSource& source, IDirect3DDevice9* device) {
  Built out;
  const SkinMeshOutputs outputs{out.adjacency.Out(), out.materials.Out(), &out.material_count, out.skin.Out(),
                                out.mesh.Out()};
  out.code = BuildSkinMesh(source, D3DXMESH_32BIT, device, outputs, out.report);
  return out;
}

TEST(MeshBuildTest, AMaterialListOfNoMaterialsGivesCountZeroAndNoBuffer) {
  ComRef<IDirect3DDevice9> device = MakeTestDevice();
  MeshSource source = Triangle();
  source.material_list = MaterialListSource{};
  source.material_list->face_indexes = {5};  // not looked at without materials
  Built built = Build(source, device.get());
  ASSERT_EQ(built.code, S_OK) << built.report.error;
  EXPECT_EQ(built.material_count, 0u);
  EXPECT_FALSE(built.materials);
}

TEST(MeshBuildTest, TextureSetsBeyondTheEighthAreDroppedWithAWarning) {
  ComRef<IDirect3DDevice9> device = MakeTestDevice();
  MeshSource source = Triangle();
  source.texture_coords = TextureSetSource{2, 3, {0, 0, 1, 0, 0, 1}};
  for (int set = 1; set < 10; ++set) {
    const float f = float(set);
    source.extra_texture_sets.push_back(TextureSetSource{1, 3, {f, f, f}});
  }
  Built built = Build(source, device.get());
  ASSERT_EQ(built.code, S_OK) << built.report.error;
  // Set 0 of two floats, sets 1..7 of one float each.
  DWORD expected = D3DFVF_XYZ | D3DFVF_TEX8;
  for (DWORD set = 1; set < 8; ++set) expected |= D3DFVF_TEXCOORDSIZE(D3DFVF_TEXTUREFORMAT1, set);
  EXPECT_EQ(built.mesh->GetFVF(), expected);
  EXPECT_EQ(FloatsAt(built.mesh->VertexAt(1) + 12, 9), (std::vector<float>{1, 0, 1, 2, 3, 4, 5, 6, 7}));
  ASSERT_EQ(built.report.warnings.size(), 1u);
  EXPECT_EQ(built.report.warnings[0].code, MeshWarningCode::kTooManyTextureSets);
}

TEST(MeshBuildTest, NoDeviceOrNoMeshOutputIsAnInvalidCall) {
  Built built = Build(Triangle(), nullptr);
  EXPECT_EQ(built.code, D3DERR_INVALIDCALL);
  EXPECT_EQ(built.report.error, "Mesh 'tri': no device or no mesh output");
  EXPECT_EQ(built.material_count, 0u);
  EXPECT_FALSE(built.adjacency);
}

}  // namespace
}  // namespace ortolix::testing
