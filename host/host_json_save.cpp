// Saving a HostModel as the JSON document, walking its public records.
#include <fstream>

#include "host/host_json.h"
#include "host/host_text_utf8.h"
#include "platform/crt/json_text.h"

namespace ortolix {

namespace {


// One JSON object on one line: {"a": 1, "b": [2, 3]}.
class Fields {
 public:
  explicit Fields(std::string& out) : out_(out) { out_ += '{'; }
  ~Fields() { out_ += '}'; }
  std::string& Key(const char* key) {
    if (!first_) out_ += ", ";
    first_ = false;
    AppendString(out_, key);
    out_ += ": ";
    return out_;
  }
  void Text(const char* key, const HostPathString& value) { AppendString(Key(key), Utf8FromHostText(value)); }
  void Float(const char* key, float value) { AppendFloat(Key(key), value); }
  void Int(const char* key, std::int64_t value) { AppendInt(Key(key), value); }
  void Floats(const char* key, const float* values, int count) { AppendFloats(Key(key), values, count); }
  void Vec(const char* key, const Vec3& v) { Floats(key, &v.x, 3); }
  void Color(const char* key, const HostColor& c) { Floats(key, &c.r, 4); }
  void Rotation(const char* key, const Quat& q) { Floats(key, &q.x, 4); }
  void Matrix(const char* key, const Matrix4& m) { Floats(key, m.m, 16); }

 private:
  std::string& out_;
  bool first_ = true;
};

// Writes `"key": [` then one record per line through `write`, then `]`.
template <typename Record, typename Write>
void RecordList(std::string& out, const char* indent, Record* items, std::int32_t count,
                Write write) {
  out += '[';
  for (std::int32_t i = 0; i < count; ++i) {
    out += i > 0 ? ",\n" : "\n";
    out += indent;
    out += "  ";
    write(items[i]);
  }
  if (count > 0) (out += '\n') += indent;
  out += ']';
}

void WriteTexture(Fields& fields, HostTextureMap* map) {
  std::string& out = fields.Key("texture");
  Fields texture(out);
  texture.Int("kind", map->kind);
  if (map->kind == kBitmapMapKind) {
    const auto* bitmap = static_cast<const HostBitmapMap*>(map);
    texture.Int("flags", bitmap->flags);
    texture.Text("path", bitmap->path);
  } else if (map->kind == kLayeredMapKind) {
    const auto* layered = static_cast<const HostLayeredMap*>(map);
    texture.Int("flags", layered->flags);
    if (layered->paths == nullptr) {
      texture.Key("path1") += "null";
      texture.Text("path2", HostPathString());
    } else {
      texture.Text("path1", layered->paths->first);
      texture.Text("path2", layered->paths->second);
    }
  }
}

void WriteMaterial(std::string& out, HostMaterial& material) {
  Fields fields(out);
  fields.Text("name", material.name);
  fields.Color("diffuse", material.diffuse);
  fields.Color("ambient", material.ambient);
  fields.Color("emissive", material.emissive);
  fields.Color("specular", material.specular);
  fields.Float("power", material.power);
  fields.Float("opacity", material.opacity);
  fields.Int("useCount", material.useCount);
  if (HostTextureMap* map = material.GetTextureMap(0)) WriteTexture(fields, map);
}

void WriteVertex(std::string& out, const HostVertex& vertex) {
  Fields fields(out);
  fields.Vec("position", vertex.position);
  fields.Vec("normal", vertex.normal);
  fields.Color("color", vertex.color);
  std::string& list = fields.Key("influences");
  list += '[';
  for (std::int32_t k = 0; vertex.influences && k < vertex.influenceCount; ++k) {
    if (k > 0) list += ", ";
    list += '[';
    AppendInt(list, vertex.influences[k].bone);
    list += ", ";
    AppendFloat(list, vertex.influences[k].weight);
    list += ']';
  }
  list += ']';
}

void WriteGroup(std::string& out, const HostGroup& group) {
  Fields fields(out);
  fields.Text("name", group.name);
  fields.Int("faceCount", group.faceCount);
  std::string& list = fields.Key("materials");
  list += '[';
  for (std::int32_t k = 0; group.materialUses && k < group.materialUseCount; ++k) {
    if (k > 0) list += ", ";
    AppendInt(list, group.materialUses[k].material);
  }
  list += ']';
}

void WriteInts(Fields& fields, const char* key, const std::int32_t* values, std::int32_t count) {
  std::string& out = fields.Key(key);
  out += '[';
  for (std::int32_t i = 0; i < count; ++i) {
    if (i > 0) out += ", ";
    AppendInt(out, values ? values[i] : 0);
  }
  out += ']';
}

void WriteElements(Fields& fields, const char* key, const HostTexElement* elements,
                   std::int32_t count) {
  std::string& out = fields.Key(key);
  if (elements == nullptr) {
    out += "null";
    return;
  }
  out += '[';
  for (std::int32_t i = 0; i < count; ++i) {
    if (i > 0) out += ", ";
    const float uv[2] = {elements[i].u, elements[i].v};
    AppendFloats(out, uv, 2);
  }
  out += ']';
}

void WriteFace(std::string& out, const HostFace& face) {
  Fields fields(out);
  const std::int32_t corners = face.cornerCount > 0 ? face.cornerCount : 0;
  fields.Int("material", face.material);
  fields.Int("group", face.group);
  WriteInts(fields, "corners", face.corners, corners);
  WriteInts(fields, "exportIndices", face.exportIndices, corners);
  WriteElements(fields, "uv0", face.texture ? face.texture->first : nullptr, corners);
  WriteElements(fields, "uv1", face.texture ? face.texture->second : nullptr, corners);
}

void WriteMesh(std::string& out, const HostMesh& mesh) {
  Fields fields(out);
  if (mesh.faces == nullptr) return;
  RecordList(fields.Key("faces"), "    ", mesh.faces, mesh.faceCount,
             [&](const HostFace& face) { WriteFace(out, face); });
}

void WriteBone(std::string& out, const HostBone& bone) {
  Fields fields(out);
  fields.Text("name", bone.name);
  fields.Int("parent", bone.parent);
  fields.Vec("translation", bone.translation);
  fields.Vec("scale", bone.scale);
  fields.Rotation("rotation", bone.rotation);
  fields.Matrix("local", bone.local);
  fields.Matrix("world", bone.world);
  fields.Int("skinUseCount", bone.skinUseCount);
}

// A key list: one array of `N` floats (time, then the value) per key.
template <typename Key>
void WriteKeys(Fields& fields, const char* name, const Key* keys, std::int32_t count) {
  constexpr int kFloats = sizeof(Key) / sizeof(float);
  std::string& out = fields.Key(name);
  out += '[';
  for (std::int32_t k = 0; keys && k < count; ++k) {
    if (k > 0) out += ", ";
    float values[kFloats];
    std::memcpy(values, &keys[k], sizeof values);
    AppendFloats(out, values, kFloats);
  }
  out += ']';
}

void WriteTrack(std::string& out, const HostTrack& track) {
  Fields fields(out);
  WriteKeys(fields, "position", track.positionKeys, track.positionKeyCount);
  WriteKeys(fields, "rotation", track.rotationKeys, track.rotationKeyCount);
  WriteKeys(fields, "scale", track.scaleKeys, track.scaleKeyCount);
}

void WriteAnimation(std::string& out, const HostAnimation& animation) {
  Fields fields(out);
  fields.Text("name", animation.name);
  fields.Float("start", animation.start);
  fields.Float("end", animation.end);
  fields.Float("fps", animation.framesPerSecond);
  if (animation.tracks == nullptr) return;
  RecordList(fields.Key("tracks"), "    ", animation.tracks, animation.trackCount,
             [&](const HostTrack& track) { WriteTrack(out, track); });
}

void WritePlaced1(std::string& out, const HostPlacedObject1& placed) {
  Fields fields(out);
  fields.Text("name", placed.name);
  fields.Vec("position", placed.position);
  fields.Matrix("orientation", placed.orientation);
  fields.Floats("distances", placed.distances, 2);
}

void WritePlaced2(std::string& out, const HostPlacedObject2& placed) {
  Fields fields(out);
  fields.Text("name", placed.name);
  fields.Vec("position", placed.position);
  fields.Matrix("orientation", placed.orientation);
}

void WriteExtra(std::string& out, const HostExtraRecord& extra) {
  Fields fields(out);
  fields.Text("name", extra.name);
}

// Top-level members, one per line.
class Document {
 public:
  explicit Document(std::string& out) : out_(out) { out_ += '{'; }
  ~Document() { out_ += "\n}\n"; }
  std::string& Key(const char* key) {
    out_ += first_ ? "\n  " : ",\n  ";
    first_ = false;
    AppendString(out_, key);
    out_ += ": ";
    return out_;
  }
  template <typename Record, typename Write>
  void List(const char* key, const HostArray<Record>& array, Write write) {
    if (array.items == nullptr) return;  // absent stays absent
    RecordList(Key(key), "  ", array.items, array.count, [&](Record& r) { write(out_, r); });
  }

 private:
  std::string& out_;
  bool first_ = true;
};

void WriteHeader(Document& doc, HostModel& model) {
  AppendString(doc.Key("format"), kHostModelFormat);
  AppendInt(doc.Key("version"), kHostModelVersion);
  AppendString(doc.Key("filePath"), Utf8FromHostText(model.filePath));
  {
    Fields creator(doc.Key("creator"));
    creator.Text("name", model.creatorName);
    creator.Text("version", model.creatorVersion);
    creator.Text("website", model.website);
  }
  AppendString(doc.Key("timeStamp"), Utf8FromHostText(model.timeStamp));
  AppendString(doc.Key("message"), Utf8FromHostText(model.errorMessage));
}

}  // namespace

std::string SaveHostModelJson(HostModel& model) {
  std::string out;
  {
    Document doc(out);
    WriteHeader(doc, model);
    doc.List("materials", model.materials, WriteMaterial);
    doc.List("vertices", model.vertices, WriteVertex);
    doc.List("groups", model.groups, WriteGroup);
    doc.List("meshes", model.meshes, WriteMesh);
    doc.List("bones", model.bones, WriteBone);
    doc.List("animations", model.animations, WriteAnimation);
    doc.List("placed1", model.placed1, WritePlaced1);
    doc.List("placed2", model.placed2, WritePlaced2);
    doc.List("extras", model.extras, WriteExtra);
  }
  return out;
}

bool SaveHostModelFile(HostModel& model, const std::string& path, std::string& error) {
  const std::string text = SaveHostModelJson(model);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file || !file.write(text.data(), static_cast<std::streamsize>(text.size())) || !file.flush()) {
    error = path + ": cannot write the file";
    return false;
  }
  return true;
}

}  // namespace ortolix
