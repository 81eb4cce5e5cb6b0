// Loading the meshes of a generated skinned model of at least 1M triangles,
// text and binary: our file services and mesh loading (read + D3DXLoadSkinMeshFromXof
// of every Mesh) beside assimp's whole read (ReadFile(path, 0)) of the same
// file, in triangles per second. The assimp cases run first; the ortolix
// cases report "x_assimp", assimp's best processor time over ours.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/d3dx/com_ref.h"
#include "platform/d3dx/load_skin_mesh.h"
#include "platform/d3dx/mesh_walk.h"
#include "platform/d3dx/null_device.h"
#include "tests/support/skinned_grid_model.h"

#if ORTOLIX_HAVE_ASSIMP
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#endif

namespace ortolix::bench {
namespace {

enum Encoding { kText, kBinary };

const test::SkinnedGridModel& Model() {
  static const test::SkinnedGridModel model = test::MakeSkinnedGrid(1000000, 8);
  return model;
}

// The whole file of the generated model in one encoding.
std::string SkinnedGridFile(Encoding encoding) {
  return test::SkinnedGridFile(Model(), encoding == kBinary);
}

// The two files, written once per run into the temporary directory.
const std::string& ModelPath(Encoding encoding) {
  static std::string written[2];
  if (written[encoding].empty()) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       (encoding == kText ? "ortolix_bench_skinned_1m_txt.x"
                                                          : "ortolix_bench_skinned_1m_bin.x");
    std::ofstream(file, std::ios::binary) << SkinnedGridFile(encoding);
    written[encoding] = file.string();
  }
  return written[encoding];
}

// Best processor seconds per (reader, encoding), for the ratio: the
// machines these run on are shared, and both readers are single-threaded.
std::map<std::string, double>& BestSeconds() {
  static std::map<std::string, double> best;
  return best;
}

template <class Work>
void Run(benchmark::State& state, const std::string& key, Work work) {
  std::uint64_t triangles = 0;
  double best = 1e30;
  for (auto _ : state) {
    const std::clock_t start = std::clock();
    triangles = work();
    best = std::min(best, double(std::clock() - start) / CLOCKS_PER_SEC);
  }
  if (triangles != Model().triangle_count()) state.SkipWithError("wrong triangle count");
  double& kept = BestSeconds().try_emplace(key, best).first->second;
  kept = std::min(kept, best);
  state.SetItemsProcessed(std::int64_t(state.iterations() * triangles));
  state.counters["triangles/s"] = benchmark::Counter(double(triangles) / best);
}

std::uint64_t LoadWithOrtolix(const std::string& path, IDirect3DDevice9* device) {
  ComRef<ID3DXFileEnumObject> file;
  if (OpenXFileWithStandardTemplates(path.c_str(), D3DXF_FILELOAD_FROMFILE, file.Out(), nullptr) < 0) return 0;
  std::uint64_t triangles = 0;
  (void)ForEachMeshObject(*file, [&](ID3DXFileData& data) {
    ComRef<ID3DXBuffer> adjacency, materials;
    ComRef<ID3DXSkinInfo> skin;
    ComRef<ID3DXMesh> mesh;
    DWORD material_count = 0;
    if (D3DXLoadSkinMeshFromXof(&data, D3DXMESH_32BIT, device, adjacency.Out(), materials.Out(), nullptr,
                                &material_count, skin.Out(), mesh.Out()) >= 0) {
      triangles += mesh->GetNumFaces();
    }
  });
  return triangles;
}

const char* EncodingName(Encoding encoding) { return encoding == kText ? "text" : "binary"; }

void BM_OrtolixLoadMeshes(benchmark::State& state, Encoding encoding) {
  const std::string& path = ModelPath(encoding);
  ComRef<IDirect3DDevice9> device = CreateNullDevice();
  Run(state, std::string("ortolix/") + EncodingName(encoding), [&] { return LoadWithOrtolix(path, device.get()); });
  const auto& best = BestSeconds();
  const auto peer = best.find(std::string("assimp/") + EncodingName(encoding));
  const auto ours = best.find(std::string("ortolix/") + EncodingName(encoding));
  if (peer != best.end()) state.counters["x_assimp"] = peer->second / ours->second;
}

#if ORTOLIX_HAVE_ASSIMP
void BM_AssimpReadFile(benchmark::State& state, Encoding encoding) {
  const std::string& path = ModelPath(encoding);
  Run(state, std::string("assimp/") + EncodingName(encoding), [&]() -> std::uint64_t {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, 0);
    std::uint64_t triangles = 0;
    for (unsigned m = 0; scene != nullptr && m < scene->mNumMeshes; ++m) triangles += scene->mMeshes[m]->mNumFaces;
    return triangles;
  });
}
BENCHMARK_CAPTURE(BM_AssimpReadFile, text, kText)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK_CAPTURE(BM_AssimpReadFile, binary, kBinary)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
#endif

BENCHMARK_CAPTURE(BM_OrtolixLoadMeshes, text, kText)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK_CAPTURE(BM_OrtolixLoadMeshes, binary, kBinary)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace
}  // namespace ortolix::bench
