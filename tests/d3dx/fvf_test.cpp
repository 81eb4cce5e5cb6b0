#include "platform/d3dx/fvf.h"

#include <gtest/gtest.h>

namespace ortolix {
namespace {

TEST(FvfTest, VertexSizes) {
  const DWORD three_one_four = D3DFVF_XYZ | 0x300 | D3DFVF_TEXCOORDSIZE(D3DFVF_TEXTUREFORMAT3, 0) |
                               D3DFVF_TEXCOORDSIZE(D3DFVF_TEXTUREFORMAT1, 1) |
                               D3DFVF_TEXCOORDSIZE(D3DFVF_TEXTUREFORMAT4, 2);
  const struct {
    DWORD fvf, size;
  } cases[] = {{0, 0}, {D3DFVF_XYZ, 12}, {D3DFVF_XYZRHW, 16}, {D3DFVF_XYZB1, 16}, {D3DFVF_XYZB5, 32},
               {D3DFVF_XYZW, 16}, {D3DFVF_XYZ | D3DFVF_PSIZE, 16}, {D3DFVF_XYZ | D3DFVF_SPECULAR, 16},
               {0x112, 32}, {0x152, 36}, {0x252, 44}, {D3DFVF_XYZ | D3DFVF_TEX8, 12 + 8 * 8},
               {three_one_four, 12 + 12 + 4 + 16}, {D3DFVF_XYZB4 | D3DFVF_LASTBETA_UBYTE4, 28},
               {D3DFVF_XYZB3 | D3DFVF_LASTBETA_D3DCOLOR | D3DFVF_NORMAL, 36}};
  for (const auto& c : cases) EXPECT_EQ(D3DXGetFVFVertexSize(c.fvf), c.size) << std::hex << c.fvf;
}

TEST(FvfTest, Format0x252HasTheOffsetsTheImportReads) {
  FvfLayout layout;
  ASSERT_TRUE(BuildFvfLayout(0x252, layout));
  ASSERT_EQ(layout.element_count, 5u);
  const std::uint16_t offsets[] = {0, 12, 24, 28, 36};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(layout.elements[i].offset, offsets[i]) << i;
  EXPECT_EQ(layout.elements[4].usage, VertexUsage::kTexCoord);
  EXPECT_EQ(layout.elements[4].usage_index, 1);
}

TEST(FvfTest, FormatsWithoutAnElementLayoutAreRefused) {
  FvfLayout layout;
  for (DWORD fvf : {DWORD(D3DFVF_XYZB5), DWORD(D3DFVF_XYZ | 0x900), 0x4006u,
                    DWORD(D3DFVF_XYZB2 | D3DFVF_LASTBETA_UBYTE4 | D3DFVF_LASTBETA_D3DCOLOR)}) {
    EXPECT_FALSE(BuildFvfLayout(fvf, layout)) << std::hex << fvf;
  }
  EXPECT_TRUE(BuildFvfLayout(D3DFVF_XYZB5 | D3DFVF_LASTBETA_UBYTE4, layout));
}

}  // namespace
}  // namespace ortolix
