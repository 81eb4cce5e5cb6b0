// The time-stamp text the plug-in writes into the HostModel before a file
// header is printed.
#pragma once

#include "hostapi/host_model.h"

namespace ortolix {

// Reads the clock (platform/crt/clock.h), formats it as the runtime's
// _wctime64 does ("Sat Dec 05 17:25:40 2026", local time) without the final
// line feed, stores it in `model.timeStamp` (wide text and its narrow form)
// and returns a copy. A clock outside the formattable range (before 1970,
// after the year 3000) gives an empty time stamp.
HostPathString RefreshTimeStamp(HostModel& model);

}  // namespace ortolix
