#include "xwriter/frame_name.h"

#include "platform/crt/case_compare.h"

namespace ortolix {
namespace {

bool NamesABone(const HostModel& model, const std::string& name) {
  if (model.bones.items == nullptr) return false;
  for (std::int32_t i = 0; i < model.bones.count; ++i) {
    if (NarrowCaseCompare(model.bones.items[i].name.Narrow(), name.c_str()) == 0) return true;
  }
  return false;
}

}  // namespace

std::string UniqueFrameName(const HostModel& model, const std::string& candidate) {
  std::string name = candidate;
  while (NamesABone(model, name)) name.push_back('0');
  return name;
}

}  // namespace ortolix
