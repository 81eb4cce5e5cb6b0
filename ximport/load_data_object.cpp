// The data-object loader: each object of the file walk goes to the loader of
// its template (Mesh, FrameTransformMatrix, AnimationSet, Animation, Frame);
// other templates are skipped.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/xfile/reader_limits.h"
#include "platform/xfile/xfile_guids.h"
#include "ximport/read_context.h"

namespace ortolix {
namespace {

// A Mesh: a mesh that fails to load is skipped (with a warning) and the walk
// goes on; the names of its materials go to the container it produced.
HRESULT LoadMeshObject(ReadContext& ctx, ID3DXFileData& data, FrameNode& parent) {
  MeshContainer* container = nullptr;
  (void)LoadMesh(ctx, data, parent, &container);
  return ForEachChild(ctx, data, [&](ID3DXFileData& child) {
    if (container != nullptr) ReadMaterialNames(ctx, child, *container);
    return S_OK;
  });
}

// A later FrameTransformMatrix of the same frame replaces an earlier one.
HRESULT LoadFrameTransform(ReadContext& ctx, ID3DXFileData& data, FrameNode& parent) {
  std::size_t size = 0;
  const void* bytes = nullptr;
  if (const HRESULT hr = data.Lock(&size, &bytes); hr < 0) return ServiceFailure(ctx, hr, "Lock");
  if (bytes != nullptr) {
    if (size < sizeof parent.frame_matrix) {
      // Only a template redeclared smaller than 16 floats gets here.
      ctx.Warn("short_frame_matrix", "FrameTransformMatrix holds fewer than 16 floats; the rest read as 0");
      parent.frame_matrix = D3DXMATRIX{};
    }
    std::memcpy(&parent.frame_matrix, bytes, std::min(size, sizeof parent.frame_matrix));
  }
  (void)data.Unlock();
  return S_OK;
}

HRESULT NameFrame(ReadContext& ctx, ID3DXFileData& data, FrameNode& node) {
  std::size_t length = 0;
  std::string name;
  if (const HRESULT hr = ReadObjectName(data, &length, &name); hr < 0) {
    return ServiceFailure(ctx, hr, "GetName");
  }
  if (length <= 1) {
    char text[32];
    std::snprintf(text, sizeof text, "NoFrameName%d", ctx.reader.unnamed_frame_counter);
    ++ctx.reader.unnamed_frame_counter;
    name = text;
  }
  node.name = std::move(name);
  ctx.RegisterName(node);
  return S_OK;
}

HRESULT LoadFrame(ReadContext& ctx, ID3DXFileData& data, FrameNode& parent) {
  FrameNode& node = *AppendChild(parent, CreateFrameNode());
  if (const HRESULT hr = NameFrame(ctx, data, node); hr < 0) return hr;
  PathSegment segment(ctx, ObjectLabel("Frame", *node.name));
  return ForEachChild(ctx, data, [&](ID3DXFileData& child) { return LoadDataObject(ctx, child, node); });
}

// Restores the depth on every way out of LoadDataObject.
class DepthGuard {
 public:
  explicit DepthGuard(ReadContext& ctx) : ctx_(ctx) { ++ctx_.depth; }
  ~DepthGuard() { --ctx_.depth; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  ReadContext& ctx_;
};

}  // namespace

HRESULT LoadDataObject(ReadContext& ctx, ID3DXFileData& data, FrameNode& parent) {
  DepthGuard depth(ctx);
  // The file itself never nests deeper than this; references to frames can
  // repeat subtrees inside each other, so the walk bounds itself too.
  if (ctx.depth > ReaderLimits{}.max_object_depth) {
    return ctx.Fail(E_FAIL, "objects nest deeper than the reader's nesting limit (through references)");
  }
  GUID type{};
  if (const HRESULT hr = ObjectType(data, &type); hr < 0) return ServiceFailure(ctx, hr, "GetType");
  if (GuidEqual(type, TID_D3DRMMesh)) return LoadMeshObject(ctx, data, parent);
  if (GuidEqual(type, TID_D3DRMFrameTransformMatrix)) return LoadFrameTransform(ctx, data, parent);
  if (GuidEqual(type, TID_D3DRMAnimationSet)) return LoadAnimationSet(ctx, data, parent);
  if (GuidEqual(type, TID_D3DRMAnimation)) return LoadAnimation(ctx, data, parent);
  if (GuidEqual(type, TID_D3DRMFrame)) return LoadFrame(ctx, data, parent);
  return S_OK;
}

}  // namespace ortolix
