// ID3DXMesh::CloneMeshFVF: a copy of a mesh in another vertex format and
// index width.
#include <cstring>
#include <new>

#include "platform/d3dx/d3dx_mesh.h"
#include "platform/d3dx/fvf.h"
#include "platform/d3dx/vertex_convert.h"

namespace ortolix {

HRESULT ID3DXMesh::CloneMeshFVF(DWORD options, DWORD fvf, IDirect3DDevice9* device,
                                ID3DXMesh** clone) const {
  if (clone == nullptr) return D3DERR_INVALIDCALL;
  *clone = nullptr;
  ID3DXMesh* copy = nullptr;
  if (const HRESULT hr = D3DXCreateMeshFVF(num_faces_, num_vertices_, options, fvf, device, &copy);
      hr < 0) {
    return hr;
  }
  if (fvf == fvf_) {
    std::memcpy(copy->vertices_.data(), vertices_.data(), vertices_.size());
  } else {
    FvfLayout from;
    FvfLayout to;
    if (!BuildFvfLayout(fvf_, from) || !BuildFvfLayout(fvf, to)) {
      copy->Release();
      return D3DERR_INVALIDCALL;
    }
    for (DWORD v = 0; v < num_vertices_; ++v) {
      CopyMatchingElements(from, VertexAt(v), to, copy->vertices_.data() + std::size_t(v) * to.stride);
    }
  }
  const std::size_t index_count = std::size_t(num_faces_) * 3;
  for (std::size_t i = 0; i < index_count; ++i) copy->SetIndex(i, IndexAt(i));
  copy->attributes_ = attributes_;  // same size; no allocation beyond the mesh's own
  try {
    copy->attribute_table_ = attribute_table_;
  } catch (const std::bad_alloc&) {
    copy->Release();
    return E_OUTOFMEMORY;
  }
  *clone = copy;
  return S_OK;
}

}  // namespace ortolix
