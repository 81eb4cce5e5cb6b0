#include "export/group_meshes.h"

#include <cstring>

#include "export/export_allocation.h"
#include "export/export_release.h"
#include "export/vertex_weld.h"

namespace ortolix {
namespace {

using FaceList = ExportBuffer<const HostFace*>;
using OffsetList = ExportBuffer<std::size_t>;

std::int32_t GroupMeshCountOf(const HostModel& model) {
  if (model.groups.items == nullptr || model.groups.count <= 0) return 1;
  return model.groups.count;
}

bool InGroupMesh(const HostFace& face, std::int32_t groupMeshCount) {
  return face.group >= 0 && face.group < groupMeshCount;
}

// Calls visit(face, faceIndex) for every face of every Host mesh, in order.
template <typename Visit>
void ForEachHostFace(const HostModel& model, Visit visit) {
  for (const HostMesh& mesh : Items(model.meshes)) {
    std::int32_t f = 0;
    for (const HostFace& face : Faces(mesh)) visit(face, f++);
  }
}

// Counts the faces of every GroupMesh and gives each its face array.
bool AllocateGroupFaces(ExportScene& scene, const HostModel& model) {
  const std::int32_t count = scene.groupMeshCount;
  ForEachHostFace(model, [&](const HostFace& face, std::int32_t) {
    if (InGroupMesh(face, count)) ++scene.groupMeshes[face.group].faceCount;
  });
  for (std::int32_t k = 0; k < count; ++k) {
    GroupMesh& mesh = scene.groupMeshes[k];
    if (mesh.faceCount <= 0) continue;
    mesh.faces = NewExportArray<GroupFace>(mesh.faceCount);
    if (mesh.faces == nullptr) {
      mesh.faceCount = 0;
      return false;
    }
  }
  return true;
}

// Fills the GroupFaces. `sources` receives the Host face behind every
// GroupFace, grouped by GroupMesh in the same order, GroupMesh k's starting
// at `offsets[k]`.
bool FillGroupFaces(ExportScene& scene, const HostModel& model, FaceList& sources,
                    OffsetList& offsets) {
  const std::int32_t count = scene.groupMeshCount;
  if (!offsets.resize(static_cast<std::size_t>(count) + 1, 0)) return false;
  for (std::int32_t k = 0; k < count; ++k) {
    offsets[k + 1] = offsets[k] + static_cast<std::size_t>(scene.groupMeshes[k].faceCount);
  }
  OffsetList next;
  if (!sources.resize(offsets[count], nullptr) || !next.resize(static_cast<std::size_t>(count), 0)) {
    return false;
  }
  for (std::int32_t k = 0; k < count; ++k) next[k] = offsets[k];
  bool ok = true;
  ForEachHostFace(model, [&](const HostFace& face, std::int32_t faceIndex) {
    if (!ok || !InGroupMesh(face, count)) return;
    const std::size_t slot = next[face.group]++;
    sources[slot] = &face;
    GroupFace& out = scene.groupMeshes[face.group].faces[slot - offsets[face.group]];
    out.hostFace = faceIndex;
    out.material = face.material;
    out.cornerCount = face.cornerCount;
    if (face.cornerCount > 0) {
      out.corners = NewExportArray<std::int32_t>(face.cornerCount);
      ok = out.corners != nullptr;
    }
  });
  return ok;
}

// Welds the corners of GroupMesh `mesh`, whose Host faces are `faces`.
bool WeldGroupMesh(GroupMesh& mesh, const HostModel& model, const HostFace* const* faces,
                   WeldRule rule, VertexChainTable& chains) {
  ExportVertexArray vertices;
  for (std::int32_t f = 0; f < mesh.faceCount; ++f) {
    const HostFace& face = *faces[f];
    for (std::int32_t c = 0; c < face.cornerCount; ++c) {
      const std::int32_t index = WeldCorner(model, face, c, rule, chains, vertices);
      if (index < 0) return false;
      mesh.faces[f].corners[c] = index;
    }
  }
  chains.ResetFor(vertices);
  const auto count = static_cast<std::int32_t>(vertices.size());
  if (!vertices.Release(mesh.vertices)) return false;
  mesh.vertexCount = count;
  return true;
}

bool FillGroupMeshes(ExportScene& scene, const HostModel& model, const ExportOptions& options) {
  for (std::int32_t k = 0; k < scene.groupMeshCount; ++k) {
    const bool hasGroup = model.groups.items != nullptr && k < model.groups.count;
    const char* name = hasGroup ? model.groups.items[k].name.Narrow() : kDefaultMeshName;
    if (!SetGroupMeshName(scene.groupMeshes[k], name)) return false;
  }
  FaceList sources;
  OffsetList offsets;
  if (!AllocateGroupFaces(scene, model) || !FillGroupFaces(scene, model, sources, offsets)) {
    return false;
  }
  VertexChainTable chains;
  if (!chains.Prepare(model.vertices.items != nullptr ? model.vertices.count : 0)) return false;
  const WeldRule rule = WeldRuleFor(options);
  for (std::int32_t k = 0; k < scene.groupMeshCount; ++k) {
    if (!WeldGroupMesh(scene.groupMeshes[k], model, sources.data() + offsets[k], rule, chains)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool SetGroupMeshName(GroupMesh& mesh, const char* name) {
  DeleteExportArray(mesh.name);
  const std::size_t length = std::strlen(name);
  if (length >= static_cast<std::size_t>(INT32_MAX)) return false;
  mesh.name = NewExportArray<char>(static_cast<std::int32_t>(length + 1));
  if (mesh.name == nullptr) return false;
  std::memcpy(mesh.name, name, length + 1);
  return true;
}

std::int32_t BuildGroupMeshes(ExportScene& scene, const HostModel& model,
                              const ExportOptions& options) {
  FreeGroupMeshes(scene);
  const std::int32_t count = GroupMeshCountOf(model);
  scene.groupMeshes = NewExportArray<GroupMesh>(count);
  if (scene.groupMeshes == nullptr) return 0;
  scene.groupMeshCount = count;
  return FillGroupMeshes(scene, model, options) ? 1 : 0;
}

}  // namespace ortolix
