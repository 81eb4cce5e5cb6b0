#include "xwriter/animation_writer.h"

#include <cmath>

#include "math/vector_math.h"
#include "xwriter/block_text.h"
#include "xwriter/flip.h"

namespace ortolix {
namespace {

void WriteKeyHeader(TextSink& sink, std::int32_t w, std::int32_t type, std::int32_t count) {
  Print(sink, "%*sAnimationKey {\n%*s %d;\n%*s %d;\n", w, " ", w, " ", type, w, " ", count);
}

void WriteKeyFooter(TextSink& sink, std::int32_t w, bool lastBlock) {
  Print(sink, "%*s}\n\n", w, " ");
  Print(sink, "%*sAnimationOptions {\n%*s 0;\n%*s 1;\n%*s}\n", w, " ", w, " ", w, " ", w, " ");
  if (lastBlock) sink.Text("\n");
}

void WritePositionKeys(TextSink& sink, const HostTrack& track, const Matrix4& m, float rate,
                       bool flip, std::int32_t w) {
  const std::int32_t n = track.positionKeyCount;
  WriteKeyHeader(sink, w, 2, n);
  for (std::int32_t k = 0; k < n; ++k) {
    const HostPositionKey& key = track.positionKeys[k];
    const Vec3 p{key.value.x, key.value.y, flip ? -key.value.z : key.value.z};
    const Vec3 q = TransformPoint(m, p);
    Print(sink, "%*s %d; 3; %f, %f, %f;;", w, " ", KeyTick(key.time, rate), q.x, q.y, q.z);
    ListSeparator(sink, k, n);
  }
  WriteKeyFooter(sink, w, false);
}

// A rest scale component of exactly 0 keeps the key's own value.
float ScaledByRest(float key, float rest) { return rest == 0.0f ? key : key * rest; }

void WriteScaleKeys(TextSink& sink, const HostTrack& track, const Vec3& rest, float rate,
                    std::int32_t w) {
  const std::int32_t n = track.scaleKeyCount;
  WriteKeyHeader(sink, w, 1, n);
  for (std::int32_t k = 0; k < n; ++k) {
    const HostScaleKey& key = track.scaleKeys[k];
    Print(sink, "%*s %d; 3; %f, %f, %f;;", w, " ", KeyTick(key.time, rate),
          ScaledByRest(key.value.x, rest.x), ScaledByRest(key.value.y, rest.y),
          ScaledByRest(key.value.z, rest.z));
    ListSeparator(sink, k, n);
  }
  WriteKeyFooter(sink, w, false);
}

void WriteRotationKeys(TextSink& sink, const HostTrack& track, const Quat& rest, float rate,
                       bool flip, std::int32_t w) {
  const std::int32_t n = track.rotationKeyCount;
  WriteKeyHeader(sink, w, 0, n);
  for (std::int32_t k = 0; k < n; ++k) {
    const HostRotationKey& key = track.rotationKeys[k];
    Quat q = QuatProduct(rest, key.value);
    if (flip) {
      q.z = -q.z;
    } else {
      q = QuatInverse(q);
    }
    Print(sink, "%*s %d; 4; %f, %f, %f, %f;;", w, " ", KeyTick(key.time, rate), q.w, q.x, q.y,
          q.z);
    ListSeparator(sink, k, n);
  }
  WriteKeyFooter(sink, w, true);
}

bool TrackHasKeys(const HostTrack& track) {
  return track.positionKeyCount > 0 || track.rotationKeyCount > 0 || track.scaleKeyCount > 0;
}

bool TrackIsWritable(const WriteContext& context, const HostAnimation* animation,
                     std::int32_t track) {
  const HostModel& model = *context.model;
  return animation != nullptr && animation->tracks != nullptr && track >= 0 &&
         track < animation->trackCount && model.bones.items != nullptr &&
         track < model.bones.count && track < context.scene->frameCount;
}

}  // namespace

std::int32_t KeyTick(float time, float rate) {
  const double ticks = static_cast<double>(time) * static_cast<double>(rate);
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (!(ticks > -kLimit && ticks < kLimit)) return 0;
  const auto truncated = static_cast<std::int64_t>(ticks);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(truncated)));
}

int WriteAnimationKeys(TextSink* sink, const WriteContext& context,
                       const HostAnimation* animation, std::int32_t track, std::int32_t w) {
  if (sink == nullptr || !TrackIsWritable(context, animation, track)) return 0;
  const float rate = animation->framesPerSecond == 0.0f ? 30.0f : animation->framesPerSecond;
  const bool flip = IsSet(context.options->flipHandedness);
  const ExportFrame& frame = context.scene->frames[track];
  const HostTrack& keys = animation->tracks[track];
  if (keys.positionKeyCount > 0) {
    WritePositionKeys(*sink, keys, FlipIf(flip, frame.local), rate, flip, w);
  }
  if (keys.scaleKeyCount > 0) WriteScaleKeys(*sink, keys, frame.scale, rate, w);
  if (keys.rotationKeyCount > 0) WriteRotationKeys(*sink, keys, frame.rotation, rate, flip, w);
  return 1;
}

int WriteAnimationTrack(TextSink* sink, const WriteContext& context,
                        const HostAnimation* animation, std::int32_t track, std::int32_t w) {
  if (sink == nullptr || !TrackIsWritable(context, animation, track)) return 0;
  Print(*sink, "%*sAnimation {\n%*s   {%s}\n\n", w, " ", w, " ",
        context.model->bones.items[track].name.Narrow());
  if (WriteAnimationKeys(sink, context, animation, track, 6) == 0) return 0;
  Print(*sink, "%*s}\n\n", w, " ");
  return 1;
}

void WriteAnimationSet(TextSink& sink, const WriteContext& context,
                       const HostAnimation& animation) {
  Print(sink, "AnimationSet %s {\n", animation.name.Narrow());
  for (std::int32_t t = 0; animation.tracks != nullptr && t < animation.trackCount; ++t) {
    // A failed track is skipped; the next one is still written.
    if (TrackHasKeys(animation.tracks[t])) (void)WriteAnimationTrack(&sink, context, &animation, t, 3);
  }
  sink.Text("}\n");
}

}  // namespace ortolix
