// Storage the in-process Host keeps behind the public record arrays: plain
// records in vectors, and the pools that faces and animation tracks point into.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "hostapi/host_model.h"

namespace ortolix {

// A record array that can be absent (null pointer) or present and empty
// (non-null pointer, count 0), as the plug-in tells the two apart.
template <typename T>
struct RecordVector {
  bool present = false;
  std::vector<T> items;

  void MakePresent() {
    present = true;
    if (items.capacity() == 0) items.reserve(1);  // a non-null pointer even when empty
  }
  HostArray<T> View() {
    if (!present) return {0, nullptr};
    return {static_cast<std::int32_t>(items.size()), items.data()};
  }
};

// The shape of one face: its corner count and which texture arrays it has.
struct FaceShape {
  std::int32_t cornerCount = 3;
  bool texture = true;  // has a face texture record
  bool second = true;   // the texture record has its second element array
};

// The faces of one mesh and the pools their pointers lead into.
struct FaceStore {
  std::vector<HostFace> faces;
  std::vector<HostFaceTexture> textures;
  std::vector<std::int32_t> corners;
  std::vector<std::int32_t> exportIndices;
  std::vector<HostTexElement> first;
  std::vector<HostTexElement> second;

  // Replaces every face by faces of the given shapes, all values zero. The
  // face array is never null afterwards, even for no shapes.
  void Build(std::span<const FaceShape> shapes);
};

struct TrackKeys {
  std::vector<HostPositionKey> position;
  std::vector<HostRotationKey> rotation;
  std::vector<HostScaleKey> scale;
};

// The tracks of one animation and their key lists.
struct TrackStore {
  bool present = false;
  std::vector<HostTrack> tracks;
  std::vector<TrackKeys> keys;

  // Replaces every track by `count` tracks without keys.
  void Build(std::int32_t count);
  HostTrack* SetPositionKeys(std::int32_t track, std::int32_t count);
  HostTrack* SetRotationKeys(std::int32_t track, std::int32_t count);
  HostTrack* SetScaleKeys(std::int32_t track, std::int32_t count);
};

// Default values of records made by the Host's create operations; the JSON
// loader starts every record from the same values.
void SetVertexDefaults(HostVertex& vertex);
void SetMaterialDefaults(HostMaterial& material);
void SetGroupDefaults(HostGroup& group);
void SetBoneDefaults(HostBone& bone);
void SetAnimationDefaults(HostAnimation& animation);

}  // namespace ortolix
