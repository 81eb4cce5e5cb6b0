#include "platform/d3dx/d3dx_skin_info.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/d3dx/com_ref.h"
#include "platform/d3dx/d3dx_math.h"
#include "platform/d3dx/fvf.h"

namespace ortolix {
namespace {

std::vector<DWORD> InfluenceVertices(const ID3DXSkinInfo& skin, DWORD bone) {
  std::vector<DWORD> vertices(skin.GetNumBoneInfluences(bone));
  std::vector<float> weights(vertices.size());
  EXPECT_EQ(skin.GetBoneInfluence(bone, vertices.data(), weights.data()), S_OK);
  return vertices;
}

std::vector<float> InfluenceWeights(const ID3DXSkinInfo& skin, DWORD bone) {
  std::vector<DWORD> vertices(skin.GetNumBoneInfluences(bone));
  std::vector<float> weights(vertices.size());
  EXPECT_EQ(skin.GetBoneInfluence(bone, vertices.data(), weights.data()), S_OK);
  return weights;
}

TEST(SkinInfoTest, BonesOutOfRangeGiveNullAndZero) {
  ComRef<ID3DXSkinInfo> skin;
  ASSERT_EQ(D3DXCreateSkinInfoFVF(4, D3DFVF_XYZ, 0, skin.Out()), S_OK);
  EXPECT_EQ(skin->GetNumBones(), 0u);
  EXPECT_EQ(skin->GetBoneName(0), nullptr);
  EXPECT_EQ(skin->GetBoneOffsetMatrix(0), nullptr);
  EXPECT_EQ(skin->GetNumBoneInfluences(0), 0u);
  DWORD vertex = 0;
  EXPECT_EQ(skin->GetBoneInfluence(0, &vertex, nullptr), D3DERR_INVALIDCALL);
  EXPECT_EQ(skin->GetFVF(), D3DFVF_XYZ);
}

TEST(SkinInfoTest, NamesOffsetsAndInfluencesInTheOrderSet) {
  ComRef<ID3DXSkinInfo> skin;
  ASSERT_EQ(D3DXCreateSkinInfoFVF(4, D3DFVF_XYZ, 2, skin.Out()), S_OK);
  EXPECT_EQ(skin->GetBoneName(1), nullptr);
  ASSERT_EQ(skin->SetBoneName(1, "Arm"), S_OK);
  EXPECT_STREQ(skin->GetBoneName(1), "Arm");
  D3DXMATRIX offset = D3DXIdentityMatrix();
  offset.m[3][1] = 7.0f;
  ASSERT_EQ(skin->SetBoneOffsetMatrix(1, &offset), S_OK);
  EXPECT_EQ(skin->GetBoneOffsetMatrix(1)->m[3][1], 7.0f);
  EXPECT_EQ(skin->GetBoneOffsetMatrix(0)->m[3][3], 1.0f);
  const DWORD vertices[] = {3, 0, 9};
  const float weights[] = {0.5f, 1.0f, 0.25f};
  ASSERT_EQ(skin->SetBoneInfluence(1, 3, vertices, weights), S_OK);
  EXPECT_EQ(InfluenceVertices(*skin, 1), (std::vector<DWORD>{3, 0, 9}));
  EXPECT_EQ(InfluenceWeights(*skin, 1), (std::vector<float>{0.5f, 1.0f, 0.25f}));
  EXPECT_EQ(skin->SetFVF(0x252), S_OK);
  EXPECT_EQ(skin->GetFVF(), 0x252u);
  EXPECT_EQ(skin->SetFVF(D3DFVF_XYZB5), D3DERR_INVALIDCALL);
  EXPECT_EQ(skin->GetFVF(), 0x252u);
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
  EXPECT_EQ(InfluenceVertices(*skin, 0), (std::vector<DWORD>{0, 1, 4, 7, 2, 3}));
  EXPECT_EQ(InfluenceWeights(*skin, 0), (std::vector<float>{0.2f, 0.4f, 0.4f, 0.6f, 1.0f, 1.0f}));
}

TEST(SkinInfoTest, RemapWithTheIdentityChangesNothing) {
  ComRef<ID3DXSkinInfo> skin;
  ASSERT_EQ(D3DXCreateSkinInfoFVF(3, D3DFVF_XYZ, 1, skin.Out()), S_OK);
  const DWORD vertices[] = {2, 0, 1};
  const float weights[] = {0.1f, 0.2f, 0.3f};
  ASSERT_EQ(skin->SetBoneInfluence(0, 3, vertices, weights), S_OK);
  const DWORD identity[] = {0, 1, 2};
  ASSERT_EQ(skin->Remap(3, identity), S_OK);
  EXPECT_EQ(InfluenceVertices(*skin, 0), (std::vector<DWORD>{2, 0, 1}));
}

struct SkinVertex {
  float position[3];
  float normal[3];
  std::uint32_t colour;
};
static_assert(sizeof(SkinVertex) == 28);

TEST(SkinInfoTest, UpdateSkinnedMeshBlendsPositionsAndNormalsAndCopiesTheRest) {
  const DWORD fvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE;
  ASSERT_EQ(D3DXGetFVFVertexSize(fvf), sizeof(SkinVertex));
  ComRef<ID3DXSkinInfo> skin;
  ASSERT_EQ(D3DXCreateSkinInfoFVF(3, fvf, 2, skin.Out()), S_OK);
  // Bone 0 moves by (10, 0, 0); bone 1 turns 90 degrees about z (x -> y).
  D3DXMATRIX bones[2] = {D3DXIdentityMatrix(), D3DXIdentityMatrix()};
  bones[0].m[3][0] = 10.0f;
  bones[1].m[0][0] = 0.0f;
  bones[1].m[0][1] = 1.0f;
  bones[1].m[1][0] = -1.0f;
  bones[1].m[1][1] = 0.0f;
  const DWORD v0[] = {0, 1};
  const float w0[] = {1.0f, 0.5f};
  const DWORD v1[] = {1};
  const float w1[] = {0.5f};
  ASSERT_EQ(skin->SetBoneInfluence(0, 2, v0, w0), S_OK);
  ASSERT_EQ(skin->SetBoneInfluence(1, 1, v1, w1), S_OK);
  const SkinVertex source[3] = {{{1, 2, 3}, {0, 0, 1}, 0xFF102030u},
                                {{2, 0, 0}, {1, 0, 0}, 0x80405060u},
                                {{5, 5, 5}, {0, 1, 0}, 0x01020304u}};
  SkinVertex destination[3];
  std::memset(destination, 0xCD, sizeof destination);
  ASSERT_EQ(skin->UpdateSkinnedMesh(bones, nullptr, source, destination), S_OK);
  // Vertex 0: (1,2,3) + (10,0,0).
  EXPECT_FLOAT_EQ(destination[0].position[0], 11.0f);
  EXPECT_FLOAT_EQ(destination[0].position[1], 2.0f);
  EXPECT_FLOAT_EQ(destination[0].normal[2], 1.0f);
  // Vertex 1: 0.5 (12,0,0) + 0.5 (0,2,0); normal 0.5 (1,0,0) + 0.5 (0,1,0).
  EXPECT_FLOAT_EQ(destination[1].position[0], 6.0f);
  EXPECT_FLOAT_EQ(destination[1].position[1], 1.0f);
  EXPECT_FLOAT_EQ(destination[1].normal[0], 0.5f);
  EXPECT_FLOAT_EQ(destination[1].normal[1], 0.5f);
  // Vertex 2 has no influence: zero position and normal, colour copied.
  EXPECT_EQ(destination[2].position[0], 0.0f);
  EXPECT_EQ(destination[2].normal[1], 0.0f);
  for (int v = 0; v < 3; ++v) EXPECT_EQ(destination[v].colour, source[v].colour);
  EXPECT_EQ(skin->UpdateSkinnedMesh(bones, nullptr, destination, destination), D3DERR_INVALIDCALL);
}

}  // namespace
}  // namespace ortolix
