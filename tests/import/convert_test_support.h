// Runs the conversion on a hand-built scene.
#pragma once

#include <gtest/gtest.h>

#include "import/import_conversion.h"
#include "import/material_conversion.h"
#include "tests/import/scene_builder.h"

namespace ortolix::testing {

inline ImportModel Convert(SceneBuilder& scene, const ImportOptions& options = {}) {
  ImportModel model;
  EXPECT_TRUE(ConvertImportScene(scene.Reader(), options, model));
  return model;
}

inline std::vector<std::string> FrameNames(const ImportModel& model) {
  std::vector<std::string> names;
  for (const ImportFrame& frame : model.frames) names.push_back(frame.name);
  return names;
}

}  // namespace ortolix::testing
