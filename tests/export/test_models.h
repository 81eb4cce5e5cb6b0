// Small models the export tests share.
#pragma once

#include "tests/export/test_host_model.h"

namespace ortolix::testing {

// A cube of 8 vertices and 6 quads in one mesh. Every corner has its own
// first-set texture coordinates (u = face + corner / 10, v = face), so each
// vertex is used by three faces with three different coordinates. The second
// set is the first set with v negated. Face f is in group f % groupCount.
void BuildCube(TestHostModel& model, std::int32_t groupCount = 1);

}  // namespace ortolix::testing
