#include "export/rotation_keys.h"

namespace ortolix {
namespace {

void FixTrack(HostTrack& track) {
  if (track.rotationKeys == nullptr) return;
  for (std::int32_t k = 1; k < track.rotationKeyCount; ++k) {
    Quat& current = track.rotationKeys[k].value;
    if (QuatDot(track.rotationKeys[k - 1].value, current) < 0.0f) NegateQuat(current, current);
  }
}

}  // namespace

void FixRotationKeySigns(HostModel& model) {
  if (model.animations.items == nullptr) return;
  for (std::int32_t a = 0; a < model.animations.count; ++a) {
    HostAnimation& animation = model.animations.items[a];
    if (animation.tracks == nullptr) continue;
    for (std::int32_t t = 0; t < animation.trackCount; ++t) FixTrack(animation.tracks[t]);
  }
}

}  // namespace ortolix
