#include "platform/d3dx/mesh_build.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/d3dx/d3dx_math.h"
#include "platform/d3dx/fvf.h"
#include "tests/d3dx/test_device.h"

namespace ortolix {
namespace {

using testing::MakeTestDevice;

MeshPolygons Polygons(std::initializer_list<std::initializer_list<DWORD>> polygons) {
  MeshPolygons out;
  for (auto polygon : polygons) {
    out.corner_counts.push_back(DWORD(polygon.size()));
    out.indices.insert(out.indices.end(), polygon);
  }
  return out;
}

// The cube of eight corners with one (unnormalised) normal per side.
MeshSource Cube() {
  MeshSource cube;
  cube.name = "cube";
  cube.positions = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1},
                    {-1, -1, 1},  {1, -1, 1},  {1, 1, 1},  {-1, 1, 1}};
  cube.faces = Polygons({{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {3, 7, 6, 2}, {0, 4, 7, 3}, {1, 2, 6, 5}});
  MeshNormalsSource normals;
  normals.normals = {{0, 0, -2}, {0, 0, 1}, {0, -1, 0}, {0, 3, 0}, {-1, 0, 0}, {1, 0, 0}};
  normals.faces = Polygons({{0, 0, 0, 0}, {1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}, {4, 4, 4, 4}, {5, 5, 5, 5}});
  cube.normals = normals;
  return cube;
}

struct Loaded {
  ComRef<ID3DXMesh> mesh;
  ComRef<ID3DXBuffer> adjacency;
  ComRef<ID3DXBuffer> materials;
  DWORD material_count = 99;
  ComRef<ID3DXSkinInfo> skin;
  MeshLoadReport report;
  HRESULT code = E_FAIL;
};

class MeshBuildTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(device_); }
  Loaded Load(const MeshSource& source, DWORD options = D3DXMESH_32BIT) {
    Loaded out;
    SkinMeshOutputs outputs{out.adjacency.Out(), out.materials.Out(), &out.material_count,
                            out.skin.Out(), out.mesh.Out()};
    out.code = BuildSkinMesh(source, options, device_.get(), outputs, out.report);
    return out;
  }
  ComRef<IDirect3DDevice9> device_ = MakeTestDevice();
};

std::vector<DWORD> Indices(ID3DXMesh& mesh) {
  std::vector<DWORD> out(std::size_t(mesh.GetNumFaces()) * 3);
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = mesh.IndexAt(i);
  return out;
}

std::vector<float> Floats(const std::byte* at, std::size_t count) {
  std::vector<float> out(count);
  std::memcpy(out.data(), at, count * sizeof(float));
  return out;
}

TEST_F(MeshBuildTest, CubeWithSideNormalsGets24VerticesInFirstUseOrder) {
  Loaded loaded = Load(Cube());
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  ID3DXMesh& mesh = *loaded.mesh;
  EXPECT_EQ(mesh.GetFVF(), D3DFVF_XYZ | D3DFVF_NORMAL);
  ASSERT_EQ(mesh.GetNumVertices(), 24u);
  EXPECT_EQ(mesh.GetNumFaces(), 12u);
  // Side 2 (0,1,5,4) is the first to need copies: 8..11; then side 3, 4, 5.
  const DWORD original_of[24] = {0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 5, 4, 3, 7, 6, 2, 0, 4, 7, 3, 1, 2, 6, 5};
  const MeshSource cube = Cube();
  for (DWORD v = 0; v < 24; ++v) {
    const Vec3& p = cube.positions[original_of[v]];
    EXPECT_EQ(Floats(mesh.VertexAt(v), 3), (std::vector<float>{p.x, p.y, p.z})) << v;
  }
  EXPECT_EQ(Floats(mesh.VertexAt(0) + 12, 3), (std::vector<float>{0, 0, -1}));  // normalised
  EXPECT_EQ(Floats(mesh.VertexAt(4) + 12, 3), (std::vector<float>{0, 0, 1}));
  EXPECT_EQ(Floats(mesh.VertexAt(12) + 12, 3), (std::vector<float>{0, 1, 0}));
  EXPECT_EQ(Floats(mesh.VertexAt(23) + 12, 3), (std::vector<float>{1, 0, 0}));
  const std::vector<DWORD> indices = Indices(mesh);
  EXPECT_EQ(std::vector<DWORD>(indices.begin(), indices.begin() + 12),
            (std::vector<DWORD>{0, 3, 2, 0, 2, 1, 4, 5, 6, 4, 6, 7}));
  EXPECT_EQ(std::vector<DWORD>(indices.begin() + 12, indices.begin() + 18),
            (std::vector<DWORD>{8, 9, 10, 8, 10, 11}));
  // Copies at equal positions keep the surface closed: every edge has a neighbour.
  const auto* adjacency = static_cast<const DWORD*>(loaded.adjacency->GetBufferPointer());
  ASSERT_EQ(loaded.adjacency->GetBufferSize(), 12u * 3u * 4u);
  for (int i = 0; i < 36; ++i) EXPECT_NE(adjacency[i], kD3DXNoNeighbour) << i;
  // Edge 3->2 of triangle 0 (0,3,2) meets side 3's second triangle (12,14,15),
  // whose edge 15->12 runs from copy-of-2 to copy-of-3.
  EXPECT_EQ(adjacency[1], 7u);
  EXPECT_EQ(loaded.material_count, 0u);
  EXPECT_FALSE(loaded.materials);
  ASSERT_TRUE(loaded.skin);
  EXPECT_EQ(loaded.skin->GetNumBones(), 0u);
  EXPECT_EQ(loaded.skin->GetFVF(), mesh.GetFVF());
}

TEST_F(MeshBuildTest, PolygonsAreFannedFromTheirFirstCornerInFileOrder) {
  MeshSource source;
  source.positions.resize(7);
  for (int i = 0; i < 7; ++i) source.positions[i] = {float(i), float(i * i), 0};
  source.faces = Polygons({{0, 1, 3, 2}, {6, 5, 4, 3, 2}, {1, 2, 0}});
  Loaded loaded = Load(source, 0);
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  EXPECT_EQ(loaded.mesh->GetFVF(), D3DFVF_XYZ);
  EXPECT_EQ(loaded.mesh->GetOptions() & D3DXMESH_32BIT, 0u);
  // Triangles = (4 - 2) + (5 - 2) + (3 - 2).
  EXPECT_EQ(Indices(*loaded.mesh),
            (std::vector<DWORD>{0, 1, 3, 0, 3, 2, 6, 5, 4, 6, 4, 3, 6, 3, 2, 1, 2, 0}));
}

TEST_F(MeshBuildTest, SixteenAndThirtyTwoBitIndicesHoldTheSameTriangles) {
  MeshSource source;
  source.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  source.faces = Polygons({{0, 1, 2, 3}});
  Loaded narrow = Load(source, 0);
  Loaded wide = Load(source, D3DXMESH_32BIT);
  ASSERT_EQ(narrow.code, S_OK);
  ASSERT_EQ(wide.code, S_OK);
  EXPECT_EQ(Indices(*narrow.mesh), Indices(*wide.mesh));
  void* data = nullptr;
  ASSERT_EQ(narrow.mesh->LockIndexBuffer(D3DLOCK_READONLY, &data), S_OK);
  const std::uint16_t expected[] = {0, 1, 2, 0, 2, 3};
  EXPECT_EQ(std::memcmp(data, expected, sizeof expected), 0);
  ASSERT_EQ(narrow.mesh->UnlockIndexBuffer(), S_OK);
}

TEST_F(MeshBuildTest, SixteenBitIndicesCannotHoldMoreThan65535Vertices) {
  MeshSource source;
  source.name = "big";
  source.positions.resize(65536);
  source.faces = Polygons({{0, 1, 65535}});
  Loaded narrow = Load(source, 0);
  EXPECT_EQ(narrow.code, D3DERR_INVALIDCALL);
  EXPECT_EQ(narrow.report.error.rfind("Mesh 'big': ", 0), 0u) << narrow.report.error;
  EXPECT_FALSE(narrow.mesh);
  Loaded wide = Load(source, D3DXMESH_32BIT);
  ASSERT_EQ(wide.code, S_OK);
  EXPECT_EQ(wide.mesh->IndexAt(2), 65535u);
}

MaterialSource Material(const char* name, float red, std::optional<std::string> texture = {}) {
  MaterialSource m{};
  m.name = name;
  m.face_colour[0] = red;
  m.face_colour[3] = 0.5f;
  m.power = 8.0f;
  m.specular[1] = 0.25f;
  m.emissive[2] = 0.125f;
  m.texture = std::move(texture);
  return m;
}

TEST_F(MeshBuildTest, MaterialsPerPolygonSurviveTheStableSort) {
  MeshSource source;
  source.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}};
  source.faces = Polygons({{0, 1, 2, 3}, {1, 4, 2}, {0, 2, 3}});
  MaterialListSource list;
  list.material_count = 2;
  list.face_indexes = {1, 0, 1};
  list.materials = {Material("Wood", 1.0f, "wood.bmp"), Material("Stone", 0.5f)};
  source.material_list = list;
  Loaded loaded = Load(source);
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  EXPECT_EQ(loaded.material_count, 2u);
  DWORD* ids = nullptr;
  ASSERT_EQ(loaded.mesh->LockAttributeBuffer(D3DLOCK_READONLY, &ids), S_OK);
  EXPECT_EQ(std::vector<DWORD>(ids, ids + 4), (std::vector<DWORD>{1, 1, 0, 1}));
  ASSERT_EQ(loaded.mesh->UnlockAttributeBuffer(), S_OK);

  std::vector<DWORD> face_remap(4);
  ComRef<ID3DXMesh> sorted;
  ASSERT_EQ(loaded.mesh->Optimize(D3DXMESHOPT_ATTRSORT,
                                  static_cast<DWORD*>(loaded.adjacency->GetBufferPointer()), nullptr,
                                  face_remap.data(), nullptr, sorted.Out()),
            S_OK);
  EXPECT_EQ(face_remap, (std::vector<DWORD>{2, 0, 1, 3}));
  D3DXATTRIBUTERANGE table[2];
  DWORD count = 0;
  ASSERT_EQ(sorted->GetAttributeTable(nullptr, &count), S_OK);
  ASSERT_EQ(count, 2u);
  ASSERT_EQ(sorted->GetAttributeTable(table, &count), S_OK);
  EXPECT_EQ(table[0].AttribId, 0u);
  EXPECT_EQ(table[0].FaceCount, 1u);
  EXPECT_EQ(table[1].FaceStart, 1u);
  EXPECT_EQ(table[1].FaceCount, 3u);

  const auto* materials = static_cast<const D3DXMATERIAL*>(loaded.materials->GetBufferPointer());
  EXPECT_EQ(materials[0].MatD3D.Diffuse.r, 1.0f);
  EXPECT_EQ(materials[0].MatD3D.Diffuse.a, 0.5f);
  EXPECT_EQ(materials[0].MatD3D.Ambient.a, 1.0f);
  EXPECT_EQ(materials[0].MatD3D.Ambient.r, 0.0f);
  EXPECT_EQ(materials[0].MatD3D.Specular.g, 0.25f);
  EXPECT_EQ(materials[0].MatD3D.Specular.a, 1.0f);
  EXPECT_EQ(materials[0].MatD3D.Emissive.b, 0.125f);
  EXPECT_EQ(materials[0].MatD3D.Power, 8.0f);
  ASSERT_NE(materials[0].pTextureFilename, nullptr);
  EXPECT_STREQ(materials[0].pTextureFilename, "wood.bmp");
  // The name lives inside the buffer, after the records.
  const auto* begin = static_cast<const char*>(loaded.materials->GetBufferPointer());
  EXPECT_GE(materials[0].pTextureFilename, begin + 2 * sizeof(D3DXMATERIAL));
  EXPECT_LT(materials[0].pTextureFilename, begin + loaded.materials->GetBufferSize());
  EXPECT_EQ(materials[1].pTextureFilename, nullptr);
}

TEST_F(MeshBuildTest, OneMaterialIndexForAllFacesIsToleratedWithAWarning) {
  MeshSource source;
  source.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  source.faces = Polygons({{0, 1, 2}, {0, 2, 3}});
  MaterialListSource list;
  list.material_count = 2;
  list.face_indexes = {1};
  list.materials = {Material("A", 1), Material("B", 0)};
  source.material_list = list;
  Loaded loaded = Load(source);
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  ASSERT_EQ(loaded.report.warnings.size(), 1u);
  EXPECT_EQ(loaded.report.warnings[0].code, MeshWarningCode::kSingleMaterialIndex);
  DWORD* ids = nullptr;
  ASSERT_EQ(loaded.mesh->LockAttributeBuffer(D3DLOCK_READONLY, &ids), S_OK);
  EXPECT_EQ(ids[0], 1u);
  EXPECT_EQ(ids[1], 1u);
  ASSERT_EQ(loaded.mesh->UnlockAttributeBuffer(), S_OK);
}

TEST_F(MeshBuildTest, ColoursAndTextureSetsWithTheirDefaults) {
  MeshSource source;
  source.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
  source.faces = Polygons({{0, 1, 2}});
  source.colours = std::vector<IndexedColourSource>{{0, 0, 0, 1, 0.1f}, {1, 1, 1, 1, 0.7f}};
  TextureSetSource coords;
  coords.count = 2;
  coords.values = {0.5f, 0.25f, 1, 1};
  source.texture_coords = coords;
  TextureSetSource second;
  second.count = 3;
  second.values = {7, 8, 9, 10, 11, 12};
  source.extra_texture_sets.push_back(second);
  Loaded loaded = Load(source);
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  EXPECT_EQ(loaded.mesh->GetFVF(), D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX2);
  ASSERT_EQ(loaded.report.warnings.size(), 2u);
  EXPECT_EQ(loaded.report.warnings[0].code, MeshWarningCode::kFewerTextureCoords);
  EXPECT_EQ(loaded.report.warnings[1].code, MeshWarningCode::kFewerVertexColours);
  std::uint32_t colour[3];
  for (DWORD v = 0; v < 3; ++v) std::memcpy(&colour[v], loaded.mesh->VertexAt(v) + 12, 4);
  EXPECT_EQ(colour[0], 0x1A0000FFu);
  EXPECT_EQ(colour[1], 0xB3FFFFFFu);
  EXPECT_EQ(colour[2], 0x00FFFFFFu);
  EXPECT_EQ(Floats(loaded.mesh->VertexAt(1) + 16, 4), (std::vector<float>{1, 1, 9, 10}));
  EXPECT_EQ(Floats(loaded.mesh->VertexAt(2) + 16, 4), (std::vector<float>{0, 0, 11, 12}));
}

struct FailureCase {
  const char* label;
  void (*spoil)(MeshSource&);
  HRESULT code;
  const char* object;  // the path the message starts with
};

MeshSource Quad() {
  MeshSource quad;
  quad.name = "quad";
  quad.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  quad.faces = Polygons({{0, 1, 2, 3}});
  return quad;
}

class MeshFailureTest : public MeshBuildTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(MeshFailureTest, FailsWithItsCodeAndNamesTheObject) {
  MeshSource source = Quad();
  GetParam().spoil(source);
  Loaded loaded = Load(source);
  EXPECT_EQ(loaded.code, GetParam().code);
  EXPECT_EQ(loaded.report.code, GetParam().code);
  EXPECT_EQ(loaded.report.error.rfind(std::string(GetParam().object) + ": ", 0), 0u) << loaded.report.error;
  EXPECT_FALSE(loaded.mesh);
  EXPECT_FALSE(loaded.adjacency);
  EXPECT_FALSE(loaded.skin);
  EXPECT_EQ(loaded.material_count, 0u);
}

MaterialListSource TwoMaterials(std::vector<DWORD> indexes) {
  MaterialListSource list;
  list.material_count = 2;
  list.face_indexes = std::move(indexes);
  list.materials = {Material("A", 1), Material("B", 0)};
  return list;
}

INSTANTIATE_TEST_SUITE_P(
    EveryFault, MeshFailureTest,
    ::testing::Values(
        FailureCase{"Empty", [](MeshSource& s) { s.positions.clear(); s.faces = {}; },
                    D3DXERR_LOADEDMESHASNODATA, "Mesh 'quad'"},
        FailureCase{"NoFaces", [](MeshSource& s) { s.faces = {}; }, D3DERR_INVALIDCALL, "Mesh 'quad'"},
        FailureCase{"TwoCorners", [](MeshSource& s) { s.faces = Polygons({{0, 1}}); },
                    D3DXERR_INVALIDDATA, "Mesh 'quad'"},
        FailureCase{"VertexOutOfRange", [](MeshSource& s) { s.faces = Polygons({{0, 1, 4}}); },
                    D3DXERR_INVALIDDATA, "Mesh 'quad'"},
        FailureCase{"NormalFaceCount",
                    [](MeshSource& s) { s.normals = MeshNormalsSource{{{0, 0, 1}}, Polygons({})}; },
                    D3DXERR_INVALIDDATA, "Mesh 'quad' > MeshNormals"},
        FailureCase{"NormalCornerCount",
                    [](MeshSource& s) { s.normals = MeshNormalsSource{{{0, 0, 1}}, Polygons({{0, 0, 0}})}; },
                    D3DXERR_INVALIDDATA, "Mesh 'quad' > MeshNormals"},
        FailureCase{"NormalIndex",
                    [](MeshSource& s) { s.normals = MeshNormalsSource{{{0, 0, 1}}, Polygons({{0, 0, 1, 0}})}; },
                    D3DXERR_INVALIDDATA, "Mesh 'quad' > MeshNormals"},
        FailureCase{"MoreTextureCoords",
                    [](MeshSource& s) { s.texture_coords = TextureSetSource{2, 5, std::vector<float>(10)}; },
                    D3DXERR_INVALIDDATA, "Mesh 'quad' > MeshTextureCoords"},
        FailureCase{"ColourVertex",
                    [](MeshSource& s) { s.colours = std::vector<IndexedColourSource>{{4, 1, 1, 1, 1}}; },
                    D3DXERR_INVALIDDATA, "Mesh 'quad' > MeshVertexColors"},
        FailureCase{"MaterialIndexCount",
                    [](MeshSource& s) { s.faces = Polygons({{0, 1, 2}, {0, 2, 3}, {1, 2, 3}}); s.material_list = TwoMaterials({0, 1}); },
                    D3DXERR_INVALIDDATA, "Mesh 'quad' > MeshMaterialList"},
        FailureCase{"MaterialIndex", [](MeshSource& s) { s.material_list = TwoMaterials({2}); },
                    D3DXERR_INVALIDDATA, "Mesh 'quad' > MeshMaterialList"},
        FailureCase{"MaterialObjects",
                    [](MeshSource& s) { s.material_list = TwoMaterials({0}); s.material_list->materials.pop_back(); },
                    D3DXERR_INVALIDDATA, "Mesh 'quad' > MeshMaterialList"},
        FailureCase{"SkinWeightsCount", [](MeshSource& s) { s.skin_bone_count = 2; },
                    D3DXERR_INVALIDDATA, "Mesh 'quad' > XSkinMeshHeader"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.label); });

TEST_F(MeshBuildTest, MaterialListWithNoMaterialsGivesCountZero) {
  MeshSource source = Quad();
  MaterialListSource list;
  list.face_indexes = {5};
  source.material_list = list;
  Loaded loaded = Load(source);
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  EXPECT_EQ(loaded.material_count, 0u);
  EXPECT_FALSE(loaded.materials);
}

D3DXMATRIX Translation(float x, float y, float z) {
  D3DXMATRIX m = D3DXIdentityMatrix();
  m.m[3][0] = x;
  m.m[3][1] = y;
  m.m[3][2] = z;
  return m;
}

// The cube skinned to two bones: "Low" holds the bottom corners, "High" the
// top ones, with copies made for the side normals.
MeshSource SkinnedCube() {
  MeshSource cube = Cube();
  cube.skin_bone_count = 2;
  cube.skin_weights.push_back({"Low", {0, 1, 4, 5}, {1, 1, 1, 1}, Translation(0, 1, 0)});
  cube.skin_weights.push_back({"High", {2, 3, 6, 7}, {1, 1, 1, 1}, Translation(0, -1, 0)});
  return cube;
}

TEST_F(MeshBuildTest, CopiesCarryTheInfluencesOfTheirOriginal) {
  Loaded loaded = Load(SkinnedCube());
  ASSERT_EQ(loaded.code, S_OK) << loaded.report.error;
  ID3DXSkinInfo& skin = *loaded.skin;
  EXPECT_EQ(skin.GetNumBones(), 2u);
  EXPECT_EQ(skin.GetNumVertices(), 24u);
  EXPECT_STREQ(skin.GetBoneName(1), "High");
  EXPECT_EQ(skin.GetBoneOffsetMatrix(0)->m[3][1], 1.0f);
  std::vector<DWORD> vertices(skin.GetNumBoneInfluences(0));
  ASSERT_EQ(vertices.size(), 12u);
  ASSERT_EQ(skin.GetBoneInfluence(0, vertices.data(), nullptr), S_OK);
  // File order first, then the copies of 0 (8, 16), 1 (9, 20), 4 (11, 17), 5 (10, 23).
  EXPECT_EQ(vertices, (std::vector<DWORD>{0, 1, 4, 5, 8, 16, 9, 20, 11, 17, 10, 23}));
}

// Poses the mesh as the import does: bone matrix = offset x world.
std::vector<float> Pose(const Loaded& loaded, const D3DXMATRIX world[2]) {
  D3DXMATRIX bones[2];
  for (DWORD b = 0; b < 2; ++b) D3DXMatrixMultiply(&bones[b], loaded.skin->GetBoneOffsetMatrix(b), &world[b]);
  const DWORD count = loaded.mesh->GetNumVertices();
  const DWORD stride = loaded.mesh->GetNumBytesPerVertex();
  std::vector<std::byte> posed(std::size_t(count) * stride);
  EXPECT_EQ(loaded.skin->UpdateSkinnedMesh(bones, nullptr, loaded.mesh->VertexAt(0), posed.data()), S_OK);
  std::vector<float> positions;
  for (DWORD v = 0; v < count; ++v) {
    const std::vector<float> p = Floats(posed.data() + std::size_t(v) * stride, 3);
    positions.insert(positions.end(), p.begin(), p.end());
  }
  return positions;
}

TEST_F(MeshBuildTest, PosingInTheBindPoseKeepsThePositions) {
  Loaded loaded = Load(SkinnedCube());
  ASSERT_EQ(loaded.code, S_OK);
  const D3DXMATRIX world[2] = {Translation(0, -1, 0), Translation(0, 1, 0)};  // offsets inverted
  const std::vector<float> posed = Pose(loaded, world);
  for (DWORD v = 0; v < 24; ++v) {
    EXPECT_EQ(std::vector<float>(posed.begin() + 3 * v, posed.begin() + 3 * v + 3),
              Floats(loaded.mesh->VertexAt(v), 3)) << v;
  }
}

TEST_F(MeshBuildTest, PosingWithAKnownBoneTransform) {
  Loaded loaded = Load(SkinnedCube());
  ASSERT_EQ(loaded.code, S_OK);
  // "High" turned 90 degrees about y at height 1: offset moves (x, y, z) to
  // (x, y - 1, z), the turn to (z, y - 1, -x), the frame back up by 1.
  D3DXMATRIX turn = Translation(0, 1, 0);
  turn.m[0][0] = 0;
  turn.m[0][2] = -1;
  turn.m[2][0] = 1;
  turn.m[2][2] = 0;
  const D3DXMATRIX world[2] = {Translation(0, -1, 0), turn};
  const std::vector<float> posed = Pose(loaded, world);
  // Vertex 2 (1, 1, -1) -> (-1, 1, -1); vertex 6 (1, 1, 1) -> (1, 1, -1);
  // copy 14 of vertex 6 goes with it; vertex 0 stays.
  EXPECT_EQ(std::vector<float>(posed.begin() + 6, posed.begin() + 9), (std::vector<float>{-1, 1, -1}));
  EXPECT_EQ(std::vector<float>(posed.begin() + 18, posed.begin() + 21), (std::vector<float>{1, 1, -1}));
  EXPECT_EQ(std::vector<float>(posed.begin() + 42, posed.begin() + 45), (std::vector<float>{1, 1, -1}));
  EXPECT_EQ(std::vector<float>(posed.begin(), posed.begin() + 3), (std::vector<float>{-1, -1, -1}));
}

}  // namespace
}  // namespace ortolix
