// TransferToHost against the in-process Host: order and offsets of the
// records, names and texture paths, influences, bones and keys, the time
// conversion, the scene options, and a Host that fails each operation.
#include "import/transfer_to_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/in_process_host.h"

namespace ortolix {
namespace {

ImportVertex Vertex(float x, float y, float z) {
  ImportVertex v;
  v.position = Vec3{x, y, z};
  v.uv1 = Vec2{x, y};
  v.uv2 = Vec2{y, x};
  return v;
}

ImportMesh Mesh(std::string name, int vertex_count, int material_count) {
  ImportMesh mesh;
  mesh.meshName = std::move(name);
  mesh.frameName = mesh.meshName;
  for (int i = 0; i < vertex_count; ++i) mesh.vertices.push_back(Vertex(float(i), float(2 * i), 0));
  mesh.materialCount = material_count;
  return mesh;
}

ImportFace Face(int material, int a, int b, int c) {
  ImportFace face;
  face.material = material;
  face.vertices[0] = a;
  face.vertices[1] = b;
  face.vertices[2] = c;
  return face;
}

AnimationTrack Track(std::string name, int parent) {
  AnimationTrack track;
  track.name = std::move(name);
  track.parent = parent;
  return track;
}

// Two meshes of 4 and 6 vertices with 1 and 2 materials, one animation with
// the tracks "first" and "second".
ImportModel TwoMeshModel() {
  ImportModel model;
  model.materials.resize(3);
  model.materials[1].name = "one";
  model.materials[2].name = "two";
  model.meshes = {Mesh("first", 4, 1), Mesh("second", 6, 2)};
  model.meshes[0].faces = {Face(0, 0, 1, 2)};
  model.meshes[1].faces = {Face(0, 3, 4, 5), Face(1, 0, 1, 2)};
  ImportAnimation animation;
  animation.name = "DefaultAnim0";
  animation.tracks = {Track("first", -1), Track("second", 0)};
  model.animations = {animation};
  return model;
}

ImportOptions NoMerge(std::int32_t convert) {
  ImportOptions options;
  options.mergeSimilarMaterials = 0;
  options.convertMaterialsToGroups = convert;
  return options;
}

TEST(Transfer, FacesOfLaterMeshesAreOffsetByTheMeshesBefore) {
  for (const std::int32_t convert : {0, 1}) {
    SCOPED_TRACE(convert);
    InProcessHost host;
    ASSERT_EQ(TransferToHost(host, TwoMeshModel(), NoMerge(convert)), 1);
    ASSERT_EQ(host.vertices.count, 10);
    ASSERT_EQ(host.meshes.count, 2);
    const HostFace& face = host.meshes.items[1].faces[1];
    EXPECT_EQ(face.corners[0], 4);
    EXPECT_EQ(face.corners[1], 5);
    EXPECT_EQ(face.corners[2], 6);
    EXPECT_EQ(face.material, 2);
    EXPECT_EQ(face.group, convert == 1 ? 2 : 1);
    // Texture coordinates come from the mesh's own vertices 0, 1, 2.
    EXPECT_EQ(face.texture->first[2].u, 2.0f);
    EXPECT_EQ(face.texture->second[2].u, 4.0f);
    ASSERT_EQ(host.groups.count, convert == 1 ? 3 : 2);
    EXPECT_STREQ(host.groups.items[1].name.Narrow(), convert == 1 ? "one" : "second");
  }
}

TEST(Transfer, MaterialNamesAndTexturePathsBesideTheSourceFile) {
  ImportModel model;
  model.sourcePath = u"/data/ships/hull.x";
  model.materials.resize(3);
  model.materials[1].textureFileName = u"wood.bmp";
  model.materials[2].name = "deck";
  model.materials[2].textureFileName = u"skin.tga";
  model.materials[2].power = 12.5f;
  model.materials[2].opacity = 0.5f;
  model.materials[2].diffuse = ImportColor{0.1f, 0.2f, 0.3f, 1.0f};
  InProcessHost host;
  ASSERT_EQ(TransferToHost(host, model, NoMerge(0)), 1);
  ASSERT_EQ(host.materials.count, 3);
  const char* names[] = {"NoNameMat0", "wood.bmp", "deck"};
  for (int i = 0; i < 3; ++i) EXPECT_STREQ(host.materials.items[i].name.Narrow(), names[i]);
  EXPECT_EQ(host.materials.items[0].GetTextureMap(0), nullptr);
  auto* map = static_cast<HostBitmapMap*>(host.materials.items[2].GetTextureMap(0));
  ASSERT_NE(map, nullptr);
  EXPECT_STREQ(map->path.Narrow(), "/data/ships/skin.tga");
  EXPECT_EQ(map->flags & 1, 1);
  EXPECT_EQ(host.materials.items[2].power, 12.5f);
  EXPECT_EQ(host.materials.items[2].opacity, 0.5f);
  EXPECT_EQ(host.materials.items[2].diffuse.g, 0.2f);
}

TEST(Transfer, MergedMaterialsReplaceTheListAndFaceIndicesStand) {
  ImportModel model = TwoMeshModel();
  model.mergedMaterials.resize(2);
  model.mergedMaterials[1].name = "merged";
  model.meshes[1].faces[1].material = 1;  // already an index into the merged list
  ImportOptions options = NoMerge(0);
  options.mergeSimilarMaterials = 1;
  InProcessHost host;
  ASSERT_EQ(TransferToHost(host, model, options), 1);
  ASSERT_EQ(host.materials.count, 2);
  EXPECT_STREQ(host.materials.items[1].name.Narrow(), "merged");
  EXPECT_EQ(host.meshes.items[1].faces[1].material, 1);
  model.meshes[1].faces[1].material = 2;  // past the merged list
  InProcessHost refused;
  EXPECT_EQ(TransferToHost(refused, model, options), 0);
}

TEST(Transfer, InfluencesOfSkinnedAndRigidMeshes) {
  ImportModel model = TwoMeshModel();
  model.meshes[0].frameName = "second";  // rigid, on the second track
  model.meshes[0].world.m[12] = 10.0f;   // moved along x
  model.meshes[1].skinned = 1;
  model.meshes[1].world.m[12] = 10.0f;   // posed already: not applied
  model.meshes[1].vertices[2].weights = {VertexWeight{2, 0.25f, 0}, VertexWeight{2, 0.75f, 1}};
  InProcessHost host;
  ASSERT_EQ(TransferToHost(host, model, NoMerge(0)), 1);
  const HostVertex& rigid = host.vertices.items[1];
  EXPECT_EQ(rigid.position.x, 11.0f);
  ASSERT_EQ(rigid.influenceCount, 1);
  EXPECT_EQ(rigid.influences[0].bone, 1);
  EXPECT_EQ(rigid.influences[0].weight, 1.0f);
  const HostVertex& skinned = host.vertices.items[6];
  EXPECT_EQ(skinned.position.x, 2.0f);
  ASSERT_EQ(skinned.influenceCount, 2);
  EXPECT_EQ(skinned.influences[1].bone, 1);
  EXPECT_EQ(skinned.influences[1].weight, 0.75f);
  EXPECT_EQ(host.vertices.items[5].influenceCount, 0);  // skinned, no weights

  model.meshes[0].frameName = "nowhere";
  InProcessHost unnamed;
  ASSERT_EQ(TransferToHost(unnamed, model, NoMerge(0)), 1);
  EXPECT_EQ(unnamed.vertices.items[0].influences[0].bone, -1);
}

TEST(Transfer, BonesComeFromTheSelectedAnimationAndKeysFromAll) {
  ImportModel model = TwoMeshModel();
  model.animations[0].tracks[1].restTranslation = Vec3{1, 2, 3};
  model.animations[0].tracks[1].restRotation = Quat{0, 0, 0, 2};
  model.animations.push_back(model.animations[0]);
  model.animations[1].name = "Run";
  model.animations[1].tracks[0].positionKeys = {PositionKey{0, 30.0f, Vec3{1, 1, 1}}};
  model.animations[1].tracks[0].rotationKeys = {RotationKey{0, 60.0f, Quat{0, 0, 0, 4}}};
  model.selectedAnimation = 1;
  model.ticksPerSecond = 30;
  for (const std::int32_t present : {0, 1}) {
    SCOPED_TRACE(present);
    model.animationsPresent = present;
    InProcessHost host;
    ASSERT_EQ(TransferToHost(host, model, NoMerge(0)), 1);
    ASSERT_EQ(host.bones.count, 2);
    EXPECT_STREQ(host.bones.items[1].name.Narrow(), "second");
    EXPECT_EQ(host.bones.items[1].parent, 0);
    EXPECT_EQ(host.bones.items[1].rotation.w, 1.0f);  // normalised
    ASSERT_EQ(host.animations.count, present == 1 ? 2 : 0);
    if (present == 0) continue;
    const HostTrack& track = host.animations.items[1].tracks[0];
    ASSERT_EQ(track.positionKeyCount, 1);
    ASSERT_EQ(track.rotationKeyCount, 1);
    EXPECT_EQ(track.rotationKeys[0].value.w, 1.0f);
    EXPECT_FLOAT_EQ(track.rotationKeys[0].time, 2.0f);
    EXPECT_FLOAT_EQ(host.animations.items[1].start, 30.0f);
    EXPECT_FLOAT_EQ(host.animations.items[1].end, 60.0f);
    EXPECT_EQ(host.animations.items[1].framesPerSecond, 30.0f);
  }
}

TEST(Transfer, KeyTimesBecomeSecondsAndFrames) {
  struct Case {
    std::int32_t ticks_per_second;
    float tick;
    float seconds;
  };
  for (const Case& c : {Case{4800, 9600.0f, 2.0f}, Case{0, 60.0f, 2.0f}, Case{-1, 0.0f, 0.0f}}) {
    SCOPED_TRACE(c.ticks_per_second);
    ImportModel model = TwoMeshModel();
    model.animationsPresent = 1;
    model.ticksPerSecond = c.ticks_per_second;
    model.animations[0].tracks[1].scaleKeys = {ScaleKey{0, c.tick, Vec3{1, 1, 1}}};
    InProcessHost host;
    ASSERT_EQ(TransferToHost(host, model, NoMerge(0)), 1);
    const HostAnimation& animation = host.animations.items[0];
    EXPECT_FLOAT_EQ(animation.tracks[1].scaleKeys[0].time, c.seconds);
    EXPECT_FLOAT_EQ(animation.end, c.seconds * 30.0f);
    EXPECT_EQ(animation.start, animation.end);
  }
}

// Vertices with x in -1..3 and y in 2..6 (bones and placed objects follow
// the same moves; they are covered with the axis swap).
TEST(Transfer, FloorAndCentreMoveTheSceneAboutItsBox) {
  struct Case {
    std::int32_t floor, centre;
    float x_lo, y_lo;
  };
  for (const Case& c : {Case{0, 0, -1, 2}, Case{1, 0, -2, 0}, Case{0, 1, -2, -2}, Case{1, 1, -2, 0}}) {
    SCOPED_TRACE(c.floor * 2 + c.centre);
    ImportModel model;
    model.meshes = {Mesh("m", 0, 0)};
    model.meshes[0].vertices = {Vertex(-1, 2, 0), Vertex(3, 6, 0)};
    ImportOptions options = NoMerge(0);
    options.floorScene = c.floor;
    options.centerScene = c.centre;
    InProcessHost host;
    ASSERT_EQ(TransferToHost(host, model, options), 1);
    EXPECT_EQ(host.vertices.items[0].position.x, c.x_lo);
    EXPECT_EQ(host.vertices.items[0].position.y, c.y_lo);
    EXPECT_EQ(host.vertices.items[1].position.y, c.y_lo + 4);
  }
}

TEST(Transfer, SwapAndFlipRunOnlyWhenSet) {
  for (const std::int32_t flags : {0, 1, 2, 3}) {
    SCOPED_TRACE(flags);
    ImportModel model;
    model.meshes = {Mesh("m", 0, 0)};
    model.meshes[0].vertices = {Vertex(1, 2, 3)};
    ImportOptions options = NoMerge(0);
    options.swapScene = flags & 1;
    options.flipHandedness = (flags >> 1) & 1;
    InProcessHost host;
    ASSERT_EQ(TransferToHost(host, model, options), 1);
    const Vec3 p = host.vertices.items[0].position;
    const float z = (flags & 1) ? -2.0f : 3.0f;
    EXPECT_EQ(p.y, (flags & 1) ? 3.0f : 2.0f);
    EXPECT_EQ(p.z, (flags & 2) ? -z : z);
    EXPECT_EQ(host.operations().Count(HostOperation::kFlipHandedness), (flags >> 1) & 1);
  }
}

// Every create or allocate call of a small model, failing in turn: the
// transfer stops right there with 0, unless the call is one whose failure
// the transfer tolerates (a texture map, a rigid vertex's influence).
TEST(Transfer, HostFailingItsNthOperationStopsTheTransferThere) {
  ImportModel model = TwoMeshModel();
  model.sourcePath = u"/m/a.x";
  model.materials[1].textureFileName = u"a.bmp";
  model.meshes[1].skinned = 1;
  model.meshes[1].vertices[0].weights = {VertexWeight{0, 1.0f, 1}};
  model.animationsPresent = 1;
  model.animations[0].tracks[0].positionKeys.resize(2);
  model.animations[0].tracks[1].rotationKeys.resize(1);
  model.animations[0].tracks[1].scaleKeys.resize(1);
  InProcessHost whole;
  ASSERT_EQ(TransferToHost(whole, model, NoMerge(1)), 1);
  const std::int64_t total = whole.operations().FallibleCount();
  ASSERT_GT(total, 20);
  int tolerated = 0;
  for (std::int64_t n = 1; n <= total; ++n) {
    SCOPED_TRACE(n);
    InProcessHost host;
    host.operations().FailOnAnyCall(n);
    const std::int32_t result = TransferToHost(host, model, NoMerge(1));
    EXPECT_EQ(host.operations().InjectedFailures(), 1);
    if (result == 1) {
      ++tolerated;
      EXPECT_EQ(host.operations().FallibleCount(), total);
    } else {
      EXPECT_EQ(host.operations().FallibleCount(), n);  // nothing after the failure
    }
  }
  EXPECT_EQ(tolerated, 1 + 4);  // the texture map and the four rigid vertices
}

}  // namespace
}  // namespace ortolix
