#include "platform/d3dx/null_device.h"

namespace ortolix {

ComRef<IDirect3DDevice9> CreateNullDevice() {
  ComRef<IDirect3D9> d3d(Direct3DCreate9(D3D_SDK_VERSION));
  ComRef<IDirect3DDevice9> device;
  if (!d3d) return device;
  D3DPRESENT_PARAMETERS parameters{};
  parameters.BackBufferWidth = 1;
  parameters.BackBufferHeight = 1;
  parameters.BackBufferCount = 1;
  parameters.SwapEffect = D3DSWAPEFFECT_COPY;
  parameters.Windowed = 1;
  if (d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_NULLREF, nullptr,
                        D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters, device.Out()) < 0) {
    return {};
  }
  return device;
}

}  // namespace ortolix
