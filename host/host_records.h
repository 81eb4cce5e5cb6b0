// The in-process Host's concrete records: the texture maps, and the material,
// mesh and animation records, which add no members to their base (the
// plug-in walks their arrays through the base type). The record operations
// find their Host through the block they live in (object_record_array.h);
// their bodies are at the end of in_process_host.h.
#pragma once

#include <cstdint>

#include "hostapi/host_model.h"

namespace ortolix {

void SetMaterialDefaults(HostMaterial& material);
void SetAnimationDefaults(HostAnimation& animation);

// Kind 1: a flag word and one path.
class BitmapMap final : public HostBitmapMap {
 public:
  BitmapMap() {
    kind = kBitmapMapKind;
    flags = 0;
  }
};

// Kind 4: reached through its second base; the paths live in the map.
class LayeredMap final : public HostLayeredMap {
 public:
  LayeredMap() {
    kind = kLayeredMapKind;
    flags = 0;
    paths = &storage_;
    storage_.hostWords[0] = storage_.hostWords[1] = storage_.hostWords[2] = 0;
  }
  LayeredMap(const LayeredMap&) = delete;
  LayeredMap& operator=(const LayeredMap&) = delete;
  // A null first-path pointer, as some Host maps hold.
  void SetNullPaths() { paths = nullptr; }

 private:
  HostLayeredPaths storage_;
};

// Any other kind: only the kind word is known.
class OtherKindMap final : public HostTextureMap {
 public:
  explicit OtherKindMap(std::int32_t mapKind) { kind = mapKind; }
};

template <int Shift>
class HostMaterialRecord final : public HostMaterial {
 public:
  HostMaterialRecord() { SetMaterialDefaults(*this); }
  explicit HostMaterialRecord(const HostMaterial& from) : HostMaterial(from) {}
  HostTextureMap* CreateTextureMap(std::int32_t slot, std::int32_t kind) override;
  HostTextureMap* GetTextureMap(std::int32_t slot) override;
};

template <int Shift>
class HostMeshRecord final : public HostMesh {
 public:
  HostMeshRecord() {
    faceCount = 0;
    faces = nullptr;
  }
  explicit HostMeshRecord(const HostMesh& from) : HostMesh(from) {}
  std::int32_t AllocateFaces(std::int32_t count) override;
};

template <int Shift>
class HostAnimationRecord final : public HostAnimation {
 public:
  HostAnimationRecord() { SetAnimationDefaults(*this); }
  explicit HostAnimationRecord(const HostAnimation& from) : HostAnimation(from) {}
  std::int32_t AllocateTracks(std::int32_t count) override;
  HostTrack* AllocatePositionKeys(std::int32_t track, std::int32_t count) override;
  HostTrack* AllocateRotationKeys(std::int32_t track, std::int32_t count) override;
  HostTrack* AllocateScaleKeys(std::int32_t track, std::int32_t count) override;
};

}  // namespace ortolix
