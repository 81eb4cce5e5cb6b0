#include "xwriter/skin_writer.h"

#include <algorithm>
#include <span>
#include <vector>

#include "math/vector_math.h"
#include "xwriter/block_text.h"
#include "xwriter/flip.h"

namespace ortolix {
namespace {

std::span<const HostInfluence> InfluencesOf(const HostModel& model, std::int32_t hostVertex) {
  if (model.vertices.items == nullptr || hostVertex < 0 || hostVertex >= model.vertices.count) {
    return {};
  }
  const HostVertex& v = model.vertices.items[hostVertex];
  if (v.influences == nullptr || v.influenceCount <= 0) return {};
  return {v.influences, static_cast<std::size_t>(v.influenceCount)};
}

std::int32_t MaxInfluencesPerVertex(const HostModel& model, const MeshWriteView& source) {
  std::int32_t most = 0;
  if (!source.IsGroup()) {
    if (model.vertices.items == nullptr) return 0;
    for (std::int32_t i = 0; i < model.vertices.count; ++i) {
      most = std::max(most, model.vertices.items[i].influenceCount);
    }
    return most;
  }
  for (const ExportVertex& v : source.Vertices()) {
    if (v.hostVertex >= 0 && v.hostVertex < model.vertices.count) {
      most = std::max(most, model.vertices.items[v.hostVertex].influenceCount);
    }
  }
  return most;
}

// The most distinct non-negative bone indices named by the corners of one face.
std::int32_t MaxBonesPerFace(const HostModel& model, const MeshWriteView& source) {
  std::int32_t most = 0;
  std::vector<std::int32_t> bones;
  source.ForEachFace([&](const MeshFaceView& face, std::int64_t) {
    bones.clear();
    for (std::int32_t k = 0; k < face.cornerCount; ++k) {
      for (const HostInfluence& influence : InfluencesOf(model, source.HostVertexAt(face, k))) {
        if (influence.bone >= 0 &&
            std::find(bones.begin(), bones.end(), influence.bone) == bones.end()) {
          bones.push_back(influence.bone);
        }
      }
    }
    most = std::max(most, static_cast<std::int32_t>(bones.size()));
  });
  return most;
}

void CountGroupInfluences(const HostModel& model, ExportScene& scene, const MeshWriteView& source) {
  for (std::int32_t b = 0; b < scene.frameCount; ++b) scene.frames[b].influenceCount = 0;
  const std::int32_t bones = std::min(model.bones.count, scene.frameCount);
  for (const ExportVertex& v : source.Vertices()) {
    for (const HostInfluence& influence : InfluencesOf(model, v.hostVertex)) {
      if (influence.bone >= 0 && influence.bone < bones) ++scene.frames[influence.bone].influenceCount;
    }
  }
}

struct BoneInfluence {
  std::int32_t vertex;  // index into the mesh's vertices
  float weight;
};

// The influences of the mesh's vertices grouped by bone (bones 0 to
// bones - 1), each group in vertex order, built in two passes so the bone
// blocks do not each walk every vertex.
class InfluencesByBone {
 public:
  InfluencesByBone(const HostModel& model, const MeshWriteView& source, std::int32_t bones)
      : start_(static_cast<std::size_t>(bones) + 1, 0) {
    const auto vertices = source.Vertices();
    for (const ExportVertex& v : vertices) {
      for (const HostInfluence& influence : InfluencesOf(model, v.hostVertex)) {
        if (influence.bone >= 0 && influence.bone < bones) ++start_[influence.bone + 1];
      }
    }
    for (std::size_t b = 1; b < start_.size(); ++b) start_[b] += start_[b - 1];
    entries_.resize(start_.back());
    std::vector<std::size_t> next(start_.begin(), start_.end() - 1);
    for (std::size_t j = 0; j < vertices.size(); ++j) {
      for (const HostInfluence& influence : InfluencesOf(model, vertices[j].hostVertex)) {
        if (influence.bone >= 0 && influence.bone < bones) {
          entries_[next[influence.bone]++] = {static_cast<std::int32_t>(j), influence.weight};
        }
      }
    }
  }

  std::span<const BoneInfluence> Of(std::int32_t bone) const {
    return std::span<const BoneInfluence>(entries_).subspan(start_[bone],
                                                            start_[bone + 1] - start_[bone]);
  }

 private:
  std::vector<std::size_t> start_;
  std::vector<BoneInfluence> entries_;
};

void WriteBoneWeights(TextSink& sink, const WriteContext& context,
                      std::span<const BoneInfluence> influences, std::int32_t bone,
                      std::int32_t w) {
  const HostModel& model = *context.model;
  const ExportFrame& frame = context.scene->frames[bone];
  const std::int32_t n = frame.influenceCount;
  Print(sink, "%*sSkinWeights {\n%*s \"%s\";\n%*s %d;\n", w, " ", w, " ",
        model.bones.items[bone].name.Narrow(), w, " ", n);
  std::int32_t written = 0;
  auto separator = [&] { sink.Text(++written >= n ? ";\n" : ",\n"); };
  for (const BoneInfluence& influence : influences) {
    Print(sink, "%*s %d", w, " ", influence.vertex);
    separator();
  }
  written = 0;
  for (const BoneInfluence& influence : influences) {
    Print(sink, "%*s %f", w, " ", influence.weight);
    separator();
  }
  const Matrix4 offset =
      FlipIf(IsSet(context.options->flipHandedness), AffineInverse(frame.combined));
  MatrixRows(sink, std::max(w + 3, 1) + 1, offset);
  Print(sink, "%*s}\n\n", w, " ");
}

}  // namespace

int WriteSkinWeights(TextSink* sink, const WriteContext& context, const MeshWriteView& source,
                     std::int32_t w) {
  if (sink == nullptr) return 0;
  const HostModel& model = *context.model;
  ExportScene& scene = *context.scene;
  const std::int32_t perVertex = MaxInfluencesPerVertex(model, source);
  const std::int32_t perFace = MaxBonesPerFace(model, source);
  if (source.IsGroup()) CountGroupInfluences(model, scene, source);

  const std::int32_t bones =
      model.bones.items == nullptr ? 0 : std::min(model.bones.count, scene.frameCount);
  std::int32_t used = 0;
  for (std::int32_t b = 0; b < bones; ++b) used += scene.frames[b].influenceCount > 0 ? 1 : 0;

  Print(*sink, "\n%*sXSkinMeshHeader {\n%*s %d;\n%*s %d;\n%*s %d;\n%*s}\n\n", w, " ", w, " ",
        perVertex, w, " ", perFace, w, " ", used, w, " ");
  const InfluencesByBone byBone(model, source, bones);
  for (std::int32_t b = 0; b < bones; ++b) {
    if (scene.frames[b].influenceCount > 0) WriteBoneWeights(*sink, context, byBone.Of(b), b, w);
  }
  sink->Text("\n");
  return 1;
}

}  // namespace ortolix
