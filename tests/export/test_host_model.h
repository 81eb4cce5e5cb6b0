// A small HostModel for the export tests: records built in code, the Host
// operations that export preparation calls logged in order, and answers that
// a test can set.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "hostapi/host_model.h"
#include "tests/support/inert_host_model.h"

namespace ortolix::test {

using test::TestAnimation;
using test::TestMesh;

class NoMapMaterial final : public HostMaterial {
 public:
  HostTextureMap* CreateTextureMap(std::int32_t, std::int32_t) override { return nullptr; }
  HostTextureMap* GetTextureMap(std::int32_t) override { return nullptr; }
};

struct Uv {
  float u, v;
};

struct FaceDesc {
  std::vector<std::int32_t> corners;
  std::vector<Uv> uv0;  // empty: no texture record
  std::vector<Uv> uv1;  // empty: no second element array
  std::int32_t group = 0;
  std::int32_t material = 0;
};

class TestHostModel final : public HostModel {
 public:
  TestHostModel();
  TestHostModel(const TestHostModel&) = delete;
  TestHostModel& operator=(const TestHostModel&) = delete;
  ~TestHostModel();

  // Building the model. Each call republishes the array table; an array
  // becomes non-null with its first record (or with Enable*).
  std::int32_t AddVertex(Vec3 position, std::vector<HostInfluence> influences = {});
  std::int32_t AddMesh();
  void AddFace(std::int32_t mesh, const FaceDesc& face);
  void AddGroup(const char* name);
  void AddMaterial(const char* name);
  std::int32_t AddBone(const char* name, std::int32_t parent, Vec3 translation = {0, 0, 0},
                       Quat rotation = {0, 0, 0, 1}, Vec3 scale = {1, 1, 1});
  // One animation with one track of rotation keys.
  void AddAnimation(const char* name, float fps, std::vector<Quat> rotationKeys = {});
  void AddPlaced1(const char* name);
  void AddPlaced2(const char* name);
  void AddExtra(const char* name);
  void EnableEmptyBones();       // a bone array of zero records
  void EnableEmptyAnimations();  // an animation array of zero records

  HostFace& Face(std::int32_t mesh, std::int32_t face);

  // Answers of the Host operations.
  std::int32_t triangulateResult = 1;
  std::int32_t materialQueryResult = 1;
  std::int32_t groupQueryResult = 1;
  std::int32_t boneQueryResult = 1;
  HWND mainWindow = nullptr;
  // When set, each query writes this text into the string it was given, as a
  // real Host may.
  const char* queryAnswerText = nullptr;

  // Every Host operation called, in order, e.g. "PrepareExport(1)".
  std::vector<std::string> calls;

  // Every Host operation logs its call and gives the set answer, or 0.
  HWND GetMainWindow() override { return Log("GetMainWindow"), mainWindow; }
  std::int32_t Triangulate() override { return Log("Triangulate"), triangulateResult; }
  std::int32_t MaterialQuery(HostPathString& t) override { return Query("Material", t), materialQueryResult; }
  std::int32_t GroupQuery(HostPathString& t) override { return Query("Group", t), groupQueryResult; }
  std::int32_t BoneQuery(HostPathString& t) override { return Query("Bone", t), boneQueryResult; }
  std::int32_t MaterialFallback() override { return Log("MaterialFallback"), 0; }
  std::int32_t GroupFallback() override { return Log("GroupFallback"), 0; }
  std::int32_t BoneFallback() override { return Log("BoneFallback"), 0; }
  std::int32_t FlipHandedness() override { return Log("FlipHandedness"), 0; }
  std::int32_t PrepareExport(std::int32_t f) override { return Log("PrepareExport", f), 0; }
  std::int32_t AllocateVertices(std::int32_t) override { return Log("AllocateVertices"), 0; }
  std::int32_t GroupsHook() override { return Log("GroupsHook"), 0; }
  std::int32_t SkeletonHook(std::int32_t f) override { return Log("SkeletonHook", f), 0; }
  HostVertex* SetVertexInfluences(std::int32_t, std::int32_t) override {
    return Log("SetVertexInfluences"), nullptr;
  }
  HostMaterial* CreateMaterial(const HostPathString&) override { return Log("CreateMaterial"), nullptr; }
  HostGroup* CreateGroup(const HostPathString&, std::int32_t) override { return Log("CreateGroup"), nullptr; }
  HostBone* CreateBone(const HostPathString&, std::int32_t) override { return Log("CreateBone"), nullptr; }
  HostAnimation* CreateAnimation(const HostPathString&) override { return Log("CreateAnimation"), nullptr; }
  HostMesh* CreateMesh() override { return Log("CreateMesh"), nullptr; }

 private:
  struct FaceStore {
    std::vector<std::int32_t> corners;
    std::vector<std::int32_t> exportIndices;
    std::vector<HostTexElement> first;
    std::vector<HostTexElement> second;
    HostFaceTexture texture{};
  };
  struct TrackStore {
    std::vector<HostRotationKey> rotationKeys;
  };

  void Publish();
  void Log(std::string call) { calls.push_back(std::move(call)); }
  void Log(const char* call, std::int32_t flag) { Log(call + ("(" + std::to_string(flag) + ")")); }
  void Query(const char* kind, HostPathString& text) {
    Log(kind + std::string(text.IsEmpty() ? "Query()" : "Query(text)"));
    if (queryAnswerText != nullptr) text = HostPathString(queryAnswerText);
  }

  std::vector<HostVertex> vertexStore_;
  std::deque<std::vector<HostInfluence>> influenceStore_;
  std::vector<TestMesh> meshStore_;
  std::deque<std::vector<HostFace>> meshFaces_;
  std::deque<FaceStore> faceStore_;
  std::vector<HostGroup> groupStore_;
  std::vector<NoMapMaterial> materialStore_;
  std::vector<HostBone> boneStore_;
  std::vector<TestAnimation> animationStore_;
  std::deque<HostTrack> trackStore_;
  std::deque<TrackStore> trackKeys_;
  std::vector<HostPlacedObject1> placed1Store_;
  std::vector<HostPlacedObject2> placed2Store_;
  std::vector<HostExtraRecord> extraStore_;
  bool emptyBones_ = false;
  bool emptyAnimations_ = false;
};

// A cube of 8 vertices and 6 quads in one mesh. Every corner has its own
// first-set texture coordinates (u = face + corner / 10, v = face), so each
// vertex is used by three faces with three different coordinates. The second
// set is the first set with v negated. Face f is in group f % groupCount.
void BuildCube(TestHostModel& model, std::int32_t groupCount = 1);

}  // namespace ortolix::test
