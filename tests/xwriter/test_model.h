// A small in-memory Host model and ExportScene for the writer tests. The
// Host operations the writer never calls answer 0; GetTextureMap answers the
// map registered for the material.
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "export/export_options.h"
#include "export/export_scene.h"
#include "hostapi/host_model.h"
#include "tests/support/inert_host_model.h"
#include "xwriter/write_context.h"

namespace ortolix::test {

using test::TestAnimation;
using test::TestMesh;

class MappedMaterial final : public HostMaterial {
 public:
  HostTextureMap* CreateTextureMap(std::int32_t, std::int32_t) override { return nullptr; }
  HostTextureMap* GetTextureMap(std::int32_t slot) override;
  static std::map<const HostMaterial*, HostTextureMap*>& Maps();
};

class TestModel final : public test::InertHostModel {
 public:
  TestModel();
  ~TestModel();

  // Builders. Each Add* keeps the record and points the array table at it.
  void AddVertex(Vec3 position, Vec3 normal, HostColor color,
                 std::vector<HostInfluence> influences = {});
  // One Host mesh holding the faces; each face {material, group, corners},
  // export indices equal to the corners.
  struct FaceDesc {
    std::int32_t material;
    std::int32_t group;
    std::vector<std::int32_t> corners;
  };
  void SetFaces(std::vector<FaceDesc> faces);
  HostMaterial& AddMaterial(const char* name);
  void SetTexture(HostMaterial& material, HostTextureMap* map);
  void AddGroup(const char* name, std::int32_t faceCount, std::vector<std::int32_t> uses);
  HostBone& AddBone(const char* name, std::int32_t parent, std::int32_t skinUseCount);
  HostAnimation& AddAnimation(const char* name, float fps, std::int32_t trackCount);
  void AddPositionKey(HostTrack& track, float time, Vec3 value);
  void AddRotationKey(HostTrack& track, float time, Quat value);
  void AddScaleKey(HostTrack& track, float time, Vec3 value);
  // Points an array at an empty (non-null) record list.
  void EmptyBones() { bones = {0, reinterpret_cast<HostBone*>(&emptyRecord_)}; }
  void EmptyAnimations() { animations = {0, reinterpret_cast<HostAnimation*>(&emptyRecord_)}; }

 private:
  void Refresh();

  // Records live in vectors reserved up front, so the pointers handed to the
  // array table stay valid; per-record lists live in deques of vectors.
  std::vector<HostVertex> vertices_;
  std::deque<std::vector<HostInfluence>> influences_;
  std::vector<HostFace> faces_;
  std::deque<std::vector<std::int32_t>> cornerStore_;
  std::vector<TestMesh> meshes_;
  std::vector<MappedMaterial> materials_;
  std::vector<HostGroup> groups_;
  std::deque<std::vector<HostMaterialUse>> uses_;
  std::vector<HostBone> bones_;
  std::vector<TestAnimation> animations_;
  std::deque<std::vector<HostTrack>> tracks_;
  std::deque<std::vector<HostPositionKey>> positionKeys_;
  std::deque<std::vector<HostRotationKey>> rotationKeys_;
  std::deque<std::vector<HostScaleKey>> scaleKeys_;
  alignas(16) char emptyRecord_[16] = {};
};

// An ExportScene owned by the test (freed by the scene's own release when
// the writer is run through WriteExportFile, else by this object).
struct TestScene {
  std::vector<ExportVertex> modelVertices;
  struct Group {
    std::string name;
    std::vector<ExportVertex> vertices;
    std::vector<std::vector<std::int32_t>> faces;  // corners
    std::vector<std::int32_t> materials;
  };
  std::vector<Group> groups;
  std::vector<ExportFrame> frames;

  // A view of the vectors above (valid while they live).
  ExportScene View();

 private:
  std::vector<GroupMesh> groupMeshes_;
  std::deque<std::vector<GroupFace>> groupFaces_;
};

// The ExportVertex of host vertex `h` of `model` with the given texture sets.
ExportVertex MakeExportVertex(const HostModel& model, std::int32_t h, float u0, float v0,
                              float u1 = 0, float v1 = 0);

// The writer's output for `context` through WriteScene, as bytes.
std::string WriteSceneText(const WriteContext& context, int* result = nullptr);

// Options with everything off except what a test turns on.
ExportOptions NoOptions();

}  // namespace ortolix::test
