// The steps of TransferToHost, each on one kind of record. Every step
// returns false when a Host operation failed or an index check refused a
// face; the transfer then stops.
#pragma once

#include <vector>

#include "import/import_model.h"
#include "import/import_options.h"
#include "hostapi/host_model.h"

namespace ortolix {

struct TransferContext {
  HostModel& host;
  const ImportModel& model;
  const ImportOptions& options;
  // The merged list when "Merge similar materials" is set, else the
  // materials as read.
  const std::vector<ImportMaterial>& materials;
  WideString directory;  // the source file's, ending in a separator
};

// The material's name, else its texture file name in the ANSI code page,
// else "NoNameMat<index>".
std::string TransferMaterialName(const ImportMaterial& material, std::size_t index);

bool TransferMaterials(TransferContext& context);
bool TransferVertices(TransferContext& context);
bool TransferGroups(TransferContext& context);
bool TransferMeshes(TransferContext& context);
bool TransferBones(TransferContext& context);
bool TransferAnimations(TransferContext& context);

}  // namespace ortolix
