#include "host/in_process_host.h"

#include <new>

namespace ortolix {

InProcessHost::InProcessHost() {
  hostWord0 = 0;
  hostWord1 = 0;
  Sync();
}

InProcessHost::~InProcessHost() = default;

void InProcessHost::Sync() {
  placed1 = placed1_.View();
  placed2 = placed2_.View();
  materials = {materials_.size(), materials_.items()};
  vertices = vertices_.View();
  hostArray0 = {0, nullptr};
  hostArray1 = {0, nullptr};
  extras = extras_.View();
  groups = groups_.View();
  meshes = {meshes_.size(), meshes_.items()};
  bones = bones_.View();
  animations = {animations_.size(), animations_.items()};
}

HWND InProcessHost::GetMainWindow() {
  (void)operations_.Enter(HostOperation::kGetMainWindow);
  return mainWindow_;
}

std::int32_t InProcessHost::MaterialQuery(HostPathString&) {
  (void)operations_.Enter(HostOperation::kMaterialQuery);
  return queryAnswer_;
}

std::int32_t InProcessHost::GroupQuery(HostPathString&) {
  (void)operations_.Enter(HostOperation::kGroupQuery);
  return queryAnswer_;
}

std::int32_t InProcessHost::BoneQuery(HostPathString&) {
  (void)operations_.Enter(HostOperation::kBoneQuery);
  return queryAnswer_;
}

std::int32_t InProcessHost::MaterialFallback() {
  (void)operations_.Enter(HostOperation::kMaterialFallback);
  return 0;
}

std::int32_t InProcessHost::GroupFallback() {
  (void)operations_.Enter(HostOperation::kGroupFallback);
  return 0;
}

std::int32_t InProcessHost::BoneFallback() {
  (void)operations_.Enter(HostOperation::kBoneFallback);
  return 0;
}

std::int32_t InProcessHost::PrepareExport(std::int32_t) {
  (void)operations_.Enter(HostOperation::kPrepareExport);
  return 0;
}

std::int32_t InProcessHost::GroupsHook() {
  (void)operations_.Enter(HostOperation::kGroupsHook);
  return 0;
}

// The array then holds `count` new vertices; earlier vertices are dropped.
std::int32_t InProcessHost::AllocateVertices(std::int32_t count) {
  if (!operations_.Enter(HostOperation::kAllocateVertices)) return 0;
  if (count < 0 || count > kHostMaxVertices) return 0;
  try {
    std::vector<HostVertex> fresh(static_cast<std::size_t>(count));
    for (HostVertex& vertex : fresh) SetVertexDefaults(vertex);
    std::vector<std::vector<HostInfluence>> lists(static_cast<std::size_t>(count));
    vertices_.items.swap(fresh);
    influences_.swap(lists);
    vertices_.MakePresent();
  } catch (const std::bad_alloc&) {
    return 0;
  }
  Sync();
  return 1;
}

HostVertex* InProcessHost::SetVertexInfluences(std::int32_t vertex, std::int32_t count) {
  if (!operations_.Enter(HostOperation::kSetVertexInfluences)) return nullptr;
  if (vertex < 0 || static_cast<std::size_t>(vertex) >= vertices_.items.size()) return nullptr;
  if (count < 0 || count > kHostMaxListEntries) return nullptr;
  std::vector<HostInfluence>& list = influences_[static_cast<std::size_t>(vertex)];
  try {
    list.assign(static_cast<std::size_t>(count), HostInfluence{0, 0.0f});
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  HostVertex& record = vertices_.items[static_cast<std::size_t>(vertex)];
  record.influenceCount = count;
  record.influences = count > 0 ? list.data() : nullptr;
  return &record;
}

HostMaterial* InProcessHost::AppendMaterial() {
  try {
    textureMaps_.reserve(textureMaps_.size() + 1);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  HostMaterial* material = materials_.Append();
  if (material == nullptr) return nullptr;
  textureMaps_.emplace_back();
  Sync();
  return material;
}

HostMaterial* InProcessHost::CreateMaterial(const HostPathString& name) {
  if (!operations_.Enter(HostOperation::kCreateMaterial)) return nullptr;
  HostMaterial* material = AppendMaterial();
  if (material != nullptr) material->name.CopyFrom(name);
  return material;
}

HostGroup* InProcessHost::CreateGroup(const HostPathString& name, std::int32_t) {
  if (!operations_.Enter(HostOperation::kCreateGroup)) return nullptr;
  try {
    materialUses_.reserve(materialUses_.size() + 1);
    groups_.items.emplace_back();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  materialUses_.emplace_back();
  groups_.MakePresent();
  HostGroup& group = groups_.items.back();
  SetGroupDefaults(group);
  group.name.CopyFrom(name);
  Sync();
  return &group;
}

HostBone* InProcessHost::CreateBone(const HostPathString& name, std::int32_t) {
  if (!operations_.Enter(HostOperation::kCreateBone)) return nullptr;
  try {
    bones_.items.emplace_back();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  bones_.MakePresent();
  HostBone& bone = bones_.items.back();
  SetBoneDefaults(bone);
  bone.name.CopyFrom(name);
  Sync();
  return &bone;
}

HostAnimation* InProcessHost::AppendAnimation() {
  try {
    trackStores_.reserve(trackStores_.size() + 1);
    auto store = std::make_unique<TrackStore>();
    HostAnimation* animation = animations_.Append();
    if (animation == nullptr) return nullptr;
    trackStores_.push_back(std::move(store));
    Sync();
    return animation;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

HostAnimation* InProcessHost::CreateAnimation(const HostPathString& name) {
  if (!operations_.Enter(HostOperation::kCreateAnimation)) return nullptr;
  HostAnimation* animation = AppendAnimation();
  if (animation != nullptr) animation->name.CopyFrom(name);
  return animation;
}

HostMesh* InProcessHost::AppendMesh() {
  try {
    faceStores_.reserve(faceStores_.size() + 1);
    auto store = std::make_unique<FaceStore>();
    HostMesh* mesh = meshes_.Append();
    if (mesh == nullptr) return nullptr;
    faceStores_.push_back(std::move(store));
    Sync();
    return mesh;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

HostMesh* InProcessHost::CreateMesh() {
  if (!operations_.Enter(HostOperation::kCreateMesh)) return nullptr;
  return AppendMesh();
}

}  // namespace ortolix
