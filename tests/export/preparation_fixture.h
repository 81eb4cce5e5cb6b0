// The fixture of the tests that run export preparation: the headless dialog
// manager, the module-wide options and the module-wide ExportScene start
// fresh, and the allocation switch is off again afterwards.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/win32/headless.h"
#include "platform/win32/win32.h"
#include "resources/export_dialog.h"
#include "tests/export/export_scene_test.h"

namespace ortolix::test {

class PreparationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    TheExportOptions() = ExportOptions{};
    FreeExportScene(TheExportScene());
  }
  void TearDown() override {
    FreeExportScene(TheExportScene());
    FailExportAllocationAt(0);
    headless::Reset();
  }

  static void ScriptDialog(std::vector<headless::DialogStep> steps) {
    headless::AddDialogScript(headless::DialogScript{ORTOLIX_EXPORT_DIALOG_ID, std::move(steps)});
  }
  // The user's steps in the next export dialog, then OK.
  static void AcceptDialog(std::vector<headless::DialogStep> steps = {}) {
    steps.push_back(headless::DialogStep::Press(headless::ControlRef::Id(IDOK)));
    ScriptDialog(std::move(steps));
  }
  static void CancelDialog() {
    ScriptDialog({headless::DialogStep::Press(headless::ControlRef::Id(IDCANCEL))});
  }

  static ExportScene& Scene() { return TheExportScene(); }
};

}  // namespace ortolix::test
