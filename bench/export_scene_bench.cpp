// Building the ExportScene of a generated model of about one million
// triangles with shared vertices; reports face corners per second. The
// baseline only gathers every corner's host vertex, the least any build must
// do, so the ratio shows what the weld costs on top. The model vertex list is
// also built at a quarter of the size, and one weld is timed against chains
// of growing length, each with a fitted complexity, to show the build linear
// in corners and the weld linear in the chain of one host vertex.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <utility>

#include "bench/grid_host_model.h"
#include "export/export_release.h"
#include "export/group_meshes.h"
#include "export/model_vertex_list.h"
#include "export/vertex_weld.h"

namespace ortolix::bench {
namespace {

constexpr int kCells = 708;  // 2 x 708 x 708 = 1,002,528 triangles

GridHostModel& Model(int cells, int groupCount) {
  static std::map<std::pair<int, int>, std::unique_ptr<GridHostModel>> models;
  std::unique_ptr<GridHostModel>& model = models[{cells, groupCount}];
  if (model == nullptr) model = std::make_unique<GridHostModel>(cells, groupCount);
  return *model;
}

GridHostModel& Model(int groupCount) { return Model(kCells, groupCount); }

void BM_GatherCornersBaseline(benchmark::State& state) {
  GridHostModel& model = Model(1);
  const HostMesh& mesh = model.meshes.items[0];
  for (auto _ : state) {
    float sum = 0;
    for (std::int32_t f = 0; f < mesh.faceCount; ++f) {
      const HostFace& face = mesh.faces[f];
      for (std::int32_t c = 0; c < face.cornerCount; ++c) {
        sum += model.vertices.items[face.corners[c]].position.x + face.texture->first[c].u;
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * model.CornerCount());
}
BENCHMARK(BM_GatherCornersBaseline)->Unit(benchmark::kMillisecond);

void BM_BuildModelVertexList(benchmark::State& state) {
  GridHostModel& model = Model(static_cast<int>(state.range(0)), 1);
  ExportScene scene;
  const ExportOptions options;
  for (auto _ : state) {
    if (BuildModelVertexList(scene, model, options) != 1) state.SkipWithError("build failed");
    benchmark::DoNotOptimize(scene.modelVertices);
  }
  state.counters["vertices"] = scene.modelVertexCount;
  FreeExportScene(scene);
  state.SetItemsProcessed(state.iterations() * model.CornerCount());
  state.SetComplexityN(model.CornerCount());
}
BENCHMARK(BM_BuildModelVertexList)
    ->Arg(kCells / 4)
    ->Arg(kCells / 2)
    ->Arg(kCells)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

void BM_BuildGroupMeshes(benchmark::State& state) {
  GridHostModel& model = Model(8);
  ExportScene scene;
  ExportOptions options;
  options.exportGroupsAsMeshes = 1;
  for (auto _ : state) {
    if (BuildGroupMeshes(scene, model, options) != 1) state.SkipWithError("build failed");
    benchmark::DoNotOptimize(scene.groupMeshes);
  }
  FreeExportScene(scene);
  state.SetItemsProcessed(state.iterations() * model.CornerCount());
}
BENCHMARK(BM_BuildGroupMeshes)->Unit(benchmark::kMillisecond);

// One host vertex made into `length` ExportVertices of different texture
// coordinates; each iteration welds a corner that matches the last of them.
void BM_WeldAlongOneChain(benchmark::State& state) {
  const auto length = static_cast<std::int32_t>(state.range(0));
  VertexChainTable chains;
  ExportVertexArray vertices;
  ExportVertex candidate{};
  for (std::int32_t i = 0; i < length; ++i) {
    candidate.first.u = static_cast<float>(i);
    if (FindOrAddExportVertex(chains, vertices, 0, candidate, WeldRule::kFirstTextureSet) != i) {
      state.SkipWithError("chain not built");
      return;
    }
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        FindOrAddExportVertex(chains, vertices, 0, candidate, WeldRule::kFirstTextureSet));
  }
  state.SetComplexityN(length);
}
BENCHMARK(BM_WeldAlongOneChain)->RangeMultiplier(4)->Range(4, 1024)->Complexity(benchmark::oN);

}  // namespace
}  // namespace ortolix::bench
