// Where each polygon corner of a Mesh ends up in the loaded vertex buffer.
// Without normals every corner keeps its file vertex. With MeshNormals a file
// vertex whose corners carry different normals is copied once per further
// distinct normal; the copies are appended in the order of first use.
#pragma once

#include <vector>

#include "math/vector_math.h"
#include "platform/d3dx/d3dx_types.h"
#include "platform/d3dx/decoded_mesh.h"

namespace ortolix {

struct VertexPlan {
  std::vector<DWORD> corner_vertex;  // one per polygon corner, in file order
  std::vector<DWORD> original_of;    // per loaded vertex: its file vertex
  std::vector<Vec3> normal_of;       // per loaded vertex (empty without normals)
  std::vector<DWORD> next_copy;      // per loaded vertex: next copy of the same file vertex, or none
  [[nodiscard]] DWORD VertexCount() const { return static_cast<DWORD>(original_of.size()); }
};

inline constexpr DWORD kNoCopy = 0xFFFFFFFFu;

// Normals of `source` at unit length (a zero normal stays zero).
[[nodiscard]] std::vector<Vec3> NormalisedNormals(const std::vector<Vec3>& normals);

// The plan for a source whose faces and normal faces have been checked to
// match (same polygon count, corner counts and indices in range).
[[nodiscard]] VertexPlan PlanVertices(const DecodedMesh& source);

}  // namespace ortolix
