#include "platform/d3dx/d3d9_device.h"

#include <gtest/gtest.h>

#include "platform/d3dx/com_ref.h"

namespace ortolix {
namespace {

D3DPRESENT_PARAMETERS ImportParameters(D3DFORMAT format) {
  D3DPRESENT_PARAMETERS parameters{};
  parameters.BackBufferWidth = 1;
  parameters.BackBufferHeight = 1;
  parameters.BackBufferFormat = format;
  parameters.BackBufferCount = 1;
  parameters.SwapEffect = D3DSWAPEFFECT_COPY;
  parameters.Windowed = 1;
  return parameters;
}

class DeviceTest : public ::testing::Test {
 protected:
  void TearDown() override { D3DXTestSwitchesForTesting() = {}; }
};

TEST_F(DeviceTest, CreatesTheImportsDevice) {
  ComRef<IDirect3D9> d3d(Direct3DCreate9(D3D_SDK_VERSION));
  ASSERT_TRUE(d3d);
  D3DDISPLAYMODE mode{};
  ASSERT_EQ(d3d->GetAdapterDisplayMode(0, &mode), S_OK);
  EXPECT_EQ(mode.Format, D3DFMT_X8R8G8B8);
  EXPECT_EQ(d3d->GetAdapterDisplayMode(1, &mode), D3DERR_INVALIDCALL);
  D3DPRESENT_PARAMETERS parameters = ImportParameters(mode.Format);
  ComRef<IDirect3DDevice9> device;
  ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_NULLREF, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                              &parameters, device.Out()),
            S_OK);
  EXPECT_TRUE(device);
  // The device outlives the Direct3D object that made it.
  d3d.Reset();
  EXPECT_EQ(device->AddRef(), 2u);
  EXPECT_EQ(device->Release(), 1u);
}

TEST_F(DeviceTest, BadArgumentsFail) {
  EXPECT_EQ(Direct3DCreate9(31), nullptr);
  ComRef<IDirect3D9> d3d(Direct3DCreate9(D3D_SDK_VERSION));
  D3DPRESENT_PARAMETERS parameters = ImportParameters(D3DFMT_X8R8G8B8);
  ComRef<IDirect3DDevice9> device;
  EXPECT_EQ(d3d->CreateDevice(1, D3DDEVTYPE_NULLREF, nullptr, 0x40, &parameters, device.Out()),
            D3DERR_INVALIDCALL);
  EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_NULLREF, nullptr, 0x40, nullptr, device.Out()),
            D3DERR_INVALIDCALL);
  EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_NULLREF, nullptr, 0, &parameters, device.Out()),
            D3DERR_INVALIDCALL);
  parameters.SwapEffect = static_cast<D3DSWAPEFFECT>(9);
  EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_NULLREF, nullptr, 0x40, &parameters, device.Out()),
            D3DERR_INVALIDCALL);
  EXPECT_FALSE(device);
}

TEST_F(DeviceTest, TestSwitchesMakeCreationFail) {
  D3DXTestSwitchesForTesting().fail_direct3d_create = true;
  EXPECT_EQ(Direct3DCreate9(D3D_SDK_VERSION), nullptr);
  D3DXTestSwitchesForTesting() = {};
  D3DXTestSwitchesForTesting().fail_create_device = true;
  ComRef<IDirect3D9> d3d(Direct3DCreate9(D3D_SDK_VERSION));
  ASSERT_TRUE(d3d);
  D3DPRESENT_PARAMETERS parameters = ImportParameters(D3DFMT_X8R8G8B8);
  ComRef<IDirect3DDevice9> device;
  EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_NULLREF, nullptr, 0x40, &parameters, device.Out()),
            D3DERR_INVALIDCALL);
  EXPECT_FALSE(device);
}

}  // namespace
}  // namespace ortolix
