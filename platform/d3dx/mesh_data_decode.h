// Decoders of the Lock data of Mesh and of the children the mesh loader
// reads, into a DecodedMesh. Each checks only what its own data says (sizes,
// counts against the bytes present); how the pieces fit together is checked
// by BuildSkinMesh. Failures are D3DXERR_INVALIDDATA, recorded in the report
// with the object's path. Safe on any bytes.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "platform/d3dx/mesh_load_report.h"
#include "platform/d3dx/decoded_mesh.h"

namespace ortolix {

using LockBytes = std::span<const std::byte>;

// Mesh: nVertices, the vertices, nFaces, the faces. Sets positions and faces.
[[nodiscard]] HRESULT DecodeMesh(LockBytes data, DecodedMesh& mesh, MeshLoadReport& report);
// Each replaces an earlier child of its kind.
[[nodiscard]] HRESULT DecodeMeshNormals(LockBytes data, DecodedMesh& mesh, MeshLoadReport& report);
[[nodiscard]] HRESULT DecodeMeshTextureCoords(LockBytes data, DecodedMesh& mesh,
                                              MeshLoadReport& report);
[[nodiscard]] HRESULT DecodeMeshVertexColors(LockBytes data, DecodedMesh& mesh,
                                             MeshLoadReport& report);
// MeshMaterialList's own members (counts and face indexes); its Material
// children are added with DecodeMaterial.
[[nodiscard]] HRESULT DecodeMeshMaterialList(LockBytes data, DecodedMesh& mesh,
                                             MeshLoadReport& report);
// After the Material children are read (`extra` of them beyond the count
// were left out): fewer than the count are completed with white materials
// (colour 1, 1, 1, 1, power 0, black specular and emissive, no texture);
// each repair is a warning.
void FitMaterialsToCount(MaterialListSource& list, const std::string& mesh_name,
                         std::size_t extra, MeshLoadReport& report);
// Material: exactly 44 bytes (colour, power, specular, emissive).
[[nodiscard]] HRESULT DecodeMaterial(LockBytes data, const std::string& mesh_name,
                                     MaterialSource& material, MeshLoadReport& report);
// TextureFilename: one string pointer; a null pointer reads as "".
[[nodiscard]] HRESULT DecodeTextureFilename(LockBytes data, const std::string& mesh_name,
                                            std::string& file_name, MeshLoadReport& report);
// XSkinMeshHeader: a second header fails; SkinWeights must come after it.
[[nodiscard]] HRESULT DecodeSkinMeshHeader(LockBytes data, DecodedMesh& mesh,
                                           MeshLoadReport& report);
[[nodiscard]] HRESULT DecodeSkinWeights(LockBytes data, DecodedMesh& mesh, MeshLoadReport& report);
// FVFData and DeclData: their texture coordinate sets join the extra sets;
// data that does not match the mesh's vertex count, and elements other than
// float texture coordinates, are ignored with a warning. Call after DecodeMesh.
[[nodiscard]] HRESULT DecodeFvfData(LockBytes data, DecodedMesh& mesh, MeshLoadReport& report);
[[nodiscard]] HRESULT DecodeDeclData(LockBytes data, DecodedMesh& mesh, MeshLoadReport& report);

}  // namespace ortolix
