// D3DXLoadSkinMeshFromXof end to end: text .x sources parsed by the file
// services, loaded as the import loads them.
#include "platform/d3dx/load_skin_mesh.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/d3dx/d3dx_math.h"
#include "tests/d3dx/mesh_test_support.h"
#include "tests/d3dx/xof_text.h"

namespace ortolix::test {
namespace {

std::vector<DWORD> Attributes(ID3DXMesh& mesh) {
  DWORD* attributes = nullptr;
  EXPECT_EQ(mesh.LockAttributeBuffer(D3DLOCK_READONLY, &attributes), S_OK);
  std::vector<DWORD> out(attributes, attributes + mesh.GetNumFaces());
  (void)mesh.UnlockAttributeBuffer();
  return out;
}

// The cube of eight corners, its six sides as quads, and 24 normals, one per
// corner of each side (some not of unit length).
std::string CubeBody(const std::string& extra_children = "") {
  return VectorList({{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1},
                     {-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}}) +
         FaceList({{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {3, 7, 6, 2}, {0, 4, 7, 3}, {1, 2, 6, 5}}) +
         "MeshNormals {\n" +
         VectorList({{0, 0, -2}, {0, 0, -1}, {0, 0, -1}, {0, 0, -3}, {0, 0, 1}, {0, 0, 1}, {0, 0, 1},
                     {0, 0, 1}, {0, -1, 0}, {0, -1, 0}, {0, -1, 0}, {0, -1, 0}, {0, 2, 0}, {0, 1, 0},
                     {0, 1, 0}, {0, 1, 0}, {-1, 0, 0}, {-1, 0, 0}, {-1, 0, 0}, {-1, 0, 0}, {1, 0, 0},
                     {1, 0, 0}, {1, 0, 0}, {5, 0, 0}}) +
         FaceList({{0, 1, 2, 3}, {4, 5, 6, 7}, {8, 9, 10, 11}, {12, 13, 14, 15}, {16, 17, 18, 19},
                   {20, 21, 22, 23}}) +
         "}\n" + extra_children;
}

std::string Mesh(const std::string& name, const std::string& body) {
  return "Mesh " + name + " {\n" + body + "}\n";
}

// The cube skinned to "Low" (bottom corners, and a quarter of corner 2) and
// "High" (the other top corners, three quarters of corner 2); the offsets
// move each bone's joint to the origin.
std::string SkinnedCube() {
  return Mesh("cube", CubeBody(
                          "XSkinMeshHeader { 2; 4; 2; }\n"
                          "SkinWeights { \"Low\"; 5; 0,1,4,5,2; 1.0,1.0,1.0,1.0,0.25;\n"
                          " 1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, 0.0,1.0,0.0,1.0;; }\n"
                          "SkinWeights { \"High\"; 4; 2,3,6,7; 0.75,1.0,1.0,1.0;\n"
                          " 1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, 0.0,-1.0,0.0,1.0;; }\n"));
}

class LoadSkinMeshTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(device_); }
  // Loads the only (or first) Mesh of `body`.
  LoadedMesh Load(const std::string& body, DWORD options = D3DXMESH_32BIT) {
    objects_ = MeshObjectsOf(body);
    if (objects_.empty()) {
      ADD_FAILURE() << "no Mesh in the text";
      return {};
    }
    return LoadMeshObject(*objects_[0], device_.get(), options);
  }
  ComRef<IDirect3DDevice9> device_ = MakeTestDevice();
  std::vector<ComRef<ID3DXFileData>> objects_;
};

TEST_F(LoadSkinMeshTest, CubeWith24NormalsGets24VerticesWithCopiesInFirstUseOrder) {
  LoadedMesh loaded = Load(Mesh("cube", CubeBody()));
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  ID3DXMesh& mesh = *loaded.mesh;
  EXPECT_EQ(mesh.GetFVF(), D3DFVF_XYZ | D3DFVF_NORMAL);
  EXPECT_EQ(mesh.GetOptions() & D3DXMESH_32BIT, D3DXMESH_32BIT);
  ASSERT_EQ(mesh.GetNumVertices(), 24u);
  ASSERT_EQ(mesh.GetNumFaces(), 12u);
  // Copies 8..23 of file vertices, appended as the bottom, top, left and
  // right sides first use them.
  const float corners[8][3] = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1},
                               {-1, -1, 1},  {1, -1, 1},  {1, 1, 1},  {-1, 1, 1}};
  const DWORD original[24] = {0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 5, 4, 3, 7, 6, 2, 0, 4, 7, 3, 1, 2, 6, 5};
  const std::vector<float> side_normal[6] = {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}};
  for (DWORD v = 0; v < 24; ++v) {
    const std::vector<float> vertex = FloatsAt(mesh.VertexAt(v), 6);
    const float* p = corners[original[v]];
    EXPECT_EQ(std::vector<float>(vertex.begin(), vertex.begin() + 3), (std::vector<float>{p[0], p[1], p[2]})) << v;
    const std::size_t side = v < 4 ? 0 : v < 8 ? 1 : (v - 8) / 4 + 2;
    EXPECT_EQ(std::vector<float>(vertex.begin() + 3, vertex.end()), side_normal[side]) << v;
  }
  EXPECT_EQ(Indices(mesh), (std::vector<DWORD>{0, 3, 2, 0, 2, 1, 4, 5, 6, 4, 6, 7, 8, 9, 10, 8, 10, 11,
                                               12, 13, 14, 12, 14, 15, 16, 17, 18, 16, 18, 19,
                                               20, 21, 22, 20, 22, 23}));
  // The closed cube: every edge has a neighbour; the copies join it. Face 0
  // (0, 3, 2) meets the left side's face 9, the top's face 7 and face 1.
  ASSERT_TRUE(loaded.adjacency);
  const auto* adjacency = static_cast<const DWORD*>(loaded.adjacency->GetBufferPointer());
  EXPECT_EQ(std::vector<DWORD>(adjacency, adjacency + 3), (std::vector<DWORD>{9, 7, 1}));
  for (DWORD e = 0; e < 36; ++e) EXPECT_NE(adjacency[e], kD3DXNoNeighbour) << e;
  // No material list: no materials; no skin header: a skin of 0 bones.
  EXPECT_EQ(loaded.material_count, 0u);
  EXPECT_FALSE(loaded.materials);
  ASSERT_TRUE(loaded.skin);
  EXPECT_EQ(loaded.skin->GetNumBones(), 0u);
  EXPECT_EQ(loaded.skin->GetBoneName(0), nullptr);
  EXPECT_TRUE(loaded.report.warnings.empty());
}

TEST_F(LoadSkinMeshTest, PolygonsAreFannedFromTheirFirstCornerAndCountCornersMinusTwo) {
  LoadedMesh loaded = Load(Mesh("fans", VectorList({{0, 0, 0}, {1, 0, 0}, {2, 1, 0}, {1, 2, 0}, {0, 2, 0},
                                                    {-1, 1, 0}, {-1, 0, 0}}) +
                                            FaceList({{0, 1, 2, 3, 4}, {0, 4, 5}, {1, 2, 3, 4, 5, 6}})));
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  EXPECT_EQ(loaded.mesh->GetFVF(), D3DFVF_XYZ);
  EXPECT_EQ(loaded.mesh->GetNumVertices(), 7u);
  EXPECT_EQ(Indices(*loaded.mesh), (std::vector<DWORD>{0, 1, 2, 0, 2, 3, 0, 3, 4, 0, 4, 5,
                                                       1, 2, 3, 1, 3, 4, 1, 4, 5, 1, 5, 6}));
}

std::string MaterialText(const std::string& name, const std::string& colour, const std::string& tail = "") {
  return "Material " + name + " {\n " + colour + ";;\n 20.0;\n 0.5;0.5;0.25;;\n 0.125;0.0;1.0;;\n" + tail + "}\n";
}

TEST_F(LoadSkinMeshTest, MaterialsByReferenceMapToD3dMaterialsAndTheLastTextureWins) {
  const std::string text =
      MaterialText("Shared", "0.5;0.25;0.125;0.75",
                   " TextureFilename { \"first.bmp\"; }\n TextureFileName { \"maps\\last.bmp\"; }\n") +
      Mesh("quad", VectorList({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}) + FaceList({{0, 1, 2}, {0, 2, 3}}) +
                       "MeshMaterialList { 2; 2; 1, 0;;\n { Shared }\n" +
                       MaterialText("Local", "1.0;0.0;0.0;1.0") + "}\n");
  LoadedMesh loaded = Load(text);
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  ASSERT_EQ(loaded.material_count, 2u);
  ASSERT_TRUE(loaded.materials);
  const auto* records = static_cast<const D3DXMATERIAL*>(loaded.materials->GetBufferPointer());
  // Diffuse, ambient, specular, emissive, power.
  EXPECT_EQ(std::vector<float>(&records[0].MatD3D.Diffuse.r, &records[0].MatD3D.Power + 1),
            (std::vector<float>{0.5f, 0.25f, 0.125f, 0.75f, 0, 0, 0, 1, 0.5f, 0.5f, 0.25f, 1, 0.125f, 0, 1, 1, 20}));
  ASSERT_NE(records[0].pTextureFilename, nullptr);
  EXPECT_STREQ(records[0].pTextureFilename, "maps\\last.bmp");
  EXPECT_EQ(records[1].MatD3D.Diffuse.r, 1.0f);
  EXPECT_EQ(records[1].pTextureFilename, nullptr);
  // The texture name lives inside the material buffer.
  const auto* begin = static_cast<const char*>(loaded.materials->GetBufferPointer());
  EXPECT_GE(records[0].pTextureFilename, begin + 2 * sizeof(D3DXMATERIAL));
  EXPECT_LT(records[0].pTextureFilename, begin + loaded.materials->GetBufferSize());
  EXPECT_EQ(Attributes(*loaded.mesh), (std::vector<DWORD>{1, 0}));
}

TEST_F(LoadSkinMeshTest, PerPolygonMaterialsGoToTheirTrianglesAndSurviveTheStableSort) {
  const std::string text = Mesh(
      "mixed", VectorList({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}, {2, 1, 0}, {3, 1, 0}}) +
                   FaceList({{0, 1, 2}, {0, 1, 2, 3}, {1, 4, 5}, {1, 4, 5, 6, 2}}) +
                   "MeshMaterialList { 2; 4; 1, 0, 1, 0;;\n" + MaterialText("A", "1;0;0;1") +
                   MaterialText("B", "0;1;0;1") + "}\n");
  LoadedMesh loaded = Load(text);
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  EXPECT_EQ(Attributes(*loaded.mesh), (std::vector<DWORD>{1, 0, 0, 1, 0, 0, 0}));
  ComRef<ID3DXMesh> sorted;
  ComRef<ID3DXBuffer> remap;
  DWORD face_remap[7];
  ASSERT_EQ(loaded.mesh->Optimize(D3DXMESHOPT_ATTRSORT,
                                  static_cast<const DWORD*>(loaded.adjacency->GetBufferPointer()), nullptr,
                                  face_remap, remap.Out(), sorted.Out()),
            S_OK);
  EXPECT_EQ(std::vector<DWORD>(face_remap, face_remap + 7), (std::vector<DWORD>{1, 2, 4, 5, 6, 0, 3}));
  EXPECT_EQ(Attributes(*sorted), (std::vector<DWORD>{0, 0, 0, 0, 0, 1, 1}));
  EXPECT_EQ(Indices(*sorted), (std::vector<DWORD>{0, 1, 2, 0, 2, 3, 1, 4, 5, 1, 5, 6, 1, 6, 2, 0, 1, 2, 1, 4, 5}));
  D3DXATTRIBUTERANGE table[2];
  DWORD count = 2;
  ASSERT_EQ(sorted->GetAttributeTable(table, &count), S_OK);
  ASSERT_EQ(count, 2u);
  // Id, first face, faces, first vertex, vertices.
  EXPECT_EQ(RangeOf(table[0]), (std::vector<DWORD>{0, 0, 5, 0, 7}));
  EXPECT_EQ(RangeOf(table[1]), (std::vector<DWORD>{1, 5, 2, 0, 6}));
  // Vertices stay where they are.
  const auto* identity = static_cast<const DWORD*>(remap->GetBufferPointer());
  for (DWORD v = 0; v < 7; ++v) EXPECT_EQ(identity[v], v);
}

std::string FanBody() {
  return VectorList({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {-1, 1, 0}}) +
         FaceList({{0, 1, 2, 3, 4}, {4, 3, 2}});
}

TEST_F(LoadSkinMeshTest, SixteenAndThirtyTwoBitIndicesHoldTheSameTriangles) {
  LoadedMesh wide = Load(Mesh("fan", FanBody()), D3DXMESH_32BIT);
  LoadedMesh narrow = LoadMeshObject(*objects_[0], device_.get(), 0);
  ASSERT_EQ(wide.code, S_OK) << wide.report.error;
  ASSERT_EQ(narrow.code, S_OK) << narrow.report.error;
  EXPECT_EQ(narrow.mesh->GetOptions() & D3DXMESH_32BIT, 0u);
  void* words = nullptr;
  void* dwords = nullptr;
  ASSERT_EQ(narrow.mesh->LockIndexBuffer(D3DLOCK_READONLY, &words), S_OK);
  ASSERT_EQ(wide.mesh->LockIndexBuffer(D3DLOCK_READONLY, &dwords), S_OK);
  const std::vector<DWORD> expected{0, 1, 2, 0, 2, 3, 0, 3, 4, 4, 3, 2};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(static_cast<const std::uint16_t*>(words)[i], expected[i]) << i;
    EXPECT_EQ(static_cast<const std::uint32_t*>(dwords)[i], expected[i]) << i;
  }
  (void)narrow.mesh->UnlockIndexBuffer();
  (void)wide.mesh->UnlockIndexBuffer();
}

TEST_F(LoadSkinMeshTest, SixteenBitIndicesCannotReachBeyondVertex65535) {
  std::string body = "65537;\n";
  for (int v = 0; v < 65536; ++v) body += "0.0;0.0;0.0;,\n";
  body += "1.0;0.0;0.0;;\n" + FaceList({{0, 65535, 65536}});
  objects_ = MeshObjectsOf(Mesh("big", body));
  ASSERT_EQ(objects_.size(), 1u);
  LoadedMesh narrow = LoadMeshObject(*objects_[0], device_.get(), 0);
  EXPECT_EQ(narrow.code, D3DERR_INVALIDCALL);
  EXPECT_EQ(narrow.report.error, "Mesh 'big': 65537 vertices need 32-bit indices");
  EXPECT_FALSE(narrow.mesh);
  LoadedMesh wide = LoadMeshObject(*objects_[0], device_.get(), D3DXMESH_32BIT);
  ASSERT_EQ(wide.code, S_OK) << wide.report.error;
  EXPECT_EQ(Indices(*wide.mesh), (std::vector<DWORD>{0, 65535, 65536}));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST_F(LoadSkinMeshTest, OurExportsSecondTextureSetComesBackFromFvfData) {
  const std::string body = ReadFile(ORTOLIX_SOURCE_DIR "/tests/xwriter/golden/group_mesh.x");
  ASSERT_FALSE(body.empty());
  objects_ = MeshObjectsOf(body);
  ASSERT_EQ(objects_.size(), 2u);
  LoadedMesh front = LoadMeshObject(*objects_[0], device_.get());
  ASSERT_EQ(front.code, S_OK) << front.report.error;
  EXPECT_TRUE(front.report.warnings.empty());
  ASSERT_EQ(front.mesh->GetFVF(), D3DFVF_XYZ | D3DFVF_TEX2);
  // Position, set 0, set 1 of each vertex.
  const std::vector<std::vector<float>> expected = {
      {0, 0, 0, 0, 0, 0.5f, 1}, {1, 0, 0, 1, 0, 0, -2}, {1, 1, -0.5f, 1, 1, 0.25f, 0}};
  for (DWORD v = 0; v < 3; ++v) EXPECT_EQ(FloatsAt(front.mesh->VertexAt(v), 7), expected[v]) << v;
  LoadedMesh back = LoadMeshObject(*objects_[1], device_.get());
  ASSERT_EQ(back.code, S_OK) << back.report.error;
  EXPECT_EQ(back.material_count, 2u);
  EXPECT_EQ(Attributes(*back.mesh), (std::vector<DWORD>{1}));
}

TEST_F(LoadSkinMeshTest, FvfDataAndDeclDataJoinMeshTextureCoordsInFileOrder) {
  const auto bits = [](float f) { return std::to_string(std::bit_cast<DWORD>(f)); };
  const std::string text = Mesh(
      "sets", VectorList({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}) + FaceList({{0, 1, 2}}) +
                  "MeshTextureCoords { 3; 0.0;0.0;, 1.0;0.0;, 1.0;1.0;; }\n"
                  // A normal (not taken) and a float2 texture set, packed per vertex.
                  "DeclData { 2; 2;0;3;0;, 1;0;5;1;; 15;\n" +
                  "0,0,0," + bits(0.25f) + "," + bits(0.5f) + ",\n0,0,0," + bits(0.75f) + ",0,\n0,0,0,0," +
                  bits(-1.0f) + "; }\n" + "FVFData { 258; 6; " + bits(2.0f) + "," + bits(3.0f) + ",0,0,0," +
                  bits(-4.0f) + "; }\n");
  LoadedMesh loaded = Load(text);
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  ASSERT_EQ(loaded.mesh->GetFVF(), D3DFVF_XYZ | (3u << D3DFVF_TEXCOUNT_SHIFT));
  // Sets: MeshTextureCoords, then DeclData, then FVFData.
  EXPECT_EQ(FloatsAt(loaded.mesh->VertexAt(0), 9), (std::vector<float>{0, 0, 0, 0, 0, 0.25f, 0.5f, 2, 3}));
  EXPECT_EQ(FloatsAt(loaded.mesh->VertexAt(2), 9), (std::vector<float>{1, 1, 0, 1, 1, 0, -1, 0, -4}));
  ASSERT_EQ(loaded.report.warnings.size(), 1u);
  EXPECT_EQ(loaded.report.warnings[0].code, MeshWarningCode::kExtraVertexDataIgnored);
  EXPECT_EQ(loaded.report.warnings[0].object, "Mesh 'sets' > DeclData");
}

std::vector<DWORD> InfluenceVertices(const ID3DXSkinInfo& skin, DWORD bone) {
  std::vector<DWORD> out(skin.GetNumBoneInfluences(bone));
  EXPECT_EQ(skin.GetBoneInfluence(bone, out.data(), nullptr), S_OK);
  return out;
}

TEST_F(LoadSkinMeshTest, SkinInformationCoversTheCopiesMadeForNormals) {
  LoadedMesh loaded = Load(SkinnedCube());
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  ID3DXSkinInfo& skin = *loaded.skin;
  ASSERT_EQ(skin.GetNumBones(), 2u);
  EXPECT_EQ(skin.GetNumVertices(), 24u);
  EXPECT_EQ(skin.GetFVF(), loaded.mesh->GetFVF());
  EXPECT_STREQ(skin.GetBoneName(0), "Low");
  EXPECT_STREQ(skin.GetBoneName(1), "High");
  EXPECT_EQ(skin.GetBoneOffsetMatrix(1)->m[3][1], -1.0f);
  // File order, then the copies of each influenced vertex: 0 (8, 16),
  // 1 (9, 20), 4 (11, 17), 5 (10, 23), 2 (15, 21).
  EXPECT_EQ(InfluenceVertices(skin, 0), (std::vector<DWORD>{0, 1, 4, 5, 2, 8, 16, 9, 20, 11, 17, 10, 23, 15, 21}));
  std::vector<DWORD> vertices(skin.GetNumBoneInfluences(1));
  std::vector<float> weights(vertices.size());
  ASSERT_EQ(skin.GetBoneInfluence(1, vertices.data(), weights.data()), S_OK);
  EXPECT_EQ(vertices, (std::vector<DWORD>{2, 3, 6, 7, 15, 21, 12, 19, 14, 22, 13, 18}));
  EXPECT_EQ(weights, (std::vector<float>{0.75f, 1, 1, 1, 0.75f, 0.75f, 1, 1, 1, 1, 1, 1}));
}

// Positions and normals (6 floats per vertex) after skinning with bone
// matrix = offset x world, as the import poses a mesh.
std::vector<float> Pose(const LoadedMesh& loaded, const D3DXMATRIX (&world)[2]) {
  D3DXMATRIX bones[2];
  for (DWORD b = 0; b < 2; ++b) D3DXMatrixMultiply(&bones[b], loaded.skin->GetBoneOffsetMatrix(b), &world[b]);
  const DWORD stride = loaded.mesh->GetNumBytesPerVertex();
  std::vector<std::byte> posed(std::size_t(loaded.mesh->GetNumVertices()) * stride);
  EXPECT_EQ(loaded.skin->UpdateSkinnedMesh(bones, nullptr, loaded.mesh->VertexAt(0), posed.data()), S_OK);
  std::vector<float> out;
  for (DWORD v = 0; v < loaded.mesh->GetNumVertices(); ++v) {
    const std::vector<float> vertex = FloatsAt(posed.data() + std::size_t(v) * stride, 6);
    out.insert(out.end(), vertex.begin(), vertex.end());
  }
  return out;
}

std::vector<float> PosedVertex(const std::vector<float>& posed, DWORD v) {
  return {posed.begin() + 6 * v, posed.begin() + 6 * v + 6};
}

TEST_F(LoadSkinMeshTest, PosingWithAKnownBoneTransform) {
  LoadedMesh loaded = Load(SkinnedCube());
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  // "High" turned +90 degrees about z ((x, y, z) -> (-y, x, z)) with its
  // joint at (0, 1, 0); "Low" in its bind pose.
  D3DXMATRIX turn = Translation(0, 1, 0);
  turn.m[0][0] = 0;
  turn.m[0][1] = 1;
  turn.m[1][0] = -1;
  turn.m[1][1] = 0;
  const D3DXMATRIX world[2] = {Translation(0, -1, 0), turn};
  const std::vector<float> posed = Pose(loaded, world);
  // Corner 6 (1, 1, 1): offset (1, 0, 1), turned (0, 1, 1), joint (0, 2, 1).
  // Its front normal stays; its copies' top and right normals turn.
  EXPECT_EQ(PosedVertex(posed, 6), (std::vector<float>{0, 2, 1, 0, 0, 1}));
  EXPECT_EQ(PosedVertex(posed, 14), (std::vector<float>{0, 2, 1, -1, 0, 0}));
  EXPECT_EQ(PosedVertex(posed, 22), (std::vector<float>{0, 2, 1, 0, 1, 0}));
  // Corner 3 (-1, 1, -1): (-1, 0, -1) -> (0, -1, -1) -> (0, 0, -1).
  EXPECT_EQ(PosedVertex(posed, 3), (std::vector<float>{0, 0, -1, 0, 0, -1}));
  // Corner 2 (1, 1, -1): 0.25 x (1, 1, -1) + 0.75 x (0, 2, -1); its right
  // copy's normal 0.25 x (1, 0, 0) + 0.75 x (0, 1, 0), not renormalised.
  EXPECT_EQ(PosedVertex(posed, 2), (std::vector<float>{0.25f, 1.75f, -1, 0, 0, -1}));
  EXPECT_EQ(PosedVertex(posed, 21), (std::vector<float>{0.25f, 1.75f, -1, 0.25f, 0.75f, 0}));
  // A bottom corner stays.
  EXPECT_EQ(PosedVertex(posed, 0), FloatsAt(loaded.mesh->VertexAt(0), 6));
}

TEST_F(LoadSkinMeshTest, RemapAfterReversingTheVerticesFollowsThem) {
  LoadedMesh loaded = Load(SkinnedCube());
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  DWORD reversed[24];
  for (DWORD k = 0; k < 24; ++k) reversed[k] = 23 - k;
  ASSERT_EQ(loaded.skin->Remap(24, reversed), S_OK);
  EXPECT_EQ(InfluenceVertices(*loaded.skin, 0),
            (std::vector<DWORD>{23, 22, 19, 18, 21, 15, 7, 14, 3, 12, 6, 13, 0, 8, 2}));
  EXPECT_EQ(loaded.skin->GetNumVertices(), 24u);
}

struct FailureCase {
  const char* label;
  std::string text;
  HRESULT code;
  const char* message;  // the whole message: mesh, object and fault
};

class LoadFailureTest : public LoadSkinMeshTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(LoadFailureTest, FailsWithItsCodeAndAMessageNamingMeshObjectAndFault) {
  LoadedMesh loaded = Load(GetParam().text);
  EXPECT_EQ(loaded.code, GetParam().code);
  EXPECT_EQ(loaded.report.code, GetParam().code);
  EXPECT_EQ(loaded.report.error, GetParam().message);
  EXPECT_FALSE(loaded.mesh);
  EXPECT_FALSE(loaded.adjacency);
  EXPECT_FALSE(loaded.materials);
  EXPECT_FALSE(loaded.skin);
  EXPECT_EQ(loaded.material_count, 0u);
}

const std::string kTriangle = VectorList({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
const std::string kTwoTriangles = kTriangle + FaceList({{0, 1, 2}, {2, 1, 0}});
const std::string kSkinHeader = "XSkinMeshHeader { 1; 1; 1; }\n";
const std::string kBoneWeights =
    "SkinWeights { \"Bone\"; 1; 0; 1.0; 1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;; }\n";

INSTANTIATE_TEST_SUITE_P(
    EveryFault, LoadFailureTest,
    ::testing::Values(
        FailureCase{"Empty", Mesh("e", "0;;\n0;;\n"), D3DXERR_LOADEDMESHASNODATA, "Mesh 'e': no vertices and no faces"},
        FailureCase{"NoFaces", Mesh("n", kTriangle + "0;;\n"), D3DERR_INVALIDCALL, "Mesh 'n': 3 vertices but no faces"},
        FailureCase{"TwoCorners", Mesh("t", kTriangle + FaceList({{0, 1}})), D3DXERR_INVALIDDATA,
                    "Mesh 't': face 0 has 2 corners"},
        FailureCase{"VertexOutOfRange", Mesh("", kTriangle + FaceList({{0, 1, 2}, {0, 1, 3}})), D3DXERR_INVALIDDATA,
                    "Mesh (unnamed): face 1 uses vertex 3 of 3"},
        FailureCase{"NormalFaceCount",
                    Mesh("m", kTwoTriangles + "MeshNormals {\n" + VectorList({{0, 0, 1}}) + FaceList({{0, 0, 0}}) + "}\n"),
                    D3DXERR_INVALIDDATA, "Mesh 'm' > MeshNormals: 1 normal faces for 2 faces"},
        FailureCase{"NormalCornerCount",
                    Mesh("m", kTwoTriangles + "MeshNormals {\n" + VectorList({{0, 0, 1}}) +
                                  FaceList({{0, 0, 0}, {0, 0, 0, 0}}) + "}\n"),
                    D3DXERR_INVALIDDATA, "Mesh 'm' > MeshNormals: normal face 1 has 4 indices for 3 corners"},
        FailureCase{"NormalIndex",
                    Mesh("m", kTwoTriangles + "MeshNormals {\n" + VectorList({{0, 0, 1}}) +
                                  FaceList({{0, 0, 0}, {0, 1, 0}}) + "}\n"),
                    D3DXERR_INVALIDDATA, "Mesh 'm' > MeshNormals: normal index 1 of 1"},
        FailureCase{"MoreTextureCoords",
                    Mesh("m", kTwoTriangles + "MeshTextureCoords { 4; 0.0;0.0;, 0.0;0.0;, 0.0;0.0;, 0.0;0.0;; }\n"),
                    D3DXERR_INVALIDDATA, "Mesh 'm' > MeshTextureCoords: 4 coordinates for 3 vertices"},
        FailureCase{"ColourVertex",
                    Mesh("m", kTwoTriangles + "MeshVertexColors { 1; 3; 1.0;1.0;1.0;1.0;;; }\n"),
                    D3DXERR_INVALIDDATA, "Mesh 'm' > MeshVertexColors: colour for vertex 3 of 3"},
        FailureCase{"MaterialIndexCount",
                    Mesh("m", kTriangle + FaceList({{0, 1, 2}, {2, 1, 0}, {0, 2, 1}}) +
                                  "MeshMaterialList { 1; 2; 0, 0;;\n" + MaterialText("A", "1;1;1;1") + "}\n"),
                    D3DXERR_INVALIDDATA, "Mesh 'm' > MeshMaterialList: 2 face indexes for 3 faces"},
        FailureCase{"MaterialIndex",
                    Mesh("m", kTwoTriangles + "MeshMaterialList { 1; 2; 0, 1;;\n" + MaterialText("A", "1;1;1;1") + "}\n"),
                    D3DXERR_INVALIDDATA, "Mesh 'm' > MeshMaterialList: face 1 uses material 1 of 1"},
        // A count far beyond what the faces could use is not filled in.
        FailureCase{"MaterialObjects",
                    Mesh("m", kTwoTriangles + "MeshMaterialList { 70000; 2; 0, 1;;\n" + MaterialText("A", "1;1;1;1") + "}\n"),
                    D3DXERR_INVALIDDATA, "Mesh 'm' > MeshMaterialList: 1 Material objects for 70000 materials"},
        FailureCase{"SecondSkinHeader", Mesh("s", kTwoTriangles + kSkinHeader + kSkinHeader + kBoneWeights),
                    D3DXERR_INVALIDDATA, "Mesh 's' > XSkinMeshHeader: a second XSkinMeshHeader"},
        FailureCase{"SkinWeightsBeforeHeader", Mesh("s", kTwoTriangles + kBoneWeights + kSkinHeader),
                    D3DXERR_INVALIDDATA, "Mesh 's' > SkinWeights #0: comes before XSkinMeshHeader"},
        FailureCase{"SkinWeightsCount", Mesh("s", kTwoTriangles + "XSkinMeshHeader { 1; 1; 2; }\n" + kBoneWeights),
                    D3DXERR_INVALIDDATA, "Mesh 's' > XSkinMeshHeader: 1 SkinWeights for 2 bones"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.label); });

TEST_F(LoadSkinMeshTest, OneMaterialIndexForAllFacesIsToleratedWithAWarning) {
  LoadedMesh loaded = Load(Mesh("m", kTwoTriangles + "MeshMaterialList { 2; 1; 1;;\n" + MaterialText("A", "1;1;1;1") +
                                         MaterialText("B", "0;0;0;1") + "}\n"));
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  EXPECT_EQ(Attributes(*loaded.mesh), (std::vector<DWORD>{1, 1}));
  ASSERT_EQ(loaded.report.warnings.size(), 1u);
  EXPECT_EQ(loaded.report.warnings[0].code, MeshWarningCode::kSingleMaterialIndex);
  EXPECT_EQ(loaded.report.warnings[0].object, "Mesh 'm' > MeshMaterialList");
}

TEST_F(LoadSkinMeshTest, MaterialChildrenBeyondOrShortOfTheCountAreRepairedWithAWarning) {
  struct Case {
    const char* label;
    std::string list;
    DWORD count;
    MeshWarningCode warning;
    const char* message;
  };
  const Case cases[] = {
      {"more children", "MeshMaterialList { 1; 2; 0, 0;;\n" + MaterialText("A", "0;1;0;1") +
                            MaterialText("B", "0;0;1;1") + "}\n",
       1, MeshWarningCode::kExtraMaterials, "2 Material objects for 1 materials; the first 1 are used"},
      {"fewer children", "MeshMaterialList { 3; 2; 0, 2;;\n" + MaterialText("A", "0;1;0;1") + "}\n", 3,
       MeshWarningCode::kMissingMaterials, "1 Material objects for 3 materials; the rest are white"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    LoadedMesh loaded = Load(Mesh("m", kTwoTriangles + c.list));
    ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
    ASSERT_EQ(loaded.material_count, c.count);
    const auto* records = static_cast<const D3DXMATERIAL*>(loaded.materials->GetBufferPointer());
    EXPECT_EQ(records[0].MatD3D.Diffuse.g, 1.0f);
    EXPECT_EQ(records[0].MatD3D.Diffuse.b, 0.0f);
    for (DWORD i = 1; i < c.count; ++i) {
      const D3DMATERIAL9& white = records[i].MatD3D;
      EXPECT_EQ(std::vector<float>(&white.Diffuse.r, &white.Power + 1),
                (std::vector<float>{1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0}));
      EXPECT_EQ(records[i].pTextureFilename, nullptr);
    }
    ASSERT_EQ(loaded.report.warnings.size(), 1u);
    EXPECT_EQ(loaded.report.warnings[0].code, c.warning);
    EXPECT_EQ(loaded.report.warnings[0].object, "Mesh 'm' > MeshMaterialList");
    EXPECT_EQ(loaded.report.warnings[0].message, c.message);
  }
}

TEST_F(LoadSkinMeshTest, FewerCoordinatesAndColoursThanVerticesAreToleratedWithWarnings) {
  LoadedMesh loaded = Load(Mesh("m", kTwoTriangles +
                                         "MeshTextureCoords { 2; 0.5;0.25;, 1.0;0.75;; }\n"
                                         "MeshVertexColors { 2; 0; 0.0;0.0;1.0;0.1;;, 1; 1.0;1.0;1.0;0.7;;; }\n"));
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  ASSERT_EQ(loaded.mesh->GetFVF(), D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
  DWORD colour[3];
  for (DWORD v = 0; v < 3; ++v) std::memcpy(&colour[v], loaded.mesh->VertexAt(v) + 12, 4);
  EXPECT_EQ(colour[0], 0x1A0000FFu);
  EXPECT_EQ(colour[1], 0xB3FFFFFFu);
  EXPECT_EQ(colour[2], 0x00FFFFFFu);
  EXPECT_EQ(FloatsAt(loaded.mesh->VertexAt(0) + 16, 2), (std::vector<float>{0.5f, 0.25f}));
  EXPECT_EQ(FloatsAt(loaded.mesh->VertexAt(2) + 16, 2), (std::vector<float>{0, 0}));
  ASSERT_EQ(loaded.report.warnings.size(), 2u);
  EXPECT_EQ(loaded.report.warnings[0].code, MeshWarningCode::kFewerTextureCoords);
  EXPECT_EQ(loaded.report.warnings[1].code, MeshWarningCode::kFewerVertexColours);
}

TEST_F(LoadSkinMeshTest, ADataObjectThatIsNotAMeshIsRefused) {
  const std::string text = kTextHeader + std::string("Frame f { }\n");
  const D3DXF_FILELOADMEMORY memory{text.data(), text.size()};
  ComRef<ID3DXFileEnumObject> file;
  ASSERT_EQ(OpenXFileWithStandardTemplates(&memory, D3DXF_FILELOAD_FROMMEMORY, file.Out(), nullptr), S_OK);
  ComRef<ID3DXFileData> frame;
  ASSERT_EQ(file->GetChild(0, frame.Out()), S_OK);
  LoadedMesh loaded = LoadMeshObject(*frame, device_.get());
  EXPECT_EQ(loaded.code, D3DERR_INVALIDCALL);
  EXPECT_FALSE(loaded.mesh);
}

TEST(MeshWalkTest, VisitsNestedMeshesInFileOrderAndSkipsReferences) {
  const std::string triangle = kTriangle + FaceList({{0, 1, 2}});
  const std::vector<ComRef<ID3DXFileData>> meshes = MeshObjectsOf(
      Mesh("top", triangle) + "Frame a {\n" + Mesh("first", triangle) + "Frame b {\n" + Mesh("deep", triangle) +
      "}\n { top }\n" + Mesh("second", triangle) + "}\n");
  std::vector<std::string> names;
  for (const ComRef<ID3DXFileData>& mesh : meshes) {
    std::string name;
    ASSERT_EQ(xof_detail::ReadName(*mesh, name), S_OK);
    names.push_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"top", "first", "deep", "second"}));
}

}  // namespace
}  // namespace ortolix::test
