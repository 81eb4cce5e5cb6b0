#include "platform/d3dx/d3dx_math.h"

namespace ortolix {

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b) {
  D3DXMATRIX product;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      product.m[r][c] = a->m[r][0] * b->m[0][c] + a->m[r][1] * b->m[1][c] +
                        a->m[r][2] * b->m[2][c] + a->m[r][3] * b->m[3][c];
    }
  }
  *out = product;
  return out;
}

D3DXMATRIX D3DXIdentityMatrix() {
  D3DXMATRIX identity{};
  for (int i = 0; i < 4; ++i) identity.m[i][i] = 1.0f;
  return identity;
}

}  // namespace ortolix
