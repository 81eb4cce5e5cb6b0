// Matrix product of the mesh services.
#pragma once

#include "platform/d3dx/d3dx_types.h"

namespace ortolix {

// out = a x b for row-vector matrices (apply a, then b). `out` may be `a` or
// `b`. Returns `out`.
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b);

// The identity matrix.
[[nodiscard]] D3DXMATRIX D3DXIdentityMatrix();

}  // namespace ortolix
