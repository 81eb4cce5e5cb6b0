// Text .x sources for the mesh loading tests, and loading their Mesh data
// objects through the file services as the import does.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/d3dx/com_ref.h"
#include "platform/d3dx/load_skin_mesh.h"
#include "platform/d3dx/mesh_walk.h"
#include "tests/d3dx/test_device.h"

namespace ortolix::test {

inline constexpr const char* kTextHeader = "xof 0303txt 0032\n";

// "n;\n x;y;z;,\n ... ;;" as Mesh and MeshNormals write their vectors.
inline std::string VectorList(std::initializer_list<std::initializer_list<float>> vectors) {
  std::string out = std::to_string(vectors.size()) + ";\n";
  std::size_t i = 0;
  for (auto v : vectors) {
    char line[160];
    const float* f = v.begin();
    std::snprintf(line, sizeof line, " %f;%f;%f;%s\n", f[0], f[1], f[2],
                  ++i == vectors.size() ? ";" : ",");
    out += line;
  }
  return out;
}

// "n;\n c;i,i,i;,\n ... ;;" for faces and normal faces.
inline std::string FaceList(std::initializer_list<std::initializer_list<DWORD>> faces) {
  std::string out = std::to_string(faces.size()) + ";\n";
  std::size_t i = 0;
  for (auto face : faces) {
    out += " " + std::to_string(face.size()) + ";";
    std::size_t k = 0;
    for (DWORD index : face) out += std::to_string(index) + (++k == face.size() ? ";" : ",");
    out += ++i == faces.size() ? ";\n" : ",\n";
  }
  return out;
}

struct LoadedMesh {
  ComRef<ID3DXMesh> mesh;
  ComRef<ID3DXBuffer> adjacency;
  ComRef<ID3DXBuffer> materials;
  DWORD material_count = 99;
  ComRef<ID3DXSkinInfo> skin;
  MeshLoadReport report;
  HRESULT code = E_FAIL;
};

// The Mesh data objects of a .x text (header added), nested ones included,
// in file order. Fails the test when the text does not parse.
inline std::vector<ComRef<ID3DXFileData>> MeshObjectsOf(const std::string& body) {
  const std::string text = kTextHeader + body;
  const D3DXF_FILELOADMEMORY memory{text.data(), text.size()};
  ComRef<ID3DXFileEnumObject> file;
  std::string error;
  std::vector<ComRef<ID3DXFileData>> meshes;
  const HRESULT hr = OpenXFileWithStandardTemplates(&memory, D3DXF_FILELOAD_FROMMEMORY, file.Out(), &error);
  EXPECT_EQ(hr, S_OK) << error;
  if (hr < 0) return meshes;
  EXPECT_EQ(ForEachMeshObject(*file, [&](ID3DXFileData& data) {
              data.AddRef();
              meshes.emplace_back(&data);
            }),
            S_OK);
  return meshes;
}

inline LoadedMesh LoadMeshObject(ID3DXFileData& data, IDirect3DDevice9* device,
                                 DWORD options = D3DXMESH_32BIT) {
  LoadedMesh out;
  out.code = D3DXLoadSkinMeshFromXof(&data, options, device, out.adjacency.Out(), out.materials.Out(),
                                     nullptr, &out.material_count, out.skin.Out(), out.mesh.Out(),
                                     &out.report);
  return out;
}

}  // namespace ortolix::test
