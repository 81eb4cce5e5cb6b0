// ReadXFile: the three template sets registered, every top-level object
// through the ticks check and the data-object loader, then the scene
// finished (bone pointers, world matrices, pose) and made current.
#include "ximport/read_x_file.h"

#include <string>

#include <new>
#include <string_view>

#include "platform/d3dx/com_ref.h"
#include "platform/xfile/standard_templates.h"
#include "ximport/read_context.h"

namespace ortolix {
namespace {

HRESULT OpenFile(ComRef<ID3DXFile>& file, const WideChar* path, ComRef<ID3DXFileEnumObject>& objects,
                 std::string& error) {
  if (const HRESULT hr = D3DXFileCreate(file.Out()); hr < 0) return hr;
  for (std::string_view block : {RetainedModeTemplates(), SkinningTemplates(), VertexDataTemplates()}) {
    if (const HRESULT hr = file->RegisterTemplates(block.data(), block.size()); hr < 0) {
      error = file->LastError().Format();
      return hr;
    }
  }
  const HRESULT hr = file->CreateEnumObject(path, D3DXF_FILELOAD_FROMWFILE, objects.Out());
  if (hr < 0) error = file->LastError().Format();
  return hr;
}

void KeepFileWarnings(XFileReader& reader, const ID3DXFileEnumObject& objects) {
  for (const XWarning& w : objects.Warnings()) {
    std::string where;
    if (w.first_line != 0) {
      where = "line " + std::to_string(w.first_line) + ", column " + std::to_string(w.first_column);
    } else {
      where = "byte offset " + std::to_string(w.first_offset);
    }
    reader.warnings.push_back(ReadWarning{std::string(WarningCodeName(w.code)), w.object,
                                          where + ": " + std::string(WarningRepair(w.code)), w.count});
  }
}

HRESULT LoadTopLevelObjects(ReadContext& ctx, ID3DXFileEnumObject& objects) {
  std::size_t count = 0;
  if (objects.GetChildren(&count) < 0) count = 0;
  for (std::size_t i = 0; i < count; ++i) {
    ComRef<ID3DXFileData> object;
    if (const HRESULT hr = objects.GetChild(i, object.Out()); hr < 0) {
      return ctx.Fail(hr, "GetChild of a top-level object failed");
    }
    CheckTicksPerSecond(ctx.reader, *object);
    if (const HRESULT hr = LoadDataObject(ctx, *object, *ctx.scene.root); hr < 0) return hr;
  }
  return S_OK;
}

HRESULT ReadInto(XFileReader& reader, SceneNode& scene, const WideChar* path) {
  ComRef<ID3DXFile> file;
  ComRef<ID3DXFileEnumObject> objects;
  if (const HRESULT hr = OpenFile(file, path, objects, reader.error); hr < 0) return hr;
  KeepFileWarnings(reader, *objects);
  ReadContext ctx{reader, scene, reader.device, 0, {}, {}, {}};
  const HRESULT hr = LoadTopLevelObjects(ctx, *objects);
  if (hr < 0) {
    reader.error = ctx.error.empty() ? "reading failed" : ctx.error;
    return hr;
  }
  ResolveBonePointers(scene);
  ComputeWorldMatrices(scene.root.get());
  PoseSkinnedMeshes(reader, scene);
  return hr;
}

}  // namespace

HRESULT ReadXFile(XFileReader& reader, const WideChar* path, std::uint32_t, std::uint32_t) {
  reader.error.clear();
  reader.warnings.clear();
  if (reader.device == nullptr || path == nullptr) {
    reader.error = reader.device == nullptr ? "no device to build meshes on" : "no file path";
    return E_FAIL;
  }
  // A failed read leaves every field of the reader as it was.
  const std::uint32_t ticks_before = reader.ticks_per_second;
  const std::int32_t counter_before = reader.unnamed_frame_counter;
  try {
    auto scene = std::make_unique<SceneNode>();
    scene->root = CreateFrameNode();
    const HRESULT hr = ReadInto(reader, *scene, path);
    if (hr < 0) {
      reader.ticks_per_second = ticks_before;
      reader.unnamed_frame_counter = counter_before;
      return hr;  // the new scene goes with `scene`
    }
    DropCurrentScene(reader);
    scene->next = std::move(reader.scene_list);
    reader.scene_list = std::move(scene);
    reader.current_scene = reader.scene_list.get();
    return hr;
  } catch (const std::bad_alloc&) {
    reader.ticks_per_second = ticks_before;
    reader.unnamed_frame_counter = counter_before;
    reader.error = "out of memory";
    return E_OUTOFMEMORY;
  }
}

}  // namespace ortolix
