// Whether a skinned Host model leaves some vertex without a bone.
#pragma once

#include <cstdint>

#include "hostapi/host_model.h"

namespace ortolix {

// 1 when there is no model, no bone or vertex array, or no bone with a
// positive skin use count; otherwise 0 as soon as a vertex without
// influences is found, and 1 when there is none.
std::int32_t AllVerticesSkinned(const HostModel* model);

}  // namespace ortolix
