// The in-process Host's operations: the results the plug-in relies on, the
// values of new records, and failure injection.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/host/host_test_support.h"

namespace ortolix {
namespace {

using host_test::Doc;
using host_test::Load;

HostPathString Name(const char* text) { return HostPathString(text); }

TEST(HostOperations, NewModelHasNoArrays) {
  InProcessHost host;
  EXPECT_EQ(host.placed1.items, nullptr);
  EXPECT_EQ(host.placed2.items, nullptr);
  EXPECT_EQ(host.materials.items, nullptr);
  EXPECT_EQ(host.vertices.items, nullptr);
  EXPECT_EQ(host.extras.items, nullptr);
  EXPECT_EQ(host.groups.items, nullptr);
  EXPECT_EQ(host.meshes.items, nullptr);
  EXPECT_EQ(host.bones.items, nullptr);
  EXPECT_EQ(host.animations.items, nullptr);
  EXPECT_TRUE(host.creatorName.IsEmpty());
  EXPECT_TRUE(host.timeStamp.IsEmpty());
  EXPECT_TRUE(host.errorMessage.IsEmpty());
}

// Records made by the operations hold the values of JSON records that leave
// every key out; both models must save to the same text.
TEST(HostOperations, CreatedRecordsEqualRecordsLoadedWithoutKeys) {
  InProcessHost made;
  ASSERT_NE(made.CreateMaterial(Name("")), nullptr);
  ASSERT_EQ(made.AllocateVertices(2), 1);
  ASSERT_NE(made.SetVertexInfluences(1, 2), nullptr);
  ASSERT_NE(made.CreateGroup(Name(""), -1), nullptr);
  HostMesh* mesh = made.CreateMesh();
  ASSERT_NE(mesh, nullptr);
  ASSERT_EQ(mesh->AllocateFaces(2), 1);
  ASSERT_NE(made.CreateBone(Name(""), -1), nullptr);
  HostAnimation* animation = made.CreateAnimation(Name(""));
  ASSERT_NE(animation, nullptr);
  ASSERT_EQ(animation->AllocateTracks(2), 1);

  auto loaded = Load(Doc(R"("materials": [{}], "vertices": [{}, {"influences": [[0, 0], [0, 0]]}],
      "groups": [{}], "meshes": [{"faces": [{}, {}]}], "bones": [{}],
      "animations": [{"tracks": [{}, {}]}])"));
  EXPECT_EQ(SaveHostModelJson(made), SaveHostModelJson(*loaded));
}

TEST(HostOperations, CreateOperationsNameTheirRecords) {
  InProcessHost host;
  HostMaterial* material = host.CreateMaterial(Name("wood"));
  HostGroup* group = host.CreateGroup(Name("body"), -1);
  HostBone* bone = host.CreateBone(Name("root"), -1);
  HostAnimation* animation = host.CreateAnimation(Name("walk"));
  EXPECT_EQ(material, &host.materials.items[0]);
  EXPECT_EQ(group, &host.groups.items[0]);
  EXPECT_EQ(bone, &host.bones.items[0]);
  EXPECT_EQ(animation, &host.animations.items[0]);
  EXPECT_STREQ(host.materials.items[0].name.Narrow(), "wood");
  EXPECT_STREQ(host.groups.items[0].name.Narrow(), "body");
  EXPECT_STREQ(host.bones.items[0].name.Narrow(), "root");
  EXPECT_STREQ(host.animations.items[0].name.Narrow(), "walk");
  HostMesh* mesh = host.CreateMesh();
  EXPECT_EQ(mesh, &host.meshes.items[0]);
}

TEST(HostOperations, TextureMapsAreMadeAndFoundPerMaterial) {
  InProcessHost host;
  HostMaterial* material = host.CreateMaterial(Name("m"));
  EXPECT_EQ(material->GetTextureMap(0), nullptr);
  HostTextureMap* map = material->CreateTextureMap(0, 1);
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->kind, kBitmapMapKind);
  auto* bitmap = static_cast<HostBitmapMap*>(map);
  EXPECT_EQ(bitmap->flags, 0);
  EXPECT_TRUE(bitmap->path.IsEmpty());
  EXPECT_EQ(material->GetTextureMap(0), map);
  EXPECT_EQ(material->CreateTextureMap(1, 1), nullptr);  // one texture slot
  EXPECT_EQ(material->GetTextureMap(1), nullptr);
}

// Records with operations move when their array grows; their operations must
// still reach their own Host and index.
TEST(HostOperations, RecordOperationsFollowTheirRecordsWhenArraysGrow) {
  InProcessHost host;
  constexpr int kCount = 300;  // several block sizes for each kind
  for (int i = 0; i < kCount; ++i) {
    ASSERT_NE(host.CreateMaterial(Name("m")), nullptr);
    ASSERT_NE(host.CreateMesh(), nullptr);
    ASSERT_NE(host.CreateAnimation(Name("a")), nullptr);
  }
  for (int i : {0, 1, kCount / 2, kCount - 1}) {
    HostTextureMap* map = host.materials.items[i].CreateTextureMap(0, 1);
    static_cast<HostBitmapMap*>(map)->flags = i;
    ASSERT_EQ(host.meshes.items[i].AllocateFaces(i + 1), 1);
    ASSERT_EQ(host.animations.items[i].AllocateTracks(i + 2), 1);
  }
  for (int i : {0, 1, kCount / 2, kCount - 1}) {
    auto* map = static_cast<HostBitmapMap*>(host.materials.items[i].GetTextureMap(0));
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->flags, i);
    EXPECT_EQ(host.meshes.items[i].faceCount, i + 1);
    EXPECT_EQ(host.animations.items[i].trackCount, i + 2);
  }
  EXPECT_EQ(host.materials.items[2].GetTextureMap(0), nullptr);
  EXPECT_EQ(host.meshes.items[2].faces, nullptr);
}

TEST(HostOperations, AllocateVerticesReplacesTheArray) {
  InProcessHost host;
  ASSERT_EQ(host.AllocateVertices(0), 1);
  EXPECT_NE(host.vertices.items, nullptr);
  EXPECT_EQ(host.vertices.count, 0);
  ASSERT_EQ(host.AllocateVertices(3), 1);
  host.vertices.items[2].position = {1, 2, 3};
  ASSERT_NE(host.SetVertexInfluences(2, 1), nullptr);
  ASSERT_EQ(host.AllocateVertices(4), 1);
  EXPECT_EQ(host.vertices.count, 4);
  EXPECT_EQ(host.vertices.items[2].position.x, 0.0f);
  EXPECT_EQ(host.vertices.items[2].influenceCount, 0);
  EXPECT_EQ(host.AllocateVertices(-1), 0);
  EXPECT_EQ(host.AllocateVertices(kHostMaxVertices + 1), 0);
  EXPECT_EQ(host.vertices.count, 4);
}

TEST(HostOperations, SetVertexInfluencesGivesTheVertexWithItsList) {
  InProcessHost host;
  EXPECT_EQ(host.SetVertexInfluences(0, 1), nullptr);  // no vertices yet
  ASSERT_EQ(host.AllocateVertices(2), 1);
  HostVertex* vertex = host.SetVertexInfluences(1, 3);
  ASSERT_EQ(vertex, &host.vertices.items[1]);
  EXPECT_EQ(vertex->influenceCount, 3);
  vertex->influences[2] = {4, 0.5f};
  vertex = host.SetVertexInfluences(1, 1);  // replaces the list
  EXPECT_EQ(vertex->influenceCount, 1);
  EXPECT_EQ(vertex->influences[0].bone, 0);
  EXPECT_EQ(vertex->influences[0].weight, 0.0f);
  EXPECT_EQ(host.SetVertexInfluences(2, 1), nullptr);
  EXPECT_EQ(host.SetVertexInfluences(-1, 1), nullptr);
  EXPECT_EQ(host.SetVertexInfluences(0, -1), nullptr);
}

TEST(HostOperations, AllocateFacesMakesTrianglesWithBothTextureArrays) {
  InProcessHost host;
  HostMesh* mesh = host.CreateMesh();
  ASSERT_EQ(mesh->AllocateFaces(3), 1);
  ASSERT_EQ(mesh->faceCount, 3);
  for (int f = 0; f < 3; ++f) {
    const HostFace& face = mesh->faces[f];
    EXPECT_EQ(face.cornerCount, 3);
    ASSERT_NE(face.texture, nullptr);
    ASSERT_NE(face.texture->first, nullptr);
    ASSERT_NE(face.texture->second, nullptr);
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(face.corners[c], 0);
      EXPECT_EQ(face.exportIndices[c], 0);
      EXPECT_EQ(face.texture->second[c].u, 0.0f);
    }
  }
  // Distinct storage per face and corner.
  mesh->faces[0].corners[2] = 7;
  mesh->faces[1].texture->first[0].v = 2;
  EXPECT_EQ(mesh->faces[1].corners[0], 0);
  EXPECT_EQ(mesh->faces[0].texture->first[0].v, 0.0f);
  ASSERT_EQ(mesh->AllocateFaces(0), 1);
  EXPECT_NE(mesh->faces, nullptr);
  EXPECT_EQ(mesh->AllocateFaces(-1), 0);
}

TEST(HostOperations, KeysAreAllocatedPerTrackAndKind) {
  InProcessHost host;
  HostAnimation* animation = host.CreateAnimation(Name("a"));
  EXPECT_EQ(animation->AllocatePositionKeys(0, 1), nullptr);  // no tracks yet
  ASSERT_EQ(animation->AllocateTracks(2), 1);
  HostTrack* track = animation->AllocatePositionKeys(1, 2);
  ASSERT_EQ(track, &animation->tracks[1]);
  EXPECT_EQ(track->positionKeyCount, 2);
  EXPECT_EQ(animation->AllocateRotationKeys(1, 3)->rotationKeyCount, 3);
  EXPECT_EQ(track->rotationKeys[2].value.w, 1.0f);
  EXPECT_EQ(animation->AllocateScaleKeys(1, 1)->scaleKeys[0].value.y, 1.0f);
  EXPECT_EQ(track->positionKeyCount, 2);
  EXPECT_EQ(animation->tracks[0].positionKeyCount, 0);
  EXPECT_EQ(animation->AllocateScaleKeys(2, 1), nullptr);
  EXPECT_EQ(animation->AllocateScaleKeys(-1, 1), nullptr);
  EXPECT_EQ(animation->AllocateRotationKeys(0, -1), nullptr);
}

TEST(HostOperations, QueriesAnswerOneAndHooksLeaveTheModelAlone) {
  auto host = Load(host_test::kRichDocument);
  const std::string before = SaveHostModelJson(*host);
  HostPathString text;
  EXPECT_EQ(host->MaterialQuery(text), 1);
  EXPECT_EQ(host->GroupQuery(text), 1);
  EXPECT_EQ(host->BoneQuery(text), 1);
  (void)host->MaterialFallback();
  (void)host->GroupFallback();
  (void)host->BoneFallback();
  (void)host->GroupsHook();
  (void)host->PrepareExport(1);
  EXPECT_EQ(host->GetMainWindow(), nullptr);
  EXPECT_EQ(SaveHostModelJson(*host), before);
  host->SetQueryAnswer(0);
  EXPECT_EQ(host->BoneQuery(text), 0);
  EXPECT_EQ(host->operations().Count(HostOperation::kBoneQuery), 2);
}

// One call of each fallible operation on a Host prepared for it.
struct FallibleCase {
  HostOperation op;
  std::function<bool(InProcessHost&)> call;  // true when the call succeeded
};

std::vector<FallibleCase> FallibleCases() {
  return {
      {HostOperation::kAllocateVertices, [](InProcessHost& h) { return h.AllocateVertices(2) == 1; }},
      {HostOperation::kSetVertexInfluences, [](InProcessHost& h) { return h.SetVertexInfluences(0, 1) != nullptr; }},
      {HostOperation::kCreateMaterial, [](InProcessHost& h) { return h.CreateMaterial(Name("m")) != nullptr; }},
      {HostOperation::kCreateGroup, [](InProcessHost& h) { return h.CreateGroup(Name("g"), -1) != nullptr; }},
      {HostOperation::kCreateBone, [](InProcessHost& h) { return h.CreateBone(Name("b"), -1) != nullptr; }},
      {HostOperation::kCreateAnimation, [](InProcessHost& h) { return h.CreateAnimation(Name("a")) != nullptr; }},
      {HostOperation::kCreateMesh, [](InProcessHost& h) { return h.CreateMesh() != nullptr; }},
      {HostOperation::kCreateTextureMap,
       [](InProcessHost& h) { return h.materials.items[0].CreateTextureMap(0, 1) != nullptr; }},
      {HostOperation::kAllocateFaces, [](InProcessHost& h) { return h.meshes.items[0].AllocateFaces(1) == 1; }},
      {HostOperation::kAllocateTracks,
       [](InProcessHost& h) { return h.animations.items[0].AllocateTracks(1) == 1; }},
      {HostOperation::kAllocatePositionKeys,
       [](InProcessHost& h) { return h.animations.items[0].AllocatePositionKeys(0, 1) != nullptr; }},
      {HostOperation::kAllocateRotationKeys,
       [](InProcessHost& h) { return h.animations.items[0].AllocateRotationKeys(0, 1) != nullptr; }},
      {HostOperation::kAllocateScaleKeys,
       [](InProcessHost& h) { return h.animations.items[0].AllocateScaleKeys(0, 1) != nullptr; }},
  };
}

// A Host on which every fallible operation of the table can succeed.
std::unique_ptr<InProcessHost> PreparedHost() {
  return Load(Doc(R"("materials": [{}], "vertices": [{}], "meshes": [{}],
                     "animations": [{"tracks": [{}]}])"));
}

TEST(HostFailureInjection, EachOperationFailsOnItsNthCallOnly) {
  for (const FallibleCase& c : FallibleCases()) {
    SCOPED_TRACE(HostOperationName(c.op));
    EXPECT_TRUE(IsFallible(c.op));
    auto host = PreparedHost();
    host->operations().FailOnCall(c.op, 2);
    EXPECT_TRUE(c.call(*host));
    const std::string before = SaveHostModelJson(*host);
    EXPECT_FALSE(c.call(*host));
    EXPECT_EQ(SaveHostModelJson(*host), before) << "a failed call changed the model";
    EXPECT_TRUE(c.call(*host));
    EXPECT_TRUE(c.call(*host));
    EXPECT_EQ(host->operations().InjectedFailures(), 1);
    EXPECT_EQ(host->operations().Count(c.op), 4);
  }
}

TEST(HostFailureInjection, AnyCallCountsEveryFallibleOperation) {
  auto host = PreparedHost();
  host->operations().FailOnAnyCall(3);
  HostPathString text;
  EXPECT_EQ(host->MaterialQuery(text), 1);  // queries and hooks are not counted
  EXPECT_NE(host->CreateMaterial(Name("a")), nullptr);
  EXPECT_NE(host->CreateBone(Name("b"), -1), nullptr);
  EXPECT_EQ(host->CreateMesh(), nullptr);
  EXPECT_NE(host->CreateMesh(), nullptr);
  EXPECT_EQ(host->operations().FallibleCount(), 4);

  // Switched off, or set on an operation that cannot fail: nothing fails.
  host->operations().FailOnAnyCall(1);
  host->operations().ClearFailure();
  EXPECT_NE(host->CreateGroup(Name("g"), -1), nullptr);
  host->operations().FailOnCall(HostOperation::kTriangulate, 1);
  EXPECT_EQ(host->Triangulate(), 1);
  EXPECT_NE(host->CreateGroup(Name("g"), -1), nullptr);
  EXPECT_EQ(host->operations().InjectedFailures(), 1);
}

TEST(HostFailureInjection, OperationNamesFollowTheInterface) {
  EXPECT_STREQ(HostOperationName(HostOperation::kGetMainWindow), "GetMainWindow");
  EXPECT_STREQ(HostOperationName(HostOperation::kCreateMesh), "CreateMesh");
  EXPECT_STREQ(HostOperationName(HostOperation::kAllocateScaleKeys), "AllocateScaleKeys");
  EXPECT_FALSE(IsFallible(HostOperation::kGetTextureMap));
  EXPECT_FALSE(IsFallible(HostOperation::kFlipHandedness));
}

}  // namespace
}  // namespace ortolix
