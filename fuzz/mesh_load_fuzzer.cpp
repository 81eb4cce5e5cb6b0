// Arbitrary bytes through mesh loading: every Mesh of the file is loaded
// with adjacency, materials and skin information, and every mesh that loads
// is checked for consistency. A crash, sanitizer report, leak, or a loaded
// mesh that breaks an invariant is a finding.
#include <cstddef>
#include <cstdint>

#include "platform/d3dx/mesh_load_check.h"
#include "platform/d3dx/null_device.h"

namespace {

using namespace ortolix;

// Tighter than the defaults so that one input stays within the fuzzer's
// memory and time limits.
ReaderLimits FuzzLimits() {
  ReaderLimits limits;
  limits.max_file_bytes = 1u << 20;
  limits.max_data_bytes = 1u << 24;
  limits.max_objects = 1u << 16;
  limits.max_expanded_objects = 1u << 16;
  return limits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ComRef<IDirect3DDevice9> device = CreateNullDevice();
  if (!device) __builtin_trap();
  const MeshLoadCheck check = LoadAndCheckMeshes(data, size, FuzzLimits(), device.get());
  if (!check.fault.empty()) __builtin_trap();
  return 0;
}
