// Names of the frames the writer names itself.
#pragma once

#include <string>

#include "hostapi/host_model.h"

namespace ortolix {

// `candidate` with the fewest appended "0" characters that equals no bone
// name of `model` (narrow text, ASCII case folded): Body, Body0, Body00 ...
// Not bounded in length.
std::string UniqueFrameName(const HostModel& model, const std::string& candidate);

}  // namespace ortolix
