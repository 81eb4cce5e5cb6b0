#include "host/host_operations.h"

#include <iterator>

namespace ortolix {

namespace {

constexpr const char* kNames[] = {
    "GetMainWindow",        "Triangulate",          "MaterialQuery",     "GroupQuery",
    "BoneQuery",            "MaterialFallback",     "GroupFallback",     "BoneFallback",
    "FlipHandedness",       "PrepareExport",        "AllocateVertices",  "GroupsHook",
    "SkeletonHook",         "SetVertexInfluences",  "CreateMaterial",    "CreateGroup",
    "CreateBone",           "CreateAnimation",      "CreateMesh",        "CreateTextureMap",
    "GetTextureMap",        "AllocateFaces",        "AllocateTracks",    "AllocatePositionKeys",
    "AllocateRotationKeys", "AllocateScaleKeys"};
static_assert(std::size(kNames) == static_cast<std::size_t>(HostOperation::kCount));

}  // namespace

bool IsFallible(HostOperation op) {
  switch (op) {
    case HostOperation::kAllocateVertices:
    case HostOperation::kSetVertexInfluences:
    case HostOperation::kCreateMaterial:
    case HostOperation::kCreateGroup:
    case HostOperation::kCreateBone:
    case HostOperation::kCreateAnimation:
    case HostOperation::kCreateMesh:
    case HostOperation::kCreateTextureMap:
    case HostOperation::kAllocateFaces:
    case HostOperation::kAllocateTracks:
    case HostOperation::kAllocatePositionKeys:
    case HostOperation::kAllocateRotationKeys:
    case HostOperation::kAllocateScaleKeys:
      return true;
    default:
      return false;
  }
}

const char* HostOperationName(HostOperation op) {
  const int i = static_cast<int>(op);
  return i >= 0 && i < static_cast<int>(HostOperation::kCount) ? kNames[i] : "?";
}

bool HostOperationLog::Enter(HostOperation op) {
  const int i = static_cast<int>(op);
  ++counts_[i];
  if (!IsFallible(op)) return true;
  ++fallibleCount_;
  if (failAt_ == 0) return true;
  const std::int64_t number = failOp_ == kAny ? fallibleCount_ : counts_[i];
  if ((failOp_ != kAny && failOp_ != i) || number != failAt_) return true;
  failAt_ = 0;
  ++injected_;
  return false;
}

void HostOperationLog::FailOnCall(HostOperation op, std::int64_t n) {
  failOp_ = static_cast<int>(op);
  failAt_ = n > 0 && IsFallible(op) ? Count(op) + n : 0;
}

void HostOperationLog::FailOnAnyCall(std::int64_t n) {
  failOp_ = kAny;
  failAt_ = n > 0 ? fallibleCount_ + n : 0;
}

}  // namespace ortolix
