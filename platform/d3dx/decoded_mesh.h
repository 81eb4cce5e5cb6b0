// The contents of one Mesh data object and the children the mesh loader
// reads, decoded from their Lock data but not yet checked against each other.
// Filled by mesh_data_decode, turned into a mesh by BuildSkinMesh.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "math/vector_math.h"
#include "platform/d3dx/d3dx_types.h"

namespace ortolix {

// Polygons as corner counts and one flat index list.
struct MeshPolygons {
  std::vector<DWORD> corner_counts;
  std::vector<DWORD> indices;
};

struct MeshNormalsSource {
  std::vector<Vec3> normals;
  MeshPolygons faces;
};

struct IndexedColourSource {
  DWORD vertex;
  float r, g, b, a;
};

struct MaterialSource {
  std::string name;  // empty for an unnamed Material
  float face_colour[4];
  float power;
  float specular[3];
  float emissive[3];
  std::optional<std::string> texture;  // the last TextureFilename child
};

struct MaterialListSource {
  DWORD material_count = 0;
  std::vector<DWORD> face_indexes;
  std::vector<MaterialSource> materials;  // Material children and references, in order
};

// One texture coordinate set: `dimension` floats for each of `count` vertices.
struct TextureSetSource {
  DWORD dimension = 2;
  DWORD count = 0;
  std::vector<float> values;
};

struct SkinWeightsSource {
  std::string bone_name;
  std::vector<DWORD> vertices;
  std::vector<float> weights;
  D3DXMATRIX offset;
};

struct DecodedMesh {
  std::string name;
  std::vector<Vec3> positions;
  MeshPolygons faces;
  std::optional<MeshNormalsSource> normals;
  std::optional<TextureSetSource> texture_coords;     // MeshTextureCoords
  std::optional<std::vector<IndexedColourSource>> colours;
  std::optional<MaterialListSource> material_list;
  std::vector<TextureSetSource> extra_texture_sets;   // from FVFData and DeclData, in file order
  std::optional<DWORD> skin_bone_count;               // XSkinMeshHeader nBones
  std::vector<SkinWeightsSource> skin_weights;
};

}  // namespace ortolix
