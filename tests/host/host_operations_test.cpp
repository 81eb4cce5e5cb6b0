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

}  // namespace
}  // namespace ortolix
