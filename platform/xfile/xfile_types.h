// The value types of the .x file services: HRESULT results, GUIDs, the
// D3DXFERR_* codes and the load options, shaped like their D3DX 9
// counterparts so that the import code reads like the D3DX calls it makes.
// On Windows HRESULT, GUID and the generic E_* codes are the system's; on
// other platforms they are declared here with the same values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/win32/com_types.h"
#include "platform/win32/win32_types.h"

namespace ortolix {

#ifdef _WIN32
using ::GUID;
#else
struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];
};
#endif

inline constexpr bool Succeeded(HRESULT hr) { return hr >= 0; }
inline constexpr bool Failed(HRESULT hr) { return hr < 0; }

// D3DX file errors: facility 0x876, codes 900 and up.
inline constexpr HRESULT D3DXFERR_BADOBJECT = static_cast<HRESULT>(0x88760384u);
inline constexpr HRESULT D3DXFERR_BADVALUE = static_cast<HRESULT>(0x88760385u);
inline constexpr HRESULT D3DXFERR_BADTYPE = static_cast<HRESULT>(0x88760386u);
inline constexpr HRESULT D3DXFERR_NOTFOUND = static_cast<HRESULT>(0x88760387u);
inline constexpr HRESULT D3DXFERR_NOTDONEYET = static_cast<HRESULT>(0x88760388u);
inline constexpr HRESULT D3DXFERR_FILENOTFOUND = static_cast<HRESULT>(0x88760389u);
inline constexpr HRESULT D3DXFERR_RESOURCENOTFOUND = static_cast<HRESULT>(0x8876038Au);
inline constexpr HRESULT D3DXFERR_BADRESOURCE = static_cast<HRESULT>(0x8876038Bu);
inline constexpr HRESULT D3DXFERR_BADFILETYPE = static_cast<HRESULT>(0x8876038Cu);
inline constexpr HRESULT D3DXFERR_BADFILEVERSION = static_cast<HRESULT>(0x8876038Du);
inline constexpr HRESULT D3DXFERR_BADFILEFLOATSIZE = static_cast<HRESULT>(0x8876038Eu);
inline constexpr HRESULT D3DXFERR_BADFILE = static_cast<HRESULT>(0x8876038Fu);
inline constexpr HRESULT D3DXFERR_PARSEERROR = static_cast<HRESULT>(0x88760390u);
inline constexpr HRESULT D3DXFERR_BADARRAYSIZE = static_cast<HRESULT>(0x88760391u);
inline constexpr HRESULT D3DXFERR_BADDATAREFERENCE = static_cast<HRESULT>(0x88760392u);
inline constexpr HRESULT D3DXFERR_NOMOREOBJECTS = static_cast<HRESULT>(0x88760393u);
inline constexpr HRESULT D3DXFERR_NOMOREDATA = static_cast<HRESULT>(0x88760394u);
inline constexpr HRESULT D3DXFERR_BADCACHEFILE = static_cast<HRESULT>(0x88760395u);

// Where CreateEnumObject takes its bytes from.
using D3DXF_FILELOADOPTIONS = std::uint32_t;
inline constexpr D3DXF_FILELOADOPTIONS D3DXF_FILELOAD_FROMFILE = 0;   // const char* path
inline constexpr D3DXF_FILELOADOPTIONS D3DXF_FILELOAD_FROMWFILE = 1;  // const WideChar* path
inline constexpr D3DXF_FILELOADOPTIONS D3DXF_FILELOAD_FROMRESOURCE = 2;
inline constexpr D3DXF_FILELOADOPTIONS D3DXF_FILELOAD_FROMMEMORY = 3;  // const D3DXF_FILELOADMEMORY*

struct D3DXF_FILELOADMEMORY {
  const void* lpMemory;
  std::size_t dSize;
};

constexpr GUID MakeGuid(std::uint32_t d1, std::uint16_t d2, std::uint16_t d3, std::uint8_t a,
                        std::uint8_t b, std::uint8_t c, std::uint8_t d, std::uint8_t e,
                        std::uint8_t f, std::uint8_t g, std::uint8_t h) {
  return GUID{d1, d2, d3, {a, b, c, d, e, f, g, h}};
}

inline bool GuidEqual(const GUID& a, const GUID& b) {
  return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

inline constexpr GUID kNullGuid = GUID{0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

}  // namespace ortolix
