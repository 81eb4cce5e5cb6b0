// Small readers and builders shared by the mesh tests.
#pragma once

#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/d3dx/d3dx_math.h"
#include "platform/d3dx/d3dx_mesh.h"

namespace ortolix::test {

// The mesh's index buffer as DWORDs, 3 per face.
inline std::vector<DWORD> Indices(const ID3DXMesh& mesh) {
  std::vector<DWORD> out(std::size_t(mesh.GetNumFaces()) * 3);
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = mesh.IndexAt(i);
  return out;
}

inline std::vector<float> FloatsAt(const std::byte* at, std::size_t count) {
  std::vector<float> out(count);
  std::memcpy(out.data(), at, count * sizeof(float));
  return out;
}

// An attribute range as {id, first face, faces, first vertex, vertices}.
inline std::vector<DWORD> RangeOf(const D3DXATTRIBUTERANGE& r) {
  return {r.AttribId, r.FaceStart, r.FaceCount, r.VertexStart, r.VertexCount};
}

inline D3DXMATRIX Translation(float x, float y, float z) {
  D3DXMATRIX m = D3DXIdentityMatrix();
  m.m[3][0] = x;
  m.m[3][1] = y;
  m.m[3][2] = z;
  return m;
}

}  // namespace ortolix::test
