// A small HostModel for the export tests: records built in code, the Host
// operations that export preparation calls logged in order, and answers that
// a test can set.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "plugin/host_model.h"
#include "tests/support/inert_host_model.h"

namespace ortolix::testing {

using testing_support::TestAnimation;
using testing_support::TestMesh;

class TestMaterial final : public HostMaterial {
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

  // Every Host operation called, in order, e.g. "PrepareExport(1)".
  std::vector<std::string> calls;

  HWND GetMainWindow() override;
  std::int32_t Triangulate() override;
  std::int32_t MaterialQuery(HostPathString& text) override;
  std::int32_t GroupQuery(HostPathString& text) override;
  std::int32_t BoneQuery(HostPathString& text) override;
  std::int32_t MaterialFallback() override;
  std::int32_t GroupFallback() override;
  std::int32_t BoneFallback() override;
  std::int32_t FlipHandedness() override;
  std::int32_t PrepareExport(std::int32_t flag) override;
  std::int32_t AllocateVertices(std::int32_t count) override;
  std::int32_t GroupsHook() override;
  std::int32_t SkeletonHook(std::int32_t flag) override;
  HostVertex* SetVertexInfluences(std::int32_t vertex, std::int32_t count) override;
  HostMaterial* CreateMaterial(const HostPathString& name) override;
  HostGroup* CreateGroup(const HostPathString& name, std::int32_t flag) override;
  HostBone* CreateBone(const HostPathString& name, std::int32_t flag) override;
  HostAnimation* CreateAnimation(const HostPathString& name) override;
  HostMesh* CreateMesh() override;

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

  std::vector<HostVertex> vertexStore_;
  std::deque<std::vector<HostInfluence>> influenceStore_;
  std::vector<TestMesh> meshStore_;
  std::deque<std::vector<HostFace>> meshFaces_;
  std::deque<FaceStore> faceStore_;
  std::vector<HostGroup> groupStore_;
  std::vector<TestMaterial> materialStore_;
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

}  // namespace ortolix::testing
