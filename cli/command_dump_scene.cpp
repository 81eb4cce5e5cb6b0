#include "cli/command_dump_scene.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <vector>

#include "cli/exit_codes.h"
#include "platform/crt/text_convert.h"
#include "platform/d3dx/com_ref.h"
#include "ximport/read_x_file.h"

namespace ortolix::cli {
namespace {

// Floats print as their shortest float text (0.8, not 0.800000011920929).
using json = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool,
                                  std::int64_t, std::uint64_t, float>;

json MatrixJson(const float* m, int count = 16) { return json(std::vector<float>(m, m + count)); }
json MatrixJson(const D3DXMATRIX& m) { return MatrixJson(&m.m[0][0]); }
json Colour(const D3DCOLORVALUE& c) { return json::array({c.r, c.g, c.b, c.a}); }

json MaterialJson(const MaterialRecord& record) {
  const D3DMATERIAL9& m = record.material;
  return {{"diffuse", Colour(m.Diffuse)},   {"ambient", Colour(m.Ambient)},
          {"specular", Colour(m.Specular)}, {"emissive", Colour(m.Emissive)},
          {"power", m.Power},               {"texture", record.texture_file_name}};
}

json ContainerJson(const MeshContainer& c) {
  json out = {{"name", c.name}, {"skinned", c.skinned}};
  if (c.mesh) {
    out["fvf"] = c.mesh->GetFVF();
    out["vertices"] = c.mesh->GetNumVertices();
    out["faces"] = c.mesh->GetNumFaces();
  }
  out["material_count"] = c.material_count;
  out["attribute_ranges"] = c.attribute_table.size();
  json materials = json::array();
  for (const MaterialRecord& m : c.materials) materials.push_back(MaterialJson(m));
  out["materials"] = std::move(materials);
  out["material_names"] = c.material_names;
  json bones = json::array();
  for (DWORD b = 0; c.skin_info && b < c.skin_info->GetNumBones(); ++b) {
    const char* name = c.skin_info->GetBoneName(b);
    bones.push_back(name != nullptr ? name : "");
  }
  out["bones"] = std::move(bones);
  return out;
}

// Each key as one row: [time, values...] (rotation x, y, z, w).
json KeysJson(const FrameNode& node) {
  json keys = json::object();
  auto add = [&](const char* kind, const auto& list, auto values) {
    if (list.empty()) return;
    json rows = json::array();
    for (const auto& key : list) {
      json row = json::array({key.time});
      for (float v : values(key)) row.push_back(v);
      rows.push_back(std::move(row));
    }
    keys[kind] = std::move(rows);
  };
  add("rotation", node.rotation_keys,
      [](const SceneRotationKey& k) { return std::vector<float>{k.x, k.y, k.z, k.w}; });
  add("scale", node.scale_keys, [](const SceneScaleKey& k) { return std::vector<float>{k.x, k.y, k.z}; });
  add("position", node.position_keys,
      [](const ScenePositionKey& k) { return std::vector<float>{k.x, k.y, k.z}; });
  add("matrix", node.matrix_keys,
      [](const SceneMatrixKey& k) { return std::vector<float>(k.m, k.m + 16); });
  return keys;
}

const char* NodeKind(const FrameNode& node, bool is_root) {
  if (is_root) return "root";
  if (node.animation_set_flag == 1) return "animation_set";
  return node.pseudo_frame_flag == 1 ? "animation" : "frame";
}

// The tree is as deep as the reader's bounded nesting, so recursion is safe.
json NodeJson(const FrameNode& node, bool is_root) {
  json out = {{"kind", NodeKind(node, is_root)}};
  if (node.name) out["name"] = *node.name;
  if (node.animation_set_flag == 1) out["set_name"] = node.set_name;
  if (node.pseudo_frame_flag == 0) {
    out["frame_matrix"] = MatrixJson(node.frame_matrix);
    out["local_matrix"] = MatrixJson(node.local_matrix);
    out["world_matrix"] = MatrixJson(node.world_matrix);
  }
  if (node.animation_set_flag == 0 && node.pseudo_frame_flag == 1) {
    out["target"] = node.target_frame != nullptr && node.target_frame->name
                        ? json(*node.target_frame->name) : json(nullptr);
    out["keys"] = KeysJson(node);
  }
  json meshes = json::array();
  for (const MeshContainer* c = node.mesh_list.get(); c != nullptr; c = c->next.get()) {
    meshes.push_back(ContainerJson(*c));
  }
  if (!meshes.empty()) out["meshes"] = std::move(meshes);
  json children = json::array();
  for (const FrameNode* c = node.first_child.get(); c != nullptr; c = c->next_sibling.get()) {
    children.push_back(NodeJson(*c, false));
  }
  if (!children.empty()) out["children"] = std::move(children);
  return out;
}

json WarningsJson(const std::vector<ReadWarning>& warnings) {
  json out = json::array();
  for (const ReadWarning& w : warnings) {
    out.push_back({{"code", w.code}, {"object", w.object}, {"message", w.message}, {"count", w.count}});
  }
  return out;
}

// Puts arrays that hold only numbers on one line ("[1.0, 0.0, ...]"), so
// matrices and keys read as rows.
std::string CollapseNumberArrays(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t close = text[i] == '[' ? text.find_first_of("[]{}\"", i + 1) : std::string::npos;
    if (close == std::string::npos || text[close] != ']') {
      out += text[i];
      continue;
    }
    out += '[';
    bool blank = false;
    for (std::size_t k = i + 1; k < close; ++k) {
      const char ch = text[k];
      if (ch == ' ' || ch == '\n') {
        blank = true;
        continue;
      }
      if (blank && out.back() == ',') out += ' ';
      blank = false;
      out += ch;
    }
    out += ']';
    i = close;
  }
  return out;
}

}  // namespace

int RunDumpScene(const std::string& path) {
  std::vector<WideChar> wide(path.size() + 1);
  if (LocaleWideFromNarrow(wide.data(), wide.size(), path.c_str()) == kConversionFailed) {
    std::fprintf(stderr, "ortolix dump: %s: the path is not valid text\n", path.c_str());
    return kExitFailure;
  }
  std::uint32_t failure = 0;
  ComRef<IDirect3DDevice9> device(CreateImportDevice(&failure));
  XFileReader reader;
  reader.device = device.get();
  const HRESULT hr = ReadXFile(reader, wide.data());
  if (hr < 0) {
    std::fprintf(stderr, "ortolix dump: %s: %s\n", path.c_str(),
                 reader.error.empty() ? "the file cannot be read" : reader.error.c_str());
    return kExitFailure;
  }
  const json out = {{"ticks_per_second", reader.ticks_per_second},
                    {"root", NodeJson(*reader.current_scene->root, true)},
                    {"warnings", WarningsJson(reader.warnings)}};
  const std::string text =
      CollapseNumberArrays(out.dump(2, ' ', false, json::error_handler_t::replace));
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  DestroyReaderScenes(reader);
  return kExitOk;
}

}  // namespace ortolix::cli
