// ID3DXMesh::GenerateAdjacency with epsilon 0: corners are the same point
// when their indices are equal or their positions are exactly equal, so
// vertices copied for split normals do not break the surface apart.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <numeric>
#include <vector>

#include "platform/d3dx/d3dx_mesh.h"

namespace ortolix {
namespace {

struct PositionKey {
  std::uint32_t x, y, z;
  bool operator==(const PositionKey& o) const { return x == o.x && y == o.y && z == o.z; }
};

// Bit pattern of a float with -0 folded onto +0, so equal values give equal
// keys.
std::uint32_t FloatKey(float value) {
  if (value == 0.0f) return 0;
  std::uint32_t bits;
  std::memcpy(&bits, &value, 4);
  return bits;
}

PositionKey KeyOf(const ID3DXMesh& mesh, DWORD vertex, bool* comparable) {
  float p[3];
  std::memcpy(p, mesh.VertexAt(vertex), sizeof p);
  *comparable = p[0] == p[0] && p[1] == p[1] && p[2] == p[2];
  return PositionKey{FloatKey(p[0]), FloatKey(p[1]), FloatKey(p[2])};
}

std::uint32_t Hash(const PositionKey& k) {
  std::uint32_t h = k.x * 0x9E3779B1u;
  h ^= (k.y * 0x85EBCA77u) + (h << 6) + (h >> 2);
  h ^= (k.z * 0xC2B2AE3Du) + (h << 6) + (h >> 2);
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  return h;
}

// For every vertex, the smallest vertex index at exactly the same position.
// Vertices are entered in index order into an open-addressing table keyed by
// position, so the first entry of a position is its smallest index. A NaN
// position matches no other vertex.
std::vector<DWORD> PointRepresentatives(const ID3DXMesh& mesh) {
  constexpr DWORD kEmpty = 0xFFFFFFFFu;
  const DWORD count = mesh.GetNumVertices();
  std::size_t slots = 16;
  while (slots < std::size_t(count) * 2) slots *= 2;
  std::vector<DWORD> table(slots, kEmpty);
  std::vector<DWORD> representative(count);
  for (DWORD v = 0; v < count; ++v) {
    bool comparable = false;
    const PositionKey key = KeyOf(mesh, v, &comparable);
    representative[v] = v;
    if (!comparable) continue;
    for (std::size_t at = Hash(key) & (slots - 1);; at = (at + 1) & (slots - 1)) {
      if (table[at] == kEmpty) {
        table[at] = v;
        break;
      }
      bool other_comparable = false;
      if (KeyOf(mesh, table[at], &other_comparable) == key) {
        representative[v] = table[at];
        break;
      }
    }
  }
  return representative;
}

// Directed edges grouped by their start point (a counting sort), each group
// in face order.
struct EdgesByStart {
  std::vector<std::size_t> first;  // per point its first edge, and one past the last
  std::vector<DWORD> end;          // end point of each edge
  std::vector<DWORD> face;

  EdgesByStart(const std::vector<DWORD>& corner_point, std::size_t points) {
    first.assign(points + 1, 0);
    for (DWORD p : corner_point) ++first[p + 1];
    std::partial_sum(first.begin(), first.end(), first.begin());
    end.resize(corner_point.size());
    face.resize(corner_point.size());
    std::vector<std::size_t> fill(first.begin(), first.end() - 1);
    for (std::size_t c = 0; c < corner_point.size(); ++c) {
      const std::size_t at = fill[corner_point[c]]++;
      end[at] = corner_point[NextCorner(c)];
      face[at] = DWORD(c / 3);
    }
  }
  static std::size_t NextCorner(std::size_t c) { return c % 3 == 2 ? c - 2 : c + 1; }
};

}  // namespace

HRESULT ID3DXMesh::GenerateAdjacency(float epsilon, DWORD* adjacency) const {
  if (adjacency == nullptr) return D3DERR_INVALIDCALL;
  if (epsilon != 0.0f) return E_NOTIMPL;
  try {
    const std::vector<DWORD> point = PointRepresentatives(*this);
    std::vector<DWORD> corner_point(std::size_t(num_faces_) * 3);
    for (std::size_t c = 0; c < corner_point.size(); ++c) corner_point[c] = point[IndexAt(c)];
    const EdgesByStart edges(corner_point, num_vertices_);
    // The neighbour across edge a -> b is the lowest other face with b -> a.
    for (std::size_t c = 0; c < corner_point.size(); ++c) {
      const DWORD a = corner_point[c];
      const DWORD b = corner_point[EdgesByStart::NextCorner(c)];
      const DWORD f = DWORD(c / 3);
      DWORD neighbour = kD3DXNoNeighbour;
      for (std::size_t e = edges.first[b]; e < edges.first[b + 1]; ++e) {
        if (edges.end[e] == a && edges.face[e] != f) {
          neighbour = edges.face[e];
          break;
        }
      }
      adjacency[c] = neighbour;
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

}  // namespace ortolix
