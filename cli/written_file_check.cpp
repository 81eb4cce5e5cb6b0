#include "cli/written_file_check.h"

#include "platform/d3dx/load_skin_mesh.h"
#include "platform/d3dx/mesh_walk.h"
#include "platform/d3dx/null_device.h"

namespace ortolix::cli {
namespace {

// The first Mesh that does not load, as its load report words it.
std::string FirstMeshFailure(ID3DXFileEnumObject& file, IDirect3DDevice9* device, HRESULT& walk) {
  std::string failure;
  walk = ForEachMeshObject(file, [&](ID3DXFileData& data) {
    if (!failure.empty()) return;
    MeshLoadReport report;
    ComRef<ID3DXMesh> mesh;
    ComRef<ID3DXSkinInfo> skin;
    DWORD material_count = 0;
    const HRESULT hr =
        D3DXLoadSkinMeshFromXof(&data, D3DXMESH_32BIT, device, nullptr, nullptr, nullptr,
                                &material_count, skin.Out(), mesh.Out(), &report);
    if (hr < 0) failure = report.error.empty() ? std::string(HresultName(hr)) : report.error;
  });
  return failure;
}

}  // namespace

std::string FirstProblemOfWrittenFile(const std::string& path) {
  ComRef<ID3DXFileEnumObject> file;
  std::string error;
  if (OpenXFileWithStandardTemplates(path.c_str(), D3DXF_FILELOAD_FROMFILE, file.Out(), &error) <
      0) {
    return error;
  }
  if (!file->Warnings().empty()) {
    const XWarning& w = file->Warnings().front();
    return path + ":" + std::to_string(w.first_line) + ":" + std::to_string(w.first_column) + ": " +
           std::string(WarningCodeName(w.code)) +
           (w.object.empty() ? std::string() : " (in " + w.object + ")");
  }
  ComRef<IDirect3DDevice9> device = CreateNullDevice();
  if (!device) return "the device stand-in could not be created";
  HRESULT walk = S_OK;
  std::string failure = FirstMeshFailure(*file, device.get(), walk);
  if (failure.empty() && walk < 0) failure = file->LastError().Format();
  return failure.empty() ? failure : path + ": " + failure;
}

}  // namespace ortolix::cli
