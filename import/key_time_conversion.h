// Key times from file ticks to seconds, and animation start and end to frame
// numbers at 30 frames per second.
#pragma once

#include <cstdint>

#include "import/import_model.h"
#include "hostapi/host_model.h"

namespace ortolix {

// 1 / float(T / 30) for T ticks per second taken as unsigned; 1 when T is 0,
// so that key times are then read as ticks of 1/30 s.
float TickFactor(std::int32_t ticks_per_second);

// Rewrites every animation of the model (also those it held before the
// import): each position, rotation and scale key time t becomes
// float(float(1/30 x K) x t); start and end become 30 x the smallest and the
// largest new time (start 0 when there are no keys, end never below 0), and
// frames per second 30.
void ConvertKeyTimes(HostModel& model, std::int32_t ticks_per_second);

}  // namespace ortolix
