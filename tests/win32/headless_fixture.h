// Every headless test starts from a clean manager with the sample dialog.
#pragma once

#include <gtest/gtest.h>

#include "platform/win32/headless.h"
#include "tests/win32/sample_dialog.h"

namespace ortolix {

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    RegisterDialogTemplate(sample::kDialog);
  }

  static const headless::DialogRecord& LastDialog() { return headless::ShownDialogs().back(); }
};

}  // namespace ortolix
