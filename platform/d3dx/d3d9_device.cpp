#include "platform/d3dx/d3d9_device.h"

#include <new>

namespace ortolix {

D3DXTestSwitches& D3DXTestSwitchesForTesting() {
  static D3DXTestSwitches switches;
  return switches;
}

DWORD IDirect3DDevice9::Release() {
  const DWORD left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT IDirect3D9::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) const {
  if (adapter != D3DADAPTER_DEFAULT || mode == nullptr) return D3DERR_INVALIDCALL;
  *mode = D3DDISPLAYMODE{1024, 768, 60, D3DFMT_X8R8G8B8};
  return S_OK;
}

namespace {

bool ValidPresentation(const D3DPRESENT_PARAMETERS& parameters) {
  const bool known_swap = parameters.SwapEffect == D3DSWAPEFFECT_DISCARD ||
                          parameters.SwapEffect == D3DSWAPEFFECT_FLIP ||
                          parameters.SwapEffect == D3DSWAPEFFECT_COPY;
  const bool sized = parameters.BackBufferWidth > 0 && parameters.BackBufferHeight > 0;
  return known_swap && (parameters.Windowed != 0 || sized) && parameters.BackBufferCount <= 3;
}

bool ValidBehaviour(DWORD behaviour) {
  const DWORD processing = behaviour & (D3DCREATE_SOFTWARE_VERTEXPROCESSING |
                                        D3DCREATE_HARDWARE_VERTEXPROCESSING |
                                        D3DCREATE_MIXED_VERTEXPROCESSING);
  return processing == D3DCREATE_SOFTWARE_VERTEXPROCESSING ||
         processing == D3DCREATE_HARDWARE_VERTEXPROCESSING ||
         processing == D3DCREATE_MIXED_VERTEXPROCESSING;
}

}  // namespace

HRESULT IDirect3D9::CreateDevice(UINT adapter, D3DDEVTYPE type, HWND /*focus*/, DWORD behaviour,
                                 D3DPRESENT_PARAMETERS* parameters,
                                 IDirect3DDevice9** device) {
  if (device == nullptr) return D3DERR_INVALIDCALL;
  *device = nullptr;
  if (adapter != D3DADAPTER_DEFAULT || parameters == nullptr) return D3DERR_INVALIDCALL;
  if (type < D3DDEVTYPE_HAL || type > D3DDEVTYPE_NULLREF) return D3DERR_INVALIDCALL;
  if (!ValidBehaviour(behaviour) || !ValidPresentation(*parameters)) return D3DERR_INVALIDCALL;
  if (D3DXTestSwitchesForTesting().fail_create_device) return D3DERR_INVALIDCALL;
  *device = new (std::nothrow) IDirect3DDevice9;
  return *device != nullptr ? S_OK : E_OUTOFMEMORY;
}

DWORD IDirect3D9::Release() {
  const DWORD left = --references_;
  if (left == 0) delete this;
  return left;
}

IDirect3D9* Direct3DCreate9(UINT sdk_version) {
  if (sdk_version != D3D_SDK_VERSION) return nullptr;
  if (D3DXTestSwitchesForTesting().fail_direct3d_create) return nullptr;
  return new (std::nothrow) IDirect3D9;
}

}  // namespace ortolix
