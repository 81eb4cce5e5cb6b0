// A device for tests that build meshes, released at the end of the test.
#pragma once

#include <gtest/gtest.h>

#include "platform/d3dx/com_ref.h"
#include "platform/d3dx/null_device.h"

namespace ortolix::test {

inline ComRef<IDirect3DDevice9> MakeTestDevice() { return CreateNullDevice(); }

}  // namespace ortolix::test
