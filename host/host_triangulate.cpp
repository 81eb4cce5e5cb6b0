// Triangulate: faces of more than three corners become fans, in place.
#include <new>

#include "host/in_process_host.h"

namespace ortolix {

namespace {

std::int32_t TriangleCount(const HostFace& face) {
  return face.cornerCount > 3 ? face.cornerCount - 2 : 1;
}

std::vector<FaceShape> FanShapes(const HostFace* faces, std::int32_t faceCount) {
  std::vector<FaceShape> shapes;
  for (std::int32_t f = 0; f < faceCount; ++f) {
    const HostFace& face = faces[f];
    FaceShape shape;
    shape.cornerCount = face.cornerCount > 3 ? 3 : (face.cornerCount < 0 ? 0 : face.cornerCount);
    shape.texture = face.texture != nullptr;
    shape.second = face.texture != nullptr && face.texture->second != nullptr;
    shapes.insert(shapes.end(), static_cast<std::size_t>(TriangleCount(face)), shape);
  }
  return shapes;
}

// Copies corner `from` of `source` to corner `to` of `target`.
void CopyCorner(const HostFace& source, std::int32_t from, HostFace& target, std::int32_t to) {
  target.corners[to] = source.corners ? source.corners[from] : 0;
  target.exportIndices[to] = source.exportIndices ? source.exportIndices[from] : 0;
  if (target.texture == nullptr) return;
  if (source.texture->first) target.texture->first[to] = source.texture->first[from];
  if (target.texture->second) target.texture->second[to] = source.texture->second[from];
}

// Fills `store` (already shaped by FanShapes) from the old faces.
void FillFans(const HostFace* faces, std::int32_t faceCount, FaceStore& store) {
  std::size_t next = 0;
  for (std::int32_t f = 0; f < faceCount; ++f) {
    const HostFace& face = faces[f];
    const std::int32_t fans = TriangleCount(face);
    for (std::int32_t i = 1; i <= fans; ++i) {
      HostFace& target = store.faces[next++];
      target.material = face.material;
      target.group = face.group;
      if (face.cornerCount <= 3) {
        for (std::int32_t c = 0; c < target.cornerCount; ++c) CopyCorner(face, c, target, c);
      } else {
        CopyCorner(face, 0, target, 0);
        CopyCorner(face, i, target, 1);
        CopyCorner(face, i + 1, target, 2);
      }
    }
  }
}

bool NeedsFans(const HostFace* faces, std::int32_t faceCount) {
  for (std::int32_t f = 0; f < faceCount; ++f) {
    if (faces[f].cornerCount > 3) return true;
  }
  return false;
}

}  // namespace

std::int32_t InProcessHost::Triangulate() {
  (void)operations_.Enter(HostOperation::kTriangulate);
  for (std::int32_t m = 0; m < meshes_.size(); ++m) {
    HostMesh& mesh = meshes_.items()[m];
    if (mesh.faces == nullptr || !NeedsFans(mesh.faces, mesh.faceCount)) continue;
    try {
      auto store = std::make_unique<FaceStore>();
      store->Build(FanShapes(mesh.faces, mesh.faceCount));
      FillFans(mesh.faces, mesh.faceCount, *store);
      mesh.faceCount = static_cast<std::int32_t>(store->faces.size());
      mesh.faces = store->faces.data();
      faceStores_[static_cast<std::size_t>(m)] = std::move(store);
    } catch (const std::bad_alloc&) {
      return 0;
    }
  }
  return 1;
}

}  // namespace ortolix
