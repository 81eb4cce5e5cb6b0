// What every block writer of the text writer reads: the Host's model, the
// ExportScene built by export preparation and the export options.
#pragma once

#include <cstdint>

#include "export/export_options.h"
#include "export/export_scene.h"
#include "hostapi/host_model.h"

namespace ortolix {

struct WriteContext {
  HostModel* model;        // the current model; its time stamp is refreshed
  ExportScene* scene;      // group writers refresh the frames' influence counts
  const ExportOptions* options;
};

// An option counts as set only when it holds exactly 1.
inline bool IsSet(std::int32_t option) { return option == 1; }

// True when the Host holds the array (the pointer is set), even if empty.
template <typename Record>
bool HasArray(const HostArray<Record>& array) {
  return array.items != nullptr;
}

// True when the Host holds at least one record of the kind.
template <typename Record>
bool HasRecords(const HostArray<Record>& array) {
  return array.items != nullptr && array.count > 0;
}

}  // namespace ortolix
