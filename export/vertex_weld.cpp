#include "export/vertex_weld.h"

namespace ortolix {
namespace {

bool SameTextureElement(const HostTexElement& a, const HostTexElement& b) {
  return a.u == b.u && a.v == b.v;
}

bool TexturesMatch(const ExportVertex& a, const ExportVertex& b, WeldRule rule) {
  switch (rule) {
    case WeldRule::kBothTextureSets:
      return SameTextureElement(a.first, b.first) && SameTextureElement(a.second, b.second);
    case WeldRule::kFirstTextureSet:
      return SameTextureElement(a.first, b.first);
    case WeldRule::kPositionOnly:
      break;
  }
  return true;
}

HostTexElement ElementAt(const HostTexElement* elements, std::int32_t corner) {
  if (elements == nullptr) return HostTexElement{0, 0.0f, 0.0f, 0};
  return elements[corner];
}

}  // namespace

WeldRule WeldRuleFor(const ExportOptions& options) {
  if (options.exportMultipleUvSets == 1) return WeldRule::kBothTextureSets;
  if (options.exportTextureCoordinates == 1) return WeldRule::kFirstTextureSet;
  return WeldRule::kPositionOnly;
}

bool VertexChainTable::Prepare(std::int32_t hostVertexCount) {
  if (hostVertexCount <= 0) return true;
  const auto count = static_cast<std::size_t>(hostVertexCount);
  return heads.resize(count, -1) && nodes.reserve(count);
}

void VertexChainTable::ResetFor(const ExportVertexArray& made) {
  for (const ExportVertex& vertex : made) heads[static_cast<std::size_t>(vertex.hostVertex)] = -1;
  nodes.clear();
}

std::int32_t FindOrAddExportVertex(VertexChainTable& chains, ExportVertexArray& vertices,
                                   std::int32_t hostVertex, ExportVertex candidate, WeldRule rule) {
  const auto slot = static_cast<std::size_t>(hostVertex);
  if (slot >= chains.heads.size() && !chains.heads.resize(slot + 1, -1)) return -1;
  std::int32_t last = -1;
  for (std::int32_t n = chains.heads[slot]; n >= 0; n = chains.nodes[n].next) {
    const std::int32_t listedIndex = chains.nodes[n].exportVertex;
    const ExportVertex& listed = vertices[static_cast<std::size_t>(listedIndex)];
    const bool samePosition = NearEqual(listed.position, candidate.position);
    if (samePosition) candidate.sharedPosition = 1;
    if (samePosition && TexturesMatch(listed, candidate, rule)) return listedIndex;
    last = n;
  }
  const auto index = static_cast<std::int32_t>(vertices.size());
  const auto node = static_cast<std::int32_t>(chains.nodes.size());
  if (!vertices.push_back(candidate)) return -1;
  if (!chains.nodes.push_back(VertexChainTable::Node{index, -1})) return -1;
  if (last < 0) {
    chains.heads[slot] = node;
  } else {
    chains.nodes[static_cast<std::size_t>(last)].next = node;
  }
  return index;
}

bool MakeCornerCandidate(const HostModel& model, const HostFace& face, std::int32_t corner,
                         ExportVertex& candidate) {
  if (face.corners == nullptr || model.vertices.items == nullptr) return false;
  const std::int32_t h = face.corners[corner];
  if (h < 0 || h >= model.vertices.count) return false;
  const HostVertex& vertex = model.vertices.items[h];
  candidate.hostVertex = h;
  candidate.sharedPosition = 0;
  candidate.hostVertexAgain = h;
  candidate.position = vertex.position;
  candidate.normal = vertex.normal;
  candidate.color = vertex.color;
  const HostFaceTexture* texture = face.texture;
  candidate.first = ElementAt(texture != nullptr ? texture->first : nullptr, corner);
  candidate.second = ElementAt(texture != nullptr ? texture->second : nullptr, corner);
  return true;
}

std::int32_t WeldCorner(const HostModel& model, const HostFace& face, std::int32_t corner,
                        WeldRule rule, VertexChainTable& chains, ExportVertexArray& vertices) {
  ExportVertex candidate;
  if (!MakeCornerCandidate(model, face, corner, candidate)) return -1;
  return FindOrAddExportVertex(chains, vertices, candidate.hostVertex, candidate, rule);
}

}  // namespace ortolix
