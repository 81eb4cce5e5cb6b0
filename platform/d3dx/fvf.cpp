#include "platform/d3dx/fvf.h"

namespace ortolix {
namespace {

constexpr DWORD kKnownFvfBits = D3DFVF_POSITION_MASK | D3DFVF_NORMAL | D3DFVF_PSIZE |
                                D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEXCOUNT_MASK |
                                D3DFVF_LASTBETA_UBYTE4 | D3DFVF_LASTBETA_D3DCOLOR | 0xFFFF0000u;

DWORD PositionSize(DWORD fvf) {
  switch (fvf & D3DFVF_POSITION_MASK) {
    case D3DFVF_XYZ: return 12;
    case D3DFVF_XYZRHW: return 16;
    case D3DFVF_XYZB1: return 16;
    case D3DFVF_XYZB2: return 20;
    case D3DFVF_XYZB3: return 24;
    case D3DFVF_XYZB4: return 28;
    case D3DFVF_XYZB5: return 32;
    case D3DFVF_XYZW: return 16;
    default: return 0;
  }
}

DWORD TexCount(DWORD fvf) { return (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT; }

// Float count of texture set `set` from its size code.
DWORD TexDimension(DWORD fvf, DWORD set) {
  switch ((fvf >> (16 + 2 * set)) & 3u) {
    case D3DFVF_TEXTUREFORMAT3: return 3;
    case D3DFVF_TEXTUREFORMAT4: return 4;
    case D3DFVF_TEXTUREFORMAT1: return 1;
    default: return 2;
  }
}

VertexElementType FloatType(DWORD count) {
  return static_cast<VertexElementType>(static_cast<int>(VertexElementType::kFloat1) + count - 1);
}

void Append(FvfLayout& out, VertexUsage usage, std::uint8_t index, VertexElementType type) {
  out.elements[out.element_count++] = {usage, index, type, static_cast<std::uint16_t>(out.stride)};
  out.stride += static_cast<DWORD>(VertexElementSize(type));
}

bool AppendPosition(DWORD fvf, FvfLayout& out) {
  const DWORD position = fvf & D3DFVF_POSITION_MASK;
  if (position == 0) return true;
  if (position == D3DFVF_XYZRHW) {
    Append(out, VertexUsage::kPositionT, 0, VertexElementType::kFloat4);
    return true;
  }
  if (position == D3DFVF_XYZW) {
    Append(out, VertexUsage::kPosition, 0, VertexElementType::kFloat4);
    return true;
  }
  if (PositionSize(fvf) == 0) return false;
  Append(out, VertexUsage::kPosition, 0, VertexElementType::kFloat3);
  if (position == D3DFVF_XYZ) return true;
  const DWORD betas = (position - D3DFVF_XYZRHW) / 2;  // XYZB1 (6) -> 1 ... XYZB5 (14) -> 5
  const bool last_beta_ubyte4 = (fvf & D3DFVF_LASTBETA_UBYTE4) != 0;
  const bool last_beta_color = (fvf & D3DFVF_LASTBETA_D3DCOLOR) != 0;
  const bool last_beta = last_beta_ubyte4 || last_beta_color;
  const DWORD weights = last_beta ? betas - 1 : betas;
  if (weights > 4) return false;
  if (weights > 0) Append(out, VertexUsage::kBlendWeight, 0, FloatType(weights));
  if (last_beta) {
    Append(out, VertexUsage::kBlendIndices, 0,
           last_beta_color ? VertexElementType::kColor : VertexElementType::kUByte4);
  }
  return true;
}

}  // namespace

std::size_t VertexElementSize(VertexElementType type) {
  switch (type) {
    case VertexElementType::kFloat1: return 4;
    case VertexElementType::kFloat2: return 8;
    case VertexElementType::kFloat3: return 12;
    case VertexElementType::kFloat4: return 16;
    case VertexElementType::kColor: return 4;
    case VertexElementType::kUByte4: return 4;
  }
  return 0;
}

DWORD D3DXGetFVFVertexSize(DWORD fvf) {
  DWORD size = PositionSize(fvf);
  if (fvf & D3DFVF_NORMAL) size += 12;
  if (fvf & D3DFVF_PSIZE) size += 4;
  if (fvf & D3DFVF_DIFFUSE) size += 4;
  if (fvf & D3DFVF_SPECULAR) size += 4;
  const DWORD sets = TexCount(fvf);
  for (DWORD set = 0; set < sets; ++set) size += 4 * TexDimension(fvf, set);
  return size;
}

bool BuildFvfLayout(DWORD fvf, FvfLayout& out) {
  out = FvfLayout{};
  if ((fvf & ~kKnownFvfBits) != 0) return false;
  if ((fvf & D3DFVF_LASTBETA_UBYTE4) && (fvf & D3DFVF_LASTBETA_D3DCOLOR)) return false;
  const DWORD sets = TexCount(fvf);
  if (sets > 8) return false;
  if (!AppendPosition(fvf, out)) return false;
  if (fvf & D3DFVF_NORMAL) Append(out, VertexUsage::kNormal, 0, VertexElementType::kFloat3);
  if (fvf & D3DFVF_PSIZE) Append(out, VertexUsage::kPSize, 0, VertexElementType::kFloat1);
  if (fvf & D3DFVF_DIFFUSE) Append(out, VertexUsage::kColor, 0, VertexElementType::kColor);
  if (fvf & D3DFVF_SPECULAR) Append(out, VertexUsage::kColor, 1, VertexElementType::kColor);
  for (DWORD set = 0; set < sets; ++set) {
    Append(out, VertexUsage::kTexCoord, static_cast<std::uint8_t>(set),
           FloatType(TexDimension(fvf, set)));
  }
  return true;
}

DWORD FvfNormalOffset(DWORD fvf) { return PositionSize(fvf); }

}  // namespace ortolix
