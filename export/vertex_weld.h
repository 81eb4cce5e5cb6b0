// The weld: turns face corners into ExportVertices, one per distinct
// (Host vertex, position, texture coordinates) combination.
#pragma once

#include <cstdint>

#include "export/export_allocation.h"
#include "export/export_options.h"
#include "export/export_scene.h"

namespace ortolix {

// What two ExportVertices of one Host vertex must share to be one vertex.
// Positions always compare within 0.0001 per component; texture coordinates
// compare exactly. Normals and colours never take part.
enum class WeldRule {
  kBothTextureSets,  // "Export multiple uvsets"
  kFirstTextureSet,  // else "Export texture coordinates"
  kPositionOnly,
};

WeldRule WeldRuleFor(const ExportOptions& options);

using ExportVertexArray = ExportBuffer<ExportVertex>;

// For each Host vertex, the ExportVertices made from it, in creation order:
// heads indexed by Host vertex, nodes linked by index (-1 ends a list).
struct VertexChainTable {
  struct Node {
    std::int32_t exportVertex;
    std::int32_t next;
  };
  ExportBuffer<std::int32_t> heads;
  ExportBuffer<Node> nodes;

  // Room for the lists of Host vertices 0 to count - 1 (an estimate: the
  // table still grows for a higher index). False when memory runs out.
  [[nodiscard]] bool Prepare(std::int32_t hostVertexCount);

  // Empties the lists of the Host vertices of `made` (the vertices welded
  // since the last reset), in time proportional to their number.
  void ResetFor(const ExportVertexArray& made);
};

// The index in `vertices` of the first ExportVertex of Host vertex
// `hostVertex` (>= 0) that matches `candidate` under `rule`; without one the
// candidate is appended and its index returned. Walks only the chain of
// `hostVertex`. -1 when working storage cannot grow.
std::int32_t FindOrAddExportVertex(VertexChainTable& chains, ExportVertexArray& vertices,
                                   std::int32_t hostVertex, ExportVertex candidate, WeldRule rule);

// The candidate ExportVertex of corner `corner` of `face`. False when the
// corner names no Host vertex (the face breaks the model's own indices). A
// missing texture record or element array counts as zero elements.
bool MakeCornerCandidate(const HostModel& model, const HostFace& face, std::int32_t corner,
                         ExportVertex& candidate);

// The two steps above for one corner: the index of its ExportVertex, or -1
// when the corner names no Host vertex or working storage cannot grow.
std::int32_t WeldCorner(const HostModel& model, const HostFace& face, std::int32_t corner,
                        WeldRule rule, VertexChainTable& chains, ExportVertexArray& vertices);

}  // namespace ortolix
