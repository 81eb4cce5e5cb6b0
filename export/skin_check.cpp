#include "export/skin_check.h"

namespace ortolix {
namespace {

bool AnyBoneSkinned(const HostModel& model) {
  for (std::int32_t i = 0; i < model.bones.count; ++i) {
    if (model.bones.items[i].skinUseCount > 0) return true;
  }
  return false;
}

}  // namespace

std::int32_t AllVerticesSkinned(const HostModel* model) {
  if (model == nullptr || model->bones.items == nullptr || model->vertices.items == nullptr) return 1;
  if (!AnyBoneSkinned(*model)) return 1;
  for (std::int32_t v = 0; v < model->vertices.count; ++v) {
    if (model->vertices.items[v].influenceCount == 0) return 0;
  }
  return 1;
}

}  // namespace ortolix
