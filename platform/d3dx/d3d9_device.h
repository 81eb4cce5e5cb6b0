// Device stand-in: the Direct3D 9 object and device the import creates only
// so that meshes can be built "on" a device. Nothing is drawn; the device
// holds no state. Creation can be made to fail through the test switches.
#pragma once

#include "platform/d3dx/d3dx_types.h"
#include "platform/win32/win32_types.h"

namespace ortolix {

inline constexpr UINT D3D_SDK_VERSION = 32;
inline constexpr UINT D3DADAPTER_DEFAULT = 0;

enum D3DFORMAT : DWORD { D3DFMT_UNKNOWN = 0, D3DFMT_A8R8G8B8 = 21, D3DFMT_X8R8G8B8 = 22 };
enum D3DDEVTYPE : DWORD { D3DDEVTYPE_HAL = 1, D3DDEVTYPE_REF = 2, D3DDEVTYPE_SW = 3, D3DDEVTYPE_NULLREF = 4 };
enum D3DSWAPEFFECT : DWORD { D3DSWAPEFFECT_DISCARD = 1, D3DSWAPEFFECT_FLIP = 2, D3DSWAPEFFECT_COPY = 3 };
inline constexpr DWORD D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x20;
inline constexpr DWORD D3DCREATE_HARDWARE_VERTEXPROCESSING = 0x40;
inline constexpr DWORD D3DCREATE_MIXED_VERTEXPROCESSING = 0x80;

struct D3DDISPLAYMODE {
  UINT Width;
  UINT Height;
  UINT RefreshRate;
  D3DFORMAT Format;
};

struct D3DPRESENT_PARAMETERS {
  UINT BackBufferWidth;
  UINT BackBufferHeight;
  D3DFORMAT BackBufferFormat;
  UINT BackBufferCount;
  DWORD MultiSampleType;
  DWORD MultiSampleQuality;
  D3DSWAPEFFECT SwapEffect;
  HWND hDeviceWindow;
  BOOL Windowed;
  BOOL EnableAutoDepthStencil;
  D3DFORMAT AutoDepthStencilFormat;
  DWORD Flags;
  UINT FullScreen_RefreshRateInHz;
  UINT PresentationInterval;
};

// Switches that tests set to drive the failure paths of code using these
// services. The one module-wide instance starts with every switch off.
struct D3DXTestSwitches {
  bool fail_direct3d_create = false;  // Direct3DCreate9 returns null
  bool fail_create_device = false;    // IDirect3D9::CreateDevice fails
  bool fail_buffer_locks = false;     // every vertex/index/attribute lock fails
};
[[nodiscard]] D3DXTestSwitches& D3DXTestSwitchesForTesting();

class IDirect3DDevice9 {
 public:
  DWORD AddRef() { return ++references_; }
  DWORD Release();

  IDirect3DDevice9(const IDirect3DDevice9&) = delete;
  IDirect3DDevice9& operator=(const IDirect3DDevice9&) = delete;

 private:
  friend class IDirect3D9;
  IDirect3DDevice9() = default;
  ~IDirect3DDevice9() = default;
  DWORD references_ = 1;
};

class IDirect3D9 {
 public:
  // The display mode of adapter 0: 1024 x 768, 60 Hz, D3DFMT_X8R8G8B8.
  // D3DERR_INVALIDCALL for another adapter or a null mode.
  [[nodiscard]] HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) const;
  // A device on adapter 0 of any device type, with software, hardware or
  // mixed vertex processing; the parameters are checked for a windowed or
  // sized back buffer and a known swap effect. D3DERR_INVALIDCALL on a bad
  // argument or when the test switch says so (*device is then null).
  [[nodiscard]] HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focus, DWORD behaviour,
                                     D3DPRESENT_PARAMETERS* parameters,
                                     IDirect3DDevice9** device);
  DWORD AddRef() { return ++references_; }
  DWORD Release();

  IDirect3D9(const IDirect3D9&) = delete;
  IDirect3D9& operator=(const IDirect3D9&) = delete;

 private:
  friend IDirect3D9* Direct3DCreate9(UINT sdk_version);
  IDirect3D9() = default;
  ~IDirect3D9() = default;
  DWORD references_ = 1;
};

// The Direct3D object with one reference; null for an SDK version other than
// D3D_SDK_VERSION or when the test switch says so.
[[nodiscard]] IDirect3D9* Direct3DCreate9(UINT sdk_version);

}  // namespace ortolix
