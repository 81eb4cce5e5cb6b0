// The whole import as the Host runs it, on the generated 1M-triangle
// skinned, animated model (text): the read message, then the dialog/transfer
// message (dialog answered OK) into an in-process Host, each timed alone and
// together, beside assimp's ReadFile(path, 0) of the same file. The whole
// import reports "x_assimp", assimp's best wall time over ours.
//
//   cmake --preset bench && cmake --build --preset bench -j2 --target bench_import_transfer
//   build/bench/bench/bench_import_transfer
// Peak memory: /usr/bin/time -v on `ortolix import FILE` and on
// `bench_import_peak assimp text` (see import_peak_driver.cpp).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

#include "bench/import_bench_support.h"
#include "host/in_process_host.h"
#include "import/import_model.h"
#include "platform/win32/headless.h"
#include "platform/win32/win32.h"
#include "plugin/plugin_entry.h"
#include "resources/import_dialog.h"

namespace ortolix::bench {
namespace {

const std::string& ModelPath() {
  static const bool written = WriteSkinnedGridFiles();
  static const std::string path = SkinnedGridFilePath(GridEncoding::kText);
  (void)written;
  return path;
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double& BestAssimp() {
  static double best = 0;
  return best;
}

bool ReadMessage(InProcessHost& host) {
  host.filePath = HostPathString(ModelPath().c_str());
  return PluginCallback(kMessageImportRead, &host, 0, 0) == 1;
}

bool TransferMessage(InProcessHost& host) {
  headless::Reset();
  headless::AddDialogScript(headless::DialogScript{
      ORTOLIX_IMPORT_DIALOG_ID, {headless::DialogStep::Press(headless::ControlRef::Id(IDOK))}});
  return PluginCallback(kMessageImportTransfer, &host, 0x400000, 0) == 1;
}

// Times `stage` on a fresh Host per iteration; `before` runs untimed first.
template <class Before, class Stage>
double BestOf(benchmark::State& state, Before before, Stage stage) {
  double best = 1e30;
  for (auto _ : state) {
    auto host = std::make_unique<InProcessHost>();
    if (!before(*host)) state.SkipWithError("the read failed");
    const auto start = std::chrono::steady_clock::now();
    if (!stage(*host)) state.SkipWithError("the stage failed");
    best = std::min(best, Seconds(start));
    state.SetIterationTime(Seconds(start));
    ResetImportModel();
  }
  state.counters["best_ms"] = best * 1e3;
  return best;
}

void BM_ReadMessage(benchmark::State& state) {
  BestOf(state, [](InProcessHost&) { return true; }, ReadMessage);
}

void BM_DialogAndTransfer(benchmark::State& state) {
  BestOf(state, ReadMessage, TransferMessage);
}

void BM_WholeImport(benchmark::State& state) {
  const double best = BestOf(state, [](InProcessHost&) { return true; },
                             [](InProcessHost& host) { return ReadMessage(host) && TransferMessage(host); });
  if (BestAssimp() > 0) state.counters["x_assimp"] = BestAssimp() / best;
}

#if ORTOLIX_HAVE_ASSIMP
void BM_AssimpReadFile(benchmark::State& state) {
  double best = 1e30;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (ImportWithAssimp(ModelPath()) == 0) state.SkipWithError("assimp failed");
    best = std::min(best, Seconds(start));
    state.SetIterationTime(Seconds(start));
  }
  BestAssimp() = best;
  state.counters["best_ms"] = best * 1e3;
}
BENCHMARK(BM_AssimpReadFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
#endif

BENCHMARK(BM_ReadMessage)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(BM_DialogAndTransfer)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(BM_WholeImport)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

}  // namespace
}  // namespace ortolix::bench
