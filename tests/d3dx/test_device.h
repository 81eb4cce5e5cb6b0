// A device for tests that build meshes, released at the end of the test.
#pragma once

#include <gtest/gtest.h>

#include "platform/d3dx/com_ref.h"
#include "platform/d3dx/d3d9_device.h"

namespace ortolix::test {

inline ComRef<IDirect3DDevice9> MakeTestDevice() {
  ComRef<IDirect3D9> d3d(Direct3DCreate9(D3D_SDK_VERSION));
  if (!d3d) return {};
  D3DPRESENT_PARAMETERS parameters{};
  parameters.BackBufferWidth = 1;
  parameters.BackBufferHeight = 1;
  parameters.BackBufferCount = 1;
  parameters.SwapEffect = D3DSWAPEFFECT_COPY;
  parameters.Windowed = 1;
  ComRef<IDirect3DDevice9> device;
  if (d3d->CreateDevice(0, D3DDEVTYPE_NULLREF, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                        &parameters, device.Out()) < 0) {
    return {};
  }
  return device;
}

}  // namespace ortolix::test
