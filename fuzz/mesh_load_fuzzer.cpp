// Arbitrary bytes through mesh loading: every Mesh of the file is loaded
// with adjacency, materials and skin information, and every mesh that loads
// is checked for consistency. A crash, sanitizer report, leak, or a loaded
// mesh that breaks an invariant is a finding.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_limits.h"
#include "platform/d3dx/mesh_load_check.h"
#include "platform/d3dx/null_device.h"

using ortolix::ComRef;
using ortolix::CreateNullDevice;
using ortolix::FuzzLimits;
using ortolix::IDirect3DDevice9;
using ortolix::LoadAndCheckMeshes;
using ortolix::MeshLoadCheck;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ComRef<IDirect3DDevice9> device = CreateNullDevice();
  if (!device) __builtin_trap();
  const MeshLoadCheck check = LoadAndCheckMeshes(data, size, FuzzLimits(), device.get());
  if (!check.fault.empty()) __builtin_trap();
  return 0;
}
