// The runtime's _wctime64: a time as text in local time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/crt/wide_char.h"

namespace ortolix {

// 24 characters, the line feed and the terminator.
inline constexpr std::size_t kCTimeBufferSize = 26;

// The latest time the runtime formats: 3000-12-31 23:59:59 UTC.
inline constexpr std::int64_t kCTimeMax = 32535215999;

// Writes `time` (seconds since 1970, shown in the local time zone) into `out`
// in the layout "Sat Dec 05 17:25:40 2026\n": English weekday and month, the
// day of the month zero-padded. Returns false and writes an empty text for a
// time before 1970 or after kCTimeMax, as the runtime answers null for them.
bool WideCTime64(std::int64_t time, WideChar (&out)[kCTimeBufferSize]);

}  // namespace ortolix
