#include "xwriter/mesh_writer.h"

#include <bit>

#include "xwriter/block_text.h"
#include "xwriter/material_writer.h"
#include "xwriter/skin_writer.h"

namespace ortolix {
namespace {

bool AnyBoneSkinned(const HostModel& model) {
  if (model.bones.items == nullptr) return false;
  for (std::int32_t i = 0; i < model.bones.count; ++i) {
    if (model.bones.items[i].skinUseCount > 0) return true;
  }
  return false;
}

bool AnyVertexInfluenced(const HostModel& model, const MeshWriteView& source) {
  if (model.vertices.items == nullptr) return false;
  for (const ExportVertex& v : source.Vertices()) {
    if (v.hostVertex >= 0 && v.hostVertex < model.vertices.count &&
        model.vertices.items[v.hostVertex].influenceCount >= 1) {
      return true;
    }
  }
  return false;
}

const char* MeshName(const WriteContext& context, const MeshWriteView& source) {
  if (source.IsGroup()) return context.scene->groupMeshes[source.GroupIndex()].name;
  return AnyBoneSkinned(*context.model) ? "skinnedMesh" : "staticMesh";
}

bool IsSkinned(const WriteContext& context, const MeshWriteView& source) {
  return source.IsGroup() ? AnyVertexInfluenced(*context.model, source)
                          : AnyBoneSkinned(*context.model);
}

void WriteVertexPositions(TextSink& sink, const MeshWriteView& source, std::int32_t w, bool flip) {
  const auto vertices = source.Vertices();
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    const Vec3& p = vertices[i].position;
    Print(sink, "%*s %f; %f; %f;", w, " ", p.x, p.y, flip ? -p.z : p.z);
    ListSeparator(sink, static_cast<std::int64_t>(i), static_cast<std::int64_t>(vertices.size()));
  }
}

// The optional blocks in file order; the first 0 ends the mesh.
int WriteOptionalBlocks(TextSink* sink, const WriteContext& context, const MeshWriteView& source,
                        std::int32_t w) {
  const ExportOptions& options = *context.options;
  if (IsSet(options.exportVertexNormals) && WriteMeshNormals(sink, context, source, w) == 0) {
    return 0;
  }
  if (IsSet(options.exportTextureCoordinates) &&
      WriteMeshTextureCoords(sink, context, source, w) == 0) {
    return 0;
  }
  if (IsSet(options.exportVertexColors) && WriteMeshVertexColors(sink, source, w) == 0) return 0;
  if (IsSet(options.exportMaterials) && WriteMeshMaterialList(sink, context, source, w) == 0) {
    return 0;
  }
  if (IsSkinned(context, source) && WriteSkinWeights(sink, context, source, w) == 0) return 0;
  return 1;
}

}  // namespace

void WriteFaceList(TextSink& sink, const MeshWriteView& source, std::int32_t w, bool flip) {
  const std::int64_t count = source.FaceCount();
  source.ForEachFace([&](const MeshFaceView& face, std::int64_t index) {
    Print(sink, "%*s %d;", w, " ", face.cornerCount);
    for (std::int32_t k = 0; k < face.cornerCount; ++k) {
      const std::int32_t corner = flip ? face.corners[face.cornerCount - 1 - k] : face.corners[k];
      sink.Int(corner);
      sink.Text(k + 1 < face.cornerCount ? ", " : ";");
    }
    ListSeparator(sink, index, count);
  });
}

int WriteMesh(TextSink* sink, const WriteContext& context, const MeshWriteView& source,
              std::int32_t w) {
  if (sink == nullptr) return 0;
  const bool flip = IsSet(context.options->flipHandedness);
  Print(*sink, "%*sMesh %s {\n", w, " ", MeshName(context, source));
  Print(*sink, "%*s %d;\n", w, " ", source.VertexCount());
  WriteVertexPositions(*sink, source, w, flip);
  Print(*sink, "%*s %d;\n", w, " ", source.FaceCount());
  WriteFaceList(*sink, source, w, flip);
  sink->Text("\n");
  if (WriteOptionalBlocks(sink, context, source, w) == 0) return 0;
  Print(*sink, "%*s}\n", w > 0 ? w - 1 : 0, " ");
  return 1;
}

int WriteMeshNormals(TextSink* sink, const WriteContext& context, const MeshWriteView& source,
                     std::int32_t w) {
  if (sink == nullptr) return 0;
  const bool flip = IsSet(context.options->flipHandedness);
  Print(*sink, "%*sMeshNormals {\n", w, " ");
  Print(*sink, "%*s %d;\n", w, " ", source.VertexCount());
  const auto vertices = source.Vertices();
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    const Vec3& n = vertices[i].normal;
    Print(*sink, "%*s %f; %f; %f;", w, " ", n.x, n.y, flip ? -n.z : n.z);
    ListSeparator(*sink, static_cast<std::int64_t>(i), static_cast<std::int64_t>(vertices.size()));
  }
  Print(*sink, "%*s %d;\n", w, " ", source.FaceCount());
  WriteFaceList(*sink, source, w, flip);
  Print(*sink, "%*s}\n\n", w, " ");
  return 1;
}

int WriteMeshTextureCoords(TextSink* sink, const WriteContext& context, const MeshWriteView& source,
                           std::int32_t w) {
  if (sink == nullptr) return 0;
  const auto vertices = source.Vertices();
  const auto count = static_cast<std::int64_t>(vertices.size());
  Print(*sink, "%*sMeshTextureCoords {\n", w, " ");
  Print(*sink, "%*s %d;\n", w, " ", source.VertexCount());
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    Print(*sink, "%*s %f; %f;", w, " ", vertices[i].first.u, vertices[i].first.v);
    ListSeparator(*sink, static_cast<std::int64_t>(i), count);
  }
  Print(*sink, "%*s}\n\n", w, " ");
  if (!IsSet(context.options->exportMultipleUvSets)) return 1;

  // The second set travels as the raw bit patterns of its floats.
  constexpr std::int32_t kPositionAndOneTexCoordSet = 258;
  Print(*sink, "%*sFVFData {\n", w, " ");
  Print(*sink, "%*s %d;\n%*s %d;\n", w, " ", kPositionAndOneTexCoordSet, w, " ",
        static_cast<std::int32_t>(2u * static_cast<std::uint32_t>(source.VertexCount())));
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    Print(*sink, "%*s %d,\n%*s %d", w, " ", std::bit_cast<std::int32_t>(vertices[i].second.u), w,
          " ", std::bit_cast<std::int32_t>(vertices[i].second.v));
    ListSeparator(*sink, static_cast<std::int64_t>(i), count);
  }
  Print(*sink, "%*s}\n\n", w, " ");
  return 1;
}

int WriteMeshVertexColors(TextSink* sink, const MeshWriteView& source, std::int32_t w) {
  if (sink == nullptr) return 0;
  const auto vertices = source.Vertices();
  Print(*sink, "%*sMeshVertexColors {\n", w, " ");
  Print(*sink, "%*s %d;\n", w, " ", source.VertexCount());
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    const HostColor& c = vertices[i].color;
    Print(*sink, "%*s %d; %f; %f; %f; %f;", w, " ", static_cast<std::int32_t>(i), c.r, c.g, c.b,
          c.a);
    ListSeparator(*sink, static_cast<std::int64_t>(i), static_cast<std::int64_t>(vertices.size()));
  }
  Print(*sink, "%*s}\n\n", w, " ");
  return 1;
}

}  // namespace ortolix
