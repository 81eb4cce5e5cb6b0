#include "platform/d3dx/d3dx_mesh.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/d3dx/fvf.h"
#include "tests/d3dx/test_device.h"

namespace ortolix {
namespace {

using testing::MakeTestDevice;

struct P3 {
  float x, y, z;
};

// A mesh of format `fvf` whose positions are `positions` (other elements
// zero), with the given triangles and attributes.
ComRef<ID3DXMesh> MakeMesh(IDirect3DDevice9* device, DWORD options, DWORD fvf,
                           const std::vector<P3>& positions, const std::vector<DWORD>& indices,
                           const std::vector<DWORD>& attributes) {
  ComRef<ID3DXMesh> mesh;
  EXPECT_EQ(D3DXCreateMeshFVF(DWORD(indices.size() / 3), DWORD(positions.size()), options, fvf,
                              device, mesh.Out()),
            S_OK);
  if (!mesh) return mesh;
  void* data = nullptr;
  EXPECT_EQ(mesh->LockVertexBuffer(0, &data), S_OK);
  const DWORD stride = mesh->GetNumBytesPerVertex();
  for (std::size_t v = 0; v < positions.size(); ++v) {
    std::memcpy(static_cast<std::byte*>(data) + v * stride, &positions[v], 12);
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

std::vector<DWORD> Indices(ID3DXMesh& mesh) {
  std::vector<DWORD> out(std::size_t(mesh.GetNumFaces()) * 3);
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = mesh.IndexAt(i);
  return out;
}

class MeshTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(device_); }
  ComRef<IDirect3DDevice9> device_ = MakeTestDevice();
};

TEST_F(MeshTest, CreationChecksItsArguments) {
  ComRef<ID3DXMesh> mesh;
  EXPECT_EQ(D3DXCreateMeshFVF(1, 3, 0, D3DFVF_XYZ, nullptr, mesh.Out()), D3DERR_INVALIDCALL);
  EXPECT_EQ(D3DXCreateMeshFVF(0, 3, 0, D3DFVF_XYZ, device_.get(), mesh.Out()), D3DERR_INVALIDCALL);
  EXPECT_EQ(D3DXCreateMeshFVF(1, 0, 0, D3DFVF_XYZ, device_.get(), mesh.Out()), D3DERR_INVALIDCALL);
  EXPECT_EQ(D3DXCreateMeshFVF(1, 3, 0, D3DFVF_XYZB5, device_.get(), mesh.Out()), D3DERR_INVALIDCALL);
  // 16-bit indices hold at most 65535 vertices; 32-bit ones more.
  EXPECT_EQ(D3DXCreateMeshFVF(1, 65536, 0, D3DFVF_XYZ, device_.get(), mesh.Out()), D3DERR_INVALIDCALL);
  EXPECT_EQ(D3DXCreateMeshFVF(1, 65535, 0, D3DFVF_XYZ, device_.get(), mesh.Out()), S_OK);
  EXPECT_EQ(D3DXCreateMeshFVF(1, 65536, D3DXMESH_32BIT, D3DFVF_XYZ, device_.get(), mesh.Out()), S_OK);
  EXPECT_EQ(mesh->GetOptions() & D3DXMESH_32BIT, D3DXMESH_32BIT);
  EXPECT_EQ(mesh->GetNumBytesPerVertex(), 12u);
}

TEST_F(MeshTest, LocksTakeTheImportsFlagsAndRefuseUnknownOnes) {
  auto mesh = MakeMesh(device_.get(), 0, D3DFVF_XYZ, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 2}, {0});
  void* data = nullptr;
  for (DWORD flags : {0u, 0x800u, 0x10u, 0x2000u}) {
    EXPECT_EQ(mesh->LockVertexBuffer(flags, &data), S_OK) << flags;
    EXPECT_EQ(mesh->UnlockVertexBuffer(), S_OK);
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
  EXPECT_EQ(clone->GetFVF(), 0x252u);
  EXPECT_EQ(clone->GetNumBytesPerVertex(), 44u);
  for (DWORD v = 0; v < 3; ++v) {
    float position[3];
    std::memcpy(position, clone->VertexAt(v), 12);
    EXPECT_EQ(position[0], float(3 * v + 1));
    EXPECT_EQ(position[2], float(3 * v + 3));
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
  float uv[2];
  std::uint32_t colour;
  std::memcpy(&colour, clone->VertexAt(1) + 12, 4);
  std::memcpy(uv, clone->VertexAt(1) + 16, 8);
  EXPECT_EQ(colour, 0u);
  EXPECT_EQ(uv[0], 0.25f);
  EXPECT_EQ(uv[1], 0.0f);
}

TEST_F(MeshTest, CloneConverts16And32BitIndices) {
  auto mesh = MakeMesh(device_.get(), 0, D3DFVF_XYZ, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}},
                       {0, 1, 2, 2, 1, 3}, {0, 1});
  ComRef<ID3DXMesh> wide;
  ASSERT_EQ(mesh->CloneMeshFVF(D3DXMESH_32BIT, D3DFVF_XYZ, device_.get(), wide.Out()), S_OK);
  void* data = nullptr;
  ASSERT_EQ(wide->LockIndexBuffer(D3DLOCK_READONLY, &data), S_OK);
  const std::uint32_t expected[] = {0, 1, 2, 2, 1, 3};
  EXPECT_EQ(std::memcmp(data, expected, sizeof expected), 0);
  ASSERT_EQ(wide->UnlockIndexBuffer(), S_OK);
  ComRef<ID3DXMesh> narrow;
  ASSERT_EQ(wide->CloneMeshFVF(0, D3DFVF_XYZ, device_.get(), narrow.Out()), S_OK);
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
    for (int i = 0; i < 5; ++i) {
      positions.push_back({float(i), 0, 0});
      positions.push_back({float(i), 1, 0});
    }
    std::vector<DWORD> indices;
    for (DWORD q = 0; q < 3; ++q) {
      const DWORD a = 2 * q, b = 2 * q + 1, c = 2 * q + 2, d = 2 * q + 3;
      indices.insert(indices.end(), {a, b, c, c, b, d});
    }
    mesh_ = MakeMesh(device_.get(), D3DXMESH_32BIT, D3DFVF_XYZ, positions, indices, {1, 2, 1, 2, 1, 2});
  }
  ComRef<ID3DXMesh> mesh_;
};

TEST_F(OptimizeTest, AdjacencyOfTheStrip) {
  std::vector<DWORD> adjacency(18);
  ASSERT_EQ(mesh_->GenerateAdjacency(0.0f, adjacency.data()), S_OK);
  const DWORD n = kD3DXNoNeighbour;
  // Face 0 (0,1,2): edge 1->2 is shared with face 1 (2,1,3).
  // Face 1 (2,1,3): edge 2->1 with face 0, edge 3->2 with face 2 (2,3,4).
  EXPECT_EQ(adjacency, (std::vector<DWORD>{n, 1, n, 0, n, 2, 1, 3, n, 2, n, 4, 3, 5, n, 4, n, n}));
}

TEST_F(OptimizeTest, AttributeSortIsStableAndCarriesAdjacency) {
  std::vector<DWORD> adjacency(18);
  ASSERT_EQ(mesh_->GenerateAdjacency(0.0f, adjacency.data()), S_OK);
  std::vector<DWORD> adjacency_out(18);
  std::vector<DWORD> face_remap(6);
  ComRef<ID3DXBuffer> vertex_remap;
  ComRef<ID3DXMesh> sorted;
  ASSERT_EQ(mesh_->Optimize(D3DXMESHOPT_ATTRSORT, adjacency.data(), adjacency_out.data(),
                            face_remap.data(), vertex_remap.Out(), sorted.Out()),
            S_OK);
  EXPECT_EQ(face_remap, (std::vector<DWORD>{0, 2, 4, 1, 3, 5}));
  const std::vector<DWORD> before = Indices(*mesh_);
  const std::vector<DWORD> after = Indices(*sorted);
  for (std::size_t f = 0; f < 6; ++f) {
    for (std::size_t c = 0; c < 3; ++c) EXPECT_EQ(after[f * 3 + c], before[face_remap[f] * 3 + c]);
  }
  // Old face 1's neighbours 0 and 2 are now faces 0 and 1; old face 1 is new 3.
  const DWORD n = kD3DXNoNeighbour;
  EXPECT_EQ(std::vector<DWORD>(adjacency_out.begin() + 9, adjacency_out.begin() + 12),
            (std::vector<DWORD>{0, n, 1}));
  std::vector<DWORD> regenerated(18);
  ASSERT_EQ(sorted->GenerateAdjacency(0.0f, regenerated.data()), S_OK);
  EXPECT_EQ(regenerated, adjacency_out);

  ASSERT_EQ(vertex_remap->GetBufferSize(), 10u * 4u);
  const auto* remap = static_cast<const DWORD*>(vertex_remap->GetBufferPointer());
  for (DWORD v = 0; v < 10; ++v) EXPECT_EQ(remap[v], v);
  EXPECT_EQ(sorted->GetNumVertices(), 10u);
  EXPECT_EQ(sorted->GetOptions(), D3DXMESH_32BIT);

  DWORD count = 0;
  ASSERT_EQ(mesh_->GetAttributeTable(nullptr, &count), S_OK);
  EXPECT_EQ(count, 0u);
  ASSERT_EQ(sorted->GetAttributeTable(nullptr, &count), S_OK);
  ASSERT_EQ(count, 2u);
  D3DXATTRIBUTERANGE table[2];
  ASSERT_EQ(sorted->GetAttributeTable(table, &count), S_OK);
  // Attribute 1: faces (0,1,2), (2,3,4), (4,5,6) use vertices 0..6.
  EXPECT_EQ(table[0].AttribId, 1u);
  EXPECT_EQ(table[0].FaceStart, 0u);
  EXPECT_EQ(table[0].FaceCount, 3u);
  EXPECT_EQ(table[0].VertexStart, 0u);
  EXPECT_EQ(table[0].VertexCount, 7u);
  // Attribute 2: faces (2,1,3), (4,3,5), (6,5,7) use vertices 1..7.
  EXPECT_EQ(table[1].AttribId, 2u);
  EXPECT_EQ(table[1].FaceStart, 3u);
  EXPECT_EQ(table[1].FaceCount, 3u);
  EXPECT_EQ(table[1].VertexStart, 1u);
  EXPECT_EQ(table[1].VertexCount, 7u);
}

TEST_F(OptimizeTest, FlagsOtherThanAttributeSortAreRefused) {
  ComRef<ID3DXMesh> out;
  EXPECT_EQ(mesh_->Optimize(0, nullptr, nullptr, nullptr, nullptr, out.Out()), D3DERR_INVALIDCALL);
  EXPECT_EQ(mesh_->Optimize(D3DXMESHOPT_ATTRSORT, nullptr, nullptr, nullptr, nullptr, nullptr),
            D3DERR_INVALIDCALL);
  EXPECT_EQ(mesh_->Optimize(D3DXMESHOPT_VERTEXCACHE, nullptr, nullptr, nullptr, nullptr, out.Out()),
            E_NOTIMPL);
  EXPECT_EQ(mesh_->Optimize(D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_STRIPREORDER, nullptr, nullptr,
                            nullptr, nullptr, out.Out()),
            E_NOTIMPL);
  EXPECT_EQ(mesh_->Optimize(D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_IGNOREVERTS, nullptr, nullptr,
                            nullptr, nullptr, out.Out()),
            S_OK);
}

TEST_F(OptimizeTest, WritingTheAttributesDropsTheTable) {
  ComRef<ID3DXMesh> sorted;
  ASSERT_EQ(mesh_->Optimize(D3DXMESHOPT_ATTRSORT, nullptr, nullptr, nullptr, nullptr, sorted.Out()), S_OK);
  DWORD* ids = nullptr;
  DWORD count = 0;
  ASSERT_EQ(sorted->LockAttributeBuffer(D3DLOCK_READONLY, &ids), S_OK);
  ASSERT_EQ(sorted->UnlockAttributeBuffer(), S_OK);
  ASSERT_EQ(sorted->GetAttributeTable(nullptr, &count), S_OK);
  EXPECT_EQ(count, 2u);
  ASSERT_EQ(sorted->LockAttributeBuffer(0, &ids), S_OK);
  ASSERT_EQ(sorted->UnlockAttributeBuffer(), S_OK);
  ASSERT_EQ(sorted->GetAttributeTable(nullptr, &count), S_OK);
  EXPECT_EQ(count, 0u);
}

TEST_F(MeshTest, AdjacencyJoinsCopiesAtTheSamePosition) {
  // Two triangles of a quad whose shared corners are separate vertices at
  // equal positions (as copies made for split normals are).
  auto mesh = MakeMesh(device_.get(), 0, D3DFVF_XYZ,
                       {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0}},
                       {0, 1, 2, 3, 4, 5}, {0, 0});
  std::vector<DWORD> adjacency(6);
  ASSERT_EQ(mesh->GenerateAdjacency(0.0f, adjacency.data()), S_OK);
  const DWORD n = kD3DXNoNeighbour;
  EXPECT_EQ(adjacency, (std::vector<DWORD>{n, 1, n, 0, n, n}));
  EXPECT_EQ(mesh->GenerateAdjacency(0.5f, adjacency.data()), E_NOTIMPL);
}

}  // namespace
}  // namespace ortolix
