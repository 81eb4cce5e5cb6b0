// A scene and options to fill; afterwards the scene is freed and any injected
// allocation failure cleared.
#pragma once

#include <gtest/gtest.h>

#include "export/export_allocation.h"
#include "export/export_options.h"
#include "export/export_release.h"
#include "export/export_scene.h"

namespace ortolix::test {

class ExportSceneTest : public ::testing::Test {
 protected:
  void TearDown() override {
    FreeExportScene(scene_);
    FailExportAllocationAt(0);
  }

  ExportScene scene_;
  ExportOptions options_;
};

}  // namespace ortolix::test
