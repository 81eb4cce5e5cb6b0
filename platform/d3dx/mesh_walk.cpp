#include "platform/d3dx/mesh_walk.h"

#include <string>

#include "platform/d3dx/com_ref.h"
#include "platform/xfile/standard_templates.h"
#include "platform/xfile/xfile_guids.h"

namespace ortolix {
namespace {

HRESULT Visit(ID3DXFileData& data, const std::function<void(ID3DXFileData&)>& visit) {
  if (data.IsReference()) return S_OK;
  GUID type{};
  if (const HRESULT hr = data.GetType(&type); hr < 0) return hr;
  if (GuidEqual(type, TID_D3DRMMesh)) visit(data);
  std::size_t count = 0;
  if (const HRESULT hr = data.GetChildren(&count); hr < 0) return hr;
  for (std::size_t i = 0; i < count; ++i) {
    ComRef<ID3DXFileData> child;
    if (const HRESULT hr = data.GetChild(i, child.Out()); hr < 0) return hr;
    if (const HRESULT hr = Visit(*child, visit); hr < 0) return hr;
  }
  return S_OK;
}

}  // namespace

HRESULT ForEachMeshObject(ID3DXFileEnumObject& file, const std::function<void(ID3DXFileData&)>& visit) {
  std::size_t count = 0;
  if (const HRESULT hr = file.GetChildren(&count); hr < 0) return hr;
  for (std::size_t i = 0; i < count; ++i) {
    ComRef<ID3DXFileData> object;
    if (const HRESULT hr = file.GetChild(i, object.Out()); hr < 0) return hr;
    if (const HRESULT hr = Visit(*object, visit); hr < 0) return hr;
  }
  return S_OK;
}

HRESULT OpenXFileWithStandardTemplates(const void* source, D3DXF_FILELOADOPTIONS options,
                                       ID3DXFileEnumObject** file, std::string* error,
                                       const ReaderLimits* limits) {
  ComRef<ID3DXFile> files;
  if (const HRESULT hr = D3DXFileCreate(files.Out()); hr < 0) return hr;
  for (std::string_view block : {RetainedModeTemplates(), SkinningTemplates(), VertexDataTemplates()}) {
    if (const HRESULT hr = files->RegisterTemplates(block.data(), block.size()); hr < 0) {
      if (error != nullptr) *error = files->LastError().Format();
      return hr;
    }
  }
  if (limits != nullptr) files->SetLimits(*limits);
  const HRESULT hr = files->CreateEnumObject(source, options, file);
  if (hr < 0 && error != nullptr) *error = files->LastError().Format();
  return hr;
}

}  // namespace ortolix
