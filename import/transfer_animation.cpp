// Bones from the selected animation's tracks, and the animations with their
// keys.
#include <cstdint>
#include <limits>

#include "import/transfer_steps.h"

namespace ortolix {
namespace {

bool HasSelectedAnimation(const ImportModel& model) {
  return !model.animations.empty() && model.selectedAnimation >= 0 &&
         static_cast<std::size_t>(model.selectedAnimation) < model.animations.size();
}

bool FitsCount(std::size_t n) {
  return n <= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
}

bool CopyTrackKeys(HostAnimation& animation, std::int32_t j, const AnimationTrack& track) {
  if (const std::size_t n = track.positionKeys.size(); n > 0) {
    HostTrack* out = FitsCount(n) ? animation.AllocatePositionKeys(j, static_cast<std::int32_t>(n)) : nullptr;
    if (out == nullptr || out->positionKeys == nullptr) return false;
    for (std::size_t k = 0; k < n; ++k) {
      out->positionKeys[k] = HostPositionKey{track.positionKeys[k].time, track.positionKeys[k].value};
    }
  }
  if (const std::size_t n = track.rotationKeys.size(); n > 0) {
    HostTrack* out = FitsCount(n) ? animation.AllocateRotationKeys(j, static_cast<std::int32_t>(n)) : nullptr;
    if (out == nullptr || out->rotationKeys == nullptr) return false;
    for (std::size_t k = 0; k < n; ++k) {
      out->rotationKeys[k] =
          HostRotationKey{track.rotationKeys[k].time, QuatNormalize(track.rotationKeys[k].value)};
    }
  }
  if (const std::size_t n = track.scaleKeys.size(); n > 0) {
    HostTrack* out = FitsCount(n) ? animation.AllocateScaleKeys(j, static_cast<std::int32_t>(n)) : nullptr;
    if (out == nullptr || out->scaleKeys == nullptr) return false;
    for (std::size_t k = 0; k < n; ++k) {
      out->scaleKeys[k] = HostScaleKey{track.scaleKeys[k].time, track.scaleKeys[k].value};
    }
  }
  return true;
}

bool TransferAnimation(HostModel& host, const ImportAnimation& source) {
  HostAnimation* animation = host.CreateAnimation(HostPathString(source.name.c_str()));
  if (animation == nullptr) return false;
  animation->start = source.start;
  animation->end = source.end;
  animation->framesPerSecond = source.frameRate;
  const std::size_t track_count = source.tracks.size();
  if (track_count == 0) return true;
  if (!FitsCount(track_count) || animation->AllocateTracks(static_cast<std::int32_t>(track_count)) == 0) {
    return false;
  }
  for (std::size_t j = 0; j < track_count; ++j) {
    if (!CopyTrackKeys(*animation, static_cast<std::int32_t>(j), source.tracks[j])) return false;
  }
  return true;
}

}  // namespace

bool TransferBones(TransferContext& context) {
  if (!HasSelectedAnimation(context.model)) return true;
  const ImportAnimation& selected = context.model.animations[context.model.selectedAnimation];
  for (const AnimationTrack& track : selected.tracks) {
    HostBone* bone = context.host.CreateBone(HostPathString(track.name.c_str()), -1);
    if (bone == nullptr) return false;
    bone->parent = track.parent;
    bone->translation = track.restTranslation;
    bone->rotation = QuatNormalize(track.restRotation);
    bone->scale = track.restScale;
  }
  return true;
}

bool TransferAnimations(TransferContext& context) {
  if (!HasSelectedAnimation(context.model) || context.model.animationsPresent != 1) return true;
  for (const ImportAnimation& animation : context.model.animations) {
    if (!TransferAnimation(context.host, animation)) return false;
  }
  return true;
}

}  // namespace ortolix
