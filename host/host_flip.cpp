// FlipHandedness: mirrors the whole model in z.
#include <algorithm>

#include "host/in_process_host.h"

namespace ortolix {

namespace {

// Conjugation by the z mirror: the elements that mix z with x, y or w change sign.
void MirrorMatrix(Matrix4& m) {
  for (int i : {2, 6, 8, 9, 11, 14}) m.m[i] = -m.m[i];
}

void MirrorRotation(Quat& q) {
  q.x = -q.x;
  q.y = -q.y;
}

template <typename Record>
void MirrorPlaced(HostArray<Record>& placed) {
  if (placed.items == nullptr) return;
  for (std::int32_t i = 0; i < placed.count; ++i) {
    placed.items[i].position.z = -placed.items[i].position.z;
    MirrorMatrix(placed.items[i].orientation);
  }
}

void ReverseFace(HostFace& face) {
  if (face.cornerCount <= 1) return;
  const std::int32_t n = face.cornerCount;
  if (face.corners) std::reverse(face.corners, face.corners + n);
  if (face.exportIndices) std::reverse(face.exportIndices, face.exportIndices + n);
  if (face.texture == nullptr) return;
  if (face.texture->first) std::reverse(face.texture->first, face.texture->first + n);
  if (face.texture->second) std::reverse(face.texture->second, face.texture->second + n);
}

void MirrorTrack(HostTrack& track) {
  for (std::int32_t k = 0; track.positionKeys && k < track.positionKeyCount; ++k) {
    track.positionKeys[k].value.z = -track.positionKeys[k].value.z;
  }
  for (std::int32_t k = 0; track.rotationKeys && k < track.rotationKeyCount; ++k) {
    MirrorRotation(track.rotationKeys[k].value);
  }
}

}  // namespace

std::int32_t InProcessHost::FlipHandedness() {
  (void)operations_.Enter(HostOperation::kFlipHandedness);
  for (std::int32_t i = 0; vertices.items && i < vertices.count; ++i) {
    vertices.items[i].position.z = -vertices.items[i].position.z;
    vertices.items[i].normal.z = -vertices.items[i].normal.z;
  }
  for (std::int32_t i = 0; bones.items && i < bones.count; ++i) {
    HostBone& bone = bones.items[i];
    bone.translation.z = -bone.translation.z;
    MirrorRotation(bone.rotation);
    MirrorMatrix(bone.local);
    MirrorMatrix(bone.world);
  }
  for (std::int32_t a = 0; animations.items && a < animations.count; ++a) {
    HostAnimation& animation = animations.items[a];
    for (std::int32_t t = 0; animation.tracks && t < animation.trackCount; ++t) {
      MirrorTrack(animation.tracks[t]);
    }
  }
  MirrorPlaced(placed1);
  MirrorPlaced(placed2);
  for (std::int32_t m = 0; meshes.items && m < meshes.count; ++m) {
    HostMesh& mesh = meshes.items[m];
    for (std::int32_t f = 0; mesh.faces && f < mesh.faceCount; ++f) ReverseFace(mesh.faces[f]);
  }
  return 1;
}

}  // namespace ortolix
