// ID3DXSkinInfo::UpdateSkinnedMesh: software skinning of positions and
// normals.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/d3dx/d3dx_skin_info.h"
#include "platform/d3dx/fvf.h"

namespace ortolix {
namespace {

struct Float3 {
  float x, y, z;
};

Float3 Load3(const std::byte* at) {
  Float3 v;
  std::memcpy(&v, at, sizeof v);
  return v;
}

void Accumulate(std::byte* at, const Float3& add, float weight) {
  Float3 v = Load3(at);
  v.x += weight * add.x;
  v.y += weight * add.y;
  v.z += weight * add.z;
  std::memcpy(at, &v, sizeof v);
}

Float3 TransformPoint(const Float3& p, const D3DXMATRIX& m) {
  const float x = p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0];
  const float y = p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1];
  const float z = p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2];
  const float w = p.x * m.m[0][3] + p.y * m.m[1][3] + p.z * m.m[2][3] + m.m[3][3];
  return {x / w, y / w, z / w};
}

Float3 TransformNormal(const Float3& n, const D3DXMATRIX& m) {
  return {n.x * m.m[0][0] + n.y * m.m[1][0] + n.z * m.m[2][0],
          n.x * m.m[0][1] + n.y * m.m[1][1] + n.z * m.m[2][1],
          n.x * m.m[0][2] + n.y * m.m[1][2] + n.z * m.m[2][2]};
}

}  // namespace

HRESULT ID3DXSkinInfo::UpdateSkinnedMesh(const D3DXMATRIX* bones, const D3DXMATRIX* inv_transpose,
                                         const void* source, void* destination) const {
  if ((bones == nullptr && !bones_.empty()) || source == nullptr || destination == nullptr) {
    return D3DERR_INVALIDCALL;
  }
  const std::size_t stride = D3DXGetFVFVertexSize(fvf_);
  const std::size_t bytes = stride * vertex_count_;
  const auto* src = static_cast<const std::byte*>(source);
  auto* dst = static_cast<std::byte*>(destination);
  const auto src_at = reinterpret_cast<std::uintptr_t>(src);
  const auto dst_at = reinterpret_cast<std::uintptr_t>(dst);
  if (src_at < dst_at + bytes && dst_at < src_at + bytes) return D3DERR_INVALIDCALL;
  if ((fvf_ & D3DFVF_POSITION_MASK) == 0 || (fvf_ & D3DFVF_POSITION_MASK) == D3DFVF_XYZRHW) {
    return D3DERR_INVALIDCALL;
  }
  const bool has_normal = (fvf_ & D3DFVF_NORMAL) != 0;
  const std::size_t normal_offset = FvfNormalOffset(fvf_);
  std::memcpy(dst, src, bytes);
  for (std::size_t v = 0; v < vertex_count_; ++v) {
    std::memset(dst + v * stride, 0, 12);
    if (has_normal) std::memset(dst + v * stride + normal_offset, 0, 12);
  }
  for (std::size_t b = 0; b < bones_.size(); ++b) {
    const Bone& bone = bones_[b];
    const D3DXMATRIX& normal_matrix = inv_transpose != nullptr ? inv_transpose[b] : bones[b];
    for (std::size_t i = 0; i < bone.vertices.size(); ++i) {
      const std::size_t v = bone.vertices[i];
      if (v >= vertex_count_) continue;
      const float weight = bone.weights[i];
      Accumulate(dst + v * stride, TransformPoint(Load3(src + v * stride), bones[b]), weight);
      if (has_normal) {
        Accumulate(dst + v * stride + normal_offset,
                   TransformNormal(Load3(src + v * stride + normal_offset), normal_matrix), weight);
      }
    }
  }
  return S_OK;
}

}  // namespace ortolix
