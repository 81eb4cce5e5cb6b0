// ID3DXSkinInfo: the bones of a skinned mesh (name, offset matrix, vertex
// influences in the order they were set), the vertex format and count of the
// mesh they apply to, and software skinning of its vertices.
#pragma once

#include <string>
#include <vector>

#include "platform/d3dx/d3dx_types.h"

namespace ortolix {

class ID3DXSkinInfo;

// A skin with `bones` unnamed bones (identity offsets, no influences) over
// `vertices` vertices of format `fvf`, with one reference. D3DERR_INVALIDCALL
// for a null output; E_OUTOFMEMORY when memory runs out.
[[nodiscard]] HRESULT D3DXCreateSkinInfoFVF(DWORD vertices, DWORD fvf, DWORD bones,
                                            ID3DXSkinInfo** skin);

class ID3DXSkinInfo {
 public:
  [[nodiscard]] DWORD GetNumBones() const { return static_cast<DWORD>(bones_.size()); }
  // The vertex count the influences refer to (not a D3DX method; the
  // services and tests read it).
  [[nodiscard]] DWORD GetNumVertices() const { return vertex_count_; }

  // Owned by the skin; null when `bone` is out of range or has no name.
  [[nodiscard]] const char* GetBoneName(DWORD bone) const;
  [[nodiscard]] HRESULT SetBoneName(DWORD bone, const char* name);
  // Owned by the skin; null when `bone` is out of range.
  [[nodiscard]] const D3DXMATRIX* GetBoneOffsetMatrix(DWORD bone) const;
  [[nodiscard]] HRESULT SetBoneOffsetMatrix(DWORD bone, const D3DXMATRIX* offset);
  // 0 when `bone` is out of range.
  [[nodiscard]] DWORD GetNumBoneInfluences(DWORD bone) const;
  // Copies the bone's vertex indices and weights (GetNumBoneInfluences
  // entries each) in the order they were set. `weights` may be null.
  // D3DERR_INVALIDCALL for a bone out of range or null `vertices`.
  [[nodiscard]] HRESULT GetBoneInfluence(DWORD bone, DWORD* vertices, float* weights) const;
  // Replaces the bone's influences with `count` pairs. Vertex indices are
  // kept as given, also those beyond the vertex count.
  [[nodiscard]] HRESULT SetBoneInfluence(DWORD bone, DWORD count, const DWORD* vertices,
                                         const float* weights);

  // After the mesh's vertices were reordered: `remap[k]` is the old index of
  // the vertex now at k, for `count` new vertices. Each influence on old
  // vertex o becomes one influence per k with remap[k] == o (ascending k, at
  // o's place in the bone's list); influences on old vertices that no k
  // names are dropped; influences whose vertex was already beyond the old
  // vertex count are kept unchanged. The vertex count becomes `count`.
  [[nodiscard]] HRESULT Remap(DWORD count, const DWORD* remap);

  [[nodiscard]] HRESULT SetFVF(DWORD fvf);
  [[nodiscard]] DWORD GetFVF() const { return fvf_; }

  // Software skinning of GetNumVertices() vertices of the skin's format
  // (stride D3DXGetFVFVertexSize(GetFVF())): every destination vertex first
  // gets the source vertex with position and normal zeroed; then for each
  // bone b and influence (v, w) with v in range, position v gains
  // w x ((x, y, z, 1) x bones[b] divided by its w) and normal v gains
  // w x (normal x the upper 3x3 of inv_transpose[b], or of bones[b] when
  // inv_transpose is null). Normals are not renormalised. `bones` holds
  // GetNumBones() matrices; source and destination must not overlap.
  [[nodiscard]] HRESULT UpdateSkinnedMesh(const D3DXMATRIX* bones, const D3DXMATRIX* inv_transpose,
                                          const void* source, void* destination) const;

  DWORD AddRef() { return ++references_; }
  DWORD Release();

  ID3DXSkinInfo(const ID3DXSkinInfo&) = delete;
  ID3DXSkinInfo& operator=(const ID3DXSkinInfo&) = delete;

 private:
  friend HRESULT D3DXCreateSkinInfoFVF(DWORD, DWORD, DWORD, ID3DXSkinInfo**);
  ID3DXSkinInfo() = default;
  ~ID3DXSkinInfo() = default;

  struct Bone {
    std::string name;
    bool named = false;
    D3DXMATRIX offset;
    std::vector<DWORD> vertices;
    std::vector<float> weights;
  };

  std::vector<Bone> bones_;
  DWORD vertex_count_ = 0;
  DWORD fvf_ = 0;
  DWORD references_ = 1;
};

}  // namespace ortolix
