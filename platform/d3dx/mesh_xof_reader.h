// Reads a Mesh data object and its children through the .x file services
// into a DecodedMesh. Written against the ID3DXFileData operations (GetName,
// Lock/Unlock, GetChildren, GetChild, Release) so that it works on the real
// data objects and on stand-ins in tests; the kind of each child comes from
// an overload ClassifyMeshChild(Data&) found next to the data type.
//
// Children are taken in file order; a later MeshNormals, MeshTextureCoords,
// MeshVertexColors or MeshMaterialList replaces an earlier one; FVFData and
// DeclData add texture sets; other children are skipped. Failures of the
// file services pass through with a message naming the object.
#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "platform/d3dx/com_ref.h"
#include "platform/d3dx/mesh_data_decode.h"

namespace ortolix {

enum class MeshChildKind : std::uint8_t {
  kOther,
  kMeshNormals,
  kMeshTextureCoords,
  kMeshVertexColors,
  kMeshMaterialList,
  kMaterial,
  kTextureFilename,
  kXSkinMeshHeader,
  kSkinWeights,
  kFvfData,
  kDeclData,
};

// The template name of a child kind, for messages.
[[nodiscard]] constexpr const char* MeshChildKindName(MeshChildKind kind) {
  switch (kind) {
    case MeshChildKind::kMeshNormals: return "MeshNormals";
    case MeshChildKind::kMeshTextureCoords: return "MeshTextureCoords";
    case MeshChildKind::kMeshVertexColors: return "MeshVertexColors";
    case MeshChildKind::kMeshMaterialList: return "MeshMaterialList";
    case MeshChildKind::kMaterial: return "Material";
    case MeshChildKind::kTextureFilename: return "TextureFilename";
    case MeshChildKind::kXSkinMeshHeader: return "XSkinMeshHeader";
    case MeshChildKind::kSkinWeights: return "SkinWeights";
    case MeshChildKind::kFvfData: return "FVFData";
    case MeshChildKind::kDeclData: return "DeclData";
    case MeshChildKind::kOther: break;
  }
  return "child";
}

namespace xof_detail {

inline HRESULT ServiceFailure(MeshLoadReport& report, HRESULT hr, const std::string& object,
                              const char* call) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
  return report.Fail(hr, object + ": " + call + " failed with " + code);
}

// The object's name by the size protocol ("" when unnamed).
template <class Data>
HRESULT ReadName(Data& data, std::string& name) {
  std::size_t size = 0;
  if (const HRESULT hr = data.GetName(nullptr, &size); hr < 0) return hr;
  if (size <= 1) {
    name.clear();
    return S_OK;
  }
  std::vector<char> buffer(size);
  if (const HRESULT hr = data.GetName(buffer.data(), &size); hr < 0) return hr;
  name.assign(buffer.data());
  return S_OK;
}

// Locks the object, hands its bytes to `use`, unlocks.
template <class Data, class Use>
HRESULT WithLockedData(Data& data, const std::string& object, MeshLoadReport& report, Use&& use) {
  std::size_t size = 0;
  const void* bytes = nullptr;
  if (const HRESULT hr = data.Lock(&size, &bytes); hr < 0) {
    return ServiceFailure(report, hr, object, "Lock");
  }
  const HRESULT hr = use(LockBytes(static_cast<const std::byte*>(bytes), size));
  (void)data.Unlock();
  return hr;
}

// Calls visit(child, kind) for each child in file order.
template <class Data, class Visit>
HRESULT ForEachChild(Data& data, const std::string& object, MeshLoadReport& report, Visit&& visit) {
  std::size_t count = 0;
  if (const HRESULT hr = data.GetChildren(&count); hr < 0) {
    return ServiceFailure(report, hr, object, "GetChildren");
  }
  for (std::size_t i = 0; i < count; ++i) {
    ComRef<Data> child;
    if (const HRESULT hr = data.GetChild(i, child.Out()); hr < 0) {
      return ServiceFailure(report, hr, object, "GetChild");
    }
    if (const HRESULT hr = visit(*child, ClassifyMeshChild(*child)); hr < 0) return hr;
  }
  return S_OK;
}

template <class Data>
HRESULT ReadMaterial(Data& data, const std::string& mesh_name, MaterialSource& material,
                     MeshLoadReport& report) {
  const std::string object = MeshObjectPath(mesh_name, "MeshMaterialList > Material");
  if (const HRESULT hr = ReadName(data, material.name); hr < 0) {
    return ServiceFailure(report, hr, object, "GetName");
  }
  HRESULT hr = WithLockedData(data, object, report, [&](LockBytes bytes) {
    return DecodeMaterial(bytes, mesh_name, material, report);
  });
  if (hr < 0) return hr;
  return ForEachChild(data, object, report, [&](Data& child, MeshChildKind kind) -> HRESULT {
    if (kind != MeshChildKind::kTextureFilename) return S_OK;
    std::string file_name;
    const HRESULT read = WithLockedData(child, object + " > TextureFilename", report, [&](LockBytes bytes) {
      return DecodeTextureFilename(bytes, mesh_name, file_name, report);
    });
    if (read >= 0) material.texture = std::move(file_name);  // the last one wins
    return read;
  });
}

template <class Data>
HRESULT ReadMaterialList(Data& data, DecodedMesh& mesh, MeshLoadReport& report) {
  const std::string object = MeshObjectPath(mesh.name, "MeshMaterialList");
  HRESULT hr = WithLockedData(data, object, report,
                              [&](LockBytes bytes) { return DecodeMeshMaterialList(bytes, mesh, report); });
  if (hr < 0) return hr;
  MaterialListSource& list = *mesh.material_list;
  std::size_t extra = 0;
  hr = ForEachChild(data, object, report, [&](Data& child, MeshChildKind kind) -> HRESULT {
    if (kind != MeshChildKind::kMaterial) return S_OK;
    if (list.materials.size() >= list.material_count) {  // beyond the count: not read
      ++extra;
      return S_OK;
    }
    MaterialSource material{};
    const HRESULT read = ReadMaterial(child, mesh.name, material, report);
    if (read >= 0) list.materials.push_back(std::move(material));
    return read;
  });
  if (hr < 0) return hr;
  FitMaterialsToCount(list, mesh.name, extra, report);
  return S_OK;
}

template <class Data>
HRESULT ReadMeshChild(Data& child, MeshChildKind kind, DecodedMesh& mesh, MeshLoadReport& report) {
  using Decoder = HRESULT (*)(LockBytes, DecodedMesh&, MeshLoadReport&);
  Decoder decode = nullptr;
  switch (kind) {
    case MeshChildKind::kMeshMaterialList: return ReadMaterialList(child, mesh, report);
    case MeshChildKind::kMeshNormals: decode = DecodeMeshNormals; break;
    case MeshChildKind::kMeshTextureCoords: decode = DecodeMeshTextureCoords; break;
    case MeshChildKind::kMeshVertexColors: decode = DecodeMeshVertexColors; break;
    case MeshChildKind::kXSkinMeshHeader: decode = DecodeSkinMeshHeader; break;
    case MeshChildKind::kSkinWeights: decode = DecodeSkinWeights; break;
    case MeshChildKind::kFvfData: decode = DecodeFvfData; break;
    case MeshChildKind::kDeclData: decode = DecodeDeclData; break;
    default: return S_OK;
  }
  return WithLockedData(child, MeshObjectPath(mesh.name, MeshChildKindName(kind)), report,
                        [&](LockBytes bytes) { return decode(bytes, mesh, report); });
}

}  // namespace xof_detail

// Fills `mesh` from the Mesh data object `data`.
template <class Data>
HRESULT ReadDecodedMesh(Data& data, DecodedMesh& mesh, MeshLoadReport& report) {
  if (const HRESULT hr = xof_detail::ReadName(data, mesh.name); hr < 0) {
    return xof_detail::ServiceFailure(report, hr, "Mesh", "GetName");
  }
  const std::string object = MeshObjectPath(mesh.name);
  HRESULT hr = xof_detail::WithLockedData(data, object, report,
                                          [&](LockBytes bytes) { return DecodeMesh(bytes, mesh, report); });
  if (hr < 0) return hr;
  return xof_detail::ForEachChild(data, object, report, [&](Data& child, MeshChildKind kind) {
    return xof_detail::ReadMeshChild(child, kind, mesh, report);
  });
}

}  // namespace ortolix
