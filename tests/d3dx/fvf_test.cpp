#include "platform/d3dx/fvf.h"

#include <gtest/gtest.h>

namespace ortolix {
namespace {

struct SizeCase {
  DWORD fvf;
  DWORD size;
};

class FvfSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(FvfSizeTest, VertexSize) {
  EXPECT_EQ(D3DXGetFVFVertexSize(GetParam().fvf), GetParam().size) << std::hex << GetParam().fvf;
}

INSTANTIATE_TEST_SUITE_P(
    EveryBit, FvfSizeTest,
    ::testing::Values(SizeCase{0, 0}, SizeCase{D3DFVF_XYZ, 12}, SizeCase{D3DFVF_XYZRHW, 16},
                      SizeCase{D3DFVF_XYZB1, 16}, SizeCase{D3DFVF_XYZB2, 20},
                      SizeCase{D3DFVF_XYZB3, 24}, SizeCase{D3DFVF_XYZB4, 28},
                      SizeCase{D3DFVF_XYZB5, 32}, SizeCase{D3DFVF_XYZW, 16},
                      SizeCase{D3DFVF_XYZ | D3DFVF_NORMAL, 24}, SizeCase{D3DFVF_XYZ | D3DFVF_PSIZE, 16},
                      SizeCase{D3DFVF_XYZ | D3DFVF_DIFFUSE, 16},
                      SizeCase{D3DFVF_XYZ | D3DFVF_SPECULAR, 16}, SizeCase{0x112, 32},
                      SizeCase{0x152, 36}, SizeCase{0x252, 44}, SizeCase{0x102, 20},
                      SizeCase{D3DFVF_XYZ | D3DFVF_TEX8, 12 + 8 * 8},
                      // texture set sizes: set 0 three floats, set 1 one float, set 2 four floats
                      SizeCase{D3DFVF_XYZ | 0x300 | D3DFVF_TEXCOORDSIZE(D3DFVF_TEXTUREFORMAT3, 0) |
                                   D3DFVF_TEXCOORDSIZE(D3DFVF_TEXTUREFORMAT1, 1) |
                                   D3DFVF_TEXCOORDSIZE(D3DFVF_TEXTUREFORMAT4, 2),
                               12 + 12 + 4 + 16},
                      SizeCase{D3DFVF_XYZB4 | D3DFVF_LASTBETA_UBYTE4, 28},
                      SizeCase{D3DFVF_XYZB3 | D3DFVF_LASTBETA_D3DCOLOR | D3DFVF_NORMAL, 36}));

TEST(FvfLayoutTest, Format0x252HasTheOffsetsTheImportReads) {
  FvfLayout layout;
  ASSERT_TRUE(BuildFvfLayout(0x252, layout));
  ASSERT_EQ(layout.element_count, 5u);
  EXPECT_EQ(layout.stride, 44u);
  const std::uint16_t offsets[] = {0, 12, 24, 28, 36};
  const VertexUsage usages[] = {VertexUsage::kPosition, VertexUsage::kNormal, VertexUsage::kColor,
                                VertexUsage::kTexCoord, VertexUsage::kTexCoord};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(layout.elements[i].offset, offsets[i]) << i;
    EXPECT_EQ(layout.elements[i].usage, usages[i]) << i;
  }
  EXPECT_EQ(layout.elements[4].usage_index, 1);
}

TEST(FvfLayoutTest, BlendWeightsAndLastBetaIndices) {
  FvfLayout layout;
  ASSERT_TRUE(BuildFvfLayout(D3DFVF_XYZB4 | D3DFVF_LASTBETA_UBYTE4 | D3DFVF_NORMAL, layout));
  ASSERT_EQ(layout.element_count, 4u);
  EXPECT_EQ(layout.elements[1].usage, VertexUsage::kBlendWeight);
  EXPECT_EQ(layout.elements[1].type, VertexElementType::kFloat3);
  EXPECT_EQ(layout.elements[2].usage, VertexUsage::kBlendIndices);
  EXPECT_EQ(layout.elements[2].offset, 24);
  EXPECT_EQ(layout.elements[3].offset, 28);
  EXPECT_EQ(layout.stride, D3DXGetFVFVertexSize(D3DFVF_XYZB4 | D3DFVF_LASTBETA_UBYTE4 | D3DFVF_NORMAL));
}

TEST(FvfLayoutTest, RefusesFormatsWithoutAnElementLayout) {
  FvfLayout layout;
  EXPECT_FALSE(BuildFvfLayout(D3DFVF_XYZB5, layout));
  EXPECT_FALSE(BuildFvfLayout(D3DFVF_XYZ | 0x900, layout));
  EXPECT_FALSE(BuildFvfLayout(0x4006, layout));
  EXPECT_FALSE(BuildFvfLayout(D3DFVF_XYZB2 | D3DFVF_LASTBETA_UBYTE4 | D3DFVF_LASTBETA_D3DCOLOR, layout));
  EXPECT_TRUE(BuildFvfLayout(D3DFVF_XYZB5 | D3DFVF_LASTBETA_UBYTE4, layout));
}

}  // namespace
}  // namespace ortolix
