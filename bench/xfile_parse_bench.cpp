// Parse speed of the .x file services on a generated 1M-triangle skinned
// model in its four encodings (text, binary, compressed text, compressed
// binary): the whole read, file to enumerator, in MB/s of the file as
// stored (the "payload" counter gives MB/s of the inflated data). When the
// assimp library is found at build time, its ReadFile(path, 0) on the same
// files runs beside it as a peer (benchmark binary only, never the product).
//
//   cmake --preset bench && cmake --build --preset bench -j2 --target bench_xfile_parse
//   build/bench/bench/bench_xfile_parse --benchmark_min_time=2
//       --benchmark_repetitions=3 --benchmark_report_aggregates_only=true   (one line)
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/skinned_grid_model.h"
#include "platform/xfile/d3dx_file.h"
#include "platform/xfile/standard_templates.h"
#include "tests/support/xfile_image_writer.h"

#ifdef ORTOLIX_HAVE_ASSIMP
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#endif

namespace ortolix::bench {
namespace {

enum Form { kText, kBinary, kTextZip, kBinaryZip, kFormCount };

const char* const kFormNames[] = {"text", "binary", "tzip", "bzip"};

struct GeneratedFile {
  std::string path;
  std::uint64_t file_bytes = 0;
  std::uint64_t payload_bytes = 0;
};

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::abort();
  }
  std::fclose(f);
}

// The four files, generated once per run into the temporary directory.
const std::vector<GeneratedFile>& Files() {
  static const std::vector<GeneratedFile> files = [] {
    test::SkinnedGridModel model = test::MakeSkinnedGrid(1000000, 32);
    std::string text = test::TextPayload(model);
    std::vector<std::uint8_t> binary = test::BinaryPayload(model);
    std::string binary_text(binary.begin(), binary.end());
    std::vector<std::uint8_t> images[kFormCount] = {
        test::Bytes("xof 0303txt 0032" + text),
        test::Bytes("xof 0303bin 0032" + binary_text),
        test::Mszip("xof 0303tzip0032", text),
        test::Mszip("xof 0303bzip0032", binary_text),
    };
    std::string dir = std::filesystem::temp_directory_path().string() + "/ortolix_bench_xfile";
    std::filesystem::create_directories(dir);
    std::vector<GeneratedFile> out;
    for (int f = 0; f < kFormCount; ++f) {
      GeneratedFile g;
      g.path = dir + "/skinned_grid_" + kFormNames[f] + ".x";
      g.file_bytes = images[f].size();
      g.payload_bytes = f == kText || f == kTextZip ? text.size() : binary.size();
      WriteFile(g.path, images[f]);
      out.push_back(g);
    }
    std::fprintf(stderr, "model: %u triangles, %u vertices, %u bones\n", model.triangle_count(),
                 model.vertex_count(), model.bones);
    return out;
  }();
  return files;
}

void Report(benchmark::State& state, const GeneratedFile& file) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.file_bytes));
  state.counters["payload"] = benchmark::Counter(
      static_cast<double>(state.iterations() * file.payload_bytes), benchmark::Counter::kIsRate,
      benchmark::Counter::kIs1024);
  state.counters["file_MB"] = static_cast<double>(file.file_bytes) / 1e6;
}

void BM_OrtolixRead(benchmark::State& state) {
  const GeneratedFile& file = Files()[static_cast<std::size_t>(state.range(0))];
  ID3DXFile* x = nullptr;
  if (Failed(D3DXFileCreate(&x))) return state.SkipWithError("D3DXFileCreate");
  for (std::string_view block : {RetainedModeTemplates(), SkinningTemplates(), VertexDataTemplates()}) {
    if (Failed(x->RegisterTemplates(block.data(), block.size()))) return state.SkipWithError("templates");
  }
  for (auto _ : state) {
    ID3DXFileEnumObject* e = nullptr;
    if (Failed(x->CreateEnumObject(file.path.c_str(), D3DXF_FILELOAD_FROMFILE, &e))) {
      state.SkipWithError(x->LastError().Format().c_str());
      break;
    }
    std::size_t n = 0;
    benchmark::DoNotOptimize(e->GetChildren(&n));
    e->Release();
  }
  x->Release();
  state.SetLabel(kFormNames[state.range(0)]);
  Report(state, file);
}
BENCHMARK(BM_OrtolixRead)->DenseRange(0, kFormCount - 1)->Unit(benchmark::kMillisecond);

#ifdef ORTOLIX_HAVE_ASSIMP
void BM_AssimpRead(benchmark::State& state) {
  const GeneratedFile& file = Files()[static_cast<std::size_t>(state.range(0))];
  for (auto _ : state) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(file.path, 0);
    if (scene == nullptr) {
      state.SkipWithError(importer.GetErrorString());
      break;
    }
    benchmark::DoNotOptimize(scene->mNumMeshes);
  }
  state.SetLabel(kFormNames[state.range(0)]);
  Report(state, file);
}
BENCHMARK(BM_AssimpRead)->DenseRange(0, kFormCount - 1)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace ortolix::bench
