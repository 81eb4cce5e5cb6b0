#include "import/skin_conversion.h"

#include <string_view>
#include <unordered_map>

#include "import/import_allocation.h"

namespace ortolix {
namespace {

// The influences of one bone, fetched into reused scratch arrays.
struct InfluenceScratch {
  std::vector<DWORD> vertices;
  std::vector<float> weights;
};

void ReadBoneInfluences(const ID3DXSkinInfo& skin, DWORD b, SkinBone& bone, InfluenceScratch& scratch) {
  const DWORD c = skin.GetNumBoneInfluences(b);
  if (c == 0) return;
  if (scratch.vertices.size() < c && !AllocateImportArray(scratch.vertices, c)) return;
  if (scratch.weights.size() < c && !AllocateImportArray(scratch.weights, c)) return;
  if (skin.GetBoneInfluence(b, scratch.vertices.data(), scratch.weights.data()) < 0) return;
  ReserveImportEntries(bone.influences, c);
  for (DWORD i = 0; i < c; ++i) {
    if (!(scratch.weights[i] > kInfluenceWeightThreshold)) continue;
    const VertexWeight weight{static_cast<std::int32_t>(scratch.vertices[i]), scratch.weights[i], -1};
    (void)AppendImportEntry(bone.influences, weight);
  }
}

// Track index of each name in the first animation (first of equal names).
std::unordered_map<std::string_view, std::int32_t> BoneIndexByName(const ImportModel& model) {
  std::unordered_map<std::string_view, std::int32_t> index;
  if (model.animations.empty()) return index;
  const std::vector<AnimationTrack>& tracks = model.animations.front().tracks;
  index.reserve(tracks.size());
  for (std::size_t t = 0; t < tracks.size(); ++t) index.try_emplace(tracks[t].name, static_cast<std::int32_t>(t));
  return index;
}

bool InMesh(std::int32_t vertex, const ImportMesh& mesh) {
  return vertex >= 0 && static_cast<std::size_t>(vertex) < mesh.vertices.size();
}

// Sizes each vertex's weight list for all the influences it will receive, so
// that attaching appends without regrowing.
void ReserveVertexWeights(const ImportSkin& skin, ImportMesh& mesh) {
  std::vector<std::uint32_t> extra(mesh.vertices.size(), 0);
  for (const SkinBone& bone : skin.bones) {
    for (const VertexWeight& influence : bone.influences) {
      if (InMesh(influence.vertex, mesh)) ++extra[static_cast<std::size_t>(influence.vertex)];
    }
  }
  for (std::size_t v = 0; v < extra.size(); ++v) {
    VertexWeightList& weights = mesh.vertices[v].weights;
    if (extra[v] != 0) ReserveImportEntries(weights, weights.size() + extra[v]);
  }
}

}  // namespace

void ReadContainerSkin(const MeshContainer& container, ImportModel& model) {
  if (!AppendImportEntry(model.skins, ImportSkin{})) return;
  ImportSkin& skin = model.skins.back();
  const ID3DXSkinInfo& info = *container.skin_info;
  const DWORD n = info.GetNumBones();
  if (n > 0 && !AllocateImportArray(skin.bones, n)) return;
  for (DWORD b = 0; b < n; ++b) {
    const char* name = info.GetBoneName(b);
    if (name != nullptr) skin.bones[b].name = name;
  }
  InfluenceScratch scratch;
  for (DWORD b = 0; b < n; ++b) ReadBoneInfluences(info, b, skin.bones[b], scratch);
  skin.mesh = model.currentMesh;
}

void AttachSkinInfluences(ImportModel& model) {
  const auto boneIndex = BoneIndexByName(model);
  for (const ImportSkin& skin : model.skins) {
    if (skin.mesh < 0 || static_cast<std::size_t>(skin.mesh) >= model.meshes.size()) continue;
    ImportMesh& mesh = model.meshes[skin.mesh];
    ReserveVertexWeights(skin, mesh);
    for (const SkinBone& bone : skin.bones) {
      const auto found = boneIndex.find(bone.name);
      const std::int32_t beta = found == boneIndex.end() ? -1 : found->second;
      for (const VertexWeight& influence : bone.influences) {
        if (!InMesh(influence.vertex, mesh)) continue;
        const VertexWeight weight{influence.vertex, influence.weight, beta};
        (void)AppendImportEntry(mesh.vertices[static_cast<std::size_t>(influence.vertex)].weights, weight);
      }
    }
  }
}

void NormaliseVertexWeights(ImportModel& model) {
  for (ImportMesh& mesh : model.meshes) {
    for (ImportVertex& vertex : mesh.vertices) {
      float sum = 0.0f;
      for (VertexWeight& weight : vertex.weights) {
        if (weight.bone < 0) weight.weight = 0.0f;
        sum += weight.weight;
      }
      if (sum == 1.0f || sum == 0.0f) continue;
      const float factor = static_cast<float>(1.0 / static_cast<double>(sum));
      for (VertexWeight& weight : vertex.weights) weight.weight *= factor;
    }
  }
}

}  // namespace ortolix
