// Posing one skinned mesh into the frames' pose as the file gives it:
// bone matrix = offset x world matrix of the bone's frame, applied by the
// skin's software skinning. Vertices the pose cannot place keep their
// stored position.
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/d3dx/d3dx_math.h"
#include "platform/d3dx/fvf.h"
#include "ximport/read_context.h"

namespace ortolix {
namespace {

struct VertexInfluence {
  std::uint32_t count = 0;
  float weight_sum = 0.0f;
};

HRESULT LockFirstOf(ID3DXMesh& mesh, std::initializer_list<DWORD> flags, void** data) {
  HRESULT hr = E_FAIL;
  for (DWORD flag : flags) {
    hr = mesh.LockVertexBuffer(flag, data);
    if (hr >= 0) return hr;
  }
  return hr;
}

std::vector<VertexInfluence> CountInfluences(const ID3DXSkinInfo& skin, DWORD vertex_count) {
  std::vector<VertexInfluence> info(vertex_count);
  std::vector<DWORD> vertices;
  std::vector<float> weights;
  for (DWORD b = 0; b < skin.GetNumBones(); ++b) {
    const DWORD n = skin.GetNumBoneInfluences(b);
    vertices.resize(n);
    weights.resize(n);
    if (n == 0 || skin.GetBoneInfluence(b, vertices.data(), weights.data()) < 0) continue;
    for (DWORD i = 0; i < n; ++i) {
      if (vertices[i] >= vertex_count) continue;
      ++info[vertices[i]].count;
      info[vertices[i]].weight_sum += weights[i];
    }
  }
  return info;
}

// Puts the loaded position back where the pose has no answer: a NaN, no
// influence, or no positive weight and a posed position of exactly 0.
// Positions sit at the start of each vertex in every format with XYZ.
void RestoreUnplaced(std::byte* vertices, const std::byte* saved, DWORD stride,
                     const std::vector<VertexInfluence>& info) {
  for (std::size_t v = 0; v < info.size(); ++v) {
    float p[3];
    std::memcpy(p, vertices + v * stride, 12);
    const bool nan = std::isnan(p[0]) || std::isnan(p[1]) || std::isnan(p[2]);
    const bool at_origin = p[0] == 0.0f && p[1] == 0.0f && p[2] == 0.0f;
    if (nan || info[v].count == 0 || (info[v].weight_sum <= 0.0f && at_origin)) {
      std::memcpy(vertices + v * stride, saved + v * stride, 12);
    }
  }
}

HRESULT Skin(ID3DXMesh& mesh, const std::byte* source, const ID3DXSkinInfo& skin,
             const std::vector<D3DXMATRIX>& bones) {
  void* destination = nullptr;
  if (const HRESULT hr = mesh.LockVertexBuffer(0, &destination); hr < 0) return hr;
  const HRESULT hr = skin.UpdateSkinnedMesh(bones.data(), nullptr, source, destination);
  (void)mesh.UnlockVertexBuffer();
  return hr;
}

}  // namespace

HRESULT PoseSkinnedMesh(XFileReader& reader, MeshContainer& container) {
  ID3DXMesh* mesh = container.mesh.get();
  ID3DXSkinInfo* skin = container.skin_info.get();
  if (reader.device == nullptr || mesh == nullptr || skin == nullptr ||
      container.bone_matrix_pointers.empty() || skin->GetNumBones() == 0) {
    return S_OK;
  }
  const DWORD bone_count = skin->GetNumBones();
  std::vector<D3DXMATRIX> bones(bone_count, D3DXIdentityMatrix());
  for (DWORD b = 0; b < bone_count && b < container.bone_matrix_pointers.size(); ++b) {
    const D3DXMATRIX* offset = skin->GetBoneOffsetMatrix(b);
    const D3DXMATRIX* world = container.bone_matrix_pointers[b];
    if (offset != nullptr && world != nullptr) D3DXMatrixMultiply(&bones[b], offset, world);
  }
  const DWORD vertex_count = mesh->GetNumVertices();
  const DWORD stride = D3DXGetFVFVertexSize(mesh->GetFVF());
  const std::vector<VertexInfluence> info = CountInfluences(*skin, vertex_count);

  // The vertices as loaded: the skinning's source, and the positions put
  // back where the pose has no answer. A copy of the vertex buffer is all a
  // clone in the mesh's own format would be used for.
  const std::size_t bytes = std::size_t(vertex_count) * stride;
  const std::unique_ptr<std::byte[]> loaded = std::make_unique_for_overwrite<std::byte[]>(bytes);
  void* data = nullptr;
  if (LockFirstOf(*mesh, {0, D3DLOCK_NOSYSLOCK, D3DLOCK_READONLY, D3DLOCK_DISCARD}, &data) < 0) return E_FAIL;
  if (bytes != 0) std::memcpy(loaded.get(), data, bytes);
  (void)mesh->UnlockVertexBuffer();

  (void)Skin(*mesh, loaded.get(), *skin, bones);

  if (LockFirstOf(*mesh, {0, D3DLOCK_NOSYSLOCK, D3DLOCK_DISCARD}, &data) < 0) return E_FAIL;
  RestoreUnplaced(static_cast<std::byte*>(data), loaded.get(), stride, info);
  (void)mesh->UnlockVertexBuffer();
  return S_OK;
}

}  // namespace ortolix
