#include "hostapi/time_stamp.h"

#include <algorithm>

#include "platform/crt/clock.h"
#include "platform/crt/ctime_text.h"

namespace ortolix {

HostPathString RefreshTimeStamp(HostModel& model) {
  WideChar text[kCTimeBufferSize];
  WideChar buffer[HostPathString::kCapacity] = {};
  if (WideCTime64(Time64(), text)) {
    std::copy(text, text + kCTimeBufferSize, buffer);
    // The text ends in a line feed; the time stamp does not.
    std::size_t length = 0;
    while (buffer[length] != 0) ++length;
    if (length != 0) buffer[length - 1] = 0;
  }
  model.timeStamp = HostPathString(buffer);
  return model.timeStamp;
}

}  // namespace ortolix
