// A short text of the record counts of a host model, one line per kind.
#pragma once

#include <string>

#include "hostapi/host_model.h"

namespace ortolix::cli {

// Absent arrays show as "none", present ones with their count. Meshes add
// their face and corner totals, animations their track and key totals.
std::string ModelSummary(const HostModel& model);

}  // namespace ortolix::cli
