// A HostModel with no Host behind it: every operation fails. Enough for the
// spine, which only stores the model and writes its texts.
#pragma once

#include "plugin/host_model.h"

namespace ortolix::testing_support {

class FakeHostModel final : public HostModel {
 public:
  FakeHostModel() : HostModel() {}

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

}  // namespace ortolix::testing_support
