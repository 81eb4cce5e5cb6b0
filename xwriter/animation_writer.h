// AnimationSet objects: the Host's keyframes converted one by one.
#pragma once

#include <cstdint>

#include "xwriter/text_sink.h"
#include "xwriter/write_context.h"

namespace ortolix {

// "AnimationSet NAME {\n", one Animation per track with keys, "}\n".
void WriteAnimationSet(TextSink& sink, const WriteContext& context, const HostAnimation& animation);

// One Animation for track `track` (bone `track`) at width w. 0, writing
// nothing, when the sink is missing or the track has no bone or frame.
int WriteAnimationTrack(TextSink* sink, const WriteContext& context,
                        const HostAnimation* animation, std::int32_t track, std::int32_t w);

// The position, scale and rotation AnimationKey blocks of a track at width w.
int WriteAnimationKeys(TextSink* sink, const WriteContext& context,
                       const HostAnimation* animation, std::int32_t track, std::int32_t w);

// The tick of a key: time × rate, truncated toward zero to 64 bits, the low
// 32 bits kept. NaN, infinities and values out of 64-bit range give 0 (the
// low half of the processor's "indefinite" integer).
std::int32_t KeyTick(float time, float rate);

}  // namespace ortolix
