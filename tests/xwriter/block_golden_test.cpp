// Single blocks of the writer, each compared byte for byte with an expected
// file written by hand from the block's format: the whole-model material list
// that skips an unused first material, both texture-map kinds with and
// without full paths, a group mesh's skin weights, and one animation track
// with every key kind, each with and without "Flip handedness".
#include <gtest/gtest.h>

#include <string>

#include "tests/xwriter/golden_file.h"
#include "tests/xwriter/test_model.h"
#include "xwriter/animation_writer.h"
#include "xwriter/material_writer.h"
#include "xwriter/skin_writer.h"

namespace ortolix {
namespace {

using test::TestModel;
using test::TestScene;

class BlockGolden : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    options_ = test::NoOptions();
    options_.flipHandedness = GetParam() ? 1 : 0;
  }

  template <typename WriteFn>
  std::string Written(WriteFn&& write) {
    std::string out;
    {
      TextSink sink(AppendToString, &out);
      view_ = scene_.View();
      EXPECT_EQ(write(&sink, WriteContext{&model_, &view_, &options_}), 1);
    }
    return out;
  }

  static std::string Golden(const char* name, bool flip) {
    return test::ReadGolden(std::string("blocks/") + name + (flip ? "_flip.x" : ".x"));
  }

  static HostLayeredMap* LayeredMap(HostLayeredPaths& paths, std::int32_t flags) {
    auto* map = new HostLayeredMap;
    map->kind = kLayeredMapKind;
    map->flags = flags;
    map->paths = &paths;
    return map;
  }

  TestModel model_;
  TestScene scene_;
  ExportScene view_;
  ExportOptions options_;
};

// Five materials: the first unused (skipped), a kind-4 map choosing its first
// path, an unnamed material whose kind-4 map chooses its second path, a
// kind-4 map choosing neither, and a bitmap map whose flags are clear.
class MaterialListGolden : public BlockGolden {
 protected:
  void SetUp() override {
    BlockGolden::SetUp();
    paths1_.first = HostPathString("C:\\art\\first.bmp");
    paths1_.second = HostPathString("C:\\art\\unused.bmp");
    paths2_.first = HostPathString("C:\\art\\unused.bmp");
    paths2_.second = HostPathString("C:\\art\\maps\\second.tga");
    map1_.reset(LayeredMap(paths1_, 3));
    map2_.reset(LayeredMap(paths2_, 2));
    map3_.reset(LayeredMap(paths1_, 4));
    bitmap_.kind = kBitmapMapKind;
    bitmap_.flags = 0;
    bitmap_.path = HostPathString("wood.bmp");

    model_.AddMaterial("unused").useCount = 0;
    HostMaterial& painted = model_.AddMaterial("painted");
    painted.diffuse = {0.5f, 0.25f, 1, 0.75f};
    painted.opacity = 0.5f;
    painted.power = 8;
    painted.specular = {1, 1, 1, 1};
    painted.emissive = {0, 0, 0.125f, 1};
    model_.SetTexture(painted, map1_.get());
    model_.SetTexture(model_.AddMaterial(""), map2_.get());
    model_.SetTexture(model_.AddMaterial("bare"), map3_.get());
    model_.SetTexture(model_.AddMaterial("flat"), &bitmap_);
    for (int v = 0; v < 3; ++v) model_.AddVertex({0, 0, 0}, {0, 0, 1}, {1, 1, 1, 1});
    // Material 7 does not exist: it is written lowered like the others.
    model_.SetFaces({{0, 0, {0, 1, 2}}, {1, 0, {0, 1, 2}}, {2, 0, {0, 1, 2}},
                     {3, 0, {0, 1, 2}}, {4, 0, {0, 1, 2}}, {7, 0, {0, 1, 2}}});
  }

  HostLayeredPaths paths1_;
  HostLayeredPaths paths2_;
  std::unique_ptr<HostLayeredMap> map1_, map2_, map3_;
  HostBitmapMap bitmap_;
};

TEST_P(MaterialListGolden, SkipsTheUnusedFirstMaterialAndNamesTexturesByFileOrFullPath) {
  options_.useFullTexturePath = GetParam() ? 1 : 0;  // the parameter picks the path rule here
  options_.flipHandedness = 0;
  const std::string text = Written([](TextSink* sink, const WriteContext& context) {
    return WriteMeshMaterialList(sink, context,
                                 MeshWriteView::WholeModel(*context.model, *context.scene), 3);
  });
  EXPECT_EQ(text, test::ReadGolden(GetParam() ? "blocks/material_list_full_path.x"
                                                 : "blocks/material_list.x"));
}

INSTANTIATE_TEST_SUITE_P(FullPath, MaterialListGolden, ::testing::Bool());

TEST(TextureFileText, FullPathStopsAfter256CharactersButFinishesADoubledBackslash) {
  TestModel model;
  HostMaterial& material = model.AddMaterial("m");
  HostBitmapMap map;
  map.kind = kBitmapMapKind;
  map.flags = 1;
  // A backslash reached with 255 characters produced still gets its second.
  map.path = HostPathString((std::string(255, 'a') + "\\bcd").c_str());
  model.SetTexture(material, &map);
  std::string text;
  ASSERT_TRUE(TextureFileText(material, true, &text));
  EXPECT_EQ(text, std::string(255, 'a') + "\\\\");
  // With 256 produced, nothing more is taken.
  map.path = HostPathString((std::string(256, 'a') + "\\b").c_str());
  ASSERT_TRUE(TextureFileText(material, true, &text));
  EXPECT_EQ(text, std::string(256, 'a'));
}

// Five bones; the group's vertices use bones 1 and 3 only, name bone 1 twice
// in one vertex, and carry a negative and an out-of-range bone index.
class GroupSkinGolden : public BlockGolden {
 protected:
  void SetUp() override {
    BlockGolden::SetUp();
    for (const char* name : {"hip", "spine", "neck", "arm", "leg"}) model_.AddBone(name, -1, 0);
    model_.AddVertex({0, 0, 0}, {0, 0, 1}, {1, 1, 1, 1}, {{1, 0.25f}, {3, 0.75f}});
    model_.AddVertex({1, 0, 0}, {0, 0, 1}, {1, 1, 1, 1}, {{3, 1.0f}});
    model_.AddVertex({1, 1, 0}, {0, 0, 1}, {1, 1, 1, 1}, {{1, 0.5f}, {1, 0.5f}});
    model_.AddVertex({0, 1, 0}, {0, 0, 1}, {1, 1, 1, 1}, {{-1, 1.0f}, {7, 0.5f}, {3, 0.5f}});
    model_.AddVertex({0, 2, 0}, {0, 0, 1}, {1, 1, 1, 1}, {{0, 1.0f}});
    model_.SetFaces({{0, 0, {0, 1, 2}}});
    TestScene::Group group{"g", {}, {{0, 1, 2}, {1, 2, 3}}, {0, 0}};
    for (int h = 0; h < 4; ++h) group.vertices.push_back(test::MakeExportVertex(model_, h, 0, 0));
    scene_.groups.push_back(group);
    scene_.frames.resize(5);
    for (ExportFrame& frame : scene_.frames) frame.influenceCount = 9;  // recomputed
    scene_.frames[1].combined = Matrix4{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1}};
    scene_.frames[3].combined = Matrix4{{2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 4, 6, -2, 1}};
  }
};

TEST_P(GroupSkinGolden, CountsOnlyTheGroupsInfluencesAndWritesThemInBoneOrder) {
  const std::string text = Written([](TextSink* sink, const WriteContext& context) {
    return WriteSkinWeights(sink, context, MeshWriteView::Group(*context.scene, 0), 6);
  });
  EXPECT_EQ(text, Golden("group_skin", GetParam()));
  const std::int32_t counts[5] = {0, 3, 0, 3, 0};
  for (int b = 0; b < 5; ++b) EXPECT_EQ(view_.frames[b].influenceCount, counts[b]) << b;
}

INSTANTIATE_TEST_SUITE_P(Flip, GroupSkinGolden, ::testing::Bool());

// One track with two keys of each kind: a rotated and translated local
// matrix, a rest scale with a zero component, a rest rotation that is not the
// identity, negative and wrapping ticks.
class AnimationTrackGolden : public BlockGolden {
 protected:
  void SetUp() override {
    BlockGolden::SetUp();
    model_.AddBone("root", -1, 0);
    model_.AddBone("joint", 0, 0);
    scene_.frames.resize(2);
    ExportFrame& joint = scene_.frames[1];
    joint.local = Matrix4{{0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1}};
    joint.scale = {2, 0, 0.5f};
    joint.rotation = {0.5f, 0.5f, 0.5f, 0.5f};
    HostAnimation& walk = model_.AddAnimation("walk", 24, 2);
    HostTrack& track = walk.tracks[1];
    model_.AddPositionKey(track, 0, {1, 2, 3});
    model_.AddPositionKey(track, 1.5f, {0, 0, 0});
    model_.AddScaleKey(track, 0.999f, {3, 4, -1});
    model_.AddScaleKey(track, -0.5f, {1, 1, 1});
    model_.AddRotationKey(track, 1e10f, {0, 0, 0, 1});
    model_.AddRotationKey(track, 2, {0.5f, -0.5f, 0.5f, 0.5f});
  }
};

TEST_P(AnimationTrackGolden, PositionsScalesAndRotationsWithTheirOptions) {
  const std::string text = Written([](TextSink* sink, const WriteContext& context) {
    return WriteAnimationTrack(sink, context, &context.model->animations.items[0], 1, 3);
  });
  EXPECT_EQ(text, Golden("animation_track", GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Flip, AnimationTrackGolden, ::testing::Bool());

}  // namespace
}  // namespace ortolix
