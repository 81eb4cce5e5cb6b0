#include "platform/d3dx/vertex_plan.h"

#include <cmath>
#include <numeric>

namespace ortolix {
namespace {

bool SameNormal(const Vec3& a, const Vec3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

// The loaded vertex for a corner of file vertex `v` with normal `normal`:
// v itself on first use, else the first of v and its copies with the same
// normal, else a new copy.
DWORD VertexForNormal(DWORD v, const Vec3& normal, std::vector<bool>& used, VertexPlan& plan) {
  if (!used[v]) {
    used[v] = true;
    plan.normal_of[v] = normal;
    return v;
  }
  DWORD last = v;
  for (DWORD at = v; at != kNoCopy; at = plan.next_copy[at]) {
    if (SameNormal(plan.normal_of[at], normal)) return at;
    last = at;
  }
  const DWORD copy = plan.VertexCount();
  plan.original_of.push_back(v);
  plan.normal_of.push_back(normal);
  plan.next_copy.push_back(kNoCopy);
  plan.next_copy[last] = copy;
  return copy;
}

}  // namespace

std::vector<Vec3> NormalisedNormals(const std::vector<Vec3>& normals) {
  std::vector<Vec3> out(normals.size());
  for (std::size_t i = 0; i < normals.size(); ++i) {
    const Vec3& n = normals[i];
    const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    out[i] = length > 0.0f ? Vec3{n.x / length, n.y / length, n.z / length} : n;
  }
  return out;
}

VertexPlan PlanVertices(const DecodedMesh& source) {
  VertexPlan plan;
  const DWORD file_vertices = static_cast<DWORD>(source.positions.size());
  plan.original_of.resize(file_vertices);
  std::iota(plan.original_of.begin(), plan.original_of.end(), 0u);
  plan.next_copy.assign(file_vertices, kNoCopy);
  if (!source.normals) {
    plan.corner_vertex = source.faces.indices;
    return plan;
  }
  const std::vector<Vec3> normals = NormalisedNormals(source.normals->normals);
  const std::vector<DWORD>& normal_index = source.normals->faces.indices;
  plan.normal_of.assign(file_vertices, Vec3{0.0f, 0.0f, 0.0f});
  plan.corner_vertex.resize(source.faces.indices.size());
  std::vector<bool> used(file_vertices, false);
  for (std::size_t corner = 0; corner < plan.corner_vertex.size(); ++corner) {
    plan.corner_vertex[corner] = VertexForNormal(source.faces.indices[corner],
                                                 normals[normal_index[corner]], used, plan);
  }
  return plan;
}

}  // namespace ortolix
