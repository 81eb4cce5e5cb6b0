#include "tests/export/test_host_model.h"

#include <cstring>

namespace ortolix::test {
namespace {

template <typename Record, typename Store>
void PublishArray(HostArray<Record>& array, Store& store, bool keepEmpty) {
  array.count = static_cast<std::int32_t>(store.size());
  array.items = store.empty() && !keepEmpty ? nullptr : store.data();
}

Matrix4 Identity() { return Matrix4{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }

HostTexElement Element(Uv uv) { return HostTexElement{7, uv.u, uv.v, 9}; }

}  // namespace

TestHostModel::TestHostModel() {
  hostWord0 = hostWord1 = 0;
  placed1 = {}, placed2 = {}, materials = {}, vertices = {}, hostArray0 = {}, hostArray1 = {};
  extras = {}, groups = {}, meshes = {}, bones = {}, animations = {};
  // A non-empty store keeps data() valid while records are added.
  meshStore_.reserve(64);
  materialStore_.reserve(64);
  animationStore_.reserve(64);
}

TestHostModel::~TestHostModel() = default;

void TestHostModel::Publish() {
  PublishArray(vertices, vertexStore_, false);
  PublishArray(meshes, meshStore_, false);
  PublishArray(groups, groupStore_, false);
  PublishArray(materials, materialStore_, false);
  PublishArray(bones, boneStore_, emptyBones_);
  PublishArray(animations, animationStore_, emptyAnimations_);
  PublishArray(placed1, placed1Store_, false);
  PublishArray(placed2, placed2Store_, false);
  PublishArray(extras, extraStore_, false);
  for (std::size_t m = 0; m < meshStore_.size(); ++m) {
    meshStore_[m].faceCount = static_cast<std::int32_t>(meshFaces_[m].size());
    meshStore_[m].faces = meshFaces_[m].empty() ? nullptr : meshFaces_[m].data();
  }
}

std::int32_t TestHostModel::AddVertex(Vec3 position, std::vector<HostInfluence> influences) {
  influenceStore_.push_back(std::move(influences));
  std::vector<HostInfluence>& list = influenceStore_.back();
  HostVertex vertex{};
  vertex.position = position;
  vertex.normal = {0, 1, 0};
  vertex.color = {1, 1, 1, 1};
  vertex.influenceCount = static_cast<std::int32_t>(list.size());
  vertex.influences = list.empty() ? nullptr : list.data();
  vertexStore_.push_back(vertex);
  Publish();
  return static_cast<std::int32_t>(vertexStore_.size() - 1);
}

std::int32_t TestHostModel::AddMesh() {
  meshStore_.emplace_back();
  meshFaces_.emplace_back();
  Publish();
  return static_cast<std::int32_t>(meshStore_.size() - 1);
}

void TestHostModel::AddFace(std::int32_t mesh, const FaceDesc& desc) {
  FaceStore& store = faceStore_.emplace_back();
  store.corners = desc.corners;
  store.exportIndices.assign(desc.corners.size(), -1);
  for (Uv uv : desc.uv0) store.first.push_back(Element(uv));
  for (Uv uv : desc.uv1) store.second.push_back(Element(uv));
  store.texture.first = store.first.empty() ? nullptr : store.first.data();
  store.texture.second = store.second.empty() ? nullptr : store.second.data();
  HostFace face{};
  face.material = desc.material;
  face.group = desc.group;
  face.cornerCount = static_cast<std::int32_t>(desc.corners.size());
  face.corners = store.corners.empty() ? nullptr : store.corners.data();
  face.exportIndices = store.exportIndices.empty() ? nullptr : store.exportIndices.data();
  face.texture = desc.uv0.empty() ? nullptr : &store.texture;
  meshFaces_[static_cast<std::size_t>(mesh)].push_back(face);
  Publish();
}

HostFace& TestHostModel::Face(std::int32_t mesh, std::int32_t face) {
  return meshFaces_[static_cast<std::size_t>(mesh)][static_cast<std::size_t>(face)];
}

void TestHostModel::AddMaterial(const char* name) {
  NoMapMaterial& material = materialStore_.emplace_back();
  material.name = HostPathString(name);
  material.diffuse = {1, 1, 1, 1};
  material.ambient = material.emissive = material.specular = {0, 0, 0, 1};
  material.power = 0;
  material.opacity = 1;
  material.useCount = 0;
  Publish();
}

std::int32_t TestHostModel::AddBone(const char* name, std::int32_t parent, Vec3 translation,
                                    Quat rotation, Vec3 scale) {
  HostBone bone{};
  bone.name = HostPathString(name);
  bone.parent = parent;
  bone.translation = translation;
  bone.rotation = rotation;
  bone.scale = scale;
  bone.local = Identity();
  bone.world = Identity();
  bone.skinUseCount = 0;
  boneStore_.push_back(bone);
  Publish();
  return static_cast<std::int32_t>(boneStore_.size() - 1);
}

void TestHostModel::AddAnimation(const char* name, float fps, std::vector<Quat> rotationKeys) {
  TrackStore& keys = trackKeys_.emplace_back();
  for (std::size_t k = 0; k < rotationKeys.size(); ++k) {
    keys.rotationKeys.push_back(HostRotationKey{static_cast<float>(k), rotationKeys[k]});
  }
  HostTrack& track = trackStore_.emplace_back();
  track = HostTrack{};
  track.rotationKeyCount = static_cast<std::int32_t>(keys.rotationKeys.size());
  track.rotationKeys = keys.rotationKeys.empty() ? nullptr : keys.rotationKeys.data();
  TestAnimation& animation = animationStore_.emplace_back();
  animation.name = HostPathString(name);
  animation.start = 0;
  animation.end = 0;
  animation.framesPerSecond = fps;
  animation.trackCount = 1;
  animation.tracks = &track;
  Publish();
}

template <typename Record>
static void AddNamed(std::vector<Record>& store, const char* name) {
  Record& record = store.emplace_back();
  record = Record{};
  record.name = HostPathString(name);
}
void TestHostModel::AddPlaced1(const char* name) { AddNamed(placed1Store_, name), Publish(); }
void TestHostModel::AddPlaced2(const char* name) { AddNamed(placed2Store_, name), Publish(); }
void TestHostModel::AddExtra(const char* name) { AddNamed(extraStore_, name), Publish(); }
void TestHostModel::AddGroup(const char* name) { AddNamed(groupStore_, name), Publish(); }

void TestHostModel::EnableEmptyBones() {
  emptyBones_ = true;
  boneStore_.reserve(1);
  Publish();
}

void TestHostModel::EnableEmptyAnimations() {
  emptyAnimations_ = true;
  Publish();
}

void BuildCube(TestHostModel& model, std::int32_t groupCount) {
  for (int i = 0; i < 8; ++i) {
    model.AddVertex(Vec3{(i & 1) ? 1.0f : -1.0f, (i & 2) ? 1.0f : -1.0f, (i & 4) ? 1.0f : -1.0f});
  }
  const std::int32_t quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                    {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  const std::int32_t mesh = model.AddMesh();
  for (int f = 0; f < 6; ++f) {
    FaceDesc face;
    face.corners.assign(quads[f], quads[f] + 4);
    for (int c = 0; c < 4; ++c) {
      const Uv uv{static_cast<float>(f) + static_cast<float>(c) / 10.0f, static_cast<float>(f)};
      face.uv0.push_back(uv);
      face.uv1.push_back(Uv{uv.u, -uv.v});
    }
    face.group = f % groupCount;
    face.material = f % 2;
    model.AddFace(mesh, face);
  }
}

}  // namespace ortolix::test
