// Loading the document: header, materials, vertices, groups, bones, placed
// objects and extra records. Meshes and animations: host_json_load_lists.cpp.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "host/host_json.h"
#include "host/host_json_loader.h"

namespace ortolix {

namespace {

constexpr auto kFloat = [](const Json& v, const JsonPath& p) { return ReadFloat(v, p); };
constexpr auto kInt = [](const Json& v, const JsonPath& p) { return ReadInt(v, p); };
constexpr auto kVec3 = [](const Json& v, const JsonPath& p) { return ReadVec3(v, p); };
constexpr auto kColor = [](const Json& v, const JsonPath& p) { return ReadColor(v, p); };
constexpr auto kQuat = [](const Json& v, const JsonPath& p) { return ReadQuat(v, p); };
constexpr auto kMatrix = [](const Json& v, const JsonPath& p) { return ReadMatrix(v, p); };

void ReadTextMember(const Json& object, const JsonPath& path, std::string_view key,
                    HostPathString& out) {
  if (const Json* member = Member(object, key)) out = ReadText(*member, JsonPath(path, key));
}

}  // namespace

void HostJsonLoader::Load(const Json& document) {
  const JsonPath root;
  CheckObject(document, root,
              {"format", "version", "filePath", "creator", "timeStamp", "message", "materials",
               "vertices", "groups", "meshes", "bones", "animations", "placed1", "placed2",
               "extras"});
  LoadHeader(document, root);
  // Materials and vertices first: groups and faces are checked against them.
  if (const Json* list = Member(document, "materials")) LoadMaterials(*list, JsonPath(root, "materials"));
  if (const Json* list = Member(document, "vertices")) LoadVertices(*list, JsonPath(root, "vertices"));
  if (const Json* list = Member(document, "groups")) LoadGroups(*list, JsonPath(root, "groups"));
  if (const Json* list = Member(document, "meshes")) LoadMeshes(*list, JsonPath(root, "meshes"));
  if (const Json* list = Member(document, "bones")) LoadBones(*list, JsonPath(root, "bones"));
  if (const Json* list = Member(document, "animations")) {
    LoadAnimations(*list, JsonPath(root, "animations"));
  }
  LoadPlaced(Member(document, "placed1"), Member(document, "placed2"), root);
  if (const Json* list = Member(document, "extras")) LoadExtras(*list, JsonPath(root, "extras"));
  build_.Finish();
}

void HostJsonLoader::LoadHeader(const Json& document, const JsonPath& root) {
  const Json* format = Member(document, "format");
  if (format == nullptr) root.Fail("missing key \"format\"");
  if (!format->is_string() || format->get_ref<const std::string&>() != kHostModelFormat) {
    JsonPath(root, "format").Fail(std::string("expected \"") + kHostModelFormat + "\"");
  }
  const Json* version = Member(document, "version");
  if (version == nullptr) root.Fail("missing key \"version\"");
  if (ReadInt(*version, JsonPath(root, "version")) != kHostModelVersion) {
    JsonPath(root, "version").Fail("unsupported version (this build reads version 1)");
  }
  ReadTextMember(document, root, "filePath", host_.filePath);
  ReadTextMember(document, root, "timeStamp", host_.timeStamp);
  ReadTextMember(document, root, "message", host_.errorMessage);
  if (const Json* creator = Member(document, "creator")) {
    const JsonPath path(root, "creator");
    CheckObject(*creator, path, {"name", "version", "website"});
    ReadTextMember(*creator, path, "name", host_.creatorName);
    ReadTextMember(*creator, path, "version", host_.creatorVersion);
    ReadTextMember(*creator, path, "website", host_.website);
  }
}

void HostJsonLoader::LoadMaterials(const Json& list, const JsonPath& path) {
  const std::int32_t count = CheckArray(list, path);
  build_.MakeMaterialsPresent();
  for (std::int32_t i = 0; i < count; ++i) {
    LoadMaterial(list[static_cast<std::size_t>(i)], JsonPath(path, static_cast<std::size_t>(i)));
  }
}

void HostJsonLoader::LoadMaterial(const Json& value, const JsonPath& path) {
  CheckObject(value, path,
              {"name", "diffuse", "ambient", "emissive", "specular", "power", "opacity",
               "useCount", "texture"});
  HostMaterial& material = build_.AddMaterial();
  const std::int32_t index = host_.materials.count - 1;
  ReadTextMember(value, path, "name", material.name);
  material.diffuse = ReadMember(value, path, "diffuse", material.diffuse, kColor);
  material.ambient = ReadMember(value, path, "ambient", material.ambient, kColor);
  material.emissive = ReadMember(value, path, "emissive", material.emissive, kColor);
  material.specular = ReadMember(value, path, "specular", material.specular, kColor);
  material.power = ReadMember(value, path, "power", material.power, kFloat);
  material.opacity = ReadMember(value, path, "opacity", material.opacity, kFloat);
  material.useCount = ReadMember(value, path, "useCount", material.useCount, kInt);
  if (const Json* texture = Member(value, "texture")) {
    LoadTexture(index, *texture, JsonPath(path, "texture"));
  }
}

void HostJsonLoader::LoadTexture(std::int32_t material, const Json& value, const JsonPath& path) {
  if (!value.is_object()) CheckObject(value, path, {});
  const Json* kindValue = Member(value, "kind");
  if (kindValue == nullptr) path.Fail("missing key \"kind\"");
  const std::int32_t kind = ReadInt(*kindValue, JsonPath(path, "kind"));
  if (kind == kBitmapMapKind) {
    CheckObject(value, path, {"kind", "flags", "path"});
    auto map = std::make_unique<BitmapMap>();
    map->flags = ReadMember(value, path, "flags", 0, kInt);
    ReadTextMember(value, path, "path", map->path);
    build_.SetTextureMap(material, std::move(map));
  } else if (kind == kLayeredMapKind) {
    CheckObject(value, path, {"kind", "flags", "path1", "path2"});
    auto map = std::make_unique<LayeredMap>();
    map->flags = ReadMember(value, path, "flags", 0, kInt);
    const Json* path1 = Member(value, "path1");
    const Json* path2 = Member(value, "path2");
    if (path1 != nullptr && path1->is_null()) {
      if (path2 != nullptr && !(path2->is_string() && path2->get_ref<const std::string&>().empty())) {
        JsonPath(path, "path2").Fail("a null path1 leaves no second path; expected \"\"");
      }
      map->SetNullPaths();
    } else {
      ReadTextMember(value, path, "path1", map->paths->first);
      ReadTextMember(value, path, "path2", map->paths->second);
    }
    build_.SetTextureMap(material, std::move(map));
  } else {
    CheckObject(value, path, {"kind"});
    build_.SetTextureMap(material, std::make_unique<OtherKindMap>(kind));
  }
}

void HostJsonLoader::LoadVertices(const Json& list, const JsonPath& path) {
  const std::int32_t count = CheckArray(list, path);
  RecordVector<HostVertex>& vertices = build_.Vertices();
  vertices.items.resize(static_cast<std::size_t>(count));
  vertices.MakePresent();
  build_.Influences().resize(static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    LoadVertex(i, list[i], JsonPath(path, i));
  }
}

void HostJsonLoader::LoadVertex(std::size_t index, const Json& value, const JsonPath& path) {
  CheckObject(value, path, {"position", "normal", "color", "influences"});
  HostVertex& vertex = build_.Vertices().items[index];
  SetVertexDefaults(vertex);
  vertex.position = ReadMember(value, path, "position", vertex.position, kVec3);
  vertex.normal = ReadMember(value, path, "normal", vertex.normal, kVec3);
  vertex.color = ReadMember(value, path, "color", vertex.color, kColor);
  const Json* list = Member(value, "influences");
  if (list == nullptr) return;
  const JsonPath listPath(path, "influences");
  const std::int32_t count = CheckArray(*list, listPath);
  std::vector<HostInfluence>& influences = build_.Influences()[index];
  influences.resize(static_cast<std::size_t>(count));
  for (std::size_t k = 0; k < influences.size(); ++k) {
    const JsonPath pair(listPath, k);
    const Json& item = (*list)[k];
    if (!item.is_array() || item.size() != 2) pair.Fail("expected [bone index, weight]");
    influences[k] = {ReadInt(item[0], JsonPath(pair, std::size_t{0})),
                     ReadFloat(item[1], JsonPath(pair, std::size_t{1}))};
  }
  vertex.influenceCount = count;
  vertex.influences = count > 0 ? influences.data() : nullptr;
}

void HostJsonLoader::LoadGroups(const Json& list, const JsonPath& path) {
  const std::int32_t count = CheckArray(list, path);
  RecordVector<HostGroup>& groups = build_.Groups();
  groups.items.resize(static_cast<std::size_t>(count));
  groups.MakePresent();
  build_.MaterialUses().resize(static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    const JsonPath at(path, i);
    const Json& value = list[i];
    CheckObject(value, at, {"name", "faceCount", "materials"});
    HostGroup& group = groups.items[i];
    SetGroupDefaults(group);
    ReadTextMember(value, at, "name", group.name);
    group.faceCount = ReadMember(value, at, "faceCount", 0, kInt);
    const Json* uses = Member(value, "materials");
    if (uses == nullptr) continue;
    const JsonPath usesPath(at, "materials");
    std::vector<HostMaterialUse>& list2 = build_.MaterialUses()[i];
    list2.resize(static_cast<std::size_t>(CheckArray(*uses, usesPath)));
    for (std::size_t k = 0; k < list2.size(); ++k) {
      const JsonPath usePath(usesPath, k);
      const std::int32_t material = ReadInt((*uses)[k], usePath);
      if (material < 0 || material >= host_.materials.count) {
        usePath.Fail("group material use names material " + std::to_string(material) +
                     ", but the model has " + std::to_string(host_.materials.count) + " materials");
      }
      list2[k] = {material, 0};
    }
    group.materialUseCount = static_cast<std::int32_t>(list2.size());
    group.materialUses = list2.empty() ? nullptr : list2.data();
  }
}

void HostJsonLoader::LoadBones(const Json& list, const JsonPath& path) {
  const std::int32_t count = CheckArray(list, path);
  RecordVector<HostBone>& bones = build_.Bones();
  bones.items.resize(static_cast<std::size_t>(count));
  bones.MakePresent();
  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    const JsonPath at(path, i);
    const Json& value = list[i];
    CheckObject(value, at,
                {"name", "parent", "translation", "scale", "rotation", "local", "world",
                 "skinUseCount"});
    HostBone& bone = bones.items[i];
    SetBoneDefaults(bone);
    ReadTextMember(value, at, "name", bone.name);
    bone.parent = ReadMember(value, at, "parent", bone.parent, kInt);
    bone.translation = ReadMember(value, at, "translation", bone.translation, kVec3);
    bone.scale = ReadMember(value, at, "scale", bone.scale, kVec3);
    bone.rotation = ReadMember(value, at, "rotation", bone.rotation, kQuat);
    bone.local = ReadMember(value, at, "local", bone.local, kMatrix);
    bone.world = ReadMember(value, at, "world", bone.world, kMatrix);
    bone.skinUseCount = ReadMember(value, at, "skinUseCount", bone.skinUseCount, kInt);
  }
}

void HostJsonLoader::LoadPlaced(const Json* list1, const Json* list2, const JsonPath& root) {
  if (list1 != nullptr) {
    const JsonPath path(root, "placed1");
    const std::int32_t count = CheckArray(*list1, path);
    RecordVector<HostPlacedObject1>& placed = build_.Placed1();
    placed.items.resize(static_cast<std::size_t>(count));
    placed.MakePresent();
    for (std::size_t i = 0; i < placed.items.size(); ++i) {
      const JsonPath at(path, i);
      const Json& value = (*list1)[i];
      CheckObject(value, at, {"name", "position", "orientation", "distances"});
      HostPlacedObject1& record = placed.items[i];
      ReadTextMember(value, at, "name", record.name);
      record.hostWord = 0;
      record.position = ReadMember(value, at, "position", Vec3{0, 0, 0}, kVec3);
      record.orientation = ReadMember(value, at, "orientation", IdentityMatrix(), kMatrix);
      record.distances[0] = record.distances[1] = 0;
      if (const Json* d = Member(value, "distances")) {
        ReadFloats(*d, JsonPath(at, "distances"), record.distances, 2);
      }
    }
  }
  if (list2 != nullptr) {
    const JsonPath path(root, "placed2");
    const std::int32_t count = CheckArray(*list2, path);
    RecordVector<HostPlacedObject2>& placed = build_.Placed2();
    placed.items.resize(static_cast<std::size_t>(count));
    placed.MakePresent();
    for (std::size_t i = 0; i < placed.items.size(); ++i) {
      const JsonPath at(path, i);
      const Json& value = (*list2)[i];
      CheckObject(value, at, {"name", "position", "orientation"});
      HostPlacedObject2& record = placed.items[i];
      ReadTextMember(value, at, "name", record.name);
      record.hostWord = 0;
      record.position = ReadMember(value, at, "position", Vec3{0, 0, 0}, kVec3);
      record.orientation = ReadMember(value, at, "orientation", IdentityMatrix(), kMatrix);
    }
  }
}

void HostJsonLoader::LoadExtras(const Json& list, const JsonPath& path) {
  const std::int32_t count = CheckArray(list, path);
  RecordVector<HostExtraRecord>& extras = build_.Extras();
  extras.items.resize(static_cast<std::size_t>(count));
  extras.MakePresent();
  for (std::size_t i = 0; i < extras.items.size(); ++i) {
    const JsonPath at(path, i);
    CheckObject(list[i], at, {"name"});
    extras.items[i].hostBlock = 0;
    ReadTextMember(list[i], at, "name", extras.items[i].name);
  }
}

HostLoadResult LoadHostModelJson(std::string_view text, const JsonLimits& limits) {
  HostLoadResult result;
  Json document;
  if (!ParseJsonBounded(text, limits, document, result.error)) return result;
  try {
    auto host = std::make_unique<InProcessHost>();
    HostJsonLoader(*host).Load(document);
    result.host = std::move(host);
  } catch (const JsonReadError& e) {
    result.error = e.what();
  } catch (const std::bad_alloc&) {
    result.error = "document: out of memory while loading";
  }
  return result;
}

namespace {

// Reads the whole file in blocks, so pipes and special files work too; stops
// once it holds more than `limit` bytes. Empty on success, else the reason.
std::string ReadWholeFile(const std::string& path, std::size_t limit, std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::string("cannot open the file: ") + std::strerror(errno);
  std::string reason;
  char block[1 << 16];
  for (;;) {
    const std::size_t got = std::fread(block, 1, sizeof block, file);
    text.append(block, got);
    if (text.size() > limit) {
      reason = "larger than " + std::to_string(limit) + " bytes";
      break;
    }
    if (got < sizeof block) {
      if (std::ferror(file)) reason = std::string("cannot read the file: ") + std::strerror(errno);
      break;
    }
  }
  std::fclose(file);
  return reason;
}

}  // namespace

HostLoadResult LoadHostModelFile(const std::string& path, const JsonLimits& limits) {
  HostLoadResult result;
  std::string text;
  const std::string reason = ReadWholeFile(path, limits.maxBytes, text);
  if (!reason.empty()) {
    result.error = path + ": " + reason;
    return result;
  }
  result = LoadHostModelJson(text, limits);
  if (!result.host) result.error = path + ": " + result.error;
  return result;
}

}  // namespace ortolix
