// The Direct3D device an import needs only so that meshes can be built on it.
#include "platform/win32/win32.h"
#include "ximport/read_x_file.h"

namespace ortolix {

IDirect3DDevice9* CreateImportDevice(std::uint32_t* failure) {
  IDirect3D9* direct3d = Direct3DCreate9(D3D_SDK_VERSION);
  if (direct3d == nullptr) {
    if (failure != nullptr) *failure = kDirectXInitNoInterface;
    return nullptr;
  }
  // Only the format is used; when the query fails the back buffer keeps an
  // unknown format, which a windowed device accepts.
  D3DDISPLAYMODE mode{};
  (void)direct3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode);

  D3DPRESENT_PARAMETERS parameters{};
  parameters.BackBufferWidth = 1;
  parameters.BackBufferHeight = 1;
  parameters.BackBufferFormat = mode.Format;
  parameters.BackBufferCount = 1;
  parameters.SwapEffect = D3DSWAPEFFECT_COPY;
  parameters.Windowed = 1;

  IDirect3DDevice9* device = nullptr;
  const HRESULT hr =
      direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_NULLREF, GetDesktopWindow(),
                             D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters, &device);
  direct3d->Release();
  if (hr < 0 || device == nullptr) {
    if (device != nullptr) device->Release();
    if (failure != nullptr) *failure = kDirectXInitNoDevice;
    return nullptr;
  }
  return device;
}

}  // namespace ortolix
