// Host model and record classes for tests and benchmarks that build their
// records in code: every Host operation answers 0 or nullptr. Used as it is
// where nothing is asked of the Host; a fake derives from it and overrides
// only the operations whose answers it cares about.
#pragma once

#include <cstdint>

#include "hostapi/host_model.h"

namespace ortolix::test {

class InertHostModel : public HostModel {
 public:
  HWND GetMainWindow() override { return nullptr; }
  std::int32_t Triangulate() override { return 0; }
  std::int32_t MaterialQuery(HostPathString&) override { return 0; }
  std::int32_t GroupQuery(HostPathString&) override { return 0; }
  std::int32_t BoneQuery(HostPathString&) override { return 0; }
  std::int32_t MaterialFallback() override { return 0; }
  std::int32_t GroupFallback() override { return 0; }
  std::int32_t BoneFallback() override { return 0; }
  std::int32_t FlipHandedness() override { return 0; }
  std::int32_t PrepareExport(std::int32_t) override { return 0; }
  std::int32_t AllocateVertices(std::int32_t) override { return 0; }
  std::int32_t GroupsHook() override { return 0; }
  std::int32_t SkeletonHook(std::int32_t) override { return 0; }
  HostVertex* SetVertexInfluences(std::int32_t, std::int32_t) override { return nullptr; }
  HostMaterial* CreateMaterial(const HostPathString&) override { return nullptr; }
  HostGroup* CreateGroup(const HostPathString&, std::int32_t) override { return nullptr; }
  HostBone* CreateBone(const HostPathString&, std::int32_t) override { return nullptr; }
  HostAnimation* CreateAnimation(const HostPathString&) override { return nullptr; }
  HostMesh* CreateMesh() override { return nullptr; }
};

// The Host's polymorphic records; like the Host's own classes they add no
// members, so arrays of them are walked through the base type.
class TestMesh final : public HostMesh {
 public:
  std::int32_t AllocateFaces(std::int32_t) override { return 0; }
};

class TestAnimation final : public HostAnimation {
 public:
  std::int32_t AllocateTracks(std::int32_t) override { return 0; }
  HostTrack* AllocatePositionKeys(std::int32_t, std::int32_t) override { return nullptr; }
  HostTrack* AllocateRotationKeys(std::int32_t, std::int32_t) override { return nullptr; }
  HostTrack* AllocateScaleKeys(std::int32_t, std::int32_t) override { return nullptr; }
};

}  // namespace ortolix::test
