#include "platform/d3dx/d3dx_skin_info.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/d3dx/d3dx_math.h"
#include "platform/d3dx/fvf.h"

namespace ortolix {

HRESULT D3DXCreateSkinInfoFVF(DWORD vertices, DWORD fvf, DWORD bones, ID3DXSkinInfo** skin) {
  if (skin == nullptr) return D3DERR_INVALIDCALL;
  *skin = nullptr;
  auto* created = new (std::nothrow) ID3DXSkinInfo;
  if (created == nullptr) return E_OUTOFMEMORY;
  try {
    created->bones_.resize(bones);
  } catch (const std::bad_alloc&) {
    created->Release();
    return E_OUTOFMEMORY;
  }
  for (auto& bone : created->bones_) bone.offset = D3DXIdentityMatrix();
  created->vertex_count_ = vertices;
  created->fvf_ = fvf;
  *skin = created;
  return S_OK;
}

DWORD ID3DXSkinInfo::Release() {
  const DWORD left = --references_;
  if (left == 0) delete this;
  return left;
}

const char* ID3DXSkinInfo::GetBoneName(DWORD bone) const {
  if (bone >= bones_.size() || !bones_[bone].named) return nullptr;
  return bones_[bone].name.c_str();
}

HRESULT ID3DXSkinInfo::SetBoneName(DWORD bone, const char* name) {
  if (bone >= bones_.size() || name == nullptr) return D3DERR_INVALIDCALL;
  try {
    bones_[bone].name = name;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  bones_[bone].named = true;
  return S_OK;
}

const D3DXMATRIX* ID3DXSkinInfo::GetBoneOffsetMatrix(DWORD bone) const {
  return bone < bones_.size() ? &bones_[bone].offset : nullptr;
}

HRESULT ID3DXSkinInfo::SetBoneOffsetMatrix(DWORD bone, const D3DXMATRIX* offset) {
  if (bone >= bones_.size() || offset == nullptr) return D3DERR_INVALIDCALL;
  bones_[bone].offset = *offset;
  return S_OK;
}

DWORD ID3DXSkinInfo::GetNumBoneInfluences(DWORD bone) const {
  return bone < bones_.size() ? static_cast<DWORD>(bones_[bone].vertices.size()) : 0;
}

HRESULT ID3DXSkinInfo::GetBoneInfluence(DWORD bone, DWORD* vertices, float* weights) const {
  if (bone >= bones_.size() || vertices == nullptr) return D3DERR_INVALIDCALL;
  const Bone& b = bones_[bone];
  std::copy(b.vertices.begin(), b.vertices.end(), vertices);
  if (weights != nullptr) std::copy(b.weights.begin(), b.weights.end(), weights);
  return S_OK;
}

HRESULT ID3DXSkinInfo::SetBoneInfluence(DWORD bone, DWORD count, const DWORD* vertices,
                                        const float* weights) {
  if (bone >= bones_.size() || (count > 0 && (vertices == nullptr || weights == nullptr))) {
    return D3DERR_INVALIDCALL;
  }
  try {
    bones_[bone].vertices.assign(vertices, vertices + count);
    bones_[bone].weights.assign(weights, weights + count);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT ID3DXSkinInfo::SetFVF(DWORD fvf) {
  FvfLayout layout;
  if (!BuildFvfLayout(fvf, layout)) return D3DERR_INVALIDCALL;
  fvf_ = fvf;
  return S_OK;
}

}  // namespace ortolix
