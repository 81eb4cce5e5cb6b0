#include "export/skin_bone_list.h"

#include <gtest/gtest.h>

#include "export/export_allocation.h"

namespace ortolix {
namespace {

TEST(SkinBoneList, KeepsDistinctIndicesNewestInFront) {
  SkinBoneList list;
  EXPECT_EQ(AddSkinBone(list, 4), 1);
  EXPECT_EQ(AddSkinBone(list, 0), 1);
  EXPECT_EQ(AddSkinBone(list, 4), 0);
  EXPECT_EQ(AddSkinBone(list, -1), 0);
  EXPECT_EQ(AddSkinBone(list, 9), 1);
  EXPECT_EQ(list.count, 3);
  EXPECT_EQ(SkinBonePosition(list, 9), 0);
  EXPECT_EQ(SkinBonePosition(list, 0), 1);
  EXPECT_EQ(SkinBonePosition(list, 4), 2);
  EXPECT_EQ(SkinBonePosition(list, 5), -1);
  EXPECT_EQ(list.front->next->previous, list.front);
  ClearSkinBones(list);
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.front, nullptr);
  EXPECT_EQ(SkinBonePosition(list, 9), -1);
  FailExportAllocationAt(1);
  EXPECT_EQ(AddSkinBone(list, 3), 0);
  FailExportAllocationAt(0);
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.front, nullptr);
}

}  // namespace
}  // namespace ortolix
