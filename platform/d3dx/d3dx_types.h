// Types, flags and result codes of the mesh services, with the names and
// values of the Direct3D 9 / D3DX 9 interfaces they stand in for. Records have
// the same field order and sizes, so code written against those interfaces
// reads the same here.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32/com_types.h"

namespace ortolix {

// Result codes beyond the generic ones.
inline constexpr HRESULT D3DERR_INVALIDCALL = static_cast<HRESULT>(0x8876086Cu);
inline constexpr HRESULT D3DXERR_CANNOTATTRSORT = static_cast<HRESULT>(0x88760B56u);
inline constexpr HRESULT D3DXERR_INVALIDDATA = static_cast<HRESULT>(0x88760B59u);
inline constexpr HRESULT D3DXERR_LOADEDMESHASNODATA = static_cast<HRESULT>(0x88760B5Au);

// Flexible vertex format bits.
inline constexpr DWORD D3DFVF_XYZ = 0x002;
inline constexpr DWORD D3DFVF_XYZRHW = 0x004;
inline constexpr DWORD D3DFVF_XYZB1 = 0x006;
inline constexpr DWORD D3DFVF_XYZB2 = 0x008;
inline constexpr DWORD D3DFVF_XYZB3 = 0x00A;
inline constexpr DWORD D3DFVF_XYZB4 = 0x00C;
inline constexpr DWORD D3DFVF_XYZB5 = 0x00E;
inline constexpr DWORD D3DFVF_XYZW = 0x4002;
inline constexpr DWORD D3DFVF_POSITION_MASK = 0x400E;
inline constexpr DWORD D3DFVF_NORMAL = 0x010;
inline constexpr DWORD D3DFVF_PSIZE = 0x020;
inline constexpr DWORD D3DFVF_DIFFUSE = 0x040;
inline constexpr DWORD D3DFVF_SPECULAR = 0x080;
inline constexpr DWORD D3DFVF_TEXCOUNT_MASK = 0xF00;
inline constexpr DWORD D3DFVF_TEXCOUNT_SHIFT = 8;
inline constexpr DWORD D3DFVF_TEX0 = 0x000;
inline constexpr DWORD D3DFVF_TEX1 = 0x100;
inline constexpr DWORD D3DFVF_TEX2 = 0x200;
inline constexpr DWORD D3DFVF_TEX8 = 0x800;
inline constexpr DWORD D3DFVF_LASTBETA_UBYTE4 = 0x1000;
inline constexpr DWORD D3DFVF_LASTBETA_D3DCOLOR = 0x8000;
// Size code of texture set `set` (bits 16 + 2 * set): 0 two floats, 1 three,
// 2 four, 3 one.
inline constexpr DWORD D3DFVF_TEXTUREFORMAT2 = 0;
inline constexpr DWORD D3DFVF_TEXTUREFORMAT3 = 1;
inline constexpr DWORD D3DFVF_TEXTUREFORMAT4 = 2;
inline constexpr DWORD D3DFVF_TEXTUREFORMAT1 = 3;
constexpr DWORD D3DFVF_TEXCOORDSIZE(DWORD format, DWORD set) { return format << (16 + 2 * set); }

// Mesh creation options (only the index width has an effect here).
inline constexpr DWORD D3DXMESH_32BIT = 0x001;
inline constexpr DWORD D3DXMESH_MANAGED = 0x220;
inline constexpr DWORD D3DXMESH_SYSTEMMEM = 0x110;

// Optimize flags.
inline constexpr DWORD D3DXMESHOPT_DEVICEINDEPENDENT = 0x00400000;
inline constexpr DWORD D3DXMESHOPT_COMPACT = 0x01000000;
inline constexpr DWORD D3DXMESHOPT_ATTRSORT = 0x02000000;
inline constexpr DWORD D3DXMESHOPT_VERTEXCACHE = 0x04000000;
inline constexpr DWORD D3DXMESHOPT_STRIPREORDER = 0x08000000;
inline constexpr DWORD D3DXMESHOPT_IGNOREVERTS = 0x10000000;
inline constexpr DWORD D3DXMESHOPT_DONOTSPLIT = 0x20000000;

// Buffer lock flags.
inline constexpr DWORD D3DLOCK_READONLY = 0x0010;
inline constexpr DWORD D3DLOCK_NOSYSLOCK = 0x0800;
inline constexpr DWORD D3DLOCK_NOOVERWRITE = 0x1000;
inline constexpr DWORD D3DLOCK_DISCARD = 0x2000;
inline constexpr DWORD D3DLOCK_DONOTWAIT = 0x4000;
inline constexpr DWORD D3DLOCK_NO_DIRTY_UPDATE = 0x8000;
inline constexpr DWORD kD3DLockKnownFlags = D3DLOCK_READONLY | D3DLOCK_NOSYSLOCK |
                                            D3DLOCK_NOOVERWRITE | D3DLOCK_DISCARD |
                                            D3DLOCK_DONOTWAIT | D3DLOCK_NO_DIRTY_UPDATE;

// Row-vector matrix: a point transforms as (x, y, z, 1) x M, the translation
// sits in row 3 (_41, _42, _43).
struct D3DXMATRIX {
  float m[4][4];
};
static_assert(sizeof(D3DXMATRIX) == 64);

struct D3DCOLORVALUE {
  float r, g, b, a;
};

struct D3DMATERIAL9 {
  D3DCOLORVALUE Diffuse;
  D3DCOLORVALUE Ambient;
  D3DCOLORVALUE Specular;
  D3DCOLORVALUE Emissive;
  float Power;
};
static_assert(sizeof(D3DMATERIAL9) == 68);

// One material of a loaded mesh. The texture name points into the material
// buffer that holds this record (null when the material has no texture).
struct D3DXMATERIAL {
  D3DMATERIAL9 MatD3D;
  char* pTextureFilename;
};

// A run of faces with one attribute id, and the vertex range those faces use.
struct D3DXATTRIBUTERANGE {
  DWORD AttribId;
  DWORD FaceStart;
  DWORD FaceCount;
  DWORD VertexStart;
  DWORD VertexCount;
};
static_assert(sizeof(D3DXATTRIBUTERANGE) == 20);

inline constexpr DWORD kD3DXNoNeighbour = 0xFFFFFFFFu;

}  // namespace ortolix
