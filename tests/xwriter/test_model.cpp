#include "tests/xwriter/test_model.h"

#include <cstring>
#include <type_traits>

#include "xwriter/scene_writer.h"
#include "xwriter/text_sink.h"

namespace ortolix::test {

namespace {
constexpr std::size_t kMaxRecords = 64;
}  // namespace

std::map<const HostMaterial*, HostTextureMap*>& MappedMaterial::Maps() {
  static std::map<const HostMaterial*, HostTextureMap*> maps;
  return maps;
}

HostTextureMap* MappedMaterial::GetTextureMap(std::int32_t slot) {
  const auto it = Maps().find(this);
  return slot == 0 && it != Maps().end() ? it->second : nullptr;
}

TestModel::TestModel() {
  hostWord0 = hostWord1 = 0;
  auto clear = [](auto&... array) { ((array = {}), ...); };  // count 0, no items
  clear(placed1, placed2, materials, vertices, hostArray0, hostArray1, extras, groups, meshes,
        bones, animations);
  creatorName = HostPathString("Modeller");
  creatorVersion = HostPathString("1.0");
  website = HostPathString("example.org");
  auto reserve = [](auto&... store) { (store.reserve(kMaxRecords), ...); };
  reserve(vertices_, faces_, meshes_, materials_, groups_, bones_, animations_);
}

TestModel::~TestModel() {
  for (const MappedMaterial& m : materials_) MappedMaterial::Maps().erase(&m);
}

void TestModel::Refresh() {
  auto point = [](auto& array, auto& store) {
    using Record = std::remove_pointer_t<decltype(array.items)>;
    if (!store.empty()) {
      array.count = static_cast<std::int32_t>(store.size());
      array.items = static_cast<Record*>(store.data());
    }
  };
  point(vertices, vertices_);
  point(meshes, meshes_);
  point(materials, materials_);
  point(groups, groups_);
  point(bones, bones_);
  point(animations, animations_);
}

void TestModel::AddVertex(Vec3 position, Vec3 normal, HostColor color,
                          std::vector<HostInfluence> influences) {
  influences_.push_back(std::move(influences));
  auto& list = influences_.back();
  vertices_.push_back(HostVertex{position, normal, color, static_cast<std::int32_t>(list.size()),
                                 list.empty() ? nullptr : list.data()});
  Refresh();
}

void TestModel::SetFaces(std::vector<FaceDesc> faces) {
  faces_.clear();
  for (const FaceDesc& desc : faces) {
    cornerStore_.push_back(desc.corners);
    std::int32_t* corners = cornerStore_.back().data();
    cornerStore_.push_back(desc.corners);
    std::int32_t* exportIndices = cornerStore_.back().data();
    faces_.push_back(HostFace{desc.material, desc.group,
                              static_cast<std::int32_t>(desc.corners.size()), corners,
                              exportIndices, nullptr});
  }
  meshes_.clear();
  meshes_.emplace_back();
  meshes_.back().faceCount = static_cast<std::int32_t>(faces_.size());
  meshes_.back().faces = faces_.data();
  Refresh();
}

HostMaterial& TestModel::AddMaterial(const char* name) {
  materials_.emplace_back();
  HostMaterial& m = materials_.back();
  m.name = HostPathString(name);
  m.diffuse = {1, 1, 1, 1};
  m.ambient = m.emissive = m.specular = {0, 0, 0, 1};
  m.power = 0;
  m.opacity = 1;
  m.useCount = 1;
  Refresh();
  return m;
}

void TestModel::SetTexture(HostMaterial& material, HostTextureMap* map) {
  MappedMaterial::Maps()[&material] = map;
}

void TestModel::AddGroup(const char* name, std::int32_t faceCount,
                         std::vector<std::int32_t> materialIndices) {
  uses_.emplace_back();
  for (std::int32_t m : materialIndices) uses_.back().push_back({m, 0});
  groups_.push_back(HostGroup{HostPathString(name), faceCount,
                              static_cast<std::int32_t>(materialIndices.size()),
                              uses_.back().empty() ? nullptr : uses_.back().data()});
  Refresh();
}

HostBone& TestModel::AddBone(const char* name, std::int32_t parent, std::int32_t skinUseCount) {
  HostBone bone{};
  bone.name = HostPathString(name);
  bone.parent = parent;
  bone.scale = {1, 1, 1};
  bone.rotation = {0, 0, 0, 1};
  bone.skinUseCount = skinUseCount;
  bones_.push_back(bone);
  Refresh();
  return bones_.back();
}

HostAnimation& TestModel::AddAnimation(const char* name, float fps, std::int32_t trackCount) {
  animations_.emplace_back();
  HostAnimation& a = animations_.back();
  a.name = HostPathString(name);
  a.start = a.end = 0;
  a.framesPerSecond = fps;
  tracks_.emplace_back(static_cast<std::size_t>(trackCount), HostTrack{});
  a.trackCount = trackCount;
  a.tracks = tracks_.back().empty() ? nullptr : tracks_.back().data();
  Refresh();
  return a;
}

namespace {
template <typename Key, typename Value>
void AppendKey(std::deque<std::vector<Key>>& store, Key*& keys, std::int32_t& count, float time,
               Value value) {
  store.emplace_back(keys, keys + count);
  store.back().push_back({time, value});
  keys = store.back().data();
  count = static_cast<std::int32_t>(store.back().size());
}
}  // namespace

void TestModel::AddPositionKey(HostTrack& track, float time, Vec3 value) {
  AppendKey(positionKeys_, track.positionKeys, track.positionKeyCount, time, value);
}

void TestModel::AddRotationKey(HostTrack& track, float time, Quat value) {
  AppendKey(rotationKeys_, track.rotationKeys, track.rotationKeyCount, time, value);
}

void TestModel::AddScaleKey(HostTrack& track, float time, Vec3 value) {
  AppendKey(scaleKeys_, track.scaleKeys, track.scaleKeyCount, time, value);
}

ExportScene TestScene::View() {
  ExportScene scene;
  scene.modelVertices = modelVertices.empty() ? nullptr : modelVertices.data();
  scene.modelVertexCount = static_cast<std::int32_t>(modelVertices.size());
  groupMeshes_.clear();
  groupFaces_.clear();
  for (Group& g : groups) {
    groupFaces_.emplace_back();
    for (std::size_t f = 0; f < g.faces.size(); ++f) {
      groupFaces_.back().push_back(GroupFace{static_cast<std::int32_t>(f), g.materials[f],
                                             static_cast<std::int32_t>(g.faces[f].size()),
                                             g.faces[f].data()});
    }
    GroupMesh mesh{};
    mesh.vertices = g.vertices.empty() ? nullptr : g.vertices.data();
    mesh.vertexCount = static_cast<std::int32_t>(g.vertices.size());
    mesh.faces = groupFaces_.back().empty() ? nullptr : groupFaces_.back().data();
    mesh.faceCount = static_cast<std::int32_t>(groupFaces_.back().size());
    mesh.name = g.name.data();
    groupMeshes_.push_back(mesh);
  }
  scene.groupMeshes = groupMeshes_.empty() ? nullptr : groupMeshes_.data();
  scene.groupMeshCount = static_cast<std::int32_t>(groupMeshes_.size());
  scene.frames = frames.empty() ? nullptr : frames.data();
  scene.frameCount = static_cast<std::int32_t>(frames.size());
  return scene;
}

ExportVertex MakeExportVertex(const HostModel& model, std::int32_t h, float u0, float v0,
                              float u1, float v1) {
  const HostVertex& v = model.vertices.items[h];
  ExportVertex e{};
  e.hostVertex = e.hostVertexAgain = h;
  e.position = v.position;
  e.normal = v.normal;
  e.color = v.color;
  e.first = {0, u0, v0, 0};
  e.second = {0, u1, v1, 0};
  return e;
}

std::string WriteSceneText(const WriteContext& context, int* result) {
  std::string out;
  {
    TextSink sink(AppendToString, &out);
    const int r = WriteScene(&sink, context);
    if (result != nullptr) *result = r;
  }
  return out;
}

ExportOptions NoOptions() {
  ExportOptions o;
  o.exportMaterials = o.exportTextureCoordinates = o.exportVertexNormals = 0;
  o.exportVertexColors = o.exportAnimation = o.exportTemplates = 0;
  o.exportMultipleUvSets = o.triangulateModel = o.flipHandedness = 0;
  o.useFullTexturePath = o.exportRootBoneTransform = o.exportGroupsAsMeshes = 0;
  o.exportTicksPerSecond = 0;
  return o;
}

}  // namespace ortolix::test
