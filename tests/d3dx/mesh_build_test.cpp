// BuildSkinMesh on a decoded source, for a case .x text cannot reach cheaply.
#include "platform/d3dx/mesh_build.h"

#include <gtest/gtest.h>

#include "tests/d3dx/mesh_test_support.h"
#include "tests/d3dx/test_device.h"

namespace ortolix::test {
namespace {

TEST(MeshBuildTest, TextureSetsBeyondTheEighthAreDroppedWithAWarning) {
  ComRef<IDirect3DDevice9> device = MakeTestDevice();
  DecodedMesh source;
  source.name = "tri";
  source.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  source.faces.corner_counts = {3};
  source.faces.indices = {0, 1, 2};
  source.texture_coords = TextureSetSource{2, 3, {0, 0, 1, 0, 0, 1}};
  for (int set = 1; set < 10; ++set) source.extra_texture_sets.push_back(TextureSetSource{1, 3, {1.f * set, 1.f * set, 1.f * set}});
  ComRef<ID3DXMesh> mesh;
  ComRef<ID3DXBuffer> adjacency, materials;
  ComRef<ID3DXSkinInfo> skin;
  DWORD material_count = 99;
  MeshLoadReport report;
  const SkinMeshOutputs outputs{adjacency.Out(), materials.Out(), &material_count, skin.Out(), mesh.Out()};
  ASSERT_EQ(BuildSkinMesh(source, D3DXMESH_32BIT, device.get(), outputs, report), S_OK) << report.error;
  // Set 0 of two floats, sets 1..7 of one float each.
  DWORD expected = D3DFVF_XYZ | D3DFVF_TEX8;
  for (DWORD set = 1; set < 8; ++set) expected |= D3DFVF_TEXCOORDSIZE(D3DFVF_TEXTUREFORMAT1, set);
  EXPECT_EQ(mesh->GetFVF(), expected);
  EXPECT_EQ(FloatsAt(mesh->VertexAt(1) + 12, 9), (std::vector<float>{1, 0, 1, 2, 3, 4, 5, 6, 7}));
  ASSERT_EQ(report.warnings.size(), 1u);
  EXPECT_EQ(report.warnings[0].code, MeshWarningCode::kTooManyTextureSets);
}

}  // namespace
}  // namespace ortolix::test
