// The text writer on a generated skinned, animated model of about one
// million triangles (a 708 x 708 grid, 16 bones, two influences per vertex,
// 240 keys of each kind per bone).
//
// - BM_WriteScene: the whole file (templates, frames, the skinned mesh with
//   normals, texture coordinates, colours and skin weights, the animation
//   set) into a sink that drops the bytes; MB/s of text produced.
// - BM_WriteMesh against BM_SnprintfMesh: the Mesh object, which is nearly all
//   of the file, once by the writer and once by a baseline that produces the
//   same bytes with one snprintf per number ("%d", "%f"); the set-up checks
//   that both texts are equal. The ratio of their MB/s is the writer's gain.
// - BM_ExportPeakMemory: export preparation's builders plus the write, with
//   the rise of the process's peak resident memory over the host model's
//   heap size as counters (Linux: /proc/self/clear_refs and VmHWM).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/grid_host_model.h"
#include "bench/skinned_grid.h"
#include "export/export_frames.h"
#include "export/export_release.h"
#include "export/model_vertex_list.h"
#include "xwriter/mesh_writer.h"
#include "xwriter/scene_writer.h"

namespace ortolix::bench {
namespace {

constexpr int kCells = 708;  // 2 x 708 x 708 = 1,002,528 triangles
constexpr int kBones = 16;
constexpr int kKeysPerTrack = 240;
constexpr std::int32_t kMeshWidth = 6;  // the whole-model mesh in skeleton mode

std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

struct Fixture {
  std::size_t hostBytes = 0;
  std::unique_ptr<GridHostModel> grid;
  std::unique_ptr<SkinnedGrid> skin;
  ExportOptions options;
  ExportScene scene;

  Fixture() {
    const std::size_t before = HeapInUse();
    grid = std::make_unique<GridHostModel>(kCells, 1);
    skin = std::make_unique<SkinnedGrid>(*grid, kCells, kBones, kKeysPerTrack);
    hostBytes = HeapInUse() - before;
    grid->creatorName = HostPathString("bench");
    options.exportTextureCoordinates = options.exportVertexNormals = 1;
    options.exportVertexColors = options.exportAnimation = options.exportTemplates = 1;
    options.exportMaterials = options.exportTicksPerSecond = 1;
  }

  // What export preparation builds for the writer.
  bool Prepare(ExportScene& out) {
    return BuildModelVertexList(out, *grid, options) == 1 && BuildExportFrames(out, *grid) == 1 &&
           CountBoneInfluences(out, *grid) == 1;
  }

  WriteContext Context() { return WriteContext{grid.get(), &scene, &options}; }
};

Fixture& TheFixture() {
  static Fixture fixture;
  if (fixture.scene.modelVertices == nullptr && !fixture.Prepare(fixture.scene)) {
    std::fprintf(stderr, "export preparation failed\n");
    std::abort();
  }
  return fixture;
}

// The baseline's output: 64 KiB chunks handed on as the writer's sink does,
// kept only when a text is asked for.
class ChunkOut {
 public:
  explicit ChunkOut(std::string* keep = nullptr) : keep_(keep) {}
  ~ChunkOut() { Flush(); }
  void Flush() {
    if (keep_ != nullptr) keep_->append(buffer_, used_);
    benchmark::DoNotOptimize(buffer_);
    bytes_ += used_;
    used_ = 0;
  }
  void Append(const char* text, std::size_t size) {
    if (used_ + size > sizeof buffer_) Flush();
    std::memcpy(buffer_ + used_, text, size);
    used_ += size;
  }
  void Lit(const char* text) { Append(text, std::strlen(text)); }
  void Blanks(std::int32_t width) {
    const std::size_t n = static_cast<std::size_t>(std::max(width, 1));
    if (used_ + n > sizeof buffer_) Flush();
    std::memset(buffer_ + used_, ' ', n);
    used_ += n;
  }
  void Int(std::int32_t value) {
    char text[16];
    Append(text, static_cast<std::size_t>(std::snprintf(text, sizeof text, "%d", value)));
  }
  void Float(float value) {
    char text[64];
    Append(text, static_cast<std::size_t>(
                     std::snprintf(text, sizeof text, "%f", static_cast<double>(value))));
  }
  void Separator(std::int64_t index, std::int64_t count) { Lit(index + 1 < count ? ",\r\n" : ";\r\n"); }
  std::uint64_t Bytes() const { return bytes_ + used_; }

 private:
  std::string* keep_;
  char buffer_[64 * 1024];
  std::size_t used_ = 0;
  std::uint64_t bytes_ = 0;
};

void BaselineCount(ChunkOut& out, std::int32_t w, std::int32_t count) {
  out.Blanks(w);
  out.Lit(" ");
  out.Int(count);
  out.Lit(";\r\n");
}

void BaselineFaces(ChunkOut& out, const HostMesh& mesh, std::int32_t w) {
  BaselineCount(out, w, mesh.faceCount);
  for (std::int32_t f = 0; f < mesh.faceCount; ++f) {
    const HostFace& face = mesh.faces[f];
    out.Blanks(w);
    out.Lit(" ");
    out.Int(face.cornerCount);
    out.Lit(";");
    for (std::int32_t k = 0; k < face.cornerCount; ++k) {
      out.Int(face.exportIndices[k]);
      out.Lit(k + 1 < face.cornerCount ? ", " : ";");
    }
    out.Separator(f, mesh.faceCount);
  }
}

void BaselineVectors(ChunkOut& out, const ExportScene& scene, std::int32_t w, bool normals) {
  const std::int32_t n = scene.modelVertexCount;
  BaselineCount(out, w, n);
  for (std::int32_t i = 0; i < n; ++i) {
    const Vec3& p = normals ? scene.modelVertices[i].normal : scene.modelVertices[i].position;
    out.Blanks(w);
    out.Lit(" ");
    out.Float(p.x);
    out.Lit("; ");
    out.Float(p.y);
    out.Lit("; ");
    out.Float(p.z);
    out.Lit(";");
    out.Separator(i, n);
  }
}

void BaselineTextureAndColours(ChunkOut& out, const ExportScene& scene, std::int32_t w) {
  const std::int32_t n = scene.modelVertexCount;
  out.Blanks(w);
  out.Lit("MeshTextureCoords {\r\n");
  BaselineCount(out, w, n);
  for (std::int32_t i = 0; i < n; ++i) {
    out.Blanks(w);
    out.Lit(" ");
    out.Float(scene.modelVertices[i].first.u);
    out.Lit("; ");
    out.Float(scene.modelVertices[i].first.v);
    out.Lit(";");
    out.Separator(i, n);
  }
  out.Blanks(w);
  out.Lit("}\r\n\r\n");
  out.Blanks(w);
  out.Lit("MeshVertexColors {\r\n");
  BaselineCount(out, w, n);
  for (std::int32_t i = 0; i < n; ++i) {
    const HostColor& c = scene.modelVertices[i].color;
    out.Blanks(w);
    out.Lit(" ");
    out.Int(i);
    for (float value : {c.r, c.g, c.b, c.a}) {
      out.Lit("; ");
      out.Float(value);
    }
    out.Lit(";");
    out.Separator(i, n);
  }
  out.Blanks(w);
  out.Lit("}\r\n\r\n");
}

// The skin header's three values, computed as the writer's rules say.
void BaselineSkinHeader(ChunkOut& out, const HostModel& model, const ExportScene& scene,
                        std::int32_t w) {
  std::int32_t perVertex = 0;
  for (std::int32_t v = 0; v < model.vertices.count; ++v) {
    perVertex = std::max(perVertex, model.vertices.items[v].influenceCount);
  }
  std::int32_t perFace = 0;
  std::vector<std::int32_t> bones;
  const HostMesh& mesh = model.meshes.items[0];
  for (std::int32_t f = 0; f < mesh.faceCount; ++f) {
    bones.clear();
    for (std::int32_t k = 0; k < mesh.faces[f].cornerCount; ++k) {
      const HostVertex& v = model.vertices.items[mesh.faces[f].corners[k]];
      for (std::int32_t i = 0; i < v.influenceCount; ++i) {
        const std::int32_t b = v.influences[i].bone;
        if (b >= 0 && std::find(bones.begin(), bones.end(), b) == bones.end()) bones.push_back(b);
      }
    }
    perFace = std::max(perFace, static_cast<std::int32_t>(bones.size()));
  }
  std::int32_t used = 0;
  for (std::int32_t b = 0; b < scene.frameCount; ++b) used += scene.frames[b].influenceCount > 0;
  out.Lit("\r\n");
  out.Blanks(w);
  out.Lit("XSkinMeshHeader {\r\n");
  for (std::int32_t value : {perVertex, perFace, used}) BaselineCount(out, w, value);
  out.Blanks(w);
  out.Lit("}\r\n\r\n");
}

void BaselineBoneWeights(ChunkOut& out, const HostModel& model, const ExportScene& scene,
                         std::int32_t bone, std::int32_t w) {
  const std::int32_t n = scene.frames[bone].influenceCount;
  out.Blanks(w);
  out.Lit("SkinWeights {\r\n");
  out.Blanks(w);
  out.Lit(" \"");
  out.Lit(model.bones.items[bone].name.Narrow());
  out.Lit("\";\r\n");
  BaselineCount(out, w, n);
  for (const bool weights : {false, true}) {
    std::int32_t written = 0;
    for (std::int32_t j = 0; j < scene.modelVertexCount; ++j) {
      const HostVertex& v = model.vertices.items[scene.modelVertices[j].hostVertex];
      for (std::int32_t i = 0; i < v.influenceCount; ++i) {
        if (v.influences[i].bone != bone) continue;
        out.Blanks(w);
        out.Lit(" ");
        if (weights) {
          out.Float(v.influences[i].weight);
        } else {
          out.Int(j);
        }
        out.Lit(++written >= n ? ";\r\n" : ",\r\n");
      }
    }
  }
  const Matrix4 offset = AffineInverse(scene.frames[bone].combined);
  for (int row = 0; row < 4; ++row) {
    out.Blanks(w + 3);
    out.Lit(" ");
    for (int c = 0; c < 3; ++c) {
      out.Float(offset.m[4 * row + c]);
      out.Lit(", ");
    }
    out.Float(row == 3 ? 1.0f : 0.0f);
    out.Lit(row == 3 ? ";;\r\n" : ",\r\n");
  }
  out.Blanks(w);
  out.Lit("}\r\n\r\n");
}

// The Mesh object as WriteMesh writes it for the fixture's options.
void BaselineMesh(ChunkOut& out, const HostModel& model, const ExportScene& scene,
                  std::int32_t w) {
  const HostMesh& mesh = model.meshes.items[0];
  out.Blanks(w);
  out.Lit("Mesh skinnedMesh {\r\n");
  BaselineVectors(out, scene, w, false);
  BaselineFaces(out, mesh, w);
  out.Lit("\r\n");
  out.Blanks(w);
  out.Lit("MeshNormals {\r\n");
  BaselineVectors(out, scene, w, true);
  BaselineFaces(out, mesh, w);
  out.Blanks(w);
  out.Lit("}\r\n\r\n");
  BaselineTextureAndColours(out, scene, w);
  BaselineSkinHeader(out, model, scene, w);
  for (std::int32_t b = 0; b < scene.frameCount; ++b) {
    if (scene.frames[b].influenceCount > 0) BaselineBoneWeights(out, model, scene, b, w);
  }
  out.Lit("\r\n");
  out.Blanks(w - 1);
  out.Lit("}\r\n");
}

int WriterMesh(TextSink& sink, Fixture& fixture) {
  return WriteMesh(&sink, fixture.Context(),
                   MeshWriteView::WholeModel(*fixture.grid, fixture.scene), kMeshWidth);
}

bool BaselineMatchesWriter(Fixture& fixture) {
  std::string writer;
  std::string baseline;
  {
    TextSink sink(AppendToString, &writer);
    (void)WriterMesh(sink, fixture);
  }
  {
    ChunkOut out(&baseline);
    BaselineMesh(out, *fixture.grid, fixture.scene, kMeshWidth);
  }
  return writer == baseline;
}

void BM_WriteScene(benchmark::State& state) {
  Fixture& fixture = TheFixture();
  std::uint64_t bytes = 0;
  for (auto _ : state) {
    TextSink sink(DiscardBytes, nullptr);
    if (WriteScene(&sink, fixture.Context()) != 1) state.SkipWithError("write failed");
    sink.Flush();
    bytes = sink.ByteCount();
  }
  state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteScene)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_WriteMesh(benchmark::State& state) {
  Fixture& fixture = TheFixture();
  std::uint64_t bytes = 0;
  for (auto _ : state) {
    TextSink sink(DiscardBytes, nullptr);
    if (WriterMesh(sink, fixture) != 1) state.SkipWithError("write failed");
    sink.Flush();
    bytes = sink.ByteCount();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteMesh)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_SnprintfMesh(benchmark::State& state) {
  Fixture& fixture = TheFixture();
  if (!BaselineMatchesWriter(fixture)) {
    state.SkipWithError("the baseline's text differs from the writer's");
    return;
  }
  std::uint64_t bytes = 0;
  for (auto _ : state) {
    ChunkOut out;
    BaselineMesh(out, *fixture.grid, fixture.scene, kMeshWidth);
    bytes = out.Bytes();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_SnprintfMesh)->Unit(benchmark::kMillisecond)->MinTime(2);

// Resident memory in bytes from /proc/self/status ("VmRSS:" or "VmHWM:").
double StatusBytes(const char* key) {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(key, 0) == 0) return std::stod(line.substr(std::strlen(key))) * 1024.0;
  }
  return 0;
}

void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

void BM_ExportPeakMemory(benchmark::State& state) {
  Fixture& fixture = TheFixture();
  FreeExportScene(fixture.scene);  // the fixture's own scene is not part of this export
  double rise = 0;
  for (auto _ : state) {
    malloc_trim(0);
    ResetPeakResident();
    const double before = StatusBytes("VmRSS:");
    ExportScene scene;
    if (!fixture.Prepare(scene)) state.SkipWithError("preparation failed");
    {
      TextSink sink(DiscardBytes, nullptr);
      (void)WriteScene(&sink, WriteContext{fixture.grid.get(), &scene, &fixture.options});
    }
    FreeExportScene(scene);
    rise = std::max(rise, StatusBytes("VmHWM:") - before);
  }
  state.counters["host_MB"] = static_cast<double>(fixture.hostBytes) / 1e6;
  state.counters["export_peak_MB"] = rise / 1e6;
  state.counters["peak_over_host"] = rise / static_cast<double>(fixture.hostBytes);
}
BENCHMARK(BM_ExportPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace ortolix::bench
