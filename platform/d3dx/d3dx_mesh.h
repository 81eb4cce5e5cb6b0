// ID3DXMesh: a triangle mesh with a vertex buffer in a flexible vertex
// format, a 16- or 32-bit index buffer, one attribute id per face and an
// attribute table. Shaped like the D3DX interface: HRESULT results, buffers
// reached through Lock/Unlock, one reference per holder ended by Release.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/d3dx/d3d9_device.h"
#include "platform/d3dx/d3dx_buffer.h"
#include "platform/d3dx/d3dx_types.h"

namespace ortolix {

class ID3DXMesh;

// A new mesh with `faces` zeroed faces, `vertices` zeroed vertices of format
// `fvf` and every attribute 0, with one reference. D3DERR_INVALIDCALL for a
// null device or output, no faces or no vertices, a format without an element
// layout, or more than 65535 vertices without D3DXMESH_32BIT; E_OUTOFMEMORY
// when the buffers cannot be had.
[[nodiscard]] HRESULT D3DXCreateMeshFVF(DWORD faces, DWORD vertices, DWORD options, DWORD fvf,
                                        IDirect3DDevice9* device, ID3DXMesh** mesh);

class ID3DXMesh {
 public:
  [[nodiscard]] DWORD GetNumFaces() const { return num_faces_; }
  [[nodiscard]] DWORD GetNumVertices() const { return num_vertices_; }
  [[nodiscard]] DWORD GetFVF() const { return fvf_; }
  // The creation options; bit D3DXMESH_32BIT selects 32-bit indices.
  [[nodiscard]] DWORD GetOptions() const { return options_; }
  [[nodiscard]] DWORD GetNumBytesPerVertex() const { return stride_; }
  // The device the mesh was made on, with a new reference.
  HRESULT GetDevice(IDirect3DDevice9** device) const;

  // Locks give the whole buffer: vertices (stride x count bytes), indices
  // (3 per face, 2 or 4 bytes each) or attributes (one DWORD per face). Any
  // combination of the D3DLOCK_* flags is accepted; unknown bits, a null
  // output or the lock test switch give D3DERR_INVALIDCALL. Locks nest; each
  // Unlock ends one, and an Unlock without a Lock is D3DERR_INVALIDCALL.
  // Locking the attributes without D3DLOCK_READONLY drops the attribute table.
  [[nodiscard]] HRESULT LockVertexBuffer(DWORD flags, void** data);
  HRESULT UnlockVertexBuffer();
  [[nodiscard]] HRESULT LockIndexBuffer(DWORD flags, void** data);
  HRESULT UnlockIndexBuffer();
  [[nodiscard]] HRESULT LockAttributeBuffer(DWORD flags, DWORD** data);
  HRESULT UnlockAttributeBuffer();

  // *count = number of entries (0 when the mesh has none); with a table, all
  // entries are also copied into it, so it must hold that many (ask first
  // with a null table). D3DERR_INVALIDCALL for a null count.
  HRESULT GetAttributeTable(D3DXATTRIBUTERANGE* table, DWORD* count) const;
  // Replaces the attribute table with `count` entries.
  [[nodiscard]] HRESULT SetAttributeTable(const D3DXATTRIBUTERANGE* table, DWORD count);

  // Three DWORDs per face: for edge e (corner e to corner (e + 1) mod 3) the
  // face sharing that edge in the opposite direction, or 0xFFFFFFFF. Two
  // corners are the same point when their indices are equal or their
  // positions are exactly equal; only epsilon 0 is supported (E_NOTIMPL
  // otherwise). `adjacency` holds 3 x GetNumFaces() DWORDs.
  [[nodiscard]] HRESULT GenerateAdjacency(float epsilon, DWORD* adjacency) const;

  // A copy in format `fvf` with `options` (index width converted): elements
  // of the same usage and index are copied or converted, elements the source
  // lacks are zero. Faces, attributes and attribute table are copied.
  [[nodiscard]] HRESULT CloneMeshFVF(DWORD options, DWORD fvf, IDirect3DDevice9* device,
                                     ID3DXMesh** clone) const;

  // An optimized copy. Supported: D3DXMESHOPT_ATTRSORT (optionally with
  // IGNOREVERTS, DONOTSPLIT, COMPACT, DEVICEINDEPENDENT). Faces are sorted
  // stably by attribute id; vertices stay where they are (identity vertex
  // remap); the attribute table gets one entry per attribute id in use.
  // `adjacency_in` (3 DWORDs per face, may be null) is carried to
  // `adjacency_out` with faces renumbered; `face_remap` receives the old face
  // index of each new face. Either output may be null. Flags 0 or a null
  // output mesh: D3DERR_INVALIDCALL; any other optimization: E_NOTIMPL.
  [[nodiscard]] HRESULT Optimize(DWORD flags, const DWORD* adjacency_in, DWORD* adjacency_out,
                                 DWORD* face_remap, ID3DXBuffer** vertex_remap,
                                 ID3DXMesh** optimized) const;

  DWORD AddRef() { return ++references_; }
  DWORD Release();

  // Direct reads for the services' own code (no lock bookkeeping).
  [[nodiscard]] DWORD IndexAt(std::size_t position) const;
  [[nodiscard]] const std::byte* VertexAt(DWORD vertex) const {
    return vertices_.data() + static_cast<std::size_t>(vertex) * stride_;
  }

  ID3DXMesh(const ID3DXMesh&) = delete;
  ID3DXMesh& operator=(const ID3DXMesh&) = delete;

 private:
  friend HRESULT D3DXCreateMeshFVF(DWORD, DWORD, DWORD, DWORD, IDirect3DDevice9*, ID3DXMesh**);
  ID3DXMesh() = default;
  ~ID3DXMesh();

  [[nodiscard]] bool Uses32BitIndices() const { return (options_ & D3DXMESH_32BIT) != 0; }
  void SetIndex(std::size_t position, DWORD value);
  // One range per run of equal attribute ids, in face order (may throw
  // std::bad_alloc).
  void BuildAttributeTable();
  [[nodiscard]] static HRESULT CheckLock(DWORD flags, const void* out);

  IDirect3DDevice9* device_ = nullptr;  // one reference, ended with the mesh
  DWORD options_ = 0;
  DWORD fvf_ = 0;
  DWORD stride_ = 0;
  DWORD num_faces_ = 0;
  DWORD num_vertices_ = 0;
  std::vector<std::byte> vertices_;
  std::vector<std::byte> indices_;
  std::vector<DWORD> attributes_;
  std::vector<D3DXATTRIBUTERANGE> attribute_table_;
  DWORD vertex_locks_ = 0;
  DWORD index_locks_ = 0;
  DWORD attribute_locks_ = 0;
  DWORD references_ = 1;
};

}  // namespace ortolix
