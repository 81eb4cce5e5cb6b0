#include "export/host_names.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/export/test_host_model.h"

namespace ortolix {
namespace {

using testing::TestHostModel;

struct NameCase {
  const char* before;
  const char* after;
};

class CleanNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(CleanNameTest, BoneNameBecomesSafe) {
  TestHostModel model;
  model.AddBone(GetParam().before, -1);
  CleanHostNames(model);
  EXPECT_STREQ(model.bones.items[0].name.Narrow(), GetParam().after);
  // The wide text follows: it converts back to the same narrow text.
  EXPECT_EQ(HostPathString(model.bones.items[0].name.Wide()).Narrow(),
            std::string(GetParam().after));
}

INSTANTIATE_TEST_SUITE_P(
    Names, CleanNameTest,
    ::testing::Values(NameCase{"3 arms.left", "__arms_left"}, NameCase{"left-hand", "left_hand"},
                      NameCase{"Bip01", "Bip01"}, NameCase{"9", "_"}, NameCase{"", ""},
                      NameCase{" .|-\t\":;,/'\\<>][{}()~!#$%^&*+=?",
                               "_______________________________"},
                      // Characters outside the list stay, letters beyond ASCII too.
                      NameCase{"a@b_c`d", "a@b_c`d"}, NameCase{"\xC3\xA9t\xC3\xA9 1", "\xC3\xA9t\xC3\xA9_1"},
                      NameCase{"_9", "_9"}));

TEST(CleanHostNames, VisitsEverySevenNamedArrays) {
  TestHostModel model;
  model.AddPlaced1("lamp 1");
  model.AddPlaced2("eye.left");
  model.AddExtra("note-a");
  model.AddGroup("1body");
  model.AddBone("arm(r)", -1);
  model.AddMaterial("wood|oak");
  model.AddAnimation("walk cycle", 30);
  CleanHostNames(model);
  EXPECT_STREQ(model.placed1.items[0].name.Narrow(), "lamp_1");
  EXPECT_STREQ(model.placed2.items[0].name.Narrow(), "eye_left");
  EXPECT_STREQ(model.extras.items[0].name.Narrow(), "note_a");
  EXPECT_STREQ(model.groups.items[0].name.Narrow(), "_body");
  EXPECT_STREQ(model.bones.items[0].name.Narrow(), "arm_r_");
  EXPECT_STREQ(model.materials.items[0].name.Narrow(), "wood_oak");
  EXPECT_STREQ(model.animations.items[0].name.Narrow(), "walk_cycle");
}

}  // namespace
}  // namespace ortolix
