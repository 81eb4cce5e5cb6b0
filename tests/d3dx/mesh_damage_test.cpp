// Damaged copies of a skinned mesh file, cut at every byte and with single
// bytes replaced: each mesh must load with consistent contents or be refused
// with a failure result, never crash, read out of bounds or leak.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/d3dx/mesh_load_check.h"
#include "platform/d3dx/null_device.h"

namespace ortolix {
namespace {

std::string ReadData(const char* name) {
  std::ifstream in(std::string(ORTOLIX_SOURCE_DIR) + "/tests/xfile/data/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class MeshDamageSweep : public ::testing::Test {
 protected:
  MeshLoadCheck Load(const std::string& bytes, std::size_t size) {
    return LoadAndCheckMeshes(bytes.data(), size, ReaderLimits{}, device_.get());
  }
  ComRef<IDirect3DDevice9> device_ = CreateNullDevice();
};

TEST_F(MeshDamageSweep, EveryCutAndReplacedByteLoadsConsistentlyOrIsRefused) {
  ASSERT_TRUE(device_);
  const std::string file = ReadData("skinned_quad.x");
  ASSERT_GT(file.size(), 500u);
  const MeshLoadCheck whole = Load(file, file.size());
  ASSERT_EQ(whole.file, S_OK);
  ASSERT_EQ(whole.loaded, 1u);
  ASSERT_EQ(whole.fault, "");

  std::uint32_t refused = 0;
  for (std::size_t cut = 0; cut < file.size(); ++cut) {
    const MeshLoadCheck check = Load(file, cut);
    ASSERT_EQ(check.fault, "") << "cut at " << cut;
    refused += check.file < 0 || check.refused != 0 ? 1 : 0;
  }
  // Replacements that make a digit, a separator or a closing brace of any byte.
  std::string damaged = file;
  for (std::size_t at = 0; at < file.size(); ++at) {
    for (const char replacement : {'9', ';', '}'}) {
      if (file[at] == replacement) continue;
      damaged[at] = replacement;
      const MeshLoadCheck check = Load(damaged, damaged.size());
      ASSERT_EQ(check.fault, "") << "byte " << at << " replaced by " << int(replacement);
    }
    damaged[at] = file[at];
  }
  EXPECT_GT(refused, file.size() / 2);  // most cuts leave no whole mesh
}

// The checker itself: a mesh whose index names no vertex is a fault.
TEST_F(MeshDamageSweep, CheckerReportsAnIndexPastTheVertices) {
  ASSERT_TRUE(device_);
  ComRef<ID3DXMesh> mesh;
  ASSERT_GE(D3DXCreateMeshFVF(1, 3, D3DXMESH_32BIT, D3DFVF_XYZ, device_.get(), mesh.Out()), 0);
  DWORD* indices = nullptr;
  ASSERT_GE(mesh->LockIndexBuffer(0, reinterpret_cast<void**>(&indices)), 0);
  indices[0] = 0, indices[1] = 1, indices[2] = 2;
  (void)mesh->UnlockIndexBuffer();
  EXPECT_EQ(CheckLoadedMesh(*mesh, 0, nullptr), "");
  ASSERT_GE(mesh->LockIndexBuffer(0, reinterpret_cast<void**>(&indices)), 0);
  indices[2] = 3;
  (void)mesh->UnlockIndexBuffer();
  EXPECT_EQ(CheckLoadedMesh(*mesh, 0, nullptr), "index 2 names no vertex");
}

}  // namespace
}  // namespace ortolix
