// ID3DXMesh::Optimize with attribute sorting. Vertices stay where they are:
// the vertex remap is the identity, so skin information and anything else
// indexed by vertex stays valid without loss.
#include <algorithm>
#include <cstring>
#include <new>
#include <numeric>
#include <vector>

#include "platform/d3dx/com_ref.h"
#include "platform/d3dx/d3dx_mesh.h"

namespace ortolix {
namespace {

constexpr DWORD kSupportedOptimizeFlags = D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_IGNOREVERTS |
                                          D3DXMESHOPT_DONOTSPLIT | D3DXMESHOPT_COMPACT |
                                          D3DXMESHOPT_DEVICEINDEPENDENT;
constexpr DWORD kOptimizeMask = 0xFFC00000u;  // the D3DXMESHOPT_* bits

// Adjacency of the sorted faces: entries moved to the new face positions and
// the faces they name renumbered.
void CarryAdjacency(const DWORD* in, const std::vector<DWORD>& old_of_new,
                    const std::vector<DWORD>& new_of_old, DWORD* out) {
  const std::size_t faces = old_of_new.size();
  std::vector<DWORD> moved(faces * 3);
  for (std::size_t n = 0; n < faces; ++n) {
    for (std::size_t e = 0; e < 3; ++e) {
      const DWORD neighbour = in[std::size_t(old_of_new[n]) * 3 + e];
      moved[n * 3 + e] = neighbour < faces ? new_of_old[neighbour] : kD3DXNoNeighbour;
    }
  }
  std::copy(moved.begin(), moved.end(), out);
}

}  // namespace

HRESULT ID3DXMesh::Optimize(DWORD flags, const DWORD* adjacency_in, DWORD* adjacency_out,
                            DWORD* face_remap, ID3DXBuffer** vertex_remap,
                            ID3DXMesh** optimized) const {
  if (optimized == nullptr || flags == 0) return D3DERR_INVALIDCALL;
  *optimized = nullptr;
  if (vertex_remap != nullptr) *vertex_remap = nullptr;
  const DWORD optimizations = flags & kOptimizeMask;
  if ((optimizations & D3DXMESHOPT_ATTRSORT) == 0 ||
      (optimizations & ~kSupportedOptimizeFlags) != 0) {
    return E_NOTIMPL;
  }
  try {
    std::vector<DWORD> old_of_new(num_faces_);
    std::iota(old_of_new.begin(), old_of_new.end(), 0u);
    std::stable_sort(old_of_new.begin(), old_of_new.end(),
                     [&](DWORD a, DWORD b) { return attributes_[a] < attributes_[b]; });
    std::vector<DWORD> new_of_old(num_faces_);
    for (DWORD n = 0; n < num_faces_; ++n) new_of_old[old_of_new[n]] = n;

    ComRef<ID3DXMesh> copy;
    if (const HRESULT hr =
            D3DXCreateMeshFVF(num_faces_, num_vertices_, options_, fvf_, device_, copy.Out());
        hr < 0) {
      return hr;
    }
    std::memcpy(copy->vertices_.data(), vertices_.data(), vertices_.size());
    for (DWORD n = 0; n < num_faces_; ++n) {
      const std::size_t old_face = old_of_new[n];
      for (std::size_t c = 0; c < 3; ++c) copy->SetIndex(n * 3 + c, IndexAt(old_face * 3 + c));
      copy->attributes_[n] = attributes_[old_face];
    }
    copy->BuildAttributeTable();

    ComRef<ID3DXBuffer> remap;
    if (vertex_remap != nullptr) {
      remap = ComRef(ID3DXBuffer::Create(std::size_t(num_vertices_) * sizeof(DWORD)));
      if (!remap) return E_OUTOFMEMORY;
      auto* entries = static_cast<DWORD*>(remap->GetBufferPointer());
      std::iota(entries, entries + num_vertices_, 0u);
    }
    if (adjacency_out != nullptr) {
      if (adjacency_in != nullptr) {
        CarryAdjacency(adjacency_in, old_of_new, new_of_old, adjacency_out);
      } else {
        std::fill_n(adjacency_out, std::size_t(num_faces_) * 3, kD3DXNoNeighbour);
      }
    }
    if (face_remap != nullptr) std::copy(old_of_new.begin(), old_of_new.end(), face_remap);
    if (vertex_remap != nullptr) *vertex_remap = remap.Detach();
    *optimized = copy.Detach();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

void ID3DXMesh::BuildAttributeTable() {
  attribute_table_.clear();
  for (DWORD face = 0; face < num_faces_; ++face) {
    const DWORD id = attributes_[face];
    if (attribute_table_.empty() || attribute_table_.back().AttribId != id) {
      attribute_table_.push_back({id, face, 0, 0xFFFFFFFFu, 0});
    }
    D3DXATTRIBUTERANGE& range = attribute_table_.back();
    ++range.FaceCount;
    // VertexCount holds the largest index until the run is closed below.
    for (std::size_t c = 0; c < 3; ++c) {
      const DWORD index = IndexAt(std::size_t(face) * 3 + c);
      range.VertexStart = std::min(range.VertexStart, index);
      range.VertexCount = std::max(range.VertexCount, index);
    }
  }
  for (D3DXATTRIBUTERANGE& range : attribute_table_) {
    range.VertexCount = range.VertexCount - range.VertexStart + 1;
  }
}

}  // namespace ortolix
