// Makes the names of the Host's records safe for the .x format.
#pragma once

#include "hostapi/host_model.h"

namespace ortolix {

// Over the placed objects (both kinds), the extra records, groups, bones,
// materials and animations, in that order: first every character that the
// format cannot carry in a name becomes "_", then a name that starts with a
// digit gets "_" in place of that digit. Each name is written back as a whole
// HostPathString, so its narrow form follows. Null arrays are skipped.
void CleanHostNames(HostModel& model);

// The first pass on one wide text (zero-terminated, changed in place).
void ReplaceUnsafeNameCharacters(WideChar* name);

// The second pass on one wide text: a leading digit becomes "_".
void ReplaceLeadingDigit(WideChar* name);

}  // namespace ortolix
