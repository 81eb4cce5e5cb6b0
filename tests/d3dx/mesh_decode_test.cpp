#include "platform/d3dx/mesh_data_decode.h"

#include <gtest/gtest.h>

#include <bit>

#include "tests/d3dx/lock_writer.h"

namespace ortolix {
namespace {

using testing::LockWriter;

TEST(MeshDecodeTest, MeshPositionsAndPolygons) {
  LockWriter data;
  data.Dword(4).Floats({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}).Polygons({{0, 1, 2, 3}, {0, 2, 1}});
  MeshSource mesh;
  MeshLoadReport report;
  ASSERT_EQ(DecodeMesh(data.bytes(), mesh, report), S_OK);
  ASSERT_EQ(mesh.positions.size(), 4u);
  EXPECT_EQ(mesh.positions[2].y, 1.0f);
  EXPECT_EQ(mesh.faces.corner_counts, (std::vector<DWORD>{4, 3}));
  EXPECT_EQ(mesh.faces.indices, (std::vector<DWORD>{0, 1, 2, 3, 0, 2, 1}));
}

TEST(MeshDecodeTest, EveryTruncationIsRefusedWithoutReadingPastTheEnd) {
  LockWriter data;
  data.Dword(3).Floats({0, 0, 0, 1, 0, 0, 1, 1, 0}).Polygons({{0, 1, 2}});
  for (std::size_t drop = 1; drop <= data.bytes().size(); ++drop) {
    MeshSource mesh;
    MeshLoadReport report;
    EXPECT_EQ(DecodeMesh(data.Truncated(drop), mesh, report), D3DXERR_INVALIDDATA) << drop;
    EXPECT_EQ(report.error.rfind("Mesh (unnamed): ", 0), 0u) << report.error;
  }
}

TEST(MeshDecodeTest, HugeCountsAreRefusedBeforeAllocation) {
  LockWriter vertices;
  vertices.Dword(0xFFFFFFFFu).Floats({1, 2, 3});
  MeshSource mesh;
  MeshLoadReport report;
  EXPECT_EQ(DecodeMesh(vertices.bytes(), mesh, report), D3DXERR_INVALIDDATA);
  LockWriter corners;
  corners.Dword(0).Dword(1).Dword(0x40000000u).Dword(0);
  EXPECT_EQ(DecodeMesh(corners.bytes(), mesh, report), D3DXERR_INVALIDDATA);
}

TEST(MeshDecodeTest, ChildrenOfTheMesh) {
  MeshSource mesh;
  mesh.name = "body";
  mesh.positions.resize(2);
  MeshLoadReport report;
  LockWriter normals;
  normals.Dword(1).Floats({0, 2, 0}).Polygons({{0, 0, 0}});
  ASSERT_EQ(DecodeMeshNormals(normals.bytes(), mesh, report), S_OK);
  EXPECT_EQ(mesh.normals->normals[0].y, 2.0f);  // normalised when the mesh is built
  LockWriter coords;
  coords.Dword(2).Floats({0.5f, 0.25f, 1, 0});
  ASSERT_EQ(DecodeMeshTextureCoords(coords.bytes(), mesh, report), S_OK);
  EXPECT_EQ(mesh.texture_coords->values, (std::vector<float>{0.5f, 0.25f, 1, 0}));
  LockWriter colours;
  colours.Dword(1).Dword(1).Floats({1, 0.5f, 0, 1});
  ASSERT_EQ(DecodeMeshVertexColors(colours.bytes(), mesh, report), S_OK);
  EXPECT_EQ((*mesh.colours)[0].vertex, 1u);
  EXPECT_EQ((*mesh.colours)[0].g, 0.5f);
  LockWriter list;
  list.Dwords({2, 3, 0, 1, 1});
  ASSERT_EQ(DecodeMeshMaterialList(list.bytes(), mesh, report), S_OK);
  EXPECT_EQ(mesh.material_list->material_count, 2u);
  EXPECT_EQ(mesh.material_list->face_indexes, (std::vector<DWORD>{0, 1, 1}));
  EXPECT_EQ(report.code, S_OK);
}

TEST(MeshDecodeTest, MaterialIsExactly44Bytes) {
  LockWriter data;
  data.Floats({1, 0.5f, 0.25f, 0.75f, 12, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f});
  MaterialSource material{};
  material.name = "Red";
  MeshLoadReport report;
  ASSERT_EQ(DecodeMaterial(data.bytes(), "body", material, report), S_OK);
  EXPECT_EQ(material.face_colour[3], 0.75f);
  EXPECT_EQ(material.power, 12.0f);
  EXPECT_EQ(material.specular[2], 0.3f);
  EXPECT_EQ(material.emissive[0], 0.4f);
  EXPECT_EQ(DecodeMaterial(data.Truncated(4), "body", material, report), D3DXERR_INVALIDDATA);
  EXPECT_EQ(report.error.rfind("Mesh 'body' > MeshMaterialList > Material 'Red': ", 0), 0u)
      << report.error;
}

TEST(MeshDecodeTest, SkinHeaderAndWeightsInOrder) {
  MeshSource mesh;
  mesh.name = "skin";
  MeshLoadReport early;
  LockWriter weights;
  weights.String("Arm").Dword(2).Dwords({3, 1}).Floats({0.5f, 1.0f});
  for (int i = 0; i < 16; ++i) weights.Float(i % 5 == 0 ? 1.0f : 0.0f);
  EXPECT_EQ(DecodeSkinWeights(weights.bytes(), mesh, early), D3DXERR_INVALIDDATA);
  EXPECT_EQ(early.error.rfind("Mesh 'skin' > SkinWeights #0: ", 0), 0u) << early.error;

  MeshLoadReport report;
  LockWriter header;
  header.Word(2).Word(4).Word(1);
  ASSERT_EQ(DecodeSkinMeshHeader(header.bytes(), mesh, report), S_OK);
  EXPECT_EQ(mesh.skin_bone_count, 1u);
  ASSERT_EQ(DecodeSkinWeights(weights.bytes(), mesh, report), S_OK);
  ASSERT_EQ(mesh.skin_weights.size(), 1u);
  EXPECT_EQ(mesh.skin_weights[0].bone_name, "Arm");
  EXPECT_EQ(mesh.skin_weights[0].vertices, (std::vector<DWORD>{3, 1}));
  EXPECT_EQ(mesh.skin_weights[0].weights, (std::vector<float>{0.5f, 1.0f}));
  EXPECT_EQ(mesh.skin_weights[0].offset.m[3][3], 1.0f);
  EXPECT_EQ(DecodeSkinMeshHeader(header.bytes(), mesh, report), D3DXERR_INVALIDDATA);
}

TEST(MeshDecodeTest, FvfDataOfOurExporterGivesTheSecondTextureSet) {
  // Format 258 (XYZ | TEX1) and two DWORDs per vertex holding u and v as
  // their bit patterns, as the exporter writes them.
  MeshSource mesh;
  mesh.positions.resize(2);
  LockWriter data;
  data.Dword(258).Dword(4).Dwords({std::bit_cast<DWORD>(1.0f), std::bit_cast<DWORD>(0.5f),
                                   std::bit_cast<DWORD>(0.25f), 0u});
  MeshLoadReport report;
  ASSERT_EQ(DecodeFvfData(data.bytes(), mesh, report), S_OK);
  ASSERT_EQ(mesh.extra_texture_sets.size(), 1u);
  EXPECT_EQ(mesh.extra_texture_sets[0].dimension, 2u);
  EXPECT_EQ(mesh.extra_texture_sets[0].values, (std::vector<float>{1.0f, 0.5f, 0.25f, 0.0f}));
  EXPECT_TRUE(report.warnings.empty());
}

TEST(MeshDecodeTest, FvfDataThatDoesNotFitIsIgnoredWithAWarning) {
  MeshSource mesh;
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

TEST(MeshDecodeTest, DeclDataTakesFloatTextureSetsOnly) {
  MeshSource mesh;
  mesh.positions.resize(1);
  // Elements: NORMAL FLOAT3 (usage 3), TEXCOORD FLOAT2 (usage 5), TEXCOORD FLOAT1.
  LockWriter data;
  data.Dword(3).Dwords({2, 0, 3, 0}).Dwords({1, 0, 5, 1}).Dwords({0, 0, 5, 2});
  data.Dword(6).Floats({0, 1, 0, 0.5f, 0.75f, 0.125f});
  MeshLoadReport report;
  ASSERT_EQ(DecodeDeclData(data.bytes(), mesh, report), S_OK);
  ASSERT_EQ(mesh.extra_texture_sets.size(), 2u);
  EXPECT_EQ(mesh.extra_texture_sets[0].values, (std::vector<float>{0.5f, 0.75f}));
  EXPECT_EQ(mesh.extra_texture_sets[1].dimension, 1u);
  EXPECT_EQ(mesh.extra_texture_sets[1].values, (std::vector<float>{0.125f}));
  ASSERT_EQ(report.warnings.size(), 1u);  // the normal is not taken
}

}  // namespace
}  // namespace ortolix
