// ID3DXSkinInfo::Remap: carries influences through a vertex reorder.
#include <new>
#include <vector>

#include "platform/d3dx/d3dx_skin_info.h"

namespace ortolix {
namespace {

// For each old vertex, the new vertices that came from it (ascending), as
// offsets into one flat list.
struct NewVerticesOfOld {
  std::vector<DWORD> start;  // old vertex count + 1 entries
  std::vector<DWORD> list;
};

NewVerticesOfOld InvertRemap(DWORD old_count, DWORD new_count, const DWORD* remap) {
  NewVerticesOfOld inverse;
  inverse.start.assign(std::size_t(old_count) + 1, 0);
  for (DWORD k = 0; k < new_count; ++k) {
    if (remap[k] < old_count) ++inverse.start[remap[k] + 1];
  }
  for (DWORD o = 0; o < old_count; ++o) inverse.start[o + 1] += inverse.start[o];
  inverse.list.resize(inverse.start[old_count]);
  std::vector<DWORD> fill(inverse.start.begin(), inverse.start.end() - 1);
  for (DWORD k = 0; k < new_count; ++k) {
    if (remap[k] < old_count) inverse.list[fill[remap[k]]++] = k;
  }
  return inverse;
}

}  // namespace

HRESULT ID3DXSkinInfo::Remap(DWORD count, const DWORD* remap) {
  if (remap == nullptr && count > 0) return D3DERR_INVALIDCALL;
  try {
    const NewVerticesOfOld inverse = InvertRemap(vertex_count_, count, remap);
    std::vector<Bone> remapped = bones_;
    for (std::size_t b = 0; b < bones_.size(); ++b) {
      Bone& target = remapped[b];
      target.vertices.clear();
      target.weights.clear();
      const Bone& source = bones_[b];
      for (std::size_t i = 0; i < source.vertices.size(); ++i) {
        const DWORD old_vertex = source.vertices[i];
        if (old_vertex >= vertex_count_) {
          target.vertices.push_back(old_vertex);
          target.weights.push_back(source.weights[i]);
          continue;
        }
        for (DWORD j = inverse.start[old_vertex]; j < inverse.start[old_vertex + 1]; ++j) {
          target.vertices.push_back(inverse.list[j]);
          target.weights.push_back(source.weights[i]);
        }
      }
    }
    bones_.swap(remapped);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  vertex_count_ = count;
  return S_OK;
}

}  // namespace ortolix
