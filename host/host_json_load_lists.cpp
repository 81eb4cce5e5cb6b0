// Loading the document's meshes (faces) and animations (tracks and keys).
#include <cstring>

#include "host/host_json_loader.h"

namespace ortolix {

namespace {

// The shape of a face as the document gives it, checked before any storage
// is laid out: corner count and which texture arrays are present.
FaceShape ReadFaceShape(const Json& value, const JsonPath& path) {
  CheckObject(value, path, {"material", "group", "corners", "exportIndices", "uv0", "uv1"});
  FaceShape shape;
  if (const Json* corners = Member(value, "corners")) {
    shape.cornerCount = CheckArray(*corners, JsonPath(path, "corners"));
  }
  const Json* uv0 = Member(value, "uv0");
  const Json* uv1 = Member(value, "uv1");
  shape.texture = uv0 == nullptr || !uv0->is_null();
  shape.second = shape.texture && (uv1 == nullptr || !uv1->is_null());
  if (!shape.texture && uv1 != nullptr && !uv1->is_null()) {
    JsonPath(path, "uv1").Fail("a face without its texture record (\"uv0\": null) has no uv1");
  }
  return shape;
}

// Fills `count` slots from an optional per-corner list of integers.
void ReadCornerInts(const Json* list, const JsonPath& path, std::int32_t* out, std::int32_t count) {
  if (list == nullptr) return;
  if (CheckArray(*list, path) != count) {
    path.Fail("expected one entry per corner (" + std::to_string(count) + ")");
  }
  for (std::int32_t c = 0; c < count; ++c) {
    out[c] = ReadInt((*list)[static_cast<std::size_t>(c)], JsonPath(path, static_cast<std::size_t>(c)));
  }
}

// Fills u and v of `count` texture elements from an optional list of [u, v].
void ReadElements(const Json* list, const JsonPath& path, HostTexElement* out, std::int32_t count) {
  if (list == nullptr || out == nullptr) return;
  if (CheckArray(*list, path) != count) {
    path.Fail("expected one [u, v] per corner (" + std::to_string(count) + ")");
  }
  for (std::int32_t c = 0; c < count; ++c) {
    float uv[2];
    ReadFloats((*list)[static_cast<std::size_t>(c)], JsonPath(path, static_cast<std::size_t>(c)), uv, 2);
    out[c] = {0, uv[0], uv[1], 0};
  }
}

template <typename Key, std::size_t N>
Key* ReadKeys(const Json* list, const JsonPath& path, std::vector<Key>& keys, std::int32_t& count) {
  count = 0;
  if (list == nullptr) return nullptr;
  keys.resize(static_cast<std::size_t>(CheckArray(*list, path)));
  for (std::size_t k = 0; k < keys.size(); ++k) {
    float f[N];
    ReadFloats((*list)[k], JsonPath(path, k), f, N);
    static_assert(sizeof(Key) == sizeof f, "a key is its time and its value's floats");
    std::memcpy(&keys[k], f, sizeof f);
  }
  count = static_cast<std::int32_t>(keys.size());
  return keys.empty() ? nullptr : keys.data();
}

}  // namespace

void HostJsonLoader::LoadMeshes(const Json& list, const JsonPath& path) {
  const std::int32_t count = CheckArray(list, path);
  build_.MakeMeshesPresent();
  for (std::int32_t i = 0; i < count; ++i) {
    const JsonPath at(path, static_cast<std::size_t>(i));
    const Json& value = list[static_cast<std::size_t>(i)];
    CheckObject(value, at, {"faces"});
    build_.AddMesh();
    if (const Json* faces = Member(value, "faces")) LoadFaces(i, *faces, JsonPath(at, "faces"));
  }
}

void HostJsonLoader::LoadFaces(std::int32_t mesh, const Json& list, const JsonPath& path) {
  const std::int32_t count = CheckArray(list, path);
  std::vector<FaceShape> shapes(static_cast<std::size_t>(count));
  for (std::size_t f = 0; f < shapes.size(); ++f) shapes[f] = ReadFaceShape(list[f], JsonPath(path, f));
  FaceStore& store = build_.Faces(mesh);
  store.Build(shapes);
  for (std::size_t f = 0; f < shapes.size(); ++f) LoadFace(store.faces[f], list[f], JsonPath(path, f));
  HostMesh& record = host_.meshes.items[mesh];
  record.faceCount = count;
  record.faces = store.faces.data();
}

void HostJsonLoader::LoadFace(HostFace& face, const Json& value, const JsonPath& path) {
  face.material = 0;
  face.group = 0;
  if (const Json* m = Member(value, "material")) face.material = ReadInt(*m, JsonPath(path, "material"));
  if (const Json* g = Member(value, "group")) face.group = ReadInt(*g, JsonPath(path, "group"));
  const JsonPath cornersPath(path, "corners");
  ReadCornerInts(Member(value, "corners"), cornersPath, face.corners, face.cornerCount);
  for (std::int32_t c = 0; c < face.cornerCount; ++c) {
    if (face.corners[c] < 0 || face.corners[c] >= host_.vertices.count) {
      JsonPath(cornersPath, static_cast<std::size_t>(c))
          .Fail("corner names vertex " + std::to_string(face.corners[c]) + ", outside the " +
                std::to_string(host_.vertices.count) + " vertices of the model");
    }
  }
  ReadCornerInts(Member(value, "exportIndices"), JsonPath(path, "exportIndices"),
                 face.exportIndices, face.cornerCount);
  if (face.texture == nullptr) return;
  ReadElements(Member(value, "uv0"), JsonPath(path, "uv0"), face.texture->first, face.cornerCount);
  ReadElements(Member(value, "uv1"), JsonPath(path, "uv1"), face.texture->second, face.cornerCount);
}

void HostJsonLoader::LoadAnimations(const Json& list, const JsonPath& path) {
  const std::int32_t count = CheckArray(list, path);
  build_.MakeAnimationsPresent();
  for (std::int32_t i = 0; i < count; ++i) {
    const JsonPath at(path, static_cast<std::size_t>(i));
    const Json& value = list[static_cast<std::size_t>(i)];
    CheckObject(value, at, {"name", "start", "end", "fps", "tracks"});
    HostAnimation& animation = build_.AddAnimation();
    if (const Json* name = Member(value, "name")) animation.name = ReadText(*name, JsonPath(at, "name"));
    const auto readFloat = [](const Json& v, const JsonPath& p) { return ReadFloat(v, p); };
    animation.start = ReadMember(value, at, "start", 0.0f, readFloat);
    animation.end = ReadMember(value, at, "end", 0.0f, readFloat);
    animation.framesPerSecond = ReadMember(value, at, "fps", 0.0f, readFloat);
    if (const Json* tracks = Member(value, "tracks")) LoadTracks(i, *tracks, JsonPath(at, "tracks"));
  }
}

void HostJsonLoader::LoadTracks(std::int32_t animation, const Json& list, const JsonPath& path) {
  const std::int32_t count = CheckArray(list, path);
  TrackStore& store = build_.Tracks(animation);
  store.Build(count);
  for (std::size_t t = 0; t < store.tracks.size(); ++t) {
    const JsonPath at(path, t);
    const Json& value = list[t];
    CheckObject(value, at, {"position", "rotation", "scale"});
    HostTrack& track = store.tracks[t];
    TrackKeys& keys = store.keys[t];
    track.positionKeys = ReadKeys<HostPositionKey, 4>(Member(value, "position"), JsonPath(at, "position"),
                                                      keys.position, track.positionKeyCount);
    track.rotationKeys = ReadKeys<HostRotationKey, 5>(Member(value, "rotation"), JsonPath(at, "rotation"),
                                                      keys.rotation, track.rotationKeyCount);
    track.scaleKeys = ReadKeys<HostScaleKey, 4>(Member(value, "scale"), JsonPath(at, "scale"),
                                                keys.scale, track.scaleKeyCount);
  }
  HostAnimation& record = host_.animations.items[animation];
  record.trackCount = count;
  record.tracks = store.tracks.data();
}

}  // namespace ortolix
