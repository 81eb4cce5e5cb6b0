// A device of the stand-in with no display behind it, enough to build meshes
// on: what the command's checks and dumps load meshes with.
#pragma once

#include "platform/d3dx/com_ref.h"
#include "platform/d3dx/d3d9_device.h"

namespace ortolix {

// A 1x1 windowed NULLREF device; empty when creation fails.
[[nodiscard]] ComRef<IDirect3DDevice9> CreateNullDevice();

}  // namespace ortolix
