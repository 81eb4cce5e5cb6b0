#include "platform/d3dx/d3dx_mesh.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/d3dx/fvf.h"

namespace ortolix {

HRESULT D3DXCreateMeshFVF(DWORD faces, DWORD vertices, DWORD options, DWORD fvf,
                          IDirect3DDevice9* device, ID3DXMesh** mesh) {
  if (mesh == nullptr) return D3DERR_INVALIDCALL;
  *mesh = nullptr;
  FvfLayout layout;
  if (device == nullptr || faces == 0 || vertices == 0 || !BuildFvfLayout(fvf, layout)) {
    return D3DERR_INVALIDCALL;
  }
  const bool wide = (options & D3DXMESH_32BIT) != 0;
  if (!wide && vertices > 0xFFFFu) return D3DERR_INVALIDCALL;
  auto* created = new (std::nothrow) ID3DXMesh;
  if (created == nullptr) return E_OUTOFMEMORY;
  device->AddRef();
  created->device_ = device;
  try {
    created->options_ = options;
    created->fvf_ = fvf;
    created->stride_ = layout.stride;
    created->num_faces_ = faces;
    created->num_vertices_ = vertices;
    created->vertices_.resize(static_cast<std::size_t>(vertices) * layout.stride);
    created->indices_.resize(static_cast<std::size_t>(faces) * 3 * (wide ? 4 : 2));
    created->attributes_.resize(faces);
  } catch (const std::bad_alloc&) {
    created->Release();
    return E_OUTOFMEMORY;
  }
  *mesh = created;
  return S_OK;
}

ID3DXMesh::~ID3DXMesh() {
  if (device_ != nullptr) device_->Release();
}

HRESULT ID3DXMesh::GetDevice(IDirect3DDevice9** device) const {
  if (device == nullptr) return D3DERR_INVALIDCALL;
  device_->AddRef();
  *device = device_;
  return S_OK;
}

DWORD ID3DXMesh::Release() {
  const DWORD left = --references_;
  if (left == 0) delete this;
  return left;
}

DWORD ID3DXMesh::IndexAt(std::size_t position) const {
  if (Uses32BitIndices()) {
    std::uint32_t value;
    std::memcpy(&value, indices_.data() + position * 4, 4);
    return value;
  }
  std::uint16_t value;
  std::memcpy(&value, indices_.data() + position * 2, 2);
  return value;
}

void ID3DXMesh::SetIndex(std::size_t position, DWORD value) {
  if (Uses32BitIndices()) {
    const std::uint32_t wide = value;
    std::memcpy(indices_.data() + position * 4, &wide, 4);
  } else {
    const auto narrow = static_cast<std::uint16_t>(value);
    std::memcpy(indices_.data() + position * 2, &narrow, 2);
  }
}

HRESULT ID3DXMesh::CheckLock(DWORD flags, const void* out) {
  if (out == nullptr || (flags & ~kD3DLockKnownFlags) != 0) return D3DERR_INVALIDCALL;
  if (D3DXTestSwitchesForTesting().fail_buffer_locks) return D3DERR_INVALIDCALL;
  return S_OK;
}

HRESULT ID3DXMesh::LockVertexBuffer(DWORD flags, void** data) {
  if (const HRESULT hr = CheckLock(flags, data); hr < 0) return hr;
  ++vertex_locks_;
  *data = vertices_.data();
  return S_OK;
}

HRESULT ID3DXMesh::UnlockVertexBuffer() {
  if (vertex_locks_ == 0) return D3DERR_INVALIDCALL;
  --vertex_locks_;
  return S_OK;
}

HRESULT ID3DXMesh::LockIndexBuffer(DWORD flags, void** data) {
  if (const HRESULT hr = CheckLock(flags, data); hr < 0) return hr;
  ++index_locks_;
  *data = indices_.data();
  return S_OK;
}

HRESULT ID3DXMesh::UnlockIndexBuffer() {
  if (index_locks_ == 0) return D3DERR_INVALIDCALL;
  --index_locks_;
  return S_OK;
}

HRESULT ID3DXMesh::LockAttributeBuffer(DWORD flags, DWORD** data) {
  if (const HRESULT hr = CheckLock(flags, data); hr < 0) return hr;
  ++attribute_locks_;
  if ((flags & D3DLOCK_READONLY) == 0) attribute_table_.clear();
  *data = attributes_.data();
  return S_OK;
}

HRESULT ID3DXMesh::UnlockAttributeBuffer() {
  if (attribute_locks_ == 0) return D3DERR_INVALIDCALL;
  --attribute_locks_;
  return S_OK;
}

HRESULT ID3DXMesh::GetAttributeTable(D3DXATTRIBUTERANGE* table, DWORD* count) const {
  if (count == nullptr) return D3DERR_INVALIDCALL;
  *count = static_cast<DWORD>(attribute_table_.size());
  if (table != nullptr) std::copy(attribute_table_.begin(), attribute_table_.end(), table);
  return S_OK;
}

HRESULT ID3DXMesh::SetAttributeTable(const D3DXATTRIBUTERANGE* table, DWORD count) {
  if (table == nullptr && count != 0) return D3DERR_INVALIDCALL;
  try {
    attribute_table_.assign(table, table + count);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

}  // namespace ortolix
