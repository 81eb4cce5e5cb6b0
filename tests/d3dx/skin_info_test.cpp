#include "platform/d3dx/d3dx_skin_info.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "platform/d3dx/com_ref.h"
#include "platform/d3dx/d3dx_math.h"
#include "platform/d3dx/fvf.h"

namespace ortolix {
namespace {

std::pair<std::vector<DWORD>, std::vector<float>> Influences(const ID3DXSkinInfo& skin, DWORD bone) {
  std::vector<DWORD> vertices(skin.GetNumBoneInfluences(bone));
  std::vector<float> weights(vertices.size());
  EXPECT_EQ(skin.GetBoneInfluence(bone, vertices.data(), weights.data()), S_OK);
  return {vertices, weights};
}

TEST(SkinInfoTest, BonesOutOfRangeGiveNullAndZero) {
  ComRef<ID3DXSkinInfo> skin;
  ASSERT_EQ(D3DXCreateSkinInfoFVF(4, D3DFVF_XYZ, 0, skin.Out()), S_OK);
  EXPECT_EQ(skin->GetBoneName(0), nullptr);
  EXPECT_EQ(skin->GetBoneOffsetMatrix(0), nullptr);
  EXPECT_EQ(skin->GetNumBoneInfluences(0), 0u);
  DWORD vertex = 0;
  EXPECT_EQ(skin->GetBoneInfluence(0, &vertex, nullptr), D3DERR_INVALIDCALL);
  EXPECT_EQ(skin->SetFVF(D3DFVF_XYZB5), D3DERR_INVALIDCALL);
  EXPECT_EQ(skin->GetFVF(), D3DFVF_XYZ);
}

TEST(SkinInfoTest, RemapAfterAReorderSplitsAndDrops) {
  ComRef<ID3DXSkinInfo> skin;
  ASSERT_EQ(D3DXCreateSkinInfoFVF(4, D3DFVF_XYZ, 1, skin.Out()), S_OK);
  // Vertex 7 lies beyond the mesh and is kept as it is.
  const DWORD vertices[] = {2, 0, 7, 1, 3};
  const float weights[] = {0.2f, 0.4f, 0.6f, 0.8f, 1.0f};
  ASSERT_EQ(skin->SetBoneInfluence(0, 5, vertices, weights), S_OK);
  // New vertex k came from old remap[k]: old 0 at 1 and 4, old 2 at 0, old 3
  // at 2 and 3; old 1 is gone.
  const DWORD remap[] = {2, 0, 3, 3, 0};
  ASSERT_EQ(skin->Remap(5, remap), S_OK);
  EXPECT_EQ(skin->GetNumVertices(), 5u);
  EXPECT_EQ(Influences(*skin, 0).first, (std::vector<DWORD>{0, 1, 4, 7, 2, 3}));
  EXPECT_EQ(Influences(*skin, 0).second, (std::vector<float>{0.2f, 0.4f, 0.4f, 0.6f, 1.0f, 1.0f}));
}

struct SkinVertex {
  float position[3];
  float normal[3];
  std::uint32_t colour;
};

TEST(SkinInfoTest, UpdateSkinnedMeshBlendsPositionsAndNormalsAndCopiesTheRest) {
  const DWORD fvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE;
  ASSERT_EQ(D3DXGetFVFVertexSize(fvf), sizeof(SkinVertex));
  ComRef<ID3DXSkinInfo> skin;
  ASSERT_EQ(D3DXCreateSkinInfoFVF(3, fvf, 2, skin.Out()), S_OK);
  // Bone 0 moves by (10, 0, 0); bone 1 turns 90 degrees about z (x -> y).
  D3DXMATRIX bones[2] = {D3DXIdentityMatrix(), D3DXIdentityMatrix()};
  bones[0].m[3][0] = 10.0f;
  bones[1].m[0][0] = bones[1].m[1][1] = 0.0f;
  bones[1].m[0][1] = 1.0f;
  bones[1].m[1][0] = -1.0f;
  const DWORD v0[] = {0, 1}, v1[] = {1};
  const float w0[] = {1.0f, 0.5f}, w1[] = {0.5f};
  ASSERT_EQ(skin->SetBoneInfluence(0, 2, v0, w0), S_OK);
  ASSERT_EQ(skin->SetBoneInfluence(1, 1, v1, w1), S_OK);
  const SkinVertex source[3] = {{{1, 2, 3}, {0, 0, 1}, 0xFF102030u},
                                {{2, 0, 0}, {1, 0, 0}, 0x80405060u},
                                {{5, 5, 5}, {0, 1, 0}, 0x01020304u}};
  SkinVertex out[3];
  std::memset(out, 0xCD, sizeof out);
  ASSERT_EQ(skin->UpdateSkinnedMesh(bones, nullptr, source, out), S_OK);
  // Vertex 0: (1,2,3) + (10,0,0). Vertex 1: 0.5 (12,0,0) + 0.5 (0,2,0),
  // normal 0.5 (1,0,0) + 0.5 (0,1,0). Vertex 2 has no influence: zeros.
  const float expected[3][6] = {{11, 2, 3, 0, 0, 1}, {6, 1, 0, 0.5f, 0.5f, 0}, {0, 0, 0, 0, 0, 0}};
  for (int v = 0; v < 3; ++v) {
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(out[v].position[i], expected[v][i]) << v;
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(out[v].normal[i], expected[v][3 + i]) << v;
    EXPECT_EQ(out[v].colour, source[v].colour);
  }
  EXPECT_EQ(skin->UpdateSkinnedMesh(bones, nullptr, out, out), D3DERR_INVALIDCALL);
}

}  // namespace
}  // namespace ortolix
