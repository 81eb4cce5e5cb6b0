#include "export/host_names.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/export/test_host_model.h"

namespace ortolix {
namespace {

using test::TestHostModel;

TEST(CleanHostNames, BoneNamesBecomeSafe) {
  const std::pair<const char*, const char*> cases[] = {
      {"3 arms.left", "__arms_left"}, {"left-hand", "left_hand"}, {"Bip01", "Bip01"}, {"9", "_"},
      {"", ""}, {" .|-\t\":;,/'\\<>][{}()~!#$%^&*+=?", "_______________________________"},
      // Characters outside the list stay, letters beyond ASCII too.
      {"a@b_c`d", "a@b_c`d"}, {"\xC3\xA9t\xC3\xA9 1", "\xC3\xA9t\xC3\xA9_1"}, {"_9", "_9"}};
  TestHostModel model;
  for (const auto& [before, after] : cases) model.AddBone(before, -1);
  CleanHostNames(model);
  for (std::int32_t b = 0; b < model.bones.count; ++b) {
    const char* after = cases[b].second;
    EXPECT_STREQ(model.bones.items[b].name.Narrow(), after);
    // The wide text follows: it converts back to the same narrow text.
    EXPECT_EQ(HostPathString(model.bones.items[b].name.Wide()).Narrow(), std::string(after));
  }
}

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
