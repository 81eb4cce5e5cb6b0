// A HostModel with no Host behind it: every operation fails. Enough for the
// spine, which only stores the model and writes its texts.
#pragma once

#include "tests/support/inert_host_model.h"

namespace ortolix::test {

class FakeHostModel final : public InertHostModel {
 public:
  FakeHostModel() : InertHostModel() {}
};

}  // namespace ortolix::test
