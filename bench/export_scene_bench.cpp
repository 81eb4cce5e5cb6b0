// Building the ExportScene of a generated model of about one million
// triangles with shared vertices; reports face corners per second. The
// baseline only gathers every corner's host vertex, the least any build must
// do, so the ratio shows what the weld costs on top.
#include <benchmark/benchmark.h>

#include "bench/grid_host_model.h"
#include "export/export_release.h"
#include "export/group_meshes.h"
#include "export/model_vertex_list.h"

namespace ortolix::bench {
namespace {

constexpr int kCells = 708;  // 2 x 708 x 708 = 1,002,528 triangles

GridHostModel& Model(int groupCount) {
  static GridHostModel oneGroup(kCells, 1);
  static GridHostModel eightGroups(kCells, 8);
  return groupCount == 1 ? oneGroup : eightGroups;
}

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
  GridHostModel& model = Model(1);
  ExportScene scene;
  const ExportOptions options;
  for (auto _ : state) {
    if (BuildModelVertexList(scene, model, options) != 1) state.SkipWithError("build failed");
    benchmark::DoNotOptimize(scene.modelVertices);
  }
  state.counters["vertices"] = scene.modelVertexCount;
  FreeExportScene(scene);
  state.SetItemsProcessed(state.iterations() * model.CornerCount());
}
BENCHMARK(BM_BuildModelVertexList)->Unit(benchmark::kMillisecond);

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

}  // namespace
}  // namespace ortolix::bench
