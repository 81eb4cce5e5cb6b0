// The whole read message on a generated 1M-triangle skinned, animated model,
// text and binary: ReadImportFile (reading into the ImportScene and the
// conversion into the ImportModel) beside assimp's ReadFile(path, 0) of the
// same file, in triangles per second. The assimp cases run first; the
// ortolix cases report "x_assimp", assimp's best processor time over ours.
//
//   cmake --preset bench && cmake --build --preset bench -j2 --target bench_import_convert
//   build/bench/bench/bench_import_convert
// Peak memory: bench_import_peak (see import_peak_driver.cpp).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <map>
#include <string>

#include "bench/import_bench_support.h"
#include "import/import_model.h"

namespace ortolix::bench {
namespace {

const char* Name(GridEncoding encoding) { return encoding == GridEncoding::kText ? "text" : "binary"; }

const std::string& ModelPath(GridEncoding encoding) {
  static const bool written = WriteSkinnedGridFiles();
  static const std::string paths[2] = {SkinnedGridFilePath(GridEncoding::kText),
                                       SkinnedGridFilePath(GridEncoding::kBinary)};
  (void)written;
  return paths[encoding == GridEncoding::kText ? 0 : 1];
}

std::uint64_t ExpectedTriangles() {
  static const std::uint64_t triangles = SkinnedGridTriangles();
  return triangles;
}

// Best processor seconds per (reader, encoding), for the ratio.
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
  if (triangles != ExpectedTriangles()) state.SkipWithError("wrong triangle count");
  double& kept = BestSeconds().try_emplace(key, best).first->second;
  kept = std::min(kept, best);
  state.SetItemsProcessed(std::int64_t(state.iterations() * triangles));
  state.counters["triangles/s"] = benchmark::Counter(double(triangles) / best);
}

void BM_OrtolixReadImportFile(benchmark::State& state, GridEncoding encoding) {
  const std::string& path = ModelPath(encoding);
  Run(state, std::string("ortolix/") + Name(encoding), [&] {
    const std::uint64_t triangles = ImportWithOrtolix(path);
    ResetImportModel();
    return triangles;
  });
  const auto& best = BestSeconds();
  const auto peer = best.find(std::string("assimp/") + Name(encoding));
  const auto ours = best.find(std::string("ortolix/") + Name(encoding));
  if (peer != best.end()) state.counters["x_assimp"] = peer->second / ours->second;
}

#if ORTOLIX_HAVE_ASSIMP
void BM_AssimpReadFile(benchmark::State& state, GridEncoding encoding) {
  const std::string& path = ModelPath(encoding);
  Run(state, std::string("assimp/") + Name(encoding), [&] { return ImportWithAssimp(path); });
}
BENCHMARK_CAPTURE(BM_AssimpReadFile, text, GridEncoding::kText)
    ->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK_CAPTURE(BM_AssimpReadFile, binary, GridEncoding::kBinary)
    ->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
#endif

BENCHMARK_CAPTURE(BM_OrtolixReadImportFile, text, GridEncoding::kText)
    ->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK_CAPTURE(BM_OrtolixReadImportFile, binary, GridEncoding::kBinary)
    ->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace
}  // namespace ortolix::bench
