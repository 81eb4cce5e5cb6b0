#include "platform/d3dx/mesh_data_decode.h"

#include <gtest/gtest.h>

#include "tests/d3dx/lock_writer.h"

namespace ortolix {
namespace {

using test::LockWriter;

TEST(MeshDecodeTest, EveryTruncationIsRefusedWithoutReadingPastTheEnd) {
  LockWriter data;
  data.Dword(3).Floats({0, 0, 0, 1, 0, 0, 1, 1, 0}).Polygons({{0, 1, 2}});
  for (std::size_t drop = 1; drop <= data.bytes().size(); ++drop) {
    DecodedMesh mesh;
    MeshLoadReport report;
    EXPECT_EQ(DecodeMesh(data.Truncated(drop), mesh, report), D3DXERR_INVALIDDATA) << drop;
    EXPECT_EQ(report.error.rfind("Mesh (unnamed): ", 0), 0u) << report.error;
  }
  LockWriter material;
  material.Floats({1, 0.5f, 0.25f, 0.75f, 12, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f});
  MaterialSource red{};
  red.name = "Red";
  MeshLoadReport report;
  EXPECT_EQ(DecodeMaterial(material.Truncated(4), "body", red, report), D3DXERR_INVALIDDATA);
  EXPECT_EQ(report.error.rfind("Mesh 'body' > MeshMaterialList > Material 'Red': ", 0), 0u) << report.error;
}

TEST(MeshDecodeTest, HugeCountsAreRefusedBeforeAllocation) {
  LockWriter vertices;
  vertices.Dword(0xFFFFFFFFu).Floats({1, 2, 3});
  DecodedMesh mesh;
  MeshLoadReport report;
  EXPECT_EQ(DecodeMesh(vertices.bytes(), mesh, report), D3DXERR_INVALIDDATA);
  LockWriter corners;
  corners.Dword(0).Dword(1).Dword(0x40000000u).Dword(0);
  EXPECT_EQ(DecodeMesh(corners.bytes(), mesh, report), D3DXERR_INVALIDDATA);
}

TEST(MeshDecodeTest, FvfDataThatDoesNotFitIsIgnoredWithAWarning) {
  DecodedMesh mesh;
  mesh.positions.resize(3);
  LockWriter data;
  data.Dword(258).Dword(4).Dwords({0, 0, 0, 0});
  MeshLoadReport report;
  ASSERT_EQ(DecodeFvfData(data.bytes(), mesh, report), S_OK);
  EXPECT_TRUE(mesh.extra_texture_sets.empty());
  ASSERT_EQ(report.warnings.size(), 1u);
  EXPECT_EQ(report.warnings[0].code, MeshWarningCode::kExtraVertexDataIgnored);
  EXPECT_EQ(DecodeFvfData(data.Truncated(4), mesh, report), D3DXERR_INVALIDDATA);
}

}  // namespace
}  // namespace ortolix
