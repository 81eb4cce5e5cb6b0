#include "import/key_time_conversion.h"

#include <limits>

#include "math/vector_math.h"

namespace ortolix {
namespace {

constexpr float kLargest = std::numeric_limits<float>::max();

struct TimeRange {
  float min = kLargest;
  float max = 0.0f;
};

template <typename Key>
void ConvertKeys(Key* keys, std::int32_t count, float scale, TimeRange& range) {
  for (std::int32_t k = 0; keys && k < count; ++k) {
    keys[k].time = scale * keys[k].time;
    range.min = MinFloat(range.min, keys[k].time);
    range.max = MaxFloat(range.max, keys[k].time);
  }
}

void ConvertAnimation(HostAnimation& animation, float scale) {
  TimeRange range;
  for (std::int32_t t = 0; animation.tracks && t < animation.trackCount; ++t) {
    HostTrack& track = animation.tracks[t];
    ConvertKeys(track.positionKeys, track.positionKeyCount, scale, range);
    ConvertKeys(track.rotationKeys, track.rotationKeyCount, scale, range);
    ConvertKeys(track.scaleKeys, track.scaleKeyCount, scale, range);
  }
  if (range.min == kLargest) range.min = 0.0f;
  animation.start = range.min * kImportFrameRate;
  animation.end = range.max * kImportFrameRate;
  animation.framesPerSecond = kImportFrameRate;
}

}  // namespace

float TickFactor(std::int32_t ticks_per_second) {
  const std::uint32_t ticks = static_cast<std::uint32_t>(ticks_per_second);
  if (ticks == 0) return 1.0f;
  const float ticks_per_frame = static_cast<float>(static_cast<double>(ticks) / 30.0);
  return 1.0f / ticks_per_frame;
}

void ConvertKeyTimes(HostModel& model, std::int32_t ticks_per_second) {
  const float step = 1.0f / kImportFrameRate;
  // Rounded to float before it meets each key time.
  const float scale = step * TickFactor(ticks_per_second);
  for (std::int32_t a = 0; model.animations.items && a < model.animations.count; ++a) {
    ConvertAnimation(model.animations.items[a], scale);
  }
}

}  // namespace ortolix
