// What the loaders of one ReadXFile share: the reader, the scene being
// built, the nesting depth of the walk, and the path of objects being read
// for messages. Internal to ximport.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/xfile/d3dx_file.h"
#include "ximport/import_scene.h"

namespace ortolix {

struct ReadContext {
  XFileReader& reader;
  SceneNode& scene;
  IDirect3DDevice9* device;
  // Nesting of the loader's recursion; references may repeat subtrees, so
  // the walk checks it against the file services' nesting cap itself.
  std::uint32_t depth = 0;
  std::vector<std::string> path;  // "Frame 'Root'", "Animation", ...
  std::string error;              // set by Fail, copied to reader.error
  // Every named node by name, the first of each name only. Nodes are only
  // ever appended after all existing ones in pre-order (the walk appends to
  // nodes on its current path), so the first registered is the one a
  // pre-order search from the root finds. Views into the nodes' own names.
  std::unordered_map<std::string_view, FrameNode*> names;

  void RegisterName(FrameNode& node) {
    if (node.name) names.emplace(*node.name, &node);
  }
  [[nodiscard]] FrameNode* FindByName(std::string_view name) const {
    const auto found = names.find(name);
    return found != names.end() ? found->second : nullptr;
  }

  // "Frame 'Root' > AnimationSet 'Walk'" (or "file" at the top level).
  [[nodiscard]] std::string Where() const;
  // Records the first failure with where it happened and returns `code`.
  HRESULT Fail(HRESULT code, std::string_view message);
  // Counts a tolerated quirk under `code`; the first message is kept.
  void Warn(std::string_view code, std::string_view message);
  // The same with the object named by the caller.
  void WarnAt(std::string_view code, std::string object, std::string_view message,
              std::uint64_t count = 1);
};

// Pushes a path segment for the lifetime of the guard.
class PathSegment {
 public:
  PathSegment(ReadContext& ctx, std::string segment) : ctx_(ctx) {
    ctx_.path.push_back(std::move(segment));
  }
  ~PathSegment() { ctx_.path.pop_back(); }
  PathSegment(const PathSegment&) = delete;
  PathSegment& operator=(const PathSegment&) = delete;

 private:
  ReadContext& ctx_;
};

// "Kind 'name'" or "Kind" when the name is empty.
[[nodiscard]] std::string ObjectLabel(std::string_view kind, std::string_view name);

// The object's name by the size protocol: *length the reported size (the
// name's bytes plus the NUL; 1 or 0 when unnamed), *name its text.
[[nodiscard]] HRESULT ReadObjectName(ID3DXFileData& data, std::size_t* length, std::string* name);

[[nodiscard]] HRESULT ObjectType(ID3DXFileData& data, GUID* type);

// "<call> failed with 0x........" recorded through ctx.Fail.
HRESULT ServiceFailure(ReadContext& ctx, HRESULT hr, const char* call);

// Calls visit(child) for each child of `data` in file order, releasing each
// after use; a failure to get a child, or a negative result of `visit`, ends
// the walk with that result.
template <class Visit>
[[nodiscard]] HRESULT ForEachChild(ReadContext& ctx, ID3DXFileData& data, Visit&& visit) {
  std::size_t count = 0;
  if (const HRESULT hr = data.GetChildren(&count); hr < 0) return ServiceFailure(ctx, hr, "GetChildren");
  for (std::size_t i = 0; i < count; ++i) {
    ID3DXFileData* child = nullptr;
    if (const HRESULT hr = data.GetChild(i, &child); hr < 0) return ServiceFailure(ctx, hr, "GetChild");
    const HRESULT hr = visit(*child);
    child->Release();
    if (hr < 0) return hr;
  }
  return S_OK;
}

// Data-object loader: Mesh, FrameTransformMatrix, AnimationSet, Animation
// and Frame; other templates are skipped.
[[nodiscard]] HRESULT LoadDataObject(ReadContext& ctx, ID3DXFileData& data, FrameNode& parent);

// Loads a Mesh into a MeshContainer in front of `parent`'s mesh list; sets
// *container to it, or null when the mesh failed (the failure is the
// result, and the caller drops it).
[[nodiscard]] HRESULT LoadMesh(ReadContext& ctx, ID3DXFileData& data, FrameNode& parent,
                               MeshContainer** container);

// Appends the names of the Materials of a MeshMaterialList child of a Mesh.
void ReadMaterialNames(ReadContext& ctx, ID3DXFileData& child, MeshContainer& container);

[[nodiscard]] HRESULT LoadAnimationSet(ReadContext& ctx, ID3DXFileData& data, FrameNode& parent);
[[nodiscard]] HRESULT LoadAnimation(ReadContext& ctx, ID3DXFileData& data, FrameNode& parent);

// A top-level AnimTicksPerSecond object sets the reader's ticks per second.
void CheckTicksPerSecond(XFileReader& reader, ID3DXFileData& data);

// After the walk: bone pointers, world matrices from identity, posing.
void ResolveBonePointers(SceneNode& scene);
void ComputeWorldMatrices(FrameNode* root);
void PoseSkinnedMeshes(XFileReader& reader, SceneNode& scene);
// Poses one skinned mesh in the frames' pose; S_OK or the failure that
// stopped it (the mesh then stays as loaded or partly posed).
HRESULT PoseSkinnedMesh(XFileReader& reader, MeshContainer& container);

}  // namespace ortolix
