// Direct access to the in-process Host's storage for the JSON loader, which
// fills records without going through (and counting) the Host operations.
#pragma once

#include <memory>
#include <new>

#include "host/in_process_host.h"

namespace ortolix {

class HostModelBuilder {
 public:
  explicit HostModelBuilder(InProcessHost& host) : host_(host) {}

  RecordVector<HostPlacedObject1>& Placed1() { return host_.placed1_; }
  RecordVector<HostPlacedObject2>& Placed2() { return host_.placed2_; }
  RecordVector<HostVertex>& Vertices() { return host_.vertices_; }
  std::vector<std::vector<HostInfluence>>& Influences() { return host_.influences_; }
  RecordVector<HostExtraRecord>& Extras() { return host_.extras_; }
  RecordVector<HostGroup>& Groups() { return host_.groups_; }
  std::vector<std::vector<HostMaterialUse>>& MaterialUses() { return host_.materialUses_; }
  RecordVector<HostBone>& Bones() { return host_.bones_; }

  // The array becomes present (and empty); throws std::bad_alloc on failure.
  void MakeMaterialsPresent() { Check(host_.materials_.MakePresent()); }
  void MakeMeshesPresent() { Check(host_.meshes_.MakePresent()); }
  void MakeAnimationsPresent() { Check(host_.animations_.MakePresent()); }

  // Records with default values and their side storage; throw std::bad_alloc.
  HostMaterial& AddMaterial() { return *Check(host_.AppendMaterial()); }
  HostMesh& AddMesh() { return *Check(host_.AppendMesh()); }
  HostAnimation& AddAnimation() { return *Check(host_.AppendAnimation()); }

  void SetTextureMap(std::int32_t material, std::unique_ptr<HostTextureMap> map) {
    host_.textureMaps_[static_cast<std::size_t>(material)] = std::move(map);
  }
  FaceStore& Faces(std::int32_t mesh) { return *host_.faceStores_[static_cast<std::size_t>(mesh)]; }
  TrackStore& Tracks(std::int32_t animation) {
    return *host_.trackStores_[static_cast<std::size_t>(animation)];
  }

  // Writes the array table; call once the storage is filled.
  void Finish() { host_.Sync(); }

 private:
  template <typename T>
  static T Check(T value) {
    if (!value) throw std::bad_alloc();
    return value;
  }

  InProcessHost& host_;
};

}  // namespace ortolix
