// The clock the plug-in reads for time stamps (the runtime's _time64). The
// command (--epoch) and the tests fix it to a chosen second; otherwise it is
// the system clock.
#pragma once

#include <cstdint>
#include <optional>

namespace ortolix {

// Seconds since 1970-01-01 00:00:00 UTC.
std::int64_t Time64();

// Fixes the clock at `seconds`, or returns it to the system clock with
// std::nullopt. Not thread-safe: set it before the plug-in runs.
void SetClock(std::optional<std::int64_t> seconds);

}  // namespace ortolix
