// The whole-model build: one welded vertex list for every mesh of the Host.
#pragma once

#include <cstdint>

#include "export/export_options.h"
#include "export/export_scene.h"

namespace ortolix {

// Releases the previous model vertex list, then welds every corner of every
// face of every Host mesh (in order) and writes the resulting index into the
// face's export index slot. The list is copied into an array of exactly its
// size (left null with count 0 when there are no corners). Result 1; 0 when
// memory runs out or a corner names no Host vertex (the list stays empty).
std::int32_t BuildModelVertexList(ExportScene& scene, HostModel& model,
                                  const ExportOptions& options);

}  // namespace ortolix
