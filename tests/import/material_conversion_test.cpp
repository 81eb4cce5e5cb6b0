// Materials at read time and the merge of similar materials.
#include <gtest/gtest.h>

#include <limits>

#include "import/material_conversion.h"
#include "tests/import/convert_test_support.h"

namespace ortolix {
namespace {

using test::Convert;
using test::Material;
using test::MeshDescription;
using test::SceneBuilder;
using test::StripMesh;

ImportMaterial ConvertOne(const MaterialRecord& record, std::int32_t zeroTransparency, std::int32_t zeroShininess) {
  SceneBuilder scene;
  MeshDescription desc = StripMesh(3);
  desc.materials = {record};
  scene.Mesh(scene.Root(), desc);
  ImportOptions options;
  options.zeroTransparencyToDefault = zeroTransparency;
  options.zeroShininessToDefault = zeroShininess;
  return Convert(scene, options).materials.at(0);
}

struct PowerCase {
  float power, alpha;
  std::int32_t zeroTransparency, zeroShininess;
  float powerOut, opacityOut;
};

TEST(MaterialConversion, PowerClampAndTheTwoZeroOptions) {
  const PowerCase cases[] = {
      {250.0f, 0.5f, 1, 1, 128.0f, 0.5f}, {-3.0f, 0.5f, 1, 0, 0.0f, 0.5f}, {-3.0f, 0.5f, 1, 1, 128.0f, 0.5f},
      {0.0f, 0.5f, 1, 1, 128.0f, 0.5f},   {0.0f, 0.5f, 0, 0, 0.0f, 0.5f},  {20.0f, 0.0f, 1, 1, 20.0f, 1.0f},
      {20.0f, 0.0f, 0, 1, 20.0f, 0.0f},   {20.0f, 0.0f, 2, 1, 20.0f, 0.0f},  // only 1 sets an option
  };
  for (const PowerCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.power << " " << c.alpha << " " << c.zeroTransparency << c.zeroShininess);
    const ImportMaterial m = ConvertOne(Material(0.1f, 0.2f, 0.3f, c.alpha, c.power), c.zeroTransparency,
                                        c.zeroShininess);
    EXPECT_EQ(m.power, c.powerOut);
    EXPECT_EQ(m.opacity, c.opacityOut);
    EXPECT_EQ(m.diffuse.a, 1.0f);
    EXPECT_EQ(m.diffuse.g, 0.2f);
  }
}

TEST(MaterialConversion, NaNsTakeTheDefaults) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  MaterialRecord record = Material(nan, 0.5f, nan, nan, nan);
  record.material.Ambient = {nan, 0.25f, nan, nan};
  record.material.Specular = {0.5f, nan, 0.5f, 0.0f};
  const ImportMaterial m = ConvertOne(record, 1, 1);
  EXPECT_EQ(m.diffuse.r, 1.0f);
  EXPECT_EQ(m.diffuse.g, 0.5f);
  EXPECT_EQ(m.diffuse.b, 1.0f);
  EXPECT_EQ(m.ambient.r, 0.0f);
  EXPECT_EQ(m.ambient.g, 0.25f);
  EXPECT_EQ(m.ambient.a, 1.0f);
  EXPECT_EQ(m.specular.g, 0.0f);
  EXPECT_EQ(m.specular.a, 1.0f);
  EXPECT_EQ(m.power, 128.0f);
  EXPECT_EQ(m.opacity, 1.0f);
}

TEST(MaterialConversion, TextureKeepsOnlyItsFileName) {
  const std::pair<const char*, std::u16string> cases[] = {
      {"wood.bmp", u"wood.bmp"},
      {"maps\\wood.bmp", u"wood.bmp"},
      {"C:\\art\\maps/skin.tga", u"skin.tga"},
      {"C:skin.tga", u"skin.tga"},
      {"../textures/a.b.png", u"a.b.png"},
      {"dir\\", u""},
      {"", u""},
      {"\xC3\xA9t\xC3\xA9.dds", u"\u00E9t\u00E9.dds"},
  };
  for (const auto& [path, expected] : cases) {
    SCOPED_TRACE(path);
    EXPECT_EQ(TextureFileNamePart(path), expected);
  }
}

TEST(MaterialConversion, MaterialsFollowContainerOrderWithNames) {
  SceneBuilder scene;
  MeshDescription first = StripMesh(3), second = StripMesh(3), bare = StripMesh(3);
  first.materials = {Material(1, 0, 0, 1, 10), Material(0, 1, 0, 1, 10)};
  first.materialNames = {"Skin", ""};
  second.materials = {Material(0, 0, 1, 1, 10)};
  second.materialNames = {"Skin"};  // the same name in another mesh
  FrameNode& a = scene.Frame(scene.Root(), "A");
  scene.Mesh(a, first);
  scene.Mesh(scene.Frame(scene.Root(), "B"), bare);  // a container without materials
  scene.Mesh(scene.Frame(scene.Root(), "C"), second);
  const ImportModel model = Convert(scene);
  ASSERT_EQ(model.materialCount, 3);
  ASSERT_EQ(model.materials.size(), 3u);
  EXPECT_EQ(model.materials[0].name, "Skin");
  EXPECT_EQ(model.materials[0].diffuse.r, 1.0f);
  EXPECT_EQ(model.materials[1].name, "");
  EXPECT_EQ(model.materials[2].name, "Skin");
  EXPECT_EQ(model.materials[2].diffuse.b, 1.0f);
  EXPECT_EQ(model.meshes[0].materialCount, 2);
  EXPECT_EQ(model.meshes[1].materialCount, 0);
}

ImportMaterial Textured(const char16_t* texture, const char* name) {
  ImportMaterial material;
  material.textureFileName = texture;
  material.name = name;
  return material;
}

TEST(MaterialMerge, SameTexturesShareOneEntryAndFacesAreRenumbered) {
  ImportModel model;
  model.materials = {Textured(u"Wood.BMP", "a"), Textured(u"stone.bmp", "b"), Textured(u"wood.bmp", "c"),
                     Textured(u"", "d"), Textured(u"", "e")};
  model.materials[2].power = 7.0f;
  model.meshes.resize(2);
  model.meshes[0].materialCount = 3;
  model.meshes[0].faces = {{0, {0, 1, 2}}, {2, {0, 1, 2}}, {-1, {0, 1, 2}}, {1, {0, 1, 2}}};
  model.meshes[1].materialCount = 2;
  model.meshes[1].faces = {{0, {0, 1, 2}}, {1, {0, 1, 2}}, {2, {0, 1, 2}}};

  MergeSimilarMaterials(model);
  ASSERT_EQ(model.mergedMaterials.size(), 4u);
  EXPECT_EQ(model.mergedMaterials[0].name, "c");  // the last that fell on it
  EXPECT_EQ(model.mergedMaterials[0].textureFileName, u"wood.bmp");
  EXPECT_EQ(model.mergedMaterials[0].power, 7.0f);
  EXPECT_EQ(model.mergedMaterials[1].name, "b");
  EXPECT_EQ(model.mergedMaterials[2].name, "d");
  EXPECT_EQ(model.mergedMaterials[3].name, "e");
  std::vector<std::int32_t> materials;
  for (const ImportMesh& mesh : model.meshes) {
    for (const ImportFace& face : mesh.faces) materials.push_back(face.material);
  }
  // Mesh 1's faces start at material 3; its index 2 (global 5) is outside.
  EXPECT_EQ(materials, (std::vector<std::int32_t>{0, 0, -1, 1, 2, 3, 2}));
}

}  // namespace
}  // namespace ortolix
