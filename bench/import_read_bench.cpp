// Reading the generated 1M-triangle skinned, animated model into the
// ImportScene (ReadXFile: parse, mesh build, attribute sort, posing), text
// and binary, beside assimp's whole read (ReadFile(path, 0)) of the same
// file. Reported: triangles per second, "x_assimp" (assimp's best processor
// time over ours, from the same run) and the peak resident memory of one
// read in a fresh process ("peak_MB", the child's own VmHWM;
// "mem_x_assimp" is ours over assimp's).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/d3dx/com_ref.h"
#include "tests/support/skinned_grid_model.h"
#include "ximport/read_x_file.h"

#if ORTOLIX_HAVE_ASSIMP
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#endif

namespace ortolix::bench {
namespace {

enum Encoding { kText, kBinary };

// The shared skinned grid: 1M triangles, 8 bones, one animation per bone.
const test::SkinnedGridModel& Model() {
  static const test::SkinnedGridModel model = test::MakeSkinnedGrid(1000000, 8);
  return model;
}

std::string ModelBytes(Encoding encoding) { return test::SkinnedGridFile(Model(), encoding == kBinary); }

const char* EncodingName(Encoding encoding) { return encoding == kText ? "text" : "binary"; }

const std::string& ModelPath(Encoding encoding) {
  static std::string written[2];
  if (written[encoding].empty()) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       (encoding == kText ? "ortolix_bench_animated_1m_txt.x"
                                                          : "ortolix_bench_animated_1m_bin.x");
    std::ofstream(file, std::ios::binary)
        << ModelBytes(encoding);
    written[encoding] = file.string();
  }
  return written[encoding];
}

struct Best {
  double seconds = 1e30;
  double peak_mb = 0;
};
std::map<std::string, Best>& Results() {
  static std::map<std::string, Best> results;
  return results;
}

// Peak resident set of one read by `reader` ("ortolix" or "assimp") of
// `path`, in a new process of this program that reports its own high-water
// mark, so that nothing of this process's memory is counted.
double ChildPeakMegabytes(const char* reader, const std::string& path) {
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return 0;
  self[length] = '\0';
  const std::string command = std::string("'") + self + "' --one-read " + reader + " '" + path + "'";
  FILE* child = popen(command.c_str(), "r");
  if (child == nullptr) return 0;
  double kilobytes = 0;
  if (std::fscanf(child, "%lf", &kilobytes) != 1) kilobytes = 0;
  return pclose(child) == 0 ? kilobytes / 1024.0 : 0;
}

// This process's peak resident set in kilobytes (VmHWM).
long PeakKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

void Run(benchmark::State& state, const char* reader, Encoding encoding,
         const std::function<std::uint64_t()>& work) {
  const std::string key = std::string(reader) + "/" + EncodingName(encoding);
  std::uint64_t triangles = 0;
  Best& best = Results()[key];
  for (auto _ : state) {
    const std::clock_t start = std::clock();
    triangles = work();
    best.seconds = std::min(best.seconds, double(std::clock() - start) / CLOCKS_PER_SEC);
  }
  if (triangles != Model().triangle_count()) state.SkipWithError("wrong triangle count");
  if (best.peak_mb == 0) best.peak_mb = ChildPeakMegabytes(reader, ModelPath(encoding));
  state.SetItemsProcessed(std::int64_t(state.iterations() * triangles));
  state.counters["triangles/s"] = benchmark::Counter(double(triangles) / best.seconds);
  state.counters["peak_MB"] = best.peak_mb;
}

std::uint64_t ReadWithOrtolix(const std::u16string& path) {
  ComRef<IDirect3DDevice9> device(CreateImportDevice(nullptr));
  XFileReader reader;
  reader.device = device.get();
  if (ReadXFile(reader, path.c_str()) < 0 || reader.current_scene == nullptr) return 0;
  std::uint64_t triangles = 0;
  ForEachFrameNode(reader.current_scene->root.get(), [&](FrameNode& node) {
    for (MeshContainer* c = node.mesh_list.get(); c != nullptr; c = c->next.get()) {
      triangles += c->mesh->GetNumFaces();
    }
  });
  return triangles;
}

void BM_OrtolixReadXFile(benchmark::State& state, Encoding encoding) {
  const std::string& path = ModelPath(encoding);
  const std::u16string wide(path.begin(), path.end());
  const std::string key = std::string("ortolix/") + EncodingName(encoding);
  Run(state, "ortolix", encoding, [&] { return ReadWithOrtolix(wide); });
  const auto& results = Results();
  const auto peer = results.find(std::string("assimp/") + EncodingName(encoding));
  if (peer != results.end()) {
    state.counters["x_assimp"] = peer->second.seconds / results.at(key).seconds;
    state.counters["mem_x_assimp"] = results.at(key).peak_mb / peer->second.peak_mb;
  }
}

#if ORTOLIX_HAVE_ASSIMP
std::uint64_t ReadWithAssimp(const std::string& path) {
  Assimp::Importer importer;
  const aiScene* scene = importer.ReadFile(path, 0);
  std::uint64_t triangles = 0;
  for (unsigned m = 0; scene != nullptr && m < scene->mNumMeshes; ++m) triangles += scene->mMeshes[m]->mNumFaces;
  return triangles;
}

void BM_AssimpReadFile(benchmark::State& state, Encoding encoding) {
  const std::string& path = ModelPath(encoding);
  Run(state, "assimp", encoding, [&] { return ReadWithAssimp(path); });
}
BENCHMARK_CAPTURE(BM_AssimpReadFile, text, kText)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK_CAPTURE(BM_AssimpReadFile, binary, kBinary)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
#endif

BENCHMARK_CAPTURE(BM_OrtolixReadXFile, text, kText)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK_CAPTURE(BM_OrtolixReadXFile, binary, kBinary)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// The child of ChildPeakMegabytes: one read, exit 0 when it found the
// model's triangles.
int OneRead(std::string_view reader, const std::string& path) {
  std::uint64_t triangles = 0;
  if (reader == "ortolix") triangles = ReadWithOrtolix(std::u16string(path.begin(), path.end()));
#if ORTOLIX_HAVE_ASSIMP
  if (reader == "assimp") triangles = ReadWithAssimp(path);
#endif
  std::printf("%ld\n", PeakKilobytes());
  return triangles == Model().triangle_count() ? 0 : 1;
}

}  // namespace
}  // namespace ortolix::bench

int main(int argc, char** argv) {
  if (argc == 4 && std::string_view(argv[1]) == "--one-read") {
    return ortolix::bench::OneRead(argv[2], argv[3]);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
