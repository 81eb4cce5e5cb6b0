// The skin bone list of the ExportScene: a set of distinct bone indices that
// the skin writer fills per face and clears again.
#pragma once

#include <cstdint>

#include "export/export_scene.h"

namespace ortolix {

// 0 for a negative index, an index already listed, or no memory; else puts
// the index in front, counts it and answers 1.
std::int32_t AddSkinBone(SkinBoneList& list, std::int32_t bone);

// Position of `bone` counted from the front (0-based), or -1.
std::int32_t SkinBonePosition(const SkinBoneList& list, std::int32_t bone);

// Frees every node; the list is empty with count 0.
void ClearSkinBones(SkinBoneList& list);

}  // namespace ortolix
