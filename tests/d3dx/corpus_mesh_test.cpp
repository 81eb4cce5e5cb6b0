// Every Mesh of every public corpus file loads, or fails with a message that
// names the mesh; a loaded mesh holds corners - 2 triangles per file face.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/d3dx/xof_text.h"

namespace ortolix::test {
namespace {

namespace fs = std::filesystem;

// Sum over the faces of the Mesh's own data of (corners - 2), read straight
// from its Lock data: nVertices, the vectors, nFaces, then each face.
bool ExpectedTriangles(ID3DXFileData& mesh, std::uint64_t& triangles) {
  std::size_t size = 0;
  const void* data = nullptr;
  if (mesh.Lock(&size, &data) < 0) return false;
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::size_t at = 0;
  auto dword = [&](DWORD& out) {
    if (size - at < 4) return false;
    std::memcpy(&out, bytes + at, 4);
    at += 4;
    return true;
  };
  DWORD count = 0;
  bool ok = dword(count) && (size - at) / 12 >= count;
  if (ok) at += std::size_t(count) * 12;
  ok = ok && dword(count);
  triangles = 0;
  for (DWORD f = 0; ok && f < count; ++f) {
    DWORD corners = 0;
    ok = dword(corners) && (size - at) / 4 >= corners;
    if (ok) {
      at += std::size_t(corners) * 4;
      triangles += corners >= 2 ? corners - 2 : 0;
    }
  }
  (void)mesh.Unlock();
  return ok;
}

std::string MeshName(ID3DXFileData& mesh) {
  std::string name;
  (void)xof_detail::ReadName(mesh, name);
  return name;
}

TEST(CorpusMeshTest, EveryMeshLoadsOrFailsWithAPreciseReason) {
  const char* shared = std::getenv("ORTOLIX_SHARED_DIR");
  const fs::path corpus = fs::path(shared != nullptr ? shared : ORTOLIX_SHARED_DIR) / "corpus" / "public";
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(corpus)) {
    const fs::path extension = entry.path().extension();
    if (extension == ".x" || extension == ".X") files.push_back(entry.path());  // not notes beside them
  }
  std::sort(files.begin(), files.end());
  ComRef<IDirect3DDevice9> device = MakeTestDevice();
  ASSERT_TRUE(device);
  std::size_t loaded_count = 0, failed_count = 0;
  for (const fs::path& path : files) {
    const std::string file = path.filename().string();
    ComRef<ID3DXFileEnumObject> xfile;
    std::string error;
    const std::string narrow = path.string();
    if (OpenXFileWithStandardTemplates(narrow.c_str(), D3DXF_FILELOAD_FROMFILE, xfile.Out(), &error) < 0) {
      std::printf("unreadable  %s: %s\n", file.c_str(), error.c_str());
      EXPECT_FALSE(error.empty()) << file;
      continue;
    }
    EXPECT_EQ(ForEachMeshObject(*xfile, [&](ID3DXFileData& data) {
                const std::string name = MeshName(data);
                LoadedMesh mesh = LoadMeshObject(data, device.get());
                if (mesh.code < 0) {
                  ++failed_count;
                  std::printf("failed      %s: %s (0x%08X)\n", file.c_str(), mesh.report.error.c_str(),
                              unsigned(mesh.code));
                  EXPECT_EQ(mesh.report.error.rfind(MeshObjectPath(name), 0), 0u) << file << ": " << mesh.report.error;
                  EXPECT_FALSE(mesh.mesh);
                  return;
                }
                ++loaded_count;
                std::uint64_t triangles = 0;
                ASSERT_TRUE(ExpectedTriangles(data, triangles)) << file << " " << name;
                EXPECT_EQ(mesh.mesh->GetNumFaces(), triangles) << file << " " << name;
                std::printf("loaded      %s: %s: %u vertices, %u triangles, %u materials, %u bones, %zu warnings\n",
                            file.c_str(), MeshObjectPath(name).c_str(), mesh.mesh->GetNumVertices(),
                            mesh.mesh->GetNumFaces(), mesh.material_count, mesh.skin->GetNumBones(),
                            mesh.report.warnings.size());
              }),
              S_OK)
        << file;
  }
  std::printf("%zu meshes loaded, %zu failed\n", loaded_count, failed_count);
  EXPECT_GT(loaded_count, 0u);
}

}  // namespace
}  // namespace ortolix::test
