#include "platform/d3dx/d3dx_mesh.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/d3dx/fvf.h"
#include "tests/d3dx/mesh_test_support.h"
#include "tests/d3dx/test_device.h"

namespace ortolix {
namespace {

using test::FloatsAt;
using test::Indices;
using test::MakeTestDevice;

struct P3 {
  float x, y, z;
};

// A mesh of format `fvf` whose positions are `positions` (other elements
// zero), with the given triangles and attributes.
ComRef<ID3DXMesh> MakeMesh(IDirect3DDevice9* device, DWORD options, DWORD fvf, const std::vector<P3>& positions,
                           const std::vector<DWORD>& indices, const std::vector<DWORD>& attributes) {
  ComRef<ID3DXMesh> mesh;
  EXPECT_EQ(D3DXCreateMeshFVF(DWORD(indices.size() / 3), DWORD(positions.size()), options, fvf, device, mesh.Out()),
            S_OK);
  if (!mesh) return mesh;
  void* data = nullptr;
  EXPECT_EQ(mesh->LockVertexBuffer(0, &data), S_OK);
  for (std::size_t v = 0; v < positions.size(); ++v) {
    std::memcpy(static_cast<std::byte*>(data) + v * mesh->GetNumBytesPerVertex(), &positions[v], 12);
  }
  EXPECT_EQ(mesh->UnlockVertexBuffer(), S_OK);
  EXPECT_EQ(mesh->LockIndexBuffer(0, &data), S_OK);
  for (std::size_t i = 0; i < indices.size(); ++i) {
    if (options & D3DXMESH_32BIT) {
      static_cast<std::uint32_t*>(data)[i] = indices[i];
    } else {
      static_cast<std::uint16_t*>(data)[i] = static_cast<std::uint16_t>(indices[i]);
    }
  }
  EXPECT_EQ(mesh->UnlockIndexBuffer(), S_OK);
  DWORD* ids = nullptr;
  EXPECT_EQ(mesh->LockAttributeBuffer(0, &ids), S_OK);
  std::copy(attributes.begin(), attributes.end(), ids);
  EXPECT_EQ(mesh->UnlockAttributeBuffer(), S_OK);
  return mesh;
}

class MeshTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(device_); }
  ComRef<IDirect3DDevice9> device_ = MakeTestDevice();
};

TEST_F(MeshTest, CreationChecksItsArguments) {
  ComRef<ID3DXMesh> mesh;
  const struct {
    DWORD faces, vertices, options, fvf;
    IDirect3DDevice9* device;
    HRESULT code;
  } cases[] = {{1, 3, 0, D3DFVF_XYZ, nullptr, D3DERR_INVALIDCALL},
               {0, 3, 0, D3DFVF_XYZ, device_.get(), D3DERR_INVALIDCALL},
               {1, 0, 0, D3DFVF_XYZ, device_.get(), D3DERR_INVALIDCALL},
               {1, 3, 0, D3DFVF_XYZB5, device_.get(), D3DERR_INVALIDCALL},
               // 16-bit indices hold at most 65535 vertices; 32-bit ones more.
               {1, 65536, 0, D3DFVF_XYZ, device_.get(), D3DERR_INVALIDCALL},
               {1, 65535, 0, D3DFVF_XYZ, device_.get(), S_OK},
               {1, 65536, D3DXMESH_32BIT, D3DFVF_XYZ, device_.get(), S_OK}};
  for (const auto& c : cases) {
    EXPECT_EQ(D3DXCreateMeshFVF(c.faces, c.vertices, c.options, c.fvf, c.device, mesh.Out()), c.code) << c.vertices;
  }
}

TEST_F(MeshTest, LocksTakeTheImportsFlagsAndRefuseUnknownOnes) {
  auto mesh = MakeMesh(device_.get(), 0, D3DFVF_XYZ, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 2}, {0});
  void* data = nullptr;
  for (DWORD flags : {0u, 0x800u, 0x10u, 0x2000u}) {
    EXPECT_EQ(mesh->LockIndexBuffer(flags, &data), S_OK) << flags;
    EXPECT_EQ(mesh->UnlockIndexBuffer(), S_OK);
  }
  EXPECT_EQ(mesh->LockVertexBuffer(0x1, &data), D3DERR_INVALIDCALL);
  EXPECT_EQ(mesh->LockVertexBuffer(0, nullptr), D3DERR_INVALIDCALL);
  EXPECT_EQ(mesh->UnlockVertexBuffer(), D3DERR_INVALIDCALL);
  D3DXTestSwitchesForTesting().fail_buffer_locks = true;
  EXPECT_EQ(mesh->LockVertexBuffer(0, &data), D3DERR_INVALIDCALL);
  D3DXTestSwitchesForTesting().fail_buffer_locks = false;
}

TEST_F(MeshTest, CloneZeroFillsElementsTheSourceLacks) {
  auto mesh = MakeMesh(device_.get(), 0, D3DFVF_XYZ, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {0, 1, 2}, {0});
  ComRef<ID3DXMesh> clone;
  ASSERT_EQ(mesh->CloneMeshFVF(0, 0x252, device_.get(), clone.Out()), S_OK);
  EXPECT_EQ(clone->GetNumBytesPerVertex(), 44u);
  for (DWORD v = 0; v < 3; ++v) {
    EXPECT_EQ(FloatsAt(clone->VertexAt(v), 3), (std::vector<float>{3.f * v + 1, 3.f * v + 2, 3.f * v + 3}));
    for (std::size_t b = 12; b < 44; ++b) EXPECT_EQ(clone->VertexAt(v)[b], std::byte{0}) << b;
  }
}

TEST_F(MeshTest, CloneConvertsBetweenElementTypesAndDropsUnmatched) {
  // Source: XYZ + texture set 0 with one float; destination: XYZ + set 0 with
  // two floats (u, 0) and a diffuse colour (zero, not white).
  const DWORD from = D3DFVF_XYZ | D3DFVF_TEX1 | D3DFVF_TEXCOORDSIZE(D3DFVF_TEXTUREFORMAT1, 0);
  auto mesh = MakeMesh(device_.get(), 0, from, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 2}, {0});
  void* data = nullptr;
  ASSERT_EQ(mesh->LockVertexBuffer(0, &data), S_OK);
  const float u = 0.25f;
  std::memcpy(static_cast<std::byte*>(data) + 16 + 12, &u, 4);  // vertex 1
  ASSERT_EQ(mesh->UnlockVertexBuffer(), S_OK);
  ComRef<ID3DXMesh> clone;
  ASSERT_EQ(mesh->CloneMeshFVF(0, D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1, device_.get(), clone.Out()), S_OK);
  EXPECT_EQ(FloatsAt(clone->VertexAt(1) + 12, 3), (std::vector<float>{0, 0.25f, 0}));
}

TEST_F(MeshTest, CloneConverts16And32BitIndices) {
  auto mesh = MakeMesh(device_.get(), 0, D3DFVF_XYZ, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}},
                       {0, 1, 2, 2, 1, 3}, {0, 1});
  ComRef<ID3DXMesh> wide, narrow;
  ASSERT_EQ(mesh->CloneMeshFVF(D3DXMESH_32BIT, D3DFVF_XYZ, device_.get(), wide.Out()), S_OK);
  ASSERT_EQ(wide->CloneMeshFVF(0, D3DFVF_XYZ, device_.get(), narrow.Out()), S_OK);
  void* data = nullptr;
  ASSERT_EQ(wide->LockIndexBuffer(D3DLOCK_READONLY, &data), S_OK);
  const std::uint32_t expected[] = {0, 1, 2, 2, 1, 3};
  EXPECT_EQ(std::memcmp(data, expected, sizeof expected), 0);
  ASSERT_EQ(wide->UnlockIndexBuffer(), S_OK);
  ASSERT_EQ(narrow->LockIndexBuffer(0, &data), S_OK);
  const std::uint16_t expected16[] = {0, 1, 2, 2, 1, 3};
  EXPECT_EQ(std::memcmp(data, expected16, sizeof expected16), 0);
  ASSERT_EQ(narrow->UnlockIndexBuffer(), S_OK);
  DWORD* ids = nullptr;
  ASSERT_EQ(narrow->LockAttributeBuffer(D3DLOCK_READONLY, &ids), S_OK);
  EXPECT_EQ(ids[1], 1u);
  ASSERT_EQ(narrow->UnlockAttributeBuffer(), S_OK);
}

// Six faces with attributes 1 2 1 2 1 2 on a strip of quads.
class OptimizeTest : public MeshTest {
 protected:
  void SetUp() override {
    MeshTest::SetUp();
    std::vector<P3> positions;
    for (int i = 0; i < 5; ++i) positions.insert(positions.end(), {{float(i), 0, 0}, {float(i), 1, 0}});
    std::vector<DWORD> indices;
    for (DWORD a = 0; a < 6; a += 2) indices.insert(indices.end(), {a, a + 1, a + 2, a + 2, a + 1, a + 3});
    mesh_ = MakeMesh(device_.get(), D3DXMESH_32BIT, D3DFVF_XYZ, positions, indices, {1, 2, 1, 2, 1, 2});
  }
  ComRef<ID3DXMesh> mesh_;
};

TEST_F(OptimizeTest, AttributeSortIsStableAndCarriesAdjacency) {
  const DWORD n = kD3DXNoNeighbour;
  std::vector<DWORD> adjacency(18), adjacency_out(18), face_remap(6);
  ASSERT_EQ(mesh_->GenerateAdjacency(0.0f, adjacency.data()), S_OK);
  EXPECT_EQ(adjacency, (std::vector<DWORD>{n, 1, n, 0, n, 2, 1, 3, n, 2, n, 4, 3, 5, n, 4, n, n}));
  ComRef<ID3DXBuffer> vertex_remap;
  ComRef<ID3DXMesh> sorted;
  ASSERT_EQ(mesh_->Optimize(D3DXMESHOPT_ATTRSORT, adjacency.data(), adjacency_out.data(), face_remap.data(),
                            vertex_remap.Out(), sorted.Out()),
            S_OK);
  EXPECT_EQ(face_remap, (std::vector<DWORD>{0, 2, 4, 1, 3, 5}));
  const std::vector<DWORD> before = Indices(*mesh_), after = Indices(*sorted);
  for (std::size_t i = 0; i < 18; ++i) EXPECT_EQ(after[i], before[face_remap[i / 3] * 3 + i % 3]);
  // Old face 1's neighbours 0 and 2 are now faces 0 and 1; old face 1 is new 3.
  EXPECT_EQ(std::vector<DWORD>(adjacency_out.begin() + 9, adjacency_out.begin() + 12), (std::vector<DWORD>{0, n, 1}));
  std::vector<DWORD> regenerated(18);
  ASSERT_EQ(sorted->GenerateAdjacency(0.0f, regenerated.data()), S_OK);
  EXPECT_EQ(regenerated, adjacency_out);
  ASSERT_EQ(vertex_remap->GetBufferSize(), 10u * 4u);
  const auto* remap = static_cast<const DWORD*>(vertex_remap->GetBufferPointer());
  for (DWORD v = 0; v < 10; ++v) EXPECT_EQ(remap[v], v);
  DWORD count = 0;
  ASSERT_EQ(mesh_->GetAttributeTable(nullptr, &count), S_OK);
  EXPECT_EQ(count, 0u);
  D3DXATTRIBUTERANGE table[2];
  count = 2;
  ASSERT_EQ(sorted->GetAttributeTable(table, &count), S_OK);
  ASSERT_EQ(count, 2u);
  // Attribute 1: faces (0,1,2), (2,3,4), (4,5,6) use vertices 0..6; attribute
  // 2: faces (2,1,3), (4,3,5), (6,5,7) use vertices 1..7.
  EXPECT_EQ(test::RangeOf(table[0]), (std::vector<DWORD>{1, 0, 3, 0, 7}));
  EXPECT_EQ(test::RangeOf(table[1]), (std::vector<DWORD>{2, 3, 3, 1, 7}));
}

TEST_F(OptimizeTest, FlagsOtherThanAttributeSortAreRefused) {
  ComRef<ID3DXMesh> out;
  const struct {
    DWORD flags;
    HRESULT code;
  } cases[] = {{0, D3DERR_INVALIDCALL},
               {D3DXMESHOPT_VERTEXCACHE, E_NOTIMPL},
               {D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_STRIPREORDER, E_NOTIMPL},
               {D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_IGNOREVERTS, S_OK}};
  for (const auto& c : cases) {
    EXPECT_EQ(mesh_->Optimize(c.flags, nullptr, nullptr, nullptr, nullptr, out.Out()), c.code) << c.flags;
  }
  EXPECT_EQ(mesh_->Optimize(D3DXMESHOPT_ATTRSORT, nullptr, nullptr, nullptr, nullptr, nullptr), D3DERR_INVALIDCALL);
}

TEST_F(OptimizeTest, WritingTheAttributesDropsTheTable) {
  ComRef<ID3DXMesh> sorted;
  ASSERT_EQ(mesh_->Optimize(D3DXMESHOPT_ATTRSORT, nullptr, nullptr, nullptr, nullptr, sorted.Out()), S_OK);
  DWORD* ids = nullptr;
  DWORD count = 0;
  for (DWORD flags : {DWORD(D3DLOCK_READONLY), 0u}) {
    ASSERT_EQ(sorted->LockAttributeBuffer(flags, &ids), S_OK);
    ASSERT_EQ(sorted->UnlockAttributeBuffer(), S_OK);
    ASSERT_EQ(sorted->GetAttributeTable(nullptr, &count), S_OK);
    EXPECT_EQ(count, flags ? 2u : 0u);
  }
}

}  // namespace
}  // namespace ortolix
