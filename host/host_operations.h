// Counting the Host operations the plug-in calls, and making a create or
// allocate operation fail on its N-th call so that tests reach the plug-in's
// failure paths.
#pragma once

#include <array>
#include <cstdint>

namespace ortolix {

enum class HostOperation : int {
  kGetMainWindow,
  kTriangulate,
  kMaterialQuery,
  kGroupQuery,
  kBoneQuery,
  kMaterialFallback,
  kGroupFallback,
  kBoneFallback,
  kFlipHandedness,
  kPrepareExport,
  kAllocateVertices,
  kGroupsHook,
  kSkeletonHook,
  kSetVertexInfluences,
  kCreateMaterial,
  kCreateGroup,
  kCreateBone,
  kCreateAnimation,
  kCreateMesh,
  kCreateTextureMap,
  kGetTextureMap,
  kAllocateFaces,
  kAllocateTracks,
  kAllocatePositionKeys,
  kAllocateRotationKeys,
  kAllocateScaleKeys,
  kCount
};

// True for the create and allocate operations, the ones that can fail.
bool IsFallible(HostOperation op);

// The operation's name as it appears in the HostModel interface.
const char* HostOperationName(HostOperation op);

class HostOperationLog {
 public:
  // Counts one call of `op`; false when this call is the one set to fail.
  [[nodiscard]] bool Enter(HostOperation op);

  // The n-th call (1-based, counted from now) of the fallible `op` fails.
  // n <= 0 switches the failure off. Replaces any earlier setting.
  void FailOnCall(HostOperation op, std::int64_t n);
  // The n-th call of any create or allocate operation, counted from now.
  void FailOnAnyCall(std::int64_t n);
  void ClearFailure() { failAt_ = 0; }

  std::int64_t Count(HostOperation op) const { return counts_[static_cast<int>(op)]; }
  std::int64_t FallibleCount() const { return fallibleCount_; }
  // How many calls failed on purpose since the log was made.
  std::int64_t InjectedFailures() const { return injected_; }

 private:
  static constexpr int kAny = -1;
  std::array<std::int64_t, static_cast<int>(HostOperation::kCount)> counts_{};
  std::int64_t fallibleCount_ = 0;
  std::int64_t injected_ = 0;
  int failOp_ = kAny;
  std::int64_t failAt_ = 0;  // absolute call number that fails; 0: none
};

}  // namespace ortolix
