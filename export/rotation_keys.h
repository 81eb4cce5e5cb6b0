// Keeps the rotation keys of the Host's animations on one hemisphere, so that
// interpolating between neighbouring keys takes the short way.
#pragma once

#include "hostapi/host_model.h"

namespace ortolix {

// For every animation, track and rotation key from the second on: when the
// dot product with the (already corrected) previous key is below 0, the key's
// Quat is negated. Key times stay. Null arrays are skipped.
void FixRotationKeySigns(HostModel& model);

}  // namespace ortolix
