#include <algorithm>
#include <unordered_map>

#include "import/import_allocation.h"
#include "import/material_conversion.h"

namespace ortolix {
namespace {

// Index of the first merged entry with the same texture file name, or -1.
// The texture names already merged are kept in an index by their folded
// form, so the search is constant time per material.
class MergedTextureIndex {
 public:
  std::int32_t Find(const WideString& texture) const {
    if (texture.empty()) return -1;
    const auto found = byName_.find(Folded(texture));
    return found == byName_.end() ? -1 : found->second;
  }
  void Add(const WideString& texture, std::int32_t entry) {
    if (!texture.empty()) byName_.try_emplace(Folded(texture), entry);
  }

 private:
  // ASCII letters to lower case, as the case-insensitive comparison folds.
  static WideString Folded(const WideString& text) {
    WideString folded = text;
    for (WideChar& c : folded) {
      if (c >= u'A' && c <= u'Z') c = static_cast<WideChar>(c - u'A' + u'a');
    }
    return folded;
  }
  std::unordered_map<WideString, std::int32_t> byName_;
};

void RenumberFaces(ImportModel& model, const std::vector<std::int32_t>& map) {
  std::int64_t base = 0;
  for (ImportMesh& mesh : model.meshes) {
    for (ImportFace& face : mesh.faces) {
      const std::int64_t g = base + face.material;
      if (g >= 0 && g < static_cast<std::int64_t>(map.size())) face.material = map[g];
    }
    base += mesh.materialCount;
  }
}

}  // namespace

void MergeSimilarMaterials(ImportModel& model) {
  if (model.materials.empty()) return;
  std::vector<std::int32_t> map;
  if (!AllocateImportArray(map, model.materials.size())) return;
  std::fill(map.begin(), map.end(), -1);
  MergedTextureIndex index;
  bool complete = true;
  for (std::size_t i = 0; i < model.materials.size(); ++i) {
    const ImportMaterial& material = model.materials[i];
    std::int32_t entry = index.Find(material.textureFileName);
    if (entry < 0) {
      if (!AppendImportEntry(model.mergedMaterials, ImportMaterial{})) {
        complete = false;
        break;
      }
      entry = static_cast<std::int32_t>(model.mergedMaterials.size()) - 1;
      index.Add(material.textureFileName, entry);
    }
    model.mergedMaterials[entry] = material;
    map[i] = entry;
  }
  if (complete) RenumberFaces(model, map);
}

}  // namespace ortolix
