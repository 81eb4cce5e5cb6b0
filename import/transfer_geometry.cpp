// Vertices with their influences, and one Host mesh per ImportMesh.
#include <cstdint>
#include <limits>

#include "import/transfer_steps.h"

namespace ortolix {
namespace {

// The index of the first track of the first animation named `frame`, -1
// when there is none.
std::int32_t BoneOfFrame(const ImportModel& model, const std::string& frame) {
  if (model.animations.empty()) return -1;
  const std::vector<AnimationTrack>& tracks = model.animations[0].tracks;
  for (std::size_t i = 0; i < tracks.size(); ++i) {
    if (tracks[i].name == frame) return static_cast<std::int32_t>(i);
  }
  return -1;
}

// The vertices of a skinned mesh take their weights; those of any other mesh
// one full influence on the bone of their frame, if the Host gives them room.
bool SetInfluences(HostModel& host, std::int32_t h, const ImportMesh& mesh,
                   const ImportVertex& vertex, std::int32_t frame_bone) {
  if (mesh.skinned != 1) {
    HostVertex* record = host.SetVertexInfluences(h, 1);
    if (record != nullptr && record->influences != nullptr) {
      record->influences[0] = HostInfluence{frame_bone, 1.0f};
    }
    return true;
  }
  const std::size_t n = vertex.weights.size();
  if (n == 0) return true;
  if (n > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return false;
  HostVertex* record = host.SetVertexInfluences(h, static_cast<std::int32_t>(n));
  if (record == nullptr || record->influences == nullptr) return false;
  for (std::size_t k = 0; k < n; ++k) {
    record->influences[k] = HostInfluence{vertex.weights[k].bone, vertex.weights[k].weight};
  }
  return true;
}

bool InRange(std::int64_t index, std::int32_t count) { return index >= 0 && index < count; }

// Material and group of a face, checked against the Host's arrays where it
// has them. Negative indices (faces the conversion left unfilled) are
// refused like those past the end.
bool FaceRecordIndices(const TransferContext& context, const ImportFace& face, std::int32_t mesh,
                       std::int64_t material_base, HostFace& out) {
  const bool merged = context.options.mergeSimilarMaterials == 1;
  const std::int64_t material = merged ? face.material : material_base + face.material;
  const std::int64_t group = context.options.convertMaterialsToGroups == 1 ? material : mesh;
  const HostModel& host = context.host;
  if (host.groups.items != nullptr && !InRange(group, host.groups.count)) return false;
  if (host.materials.items != nullptr && !InRange(material, host.materials.count)) return false;
  out.material = static_cast<std::int32_t>(material);
  out.group = static_cast<std::int32_t>(group);
  return true;
}

bool FillFace(const TransferContext& context, const ImportMesh& mesh, const ImportFace& face,
              std::int32_t mesh_index, std::int64_t vertex_base, std::int64_t material_base,
              HostFace& out) {
  if (!FaceRecordIndices(context, face, mesh_index, material_base, out)) return false;
  if (out.corners == nullptr || out.cornerCount < 3) return false;
  for (int k = 0; k < 3; ++k) {
    const std::int64_t corner = vertex_base + face.vertices[k];
    if (!InRange(corner, context.host.vertices.count)) return false;
    out.corners[k] = static_cast<std::int32_t>(corner);
  }
  HostFaceTexture* texture = out.texture;
  if (texture == nullptr || texture->first == nullptr || texture->second == nullptr) return true;
  for (int k = 0; k < 3; ++k) {
    const std::int32_t v = face.vertices[k];
    if (v < 0 || static_cast<std::size_t>(v) >= mesh.vertices.size()) continue;
    texture->first[k].u = mesh.vertices[v].uv1.x;
    texture->first[k].v = mesh.vertices[v].uv1.y;
    texture->second[k].u = mesh.vertices[v].uv2.x;
    texture->second[k].v = mesh.vertices[v].uv2.y;
  }
  return true;
}

}  // namespace

bool TransferVertices(TransferContext& context) {
  std::int64_t total = 0;
  for (const ImportMesh& mesh : context.model.meshes) total += static_cast<std::int64_t>(mesh.vertices.size());
  if (total == 0) return true;
  if (total > std::numeric_limits<std::int32_t>::max()) return false;
  HostModel& host = context.host;
  if (host.AllocateVertices(static_cast<std::int32_t>(total)) == 0) return false;
  if (host.vertices.items == nullptr || host.vertices.count < total) return false;
  std::int32_t h = 0;
  for (const ImportMesh& mesh : context.model.meshes) {
    const std::int32_t frame_bone = mesh.skinned == 1 ? -1 : BoneOfFrame(context.model, mesh.frameName);
    for (const ImportVertex& vertex : mesh.vertices) {
      HostVertex& record = host.vertices.items[h];
      record.position = mesh.skinned == 1 ? vertex.position : TransformPoint(mesh.world, vertex.position);
      record.color = HostColor{vertex.color.r, vertex.color.g, vertex.color.b, vertex.color.a};
      if (!SetInfluences(host, h, mesh, vertex, frame_bone)) return false;
      ++h;
    }
  }
  return true;
}

bool TransferMeshes(TransferContext& context) {
  std::int64_t vertex_base = 0;
  std::int64_t material_base = 0;
  for (std::size_t m = 0; m < context.model.meshes.size(); ++m) {
    const ImportMesh& mesh = context.model.meshes[m];
    HostMesh* record = context.host.CreateMesh();
    if (record == nullptr) return false;
    const std::size_t face_count = mesh.faces.size();
    if (face_count > 0) {
      if (face_count > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return false;
      if (record->AllocateFaces(static_cast<std::int32_t>(face_count)) == 0) return false;
      if (record->faces == nullptr || static_cast<std::size_t>(record->faceCount) < face_count) return false;
    }
    for (std::size_t f = 0; f < face_count; ++f) {
      if (!FillFace(context, mesh, mesh.faces[f], static_cast<std::int32_t>(m), vertex_base,
                    material_base, record->faces[f])) {
        return false;
      }
    }
    vertex_base += static_cast<std::int64_t>(mesh.vertices.size());
    material_base += mesh.materialCount;
  }
  return true;
}

}  // namespace ortolix
