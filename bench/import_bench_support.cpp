#include "bench/import_bench_support.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/support/skinned_grid_model.h"
#include "import/import_model.h"
#include "import/read_import_file.h"
#include "tests/support/inert_host_model.h"
#include "ximport/read_x_file.h"

#if ORTOLIX_HAVE_ASSIMP
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#endif

namespace ortolix::bench {
namespace {

constexpr std::uint32_t kMinTriangles = 1000000;
constexpr std::uint32_t kBones = 32;

bool Write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

class PathHostModel final : public test::InertHostModel {
 public:
  explicit PathHostModel(const std::string& path) { filePath = HostPathString(path.c_str()); }
};

}  // namespace

std::string SkinnedGridFilePath(GridEncoding encoding) {
  return (std::filesystem::temp_directory_path() /
          (encoding == GridEncoding::kText ? "ortolix_import_grid_txt.x" : "ortolix_import_grid_bin.x"))
      .string();
}

bool WriteSkinnedGridFiles() {
  const test::SkinnedGridModel model = test::MakeSkinnedGrid(kMinTriangles, kBones);
  return Write(SkinnedGridFilePath(GridEncoding::kText), test::SkinnedGridFile(model, false)) &&
         Write(SkinnedGridFilePath(GridEncoding::kBinary), test::SkinnedGridFile(model, true));
}

std::uint64_t SkinnedGridTriangles() { return test::MakeSkinnedGrid(kMinTriangles, kBones).triangle_count(); }

std::uint64_t ImportWithOrtolix(const std::string& path) {
  PathHostModel host(path);
  ResetImportModel();
  IDirect3DDevice9* device = CreateImportDevice(nullptr);
  if (device == nullptr) return 0;
  const std::uint32_t result = ReadImportFile(&host, device);
  device->Release();
  std::uint64_t triangles = 0;
  for (const ImportMesh& mesh : TheImportModel().meshes) triangles += mesh.faces.size();
  return result == 1 ? triangles : 0;
}

std::uint64_t ImportWithAssimp([[maybe_unused]] const std::string& path) {
#if ORTOLIX_HAVE_ASSIMP
  Assimp::Importer importer;
  const aiScene* scene = importer.ReadFile(path, 0);
  std::uint64_t triangles = 0;
  for (unsigned m = 0; scene != nullptr && m < scene->mNumMeshes; ++m) triangles += scene->mMeshes[m]->mNumFaces;
  return triangles;
#else
  return 0;
#endif
}

}  // namespace ortolix::bench
