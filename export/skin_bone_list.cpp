#include "export/skin_bone_list.h"

#include "export/export_allocation.h"

namespace ortolix {

std::int32_t AddSkinBone(SkinBoneList& list, std::int32_t bone) {
  if (bone < 0 || SkinBonePosition(list, bone) >= 0) return 0;
  if (ExportAllocationFails()) return 0;
  auto* node = new (std::nothrow) SkinBoneNode{bone, list.front, nullptr};
  if (node == nullptr) return 0;
  if (list.front != nullptr) list.front->previous = node;
  list.front = node;
  ++list.count;
  return 1;
}

std::int32_t SkinBonePosition(const SkinBoneList& list, std::int32_t bone) {
  std::int32_t position = 0;
  for (const SkinBoneNode* node = list.front; node != nullptr; node = node->next, ++position) {
    if (node->bone == bone) return position;
  }
  return -1;
}

void ClearSkinBones(SkinBoneList& list) {
  while (list.front != nullptr) {
    SkinBoneNode* next = list.front->next;
    delete list.front;
    list.front = next;
  }
  list.count = 0;
}

}  // namespace ortolix
