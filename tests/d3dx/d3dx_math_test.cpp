#include "platform/d3dx/d3dx_math.h"

#include <gtest/gtest.h>

#include "tests/d3dx/mesh_test_support.h"

namespace ortolix {
namespace {

using testing::Translation;

D3DXMATRIX Scale(float s) {
  D3DXMATRIX m = D3DXIdentityMatrix();
  m.m[0][0] = m.m[1][1] = m.m[2][2] = s;
  return m;
}

TEST(D3DXMatrixMultiplyTest, AppliesTheLeftMatrixFirst) {
  // Scale then translate: the translation is not scaled.
  const D3DXMATRIX scale = Scale(2.0f);
  const D3DXMATRIX move = Translation(1.0f, 2.0f, 3.0f);
  D3DXMATRIX out;
  D3DXMatrixMultiply(&out, &scale, &move);
  EXPECT_FLOAT_EQ(out.m[0][0], 2.0f);
  EXPECT_FLOAT_EQ(out.m[3][0], 1.0f);
  EXPECT_FLOAT_EQ(out.m[3][2], 3.0f);
  // Translate then scale: the translation is scaled.
  D3DXMatrixMultiply(&out, &move, &scale);
  EXPECT_FLOAT_EQ(out.m[3][0], 2.0f);
  EXPECT_FLOAT_EQ(out.m[3][2], 6.0f);
}

TEST(D3DXMatrixMultiplyTest, GeneralProductAndAliasedOutput) {
  D3DXMATRIX a;
  D3DXMATRIX b;
  for (int i = 0; i < 16; ++i) {
    a.m[i / 4][i % 4] = float(i + 1);
    b.m[i / 4][i % 4] = float(16 - i);
  }
  // Row 0 of a is 1 2 3 4, column 0 of b is 16 12 8 4: 16 + 24 + 24 + 16.
  D3DXMATRIX expected;
  D3DXMatrixMultiply(&expected, &a, &b);
  EXPECT_FLOAT_EQ(expected.m[0][0], 80.0f);
  // Row 3 (13 14 15 16) with column 3 (13 9 5 1): 169 + 126 + 75 + 16.
  EXPECT_FLOAT_EQ(expected.m[3][3], 386.0f);
  EXPECT_EQ(D3DXMatrixMultiply(&a, &a, &b), &a);
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(a.m[i / 4][i % 4], expected.m[i / 4][i % 4]);
}

}  // namespace
}  // namespace ortolix
