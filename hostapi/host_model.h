// The Host's model as the plug-in sees it: objects with virtual operations
// (in the order of the Host's tables) and public records that the plug-in
// reads and writes directly. The Host owns everything here; the plug-in frees
// none of it. Counts and indices are signed 32-bit; an array pointer is null
// when the Host holds no array of that kind.
//
// Records that the Host keeps in arrays of objects with virtual operations
// (materials, meshes, animations) are walked by index through the base type:
// the Host's own classes derive from them without adding members.
#pragma once

#include <cstdint>
#include <span>

#include "math/vector_math.h"
#include "platform/win32/win32_types.h"
#include "hostapi/host_path_string.h"

namespace ortolix {

struct HostColor {
  float r, g, b, a;
};

struct HostInfluence {
  std::int32_t bone;
  float weight;
};

struct HostVertex {
  Vec3 position;
  Vec3 normal;
  HostColor color;
  std::int32_t influenceCount;
  HostInfluence* influences;
};

// Four words: a Host word, u, v, a Host word.
struct HostTexElement {
  std::int32_t hostWord0;
  float u;
  float v;
  std::int32_t hostWord1;
};

struct HostFaceTexture {
  HostTexElement* first;   // one per corner
  HostTexElement* second;  // one per corner
};

struct HostFace {
  std::int32_t material;
  std::int32_t group;
  std::int32_t cornerCount;
  std::int32_t* corners;        // host vertex indices
  std::int32_t* exportIndices;  // written by the whole-model export build
  HostFaceTexture* texture;
};

class HostMesh {
 public:
  virtual std::int32_t AllocateFaces(std::int32_t count) = 0;

  std::int32_t faceCount;
  HostFace* faces;

 protected:
  ~HostMesh() = default;
};

// Texture maps: the word after the virtual-table pointer is the kind.
inline constexpr std::int32_t kBitmapMapKind = 1;
inline constexpr std::int32_t kLayeredMapKind = 4;

class HostTextureMap {
 public:
  virtual ~HostTextureMap() = default;
  std::int32_t kind;
};

// Kind 1: bit 0 of `flags` is set when a path is stored.
class HostBitmapMap : public HostTextureMap {
 public:
  std::int32_t flags;
  HostPathString path;
};

struct HostLayeredPaths {
  HostPathString first;
  std::int32_t hostWords[3];
  HostPathString second;
};

struct HostLayeredMapData {
  std::int32_t flags;  // bit 0: use the first path; else bit 1: the second
  HostLayeredPaths* paths;
};

// Kind 4: the texture map is the second base of this larger object.
class HostLayeredMap : public HostLayeredMapData, public HostTextureMap {};

class HostMaterial {
 public:
  virtual HostTextureMap* CreateTextureMap(std::int32_t slot, std::int32_t kind) = 0;
  virtual HostTextureMap* GetTextureMap(std::int32_t slot) = 0;

  HostPathString name;
  HostColor diffuse;
  HostColor ambient;
  HostColor emissive;
  HostColor specular;
  float power;
  float opacity;
  std::int32_t useCount;

 protected:
  ~HostMaterial() = default;
};

struct HostMaterialUse {
  std::int32_t material;
  std::int32_t hostWord;
};

struct HostGroup {
  HostPathString name;
  std::int32_t faceCount;
  std::int32_t materialUseCount;
  HostMaterialUse* materialUses;
};

struct HostBone {
  HostPathString name;
  std::int32_t parent;  // negative for a root
  Vec3 translation;
  Vec3 scale;
  Quat rotation;
  Matrix4 local;  // column layout, relative to the parent
  Matrix4 world;  // column layout
  std::int32_t skinUseCount;
};

// Placed objects keep their position where a bone keeps its translation.
struct HostPlacedObject1 {
  HostPathString name;
  std::int32_t hostWord;
  Vec3 position;
  Matrix4 orientation;
  float distances[2];
};

struct HostPlacedObject2 {
  HostPathString name;
  std::int32_t hostWord;
  Vec3 position;
  Matrix4 orientation;
};

struct HostExtraRecord {
  std::int32_t hostBlock;
  HostPathString name;
};

struct HostPositionKey {
  float time;
  Vec3 value;
};

struct HostRotationKey {
  float time;
  Quat value;
};

struct HostScaleKey {
  float time;
  Vec3 value;
};

struct HostTrack {
  std::int32_t hostWord;
  std::int32_t positionKeyCount;
  HostPositionKey* positionKeys;
  std::int32_t rotationKeyCount;
  HostRotationKey* rotationKeys;
  std::int32_t scaleKeyCount;
  HostScaleKey* scaleKeys;
};

class HostAnimation {
 public:
  virtual std::int32_t AllocateTracks(std::int32_t count) = 0;
  virtual HostTrack* AllocatePositionKeys(std::int32_t track, std::int32_t count) = 0;
  virtual HostTrack* AllocateRotationKeys(std::int32_t track, std::int32_t count) = 0;
  virtual HostTrack* AllocateScaleKeys(std::int32_t track, std::int32_t count) = 0;

  HostPathString name;
  float start;
  float end;
  float framesPerSecond;  // the writer uses 30 when it is 0
  std::int32_t trackCount;
  HostTrack* tracks;  // track i belongs to bone i

 protected:
  ~HostAnimation() = default;
};

template <typename Record>
struct HostArray {
  std::int32_t count;
  Record* items;
};

// The records of a Host array, or none when it is missing (null) or its
// count is not positive. Arrays of Host records are walked through the base
// type: the Host's classes add no members.
//
// A pointer range rather than std::span: some Host records (HostMesh) are
// abstract, and std::span refuses element types that cannot form an array.
template <typename Record>
struct HostItems {
  Record* first = nullptr;
  Record* last = nullptr;
  [[nodiscard]] Record* begin() const { return first; }
  [[nodiscard]] Record* end() const { return last; }
  [[nodiscard]] std::size_t size() const { return static_cast<std::size_t>(last - first); }
  [[nodiscard]] bool empty() const { return first == last; }
};

template <typename Record>
HostItems<Record> Items(const HostArray<Record>& array) {
  if (array.items == nullptr || array.count <= 0) return {};
  return {array.items, array.items + array.count};
}

// The faces of a Host mesh, or none when it has no face array.
inline std::span<HostFace> Faces(const HostMesh& mesh) {
  if (mesh.faces == nullptr || mesh.faceCount <= 0) return {};
  return {mesh.faces, static_cast<std::size_t>(mesh.faceCount)};
}

class HostModel {
 public:
  virtual HWND GetMainWindow() = 0;
  virtual std::int32_t Triangulate() = 0;
  virtual std::int32_t MaterialQuery(HostPathString& text) = 0;
  virtual std::int32_t GroupQuery(HostPathString& text) = 0;
  virtual std::int32_t BoneQuery(HostPathString& text) = 0;
  virtual std::int32_t MaterialFallback() = 0;
  virtual std::int32_t GroupFallback() = 0;
  virtual std::int32_t BoneFallback() = 0;
  virtual std::int32_t FlipHandedness() = 0;
  virtual std::int32_t PrepareExport(std::int32_t flag) = 0;
  virtual std::int32_t AllocateVertices(std::int32_t count) = 0;
  virtual std::int32_t GroupsHook() = 0;
  virtual std::int32_t SkeletonHook(std::int32_t flag) = 0;
  virtual HostVertex* SetVertexInfluences(std::int32_t vertex, std::int32_t count) = 0;
  virtual HostMaterial* CreateMaterial(const HostPathString& name) = 0;
  virtual HostGroup* CreateGroup(const HostPathString& name, std::int32_t flag) = 0;
  virtual HostBone* CreateBone(const HostPathString& name, std::int32_t flag) = 0;
  virtual HostAnimation* CreateAnimation(const HostPathString& name) = 0;
  virtual HostMesh* CreateMesh() = 0;

  std::int32_t hostWord0;
  HostPathString filePath;
  HostPathString hostText;
  HostPathString errorMessage;
  HostPathString creatorName;
  HostPathString creatorVersion;
  HostPathString website;
  HostPathString timeStamp;
  std::int32_t hostWord1;

  // The array table, in the Host's order.
  HostArray<HostPlacedObject1> placed1;
  HostArray<HostPlacedObject2> placed2;
  HostArray<HostMaterial> materials;
  HostArray<HostVertex> vertices;
  HostArray<void> hostArray0;
  HostArray<void> hostArray1;
  HostArray<HostExtraRecord> extras;
  HostArray<HostGroup> groups;
  HostArray<HostMesh> meshes;
  HostArray<HostBone> bones;
  HostArray<HostAnimation> animations;

 protected:
  ~HostModel() = default;
};

}  // namespace ortolix
