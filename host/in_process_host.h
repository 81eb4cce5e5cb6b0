// The in-process Host: a HostModel that owns its records, answers every
// operation the plug-in relies on, and offers the switches tests need
// (failure injection, query answers, the main window).
//
// Not thread-safe; one plug-in message at a time, as with the real Host.
// Operations never throw: a failed allocation answers like a failed
// operation (0 or null).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/host_operations.h"
#include "host/host_records.h"
#include "host/host_storage.h"
#include "host/object_record_array.h"
#include "hostapi/host_model.h"

namespace ortolix {

class HostModelBuilder;

// The Host's limits on counts the plug-in may ask for; larger requests fail.
inline constexpr std::int32_t kHostMaxVertices = 1 << 23;
inline constexpr std::int32_t kHostMaxFaces = 1 << 23;
inline constexpr std::int32_t kHostMaxListEntries = 1 << 23;  // influences, tracks, keys

class InProcessHost final : public HostModel {
 public:
  InProcessHost();
  ~InProcessHost();
  InProcessHost(const InProcessHost&) = delete;
  InProcessHost& operator=(const InProcessHost&) = delete;

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

  // The Host's own bookkeeping once a plug-in has filled records (after an
  // import): each bone's skin use count becomes the number of vertex
  // influences naming it, each material's use count the number of faces
  // naming it, and each group's material uses the materials its faces name,
  // in order of first use. Indices outside their arrays are not counted.
  // False when the Host runs out of memory (counts stay as they were).
  bool UpdateUseCounts();

  // Test switches.
  HostOperationLog& operations() { return operations_; }
  const HostOperationLog& operations() const { return operations_; }
  void SetMainWindow(HWND window) { mainWindow_ = window; }
  // The answer of MaterialQuery, GroupQuery and BoneQuery (1 by default).
  void SetQueryAnswer(std::int32_t answer) { queryAnswer_ = answer; }

 private:
  friend class HostModelBuilder;
  template <int>
  friend class HostMaterialRecord;
  template <int>
  friend class HostMeshRecord;
  template <int>
  friend class HostAnimationRecord;

  // Operations of the records, by the record's index in its array.
  HostTextureMap* CreateTextureMapAt(std::int32_t material, std::int32_t slot, std::int32_t kind);
  HostTextureMap* GetTextureMapAt(std::int32_t material, std::int32_t slot);
  std::int32_t AllocateFacesAt(std::int32_t mesh, std::int32_t count);
  std::int32_t AllocateTracksAt(std::int32_t animation, std::int32_t count);
  HostTrack* AllocateKeysAt(HostOperation op, std::int32_t animation, std::int32_t track,
                            std::int32_t count);

  // Writes every (count, pointer) pair of the array table from the storage.
  void Sync();
  HostMesh* AppendMesh();
  HostAnimation* AppendAnimation();
  HostMaterial* AppendMaterial();

  HostOperationLog operations_;
  HWND mainWindow_ = nullptr;
  std::int32_t queryAnswer_ = 1;

  RecordVector<HostPlacedObject1> placed1_;
  RecordVector<HostPlacedObject2> placed2_;
  host_detail::ObjectRecordArray<HostMaterial, HostMaterialRecord> materials_{this};
  std::vector<std::unique_ptr<HostTextureMap>> textureMaps_;  // one per material
  RecordVector<HostVertex> vertices_;
  std::vector<std::vector<HostInfluence>> influences_;  // one list per vertex
  RecordVector<HostExtraRecord> extras_;
  RecordVector<HostGroup> groups_;
  std::vector<std::vector<HostMaterialUse>> materialUses_;  // one list per group
  host_detail::ObjectRecordArray<HostMesh, HostMeshRecord> meshes_{this};
  std::vector<std::unique_ptr<FaceStore>> faceStores_;  // one per mesh
  RecordVector<HostBone> bones_;
  host_detail::ObjectRecordArray<HostAnimation, HostAnimationRecord> animations_{this};
  std::vector<std::unique_ptr<TrackStore>> trackStores_;  // one per animation
};

}  // namespace ortolix

// Record operations: each record finds its Host and its index from its address.
namespace ortolix {

template <int Shift, typename Base>
InProcessHost& HostOfRecord(const Base* record, std::int32_t& index) {
  const host_detail::RecordPlace place = host_detail::LocateRecord<Shift>(record);
  index = place.index;
  return *static_cast<InProcessHost*>(place.owner);
}

template <int Shift>
HostTextureMap* HostMaterialRecord<Shift>::CreateTextureMap(std::int32_t slot, std::int32_t kind) {
  std::int32_t index;
  InProcessHost& host = HostOfRecord<Shift, HostMaterial>(this, index);
  return host.CreateTextureMapAt(index, slot, kind);
}

template <int Shift>
HostTextureMap* HostMaterialRecord<Shift>::GetTextureMap(std::int32_t slot) {
  std::int32_t index;
  InProcessHost& host = HostOfRecord<Shift, HostMaterial>(this, index);
  return host.GetTextureMapAt(index, slot);
}

template <int Shift>
std::int32_t HostMeshRecord<Shift>::AllocateFaces(std::int32_t count) {
  std::int32_t index;
  InProcessHost& host = HostOfRecord<Shift, HostMesh>(this, index);
  return host.AllocateFacesAt(index, count);
}

template <int Shift>
std::int32_t HostAnimationRecord<Shift>::AllocateTracks(std::int32_t count) {
  std::int32_t index;
  InProcessHost& host = HostOfRecord<Shift, HostAnimation>(this, index);
  return host.AllocateTracksAt(index, count);
}

template <int Shift>
HostTrack* HostAnimationRecord<Shift>::AllocatePositionKeys(std::int32_t track, std::int32_t count) {
  std::int32_t index;
  InProcessHost& host = HostOfRecord<Shift, HostAnimation>(this, index);
  return host.AllocateKeysAt(HostOperation::kAllocatePositionKeys, index, track, count);
}

template <int Shift>
HostTrack* HostAnimationRecord<Shift>::AllocateRotationKeys(std::int32_t track, std::int32_t count) {
  std::int32_t index;
  InProcessHost& host = HostOfRecord<Shift, HostAnimation>(this, index);
  return host.AllocateKeysAt(HostOperation::kAllocateRotationKeys, index, track, count);
}

template <int Shift>
HostTrack* HostAnimationRecord<Shift>::AllocateScaleKeys(std::int32_t track, std::int32_t count) {
  std::int32_t index;
  InProcessHost& host = HostOfRecord<Shift, HostAnimation>(this, index);
  return host.AllocateKeysAt(HostOperation::kAllocateScaleKeys, index, track, count);
}

}  // namespace ortolix
