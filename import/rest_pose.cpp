#include "import/rest_pose.h"

#include "import/import_allocation.h"

namespace ortolix {
namespace {

Vec3 SignedScale(const AffineParts& parts) {
  Vec3 scale{parts.k.x, parts.k.y, parts.k.z};
  if (parts.f < 0.0f) scale = Vec3{scale.x * parts.f, scale.y * parts.f, scale.z * parts.f};
  return scale;
}

void DecomposeRest(AnimationTrack& track) {
  const AffineParts parts = DecomposeFileMatrix(track.restMatrix);
  track.restTranslation = Vec3{parts.t.x, parts.t.y, parts.t.z};
  track.restRotation = parts.q;
  track.restScale = SignedScale(parts);
}

// Replaces the position, rotation and scale keys by the parts of the matrix
// keys, one of each per matrix key.
void KeysFromMatrixKeys(AnimationTrack& track) {
  const std::size_t n = track.matrixKeys.size();
  track.positionKeys.clear();
  track.positionKeys.shrink_to_fit();
  track.rotationKeys.clear();
  track.rotationKeys.shrink_to_fit();
  track.scaleKeys.clear();
  track.scaleKeys.shrink_to_fit();
  const bool positions = AllocateImportArray(track.positionKeys, n);
  const bool rotations = AllocateImportArray(track.rotationKeys, n);
  const bool scales = AllocateImportArray(track.scaleKeys, n);
  for (std::size_t j = 0; j < n; ++j) {
    const MatrixKey& key = track.matrixKeys[j];
    const AffineParts parts = DecomposeFileMatrix(key.value);
    if (positions) track.positionKeys[j] = PositionKey{0, key.time, Vec3{parts.t.x, parts.t.y, parts.t.z}};
    if (rotations) track.rotationKeys[j] = RotationKey{0, key.time, QuatInverse(parts.q)};
    if (scales) track.scaleKeys[j] = ScaleKey{0, key.time, SignedScale(parts)};
  }
}

float DivideUnlessZero(float value, float divisor) { return divisor != 0.0f ? value / divisor : value; }

void RebaseKeys(AnimationTrack& track) {
  const Vec3 t = track.restTranslation;
  const Matrix4& m = track.restMatrix;
  for (PositionKey& key : track.positionKeys) {
    const Vec3 d{key.value.x - t.x, key.value.y - t.y, key.value.z - t.z};
    key.value = Vec3{d.x * Element(m, 0, 0) + d.y * Element(m, 0, 1) + d.z * Element(m, 0, 2),
                     d.x * Element(m, 1, 0) + d.y * Element(m, 1, 1) + d.z * Element(m, 1, 2),
                     d.x * Element(m, 2, 0) + d.y * Element(m, 2, 1) + d.z * Element(m, 2, 2)};
  }
  const Quat inverseRest = QuatInverse(track.restRotation);
  for (RotationKey& key : track.rotationKeys) key.value = QuatProduct(inverseRest, QuatInverse(key.value));
  const Vec3 s = track.restScale;
  for (ScaleKey& key : track.scaleKeys) {
    key.value = Vec3{DivideUnlessZero(key.value.x, s.x), DivideUnlessZero(key.value.y, s.y),
                     DivideUnlessZero(key.value.z, s.z)};
  }
}

}  // namespace

AffineParts DecomposeFileMatrix(const Matrix4& m) {
  Matrix4 a = Transpose(m);
  a.m[12] = 0.0f;
  a.m[13] = 0.0f;
  a.m[14] = 0.0f;
  a.m[15] = 1.0f;
  return DecomposeAffine(a);
}

void RebaseOnRestPose(ImportModel& model) {
  for (ImportAnimation& animation : model.animations) {
    for (AnimationTrack& track : animation.tracks) DecomposeRest(track);
    for (AnimationTrack& track : animation.tracks) {
      if (!track.matrixKeys.empty()) KeysFromMatrixKeys(track);
    }
    for (AnimationTrack& track : animation.tracks) RebaseKeys(track);
  }
}

}  // namespace ortolix
