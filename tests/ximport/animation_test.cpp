// Animation sets, animations and key lists as pseudo-frames.
#include <gtest/gtest.h>

#include "tests/ximport/scene_reader.h"

namespace ortolix::test {
namespace {

// The first animation node of a set named Walk around one Animation body.
FrameNode& OnlyAnimation(SceneReader& r) {
  FrameNode* set = r.Root().first_child->next_sibling.get();
  return *set->first_child;
}

std::string WithAnimation(const std::string& body) {
  return "Frame Bone { }\nAnimationSet Walk { Animation { { Bone }\n" + body + "} }\n";
}

TEST(Animation, EachKeyTypeIsStoredWithItsStride) {
  SceneReader r;
  ASSERT_EQ(r.ReadText(WithAnimation(
                "AnimationOptions { 1; 0; }\n"
                "AnimationKey { 0; 2; 5; 4; 0.1,0.2,0.3,0.4;;, 10; 4; 1,0,0,0;;; }\n"
                "AnimationKey { 1; 1; 6; 3; 2,3,4;;; }\n"
                "AnimationKey { 2; 1; 7; 3; -1,-2,-3;;; }\n"
                "AnimationKey { 4; 1; 8; 16; 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16;;; }\n"
                "AnimationKey { 3; 1; 9; 3; 1,1,1;;; }\n"
                "AnimationKey { 2; 0; }\n")),
            S_OK)
      << r.reader.error;
  FrameNode& a = OnlyAnimation(r);
  EXPECT_EQ(a.pseudo_frame_flag, 1u);
  EXPECT_EQ(a.animation_set_flag, 0u);
  EXPECT_FALSE(a.name.has_value());
  EXPECT_EQ(a.target_frame, r.Root().first_child.get());
  ASSERT_EQ(a.rotation_keys.size(), 2u);
  const SceneRotationKey& q = a.rotation_keys[0];
  EXPECT_EQ(q.time, 5u);
  EXPECT_EQ((std::vector<float>{q.x, q.y, q.z, q.w}), (std::vector<float>{0.2f, 0.3f, 0.4f, 0.1f}));
  const SceneRotationKey& identity = a.rotation_keys[1];
  EXPECT_EQ((std::vector<float>{identity.x, identity.y, identity.z, identity.w}),
            (std::vector<float>{0, 0, 0, 1}));
  ASSERT_EQ(a.scale_keys.size(), 1u);
  EXPECT_EQ(a.scale_keys[0].time, 6u);
  EXPECT_EQ(a.scale_keys[0].z, 4.0f);
  ASSERT_EQ(a.position_keys.size(), 1u);  // the empty type-2 list adds nothing
  EXPECT_EQ(a.position_keys[0].time, 7u);
  EXPECT_EQ(a.position_keys[0].y, -2.0f);
  ASSERT_EQ(a.matrix_keys.size(), 1u);
  EXPECT_EQ(a.matrix_keys[0].time, 8u);
  EXPECT_EQ(a.matrix_keys[0].m[0], 1.0f);
  EXPECT_EQ(a.matrix_keys[0].m[15], 16.0f);
  EXPECT_FALSE(r.HasWarning("short_key_data"));
  EXPECT_FALSE(r.HasWarning("key_count_exceeds_data"));
}

TEST(Animation, SetsAndLooseAnimationsHangWhereTheyStand) {
  SceneReader r;
  ASSERT_EQ(r.ReadText("AnimTicksPerSecond { 30; }\n"
                       "Frame Other { }\n"
                       "Frame Bone { Animation InFrame { { Other } } Frame Child { } }\n"
                       "Animation Top { { Child } Frame Inside { } }\n"
                       "AnimationSet { }\n"
                       "AnimTicksPerSecond { 4800; }\n"),
            S_OK)
      << r.reader.error;
  EXPECT_EQ(r.reader.ticks_per_second, 4800u);  // the later one replaces
  auto top = SceneReader::Children(r.Root());
  ASSERT_EQ(top.size(), 4u);
  top.erase(top.begin());
  FrameNode& bone = *top[0];
  auto in_bone = SceneReader::Children(bone);
  ASSERT_EQ(in_bone.size(), 2u);
  EXPECT_EQ(in_bone[0]->pseudo_frame_flag, 1u);
  EXPECT_EQ(*in_bone[0]->target_frame->name, "Other");
  FrameNode& loose = *top[1];
  EXPECT_EQ(loose.target_frame, in_bone[1]);
  ASSERT_NE(loose.first_child, nullptr);
  EXPECT_EQ(*loose.first_child->name, "Inside");
  EXPECT_EQ(loose.first_child->pseudo_frame_flag, 0u);
  FrameNode& set = *top[2];
  EXPECT_EQ(set.animation_set_flag, 1u);
  EXPECT_EQ(set.name, std::optional<std::string>(""));
  EXPECT_EQ(set.set_name, "");
  // The scene's animation list: newest first.
  ASSERT_EQ(r.reader.current_scene->animation_list, &loose);
  EXPECT_EQ(loose.next_animation, in_bone[0]);
  EXPECT_EQ(in_bone[0]->next_animation, nullptr);
}

TEST(Animation, BadAnimationsFailTheRead) {
  struct Case {
    const char* name;
    std::string body;
  };
  const Case cases[] = {
      {"two frame references", "Frame A { } Frame B { } Animation { { A } { B } }\n"},
      {"frame defined after", "Animation { { Late } }\nFrame Late { }\n"},
      {"two keys of one type",
       "Frame A { } Animation { { A } AnimationKey { 2; 1; 0; 3; 0,0,0;;; }"
       " AnimationKey { 2; 1; 5; 3; 1,1,1;;; } }\n"},
      {"inside a set", "AnimationSet S { Animation { { Late } } }\nFrame Late { }\n"},
  };
  for (const Case& c : cases) {
    SceneReader r;
    EXPECT_EQ(r.ReadText(c.body), E_INVALIDARG) << c.name;
    EXPECT_EQ(r.reader.scene_list, nullptr) << c.name;
    EXPECT_FALSE(r.reader.error.empty()) << c.name;
  }
}

// An animation file for a model kept elsewhere: the file services keep the
// unresolved name, and the read fails saying the frame is not in this file.
TEST(Animation, FrameOfAnotherFileFailsNamingIt) {
  SceneReader r;
  EXPECT_EQ(r.ReadText("AnimationSet S { Animation { { Elsewhere } } }\n"), E_INVALIDARG);
  EXPECT_NE(r.reader.error.find("not in this file (first: 'Elsewhere')"), std::string::npos)
      << r.reader.error;
}

TEST(Animation, ShortKeyDataReadsZerosWithAWarning) {
  SceneReader r;
  // Rotation keys written with three values: 20 bytes each where 24 are read.
  ASSERT_EQ(r.ReadText(WithAnimation("AnimationKey { 0; 2; 0; 3; 1,2,3;;, 10; 3; 4,5,6;;; }\n")), S_OK)
      << r.reader.error;
  FrameNode& a = OnlyAnimation(r);
  ASSERT_EQ(a.rotation_keys.size(), 2u);
  EXPECT_EQ(a.rotation_keys[0].w, 1.0f);
  // Key 1 starts at byte 32 of 48: time word 4.0f's bits, then zeros past the end.
  EXPECT_EQ(a.rotation_keys[1].y, 0.0f);
  EXPECT_EQ(a.rotation_keys[1].z, 0.0f);
  EXPECT_TRUE(r.HasWarning("short_key_data"));
}

TEST(Animation, KeyCountBeyondTheDataIsCutToIt) {
  // A template of the file takes the AnimationKey GUID with a smaller layout:
  // a count of four billion must not size an allocation.
  SceneReader r;
  ASSERT_EQ(r.ReadText("template Fake { <10DD46A8-775B-11CF-8F52-0040333594A3> DWORD a; DWORD b; DWORD c;"
                       " DWORD d; DWORD e; }\n" +
                       WithAnimation("Fake { 2; 4000000000; 7; 3; 0; }\n")),
            S_OK)
      << r.reader.error;
  FrameNode& a = OnlyAnimation(r);
  ASSERT_EQ(a.position_keys.size(), 1u);  // 12 bytes after the header hold one key's minimum
  EXPECT_EQ(a.position_keys[0].time, 7u);
  EXPECT_EQ(a.position_keys[0].y, 0.0f);
  EXPECT_TRUE(r.HasWarning("key_count_exceeds_data"));
  EXPECT_TRUE(r.HasWarning("short_key_data"));
}

}  // namespace
}  // namespace ortolix::test
