// Operations of the material, mesh and animation records, reached through
// the records' own virtual operations (in_process_host.h).
#include <new>

#include "host/in_process_host.h"

namespace ortolix {

// Slot 0 is the only texture slot. The map made has the kind asked for
// (the plug-in asks for kind 1); it replaces an earlier map of the material.
HostTextureMap* InProcessHost::CreateTextureMapAt(std::int32_t material, std::int32_t slot,
                                                  std::int32_t kind) {
  if (!operations_.Enter(HostOperation::kCreateTextureMap)) return nullptr;
  if (slot != 0) return nullptr;
  try {
    std::unique_ptr<HostTextureMap> map;
    if (kind == kBitmapMapKind) {
      map = std::make_unique<BitmapMap>();
    } else if (kind == kLayeredMapKind) {
      map = std::make_unique<LayeredMap>();
    } else {
      map = std::make_unique<OtherKindMap>(kind);
    }
    textureMaps_[static_cast<std::size_t>(material)] = std::move(map);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return textureMaps_[static_cast<std::size_t>(material)].get();
}

HostTextureMap* InProcessHost::GetTextureMapAt(std::int32_t material, std::int32_t slot) {
  (void)operations_.Enter(HostOperation::kGetTextureMap);
  if (slot != 0) return nullptr;
  return textureMaps_[static_cast<std::size_t>(material)].get();
}

// The mesh then holds `count` new faces of three corners; earlier faces go.
std::int32_t InProcessHost::AllocateFacesAt(std::int32_t mesh, std::int32_t count) {
  if (!operations_.Enter(HostOperation::kAllocateFaces)) return 0;
  if (count < 0 || count > kHostMaxFaces) return 0;
  try {
    auto store = std::make_unique<FaceStore>();
    const std::vector<FaceShape> shapes(static_cast<std::size_t>(count));
    store->Build(shapes);
    faceStores_[static_cast<std::size_t>(mesh)] = std::move(store);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  FaceStore& store = *faceStores_[static_cast<std::size_t>(mesh)];
  HostMesh& record = meshes_.items()[mesh];
  record.faceCount = count;
  record.faces = store.faces.data();
  return 1;
}

// The animation then holds `count` new tracks without keys.
std::int32_t InProcessHost::AllocateTracksAt(std::int32_t animation, std::int32_t count) {
  if (!operations_.Enter(HostOperation::kAllocateTracks)) return 0;
  if (count < 0 || count > kHostMaxListEntries) return 0;
  try {
    auto store = std::make_unique<TrackStore>();
    store->Build(count);
    trackStores_[static_cast<std::size_t>(animation)] = std::move(store);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  HostAnimation& record = animations_.items()[animation];
  record.trackCount = count;
  record.tracks = trackStores_[static_cast<std::size_t>(animation)]->tracks.data();
  return 1;
}

// The track's key list of that kind is replaced by `count` keys at time 0
// holding the neutral value (zero offset, identity rotation, unit scale).
HostTrack* InProcessHost::AllocateKeysAt(HostOperation op, std::int32_t animation,
                                         std::int32_t track, std::int32_t count) {
  if (!operations_.Enter(op)) return nullptr;
  TrackStore& store = *trackStores_[static_cast<std::size_t>(animation)];
  if (track < 0 || static_cast<std::size_t>(track) >= store.tracks.size()) return nullptr;
  if (count < 0 || count > kHostMaxListEntries) return nullptr;
  try {
    switch (op) {
      case HostOperation::kAllocatePositionKeys:
        return store.SetPositionKeys(track, count);
      case HostOperation::kAllocateRotationKeys:
        return store.SetRotationKeys(track, count);
      default:
        return store.SetScaleKeys(track, count);
    }
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace ortolix
