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
  bool operator<(const PositionKey& o) const {
    return x != o.x ? x < o.x : (y != o.y ? y < o.y : z < o.z);
  }
  bool operator==(const PositionKey& o) const { return x == o.x && y == o.y && z == o.z; }
};

// Bit pattern of a float with -0 folded onto +0, so equal values give equal
// keys. A NaN gets a key of its own vertex (see PointRepresentatives).
std::uint32_t FloatKey(float value) {
  if (value == 0.0f) return 0;
  std::uint32_t bits;
  std::memcpy(&bits, &value, 4);
  return bits;
}

// For every vertex, the smallest vertex index at exactly the same position.
std::vector<DWORD> PointRepresentatives(const ID3DXMesh& mesh) {
  const DWORD count = mesh.GetNumVertices();
  std::vector<PositionKey> keys(count);
  std::vector<DWORD> order(count);
  std::vector<DWORD> representative(count);
  for (DWORD v = 0; v < count; ++v) {
    float p[3];
    std::memcpy(p, mesh.VertexAt(v), sizeof p);
    keys[v] = {FloatKey(p[0]), FloatKey(p[1]), FloatKey(p[2])};
    representative[v] = v;
    order[v] = v;
  }
  std::stable_sort(order.begin(), order.end(), [&](DWORD a, DWORD b) { return keys[a] < keys[b]; });
  for (DWORD i = 1; i < count; ++i) {
    const DWORD v = order[i];
    const DWORD previous = order[i - 1];
    float p[3];
    std::memcpy(p, mesh.VertexAt(v), sizeof p);
    const bool comparable = p[0] == p[0] && p[1] == p[1] && p[2] == p[2];
    if (comparable && keys[v] == keys[previous]) representative[v] = representative[previous];
  }
  return representative;
}

struct DirectedEdge {
  std::uint64_t key;  // start point << 32 | end point
  DWORD face;
  bool operator<(const DirectedEdge& o) const { return key != o.key ? key < o.key : face < o.face; }
};

std::uint64_t EdgeKey(DWORD from, DWORD to) { return (std::uint64_t(from) << 32) | to; }

}  // namespace

HRESULT ID3DXMesh::GenerateAdjacency(float epsilon, DWORD* adjacency) const {
  if (adjacency == nullptr) return D3DERR_INVALIDCALL;
  if (epsilon != 0.0f) return E_NOTIMPL;
  try {
    const std::vector<DWORD> point = PointRepresentatives(*this);
    std::vector<DirectedEdge> edges(std::size_t(num_faces_) * 3);
    auto corner = [&](std::size_t face, std::size_t c) { return point[IndexAt(face * 3 + c)]; };
    for (std::size_t f = 0; f < num_faces_; ++f) {
      for (std::size_t e = 0; e < 3; ++e) {
        edges[f * 3 + e] = {EdgeKey(corner(f, e), corner(f, (e + 1) % 3)), DWORD(f)};
      }
    }
    std::sort(edges.begin(), edges.end());
    for (std::size_t f = 0; f < num_faces_; ++f) {
      for (std::size_t e = 0; e < 3; ++e) {
        const std::uint64_t opposite = EdgeKey(corner(f, (e + 1) % 3), corner(f, e));
        auto it = std::lower_bound(edges.begin(), edges.end(), DirectedEdge{opposite, 0});
        while (it != edges.end() && it->key == opposite && it->face == f) ++it;
        adjacency[f * 3 + e] = (it != edges.end() && it->key == opposite) ? it->face : kD3DXNoNeighbour;
      }
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

}  // namespace ortolix
