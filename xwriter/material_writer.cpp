#include "xwriter/material_writer.h"

#include <algorithm>

#include "xwriter/block_text.h"
#include "platform/crt/text_helpers.h"

namespace ortolix {
namespace {

// The path a texture map offers: a bitmap map its path whatever its flags; a
// map of the other kind the first or second path its flags choose.
const HostPathString* TexturePath(HostTextureMap* map) {
  if (map == nullptr) return nullptr;
  if (map->kind == kBitmapMapKind) return &static_cast<HostBitmapMap*>(map)->path;
  if (map->kind != kLayeredMapKind) return nullptr;
  const HostLayeredMapData& data = *static_cast<HostLayeredMap*>(map);
  if (data.paths == nullptr) return nullptr;
  if ((data.flags & 1) != 0) return &data.paths->first;
  if ((data.flags & 2) != 0) return &data.paths->second;
  return nullptr;
}

std::string EscapedPath(const char* narrow) {
  constexpr std::size_t kLimit = 256;
  std::string text;
  for (std::size_t i = 0; narrow[i] != '\0' && text.size() < kLimit; ++i) {
    text.push_back(narrow[i]);
    if (narrow[i] == '\\') text.push_back('\\');
  }
  return text;
}

// The whole-model list: every material from the first used one, the faces'
// material indices lowered to match.
void WriteModelMaterialList(TextSink& sink, const WriteContext& context, const MeshWriteView& source,
                            std::int32_t w) {
  HostArray<HostMaterial>& materials = context.model->materials;
  const std::int32_t skip = materials.items[0].useCount > 0 ? 0 : 1;
  Print(sink, "%*sMeshMaterialList {\n", w, " ");
  Print(sink, "%*s %d;\n%*s %d;\n", w, " ", std::max(materials.count - skip, 0), w, " ",
        source.FaceCount());
  const std::int64_t count = source.FaceCount();
  source.ForEachFace([&](const MeshFaceView& face, std::int64_t index) {
    Print(sink, "%*s %d", w, " ", std::max(face.material - skip, 0));
    ListSeparator(sink, index, count);
  });
  sink.Text("\n");
  for (std::int32_t i = skip; i < materials.count; ++i) {
    WriteMaterial(sink, context, materials.items[i], w);
  }
  Print(sink, "%*s}\n", w, " ");
}

std::int32_t UsePosition(const HostGroup& group, std::int32_t material) {
  for (std::int32_t i = 0; i < group.materialUseCount; ++i) {
    if (group.materialUses[i].material == material) return i;
  }
  return 0;
}

// A group's list: the materials the Host group uses, in the order of its uses.
void WriteGroupMaterialList(TextSink& sink, const WriteContext& context, const MeshWriteView& source,
                            const HostGroup& group, std::int32_t w) {
  HostArray<HostMaterial>& materials = context.model->materials;
  Print(sink, "%*sMeshMaterialList {\n", w, " ");
  Print(sink, "%*s %d;\n%*s %d;\n", w, " ", group.materialUseCount, w, " ", group.faceCount);
  const std::int64_t count = source.FaceCount();
  source.ForEachFace([&](const MeshFaceView& face, std::int64_t index) {
    Print(sink, "%*s %d", w, " ", UsePosition(group, face.material));
    ListSeparator(sink, index, count);
  });
  sink.Text("\n");
  for (std::int32_t i = 0; i < group.materialUseCount; ++i) {
    const std::int32_t material = group.materialUses[i].material;
    // The Host refuses uses that name no material; never read past the array.
    if (material >= 0 && material < materials.count) {
      WriteMaterial(sink, context, materials.items[material], w);
    }
  }
  Print(sink, "%*s}\n", w, " ");
}

}  // namespace

bool TextureFileText(HostMaterial& material, bool fullPath, std::string* out) {
  const HostPathString* path = TexturePath(material.GetTextureMap(0));
  if (path == nullptr) return false;
  if (fullPath) {
    *out = EscapedPath(path->Narrow());
    return true;
  }
  WideChar name[kFileNamePartSize];
  FileNamePart(path->Wide(), name);
  *out = NarrowString(name);
  return true;
}

void WriteMaterial(TextSink& sink, const WriteContext& context, HostMaterial& material,
                   std::int32_t w) {
  const HostColor& d = material.diffuse;
  const HostColor& s = material.specular;
  const HostColor& e = material.emissive;
  Print(sink, "%*s Material %s {\n", w, " ", material.name.Narrow());
  Print(sink, "%*s  %f; %f; %f; %f;;\n%*s  %f;\n%*s  %f; %f; %f;;\n%*s  %f; %f; %f;;\n", w, " ",
        d.r, d.g, d.b, material.opacity, w, " ", material.power, w, " ", s.r, s.g, s.b, w, " ",
        e.r, e.g, e.b);
  std::string texture;
  if (TextureFileText(material, IsSet(context.options->useFullTexturePath), &texture)) {
    Print(sink, "\n%*s  TextureFilename {\n%*s   \"%s\";\n%*s  }\n", w, " ", w, " ",
          texture.c_str(), w, " ");
  }
  Print(sink, "%*s }\n\n", w, " ");
}

int WriteMeshMaterialList(TextSink* sink, const WriteContext& context, const MeshWriteView& source,
                          std::int32_t w) {
  if (sink == nullptr) return 0;
  const HostModel& model = *context.model;
  if (!HasRecords(model.materials)) return 1;
  if (!source.IsGroup()) {
    WriteModelMaterialList(*sink, context, source, w);
    return 1;
  }
  const std::int32_t g = source.GroupIndex();
  if (!HasRecords(model.groups) || g >= model.groups.count) return 1;
  const HostGroup& group = model.groups.items[g];
  if (group.materialUseCount < 1 || group.materialUses == nullptr) return 1;
  WriteGroupMaterialList(*sink, context, source, group, w);
  return 1;
}

}  // namespace ortolix
