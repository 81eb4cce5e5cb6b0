#include "import/import_animations.h"

#include <cstring>
#include <limits>
#include <string_view>
#include <unordered_map>

#include "import/frame_listing.h"
#include "import/import_allocation.h"

namespace ortolix {
namespace {

// Tick range of the keys copied into one animation.
struct TickRange {
  std::uint32_t min = std::numeric_limits<std::uint32_t>::max();
  std::uint32_t max = 0;
  void Add(std::uint32_t tick) {
    if (tick < min) min = tick;
    if (tick > max) max = tick;
  }
};

template <class Key>
void CopyKeys(std::vector<Key>& out, const std::vector<Key>& keys, TickRange& range) {
  if (keys.empty() || !AllocateImportArray(out, keys.size())) return;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    out[i].value = keys[i].value;
    out[i].time = static_cast<float>(keys[i].tick);
    range.Add(keys[i].tick);
  }
}

void CopyTrackKeys(AnimationTrack& out, const AnimationTrack& track, TickRange& range) {
  CopyKeys(out.positionKeys, track.positionKeys, range);
  CopyKeys(out.rotationKeys, track.rotationKeys, range);
  CopyKeys(out.scaleKeys, track.scaleKeys, range);
  CopyKeys(out.matrixKeys, track.matrixKeys, range);
}

bool GiveTracks(ImportAnimation& animation, const std::vector<ImportFrame>& frames) {
  if (!AllocateImportArray(animation.tracks, frames.size())) return false;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    AnimationTrack& track = animation.tracks[i];
    track.name = frames[i].name;
    track.parent = frames[i].parent;
    track.restMatrix = frames[i].local;
  }
  return true;
}

}  // namespace

bool CreateImportAnimations(ImportModel& model) {
  const std::size_t count = model.animationSets.empty() ? 1 : model.animationSets.size();
  if (std::uint64_t{count} * model.frames.size() > kMaxImportTracks) return false;
  if (!AllocateImportArray(model.animations, count)) return false;
  for (std::size_t i = 0; i < count; ++i) {
    ImportAnimation& animation = model.animations[i];
    animation.name = IndexedName("DefaultAnim", static_cast<std::int64_t>(i));
    animation.end = 30.0f;
    animation.frameRate = kImportFrameRate;
    if (i < model.animationSets.size() && !model.animationSets[i].name.empty()) {
      animation.name = model.animationSets[i].name;
    }
  }
  model.animationsPresent = model.animationSets.empty() ? 0 : 1;
  if (model.frames.empty()) return true;
  for (ImportAnimation& animation : model.animations) {
    if (!GiveTracks(animation, model.frames)) return false;
  }
  return true;
}

void CopyAnimationSetKeys(ImportModel& model) {
  const std::size_t count = std::min(model.animations.size(), model.animationSets.size());
  for (std::size_t i = 0; i < count; ++i) {
    ImportAnimation& animation = model.animations[i];
    // First track of each name; every animation lists the frames in order.
    std::unordered_map<std::string_view, std::size_t> byName;
    byName.reserve(animation.tracks.size());
    for (std::size_t t = 0; t < animation.tracks.size(); ++t) byName.try_emplace(animation.tracks[t].name, t);
    TickRange range;
    for (const AnimationTrack& track : model.animationSets[i].tracks) {
      const auto found = byName.find(track.name);
      if (found != byName.end()) CopyTrackKeys(animation.tracks[found->second], track, range);
    }
    animation.start = range.min == std::numeric_limits<std::uint32_t>::max() ? 0.0f : static_cast<float>(range.min);
    animation.end = static_cast<float>(range.max);
    animation.frameRate = kImportFrameRate;
  }
}

}  // namespace ortolix
