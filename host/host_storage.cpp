#include "host/host_storage.h"

#include <cstddef>

namespace ortolix {

void FaceStore::Build(std::span<const FaceShape> shapes) {
  std::size_t cornerTotal = 0, textureCount = 0, secondTotal = 0;
  for (const FaceShape& shape : shapes) {
    const auto n = static_cast<std::size_t>(shape.cornerCount);
    cornerTotal += n;
    if (shape.texture) ++textureCount;
    if (shape.texture && shape.second) secondTotal += n;
  }
  faces.assign(shapes.size(), HostFace{});
  textures.assign(textureCount, HostFaceTexture{});
  corners.assign(cornerTotal, 0);
  exportIndices.assign(cornerTotal, 0);
  first.assign(cornerTotal, HostTexElement{});  // indexed like the corner pool
  second.assign(secondTotal, HostTexElement{});
  std::size_t c = 0, t = 0, s = 0;
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    const FaceShape& shape = shapes[i];
    HostFace& face = faces[i];
    face.cornerCount = shape.cornerCount;
    face.corners = corners.data() + c;
    face.exportIndices = exportIndices.data() + c;
    face.texture = nullptr;
    if (shape.texture) {
      HostFaceTexture& texture = textures[t++];
      texture.first = first.data() + c;
      texture.second = shape.second ? second.data() + s : nullptr;
      if (shape.second) s += static_cast<std::size_t>(shape.cornerCount);
      face.texture = &texture;
    }
    c += static_cast<std::size_t>(shape.cornerCount);
  }
}

void TrackStore::Build(std::int32_t count) {
  present = true;
  tracks.assign(static_cast<std::size_t>(count), HostTrack{});
  if (tracks.capacity() == 0) tracks.reserve(1);
  keys.clear();
  keys.resize(static_cast<std::size_t>(count));
}

namespace {

template <typename Key>
Key* Replace(std::vector<Key>& list, std::int32_t count, const Key& value) {
  std::vector<Key> fresh(static_cast<std::size_t>(count), value);  // the old list stays on failure
  list.swap(fresh);
  return count > 0 ? list.data() : nullptr;
}

}  // namespace

HostTrack* TrackStore::SetPositionKeys(std::int32_t track, std::int32_t count) {
  HostTrack& record = tracks[static_cast<std::size_t>(track)];
  record.positionKeys = Replace(keys[static_cast<std::size_t>(track)].position, count,
                                HostPositionKey{0, {0, 0, 0}});
  record.positionKeyCount = count;
  return &record;
}

HostTrack* TrackStore::SetRotationKeys(std::int32_t track, std::int32_t count) {
  HostTrack& record = tracks[static_cast<std::size_t>(track)];
  record.rotationKeys = Replace(keys[static_cast<std::size_t>(track)].rotation, count,
                                HostRotationKey{0, {0, 0, 0, 1}});
  record.rotationKeyCount = count;
  return &record;
}

HostTrack* TrackStore::SetScaleKeys(std::int32_t track, std::int32_t count) {
  HostTrack& record = tracks[static_cast<std::size_t>(track)];
  record.scaleKeys = Replace(keys[static_cast<std::size_t>(track)].scale, count,
                             HostScaleKey{0, {1, 1, 1}});
  record.scaleKeyCount = count;
  return &record;
}

void SetVertexDefaults(HostVertex& vertex) {
  vertex.position = {0, 0, 0};
  vertex.normal = {0, 0, 0};
  vertex.color = {1, 1, 1, 1};
  vertex.influenceCount = 0;
  vertex.influences = nullptr;
}

void SetMaterialDefaults(HostMaterial& material) {
  material.name.Clear();
  material.diffuse = {1, 1, 1, 1};
  material.ambient = {0, 0, 0, 1};
  material.emissive = {0, 0, 0, 1};
  material.specular = {0, 0, 0, 1};
  material.power = 0;
  material.opacity = 1;
  material.useCount = 0;
}

void SetGroupDefaults(HostGroup& group) {
  group.name.Clear();
  group.faceCount = 0;
  group.materialUseCount = 0;
  group.materialUses = nullptr;
}

void SetBoneDefaults(HostBone& bone) {
  bone.name.Clear();
  bone.parent = -1;
  bone.translation = {0, 0, 0};
  bone.scale = {1, 1, 1};
  bone.rotation = {0, 0, 0, 1};
  SetIdentity(bone.local);
  SetIdentity(bone.world);
  bone.skinUseCount = 0;
}

void SetAnimationDefaults(HostAnimation& animation) {
  animation.name.Clear();
  animation.start = 0;
  animation.end = 0;
  animation.framesPerSecond = 0;
  animation.trackCount = 0;
  animation.tracks = nullptr;
}

}  // namespace ortolix
