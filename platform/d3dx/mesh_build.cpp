#include "platform/d3dx/mesh_build.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <string>

#include "platform/d3dx/com_ref.h"
#include "platform/d3dx/fvf.h"
#include "platform/d3dx/vertex_plan.h"

namespace ortolix {
namespace {

constexpr std::size_t kMaxTextureSets = 8;

std::vector<const TextureSetSource*> TextureSets(const MeshSource& source) {
  std::vector<const TextureSetSource*> sets;
  if (source.texture_coords) sets.push_back(&*source.texture_coords);
  for (const TextureSetSource& extra : source.extra_texture_sets) sets.push_back(&extra);
  if (sets.size() > kMaxTextureSets) sets.resize(kMaxTextureSets);
  return sets;
}

DWORD TextureSizeCode(DWORD dimension) {
  switch (dimension) {
    case 1: return D3DFVF_TEXTUREFORMAT1;
    case 3: return D3DFVF_TEXTUREFORMAT3;
    case 4: return D3DFVF_TEXTUREFORMAT4;
    default: return D3DFVF_TEXTUREFORMAT2;
  }
}

// One channel of a vertex colour: clamped to 0..1, x 255, rounded half up.
DWORD ColourChannel(float value) {
  const float clamped = value > 0.0f ? std::min(value, 1.0f) : 0.0f;  // NaN -> 0
  return static_cast<DWORD>(clamped * 255.0f + 0.5f);
}

// ARGB colour per file vertex; vertices without an entry are white, alpha 0.
std::vector<DWORD> FileVertexColours(const MeshSource& source) {
  std::vector<DWORD> colours(source.positions.size(), 0x00FFFFFFu);
  for (const IndexedColourSource& c : *source.colours) {
    colours[c.vertex] = ColourChannel(c.a) << 24 | ColourChannel(c.r) << 16 |
                        ColourChannel(c.g) << 8 | ColourChannel(c.b);
  }
  return colours;
}

void FillVertices(const MeshSource& source, const VertexPlan& plan, std::byte* vertices) {
  FvfLayout layout;
  const DWORD fvf = MeshSourceFvf(source);
  (void)BuildFvfLayout(fvf, layout);  // always describable: built from known bits
  const std::vector<const TextureSetSource*> sets = TextureSets(source);
  const std::vector<DWORD> colours = source.colours ? FileVertexColours(source) : std::vector<DWORD>{};
  std::size_t next = 1;
  const std::size_t normal_offset = source.normals ? layout.elements[next++].offset : 0;
  const std::size_t colour_offset = source.colours ? layout.elements[next++].offset : 0;
  const std::size_t first_set = next;
  for (DWORD v = 0; v < plan.VertexCount(); ++v) {
    std::byte* out = vertices + std::size_t(v) * layout.stride;
    const DWORD file_vertex = plan.original_of[v];
    std::memcpy(out, &source.positions[file_vertex], 12);
    if (source.normals) std::memcpy(out + normal_offset, &plan.normal_of[v], 12);
    if (source.colours) std::memcpy(out + colour_offset, &colours[file_vertex], 4);
    for (std::size_t s = 0; s < sets.size(); ++s) {
      const TextureSetSource& set = *sets[s];
      if (file_vertex >= set.count) continue;  // stays (0, 0)
      std::memcpy(out + layout.elements[first_set + s].offset,
                  set.values.data() + std::size_t(file_vertex) * set.dimension,
                  set.dimension * sizeof(float));
    }
  }
}

// Fans each polygon from its first corner, in file order.
void FillFaces(const MeshSource& source, const VertexPlan& plan,
               const std::vector<DWORD>& polygon_material, bool wide, void* indices,
               DWORD* attributes) {
  std::size_t corner = 0;
  std::size_t at = 0;
  std::size_t triangle = 0;
  auto put = [&](DWORD value) {
    if (wide) {
      static_cast<std::uint32_t*>(indices)[at++] = value;
    } else {
      static_cast<std::uint16_t*>(indices)[at++] = static_cast<std::uint16_t>(value);
    }
  };
  for (std::size_t f = 0; f < source.faces.corner_counts.size(); ++f) {
    const DWORD corners = source.faces.corner_counts[f];
    for (DWORD k = 1; k + 1 < corners; ++k) {
      put(plan.corner_vertex[corner]);
      put(plan.corner_vertex[corner + k]);
      put(plan.corner_vertex[corner + k + 1]);
      attributes[triangle++] = polygon_material[f];
    }
    corner += corners;
  }
}

HRESULT MakeMesh(const MeshSource& source, const VertexPlan& plan,
                 const std::vector<DWORD>& polygon_material, DWORD options,
                 IDirect3DDevice9* device, ComRef<ID3DXMesh>& mesh, MeshLoadReport& report) {
  std::size_t triangles = 0;
  for (DWORD corners : source.faces.corner_counts) triangles += corners - 2;
  const bool wide = (options & D3DXMESH_32BIT) != 0;
  if (!wide && plan.VertexCount() > 0xFFFFu) {
    return report.Fail(D3DERR_INVALIDCALL, MeshObjectPath(source.name) + ": " +
                                               std::to_string(plan.VertexCount()) +
                                               " vertices need 32-bit indices");
  }
  if (triangles > 0xFFFFFFFFu / 3) {
    return report.Fail(D3DERR_INVALIDCALL, MeshObjectPath(source.name) + ": too many triangles");
  }
  const HRESULT hr = D3DXCreateMeshFVF(DWORD(triangles), plan.VertexCount(), options,
                                       MeshSourceFvf(source), device, mesh.Out());
  if (hr < 0) return report.Fail(hr, MeshObjectPath(source.name) + ": the mesh cannot be created");
  void* vertices = nullptr;
  void* indices = nullptr;
  DWORD* attributes = nullptr;
  if (mesh->LockVertexBuffer(0, &vertices) < 0 || mesh->LockIndexBuffer(0, &indices) < 0 ||
      mesh->LockAttributeBuffer(0, &attributes) < 0) {
    return report.Fail(E_FAIL, MeshObjectPath(source.name) + ": the new mesh cannot be locked");
  }
  FillVertices(source, plan, static_cast<std::byte*>(vertices));
  FillFaces(source, plan, polygon_material, wide, indices, attributes);
  (void)mesh->UnlockVertexBuffer();
  (void)mesh->UnlockIndexBuffer();
  (void)mesh->UnlockAttributeBuffer();
  return S_OK;
}

// Bones in SkinWeights order; copies of a vertex carry its influences,
// appended after the bone's file-order influences.
HRESULT MakeSkinInfo(const MeshSource& source, const VertexPlan& plan, DWORD fvf,
                     ComRef<ID3DXSkinInfo>& skin) {
  const DWORD bones = source.skin_bone_count.value_or(0);
  if (const HRESULT hr = D3DXCreateSkinInfoFVF(plan.VertexCount(), fvf, bones, skin.Out()); hr < 0) {
    return hr;
  }
  const std::size_t file_vertices = source.positions.size();
  for (DWORD b = 0; b < bones; ++b) {
    const SkinWeightsSource& bone = source.skin_weights[b];
    std::vector<DWORD> vertices = bone.vertices;
    std::vector<float> weights = bone.weights;
    for (std::size_t i = 0; i < bone.vertices.size(); ++i) {
      if (bone.vertices[i] >= file_vertices) continue;
      for (DWORD copy = plan.next_copy[bone.vertices[i]]; copy != kNoCopy; copy = plan.next_copy[copy]) {
        vertices.push_back(copy);
        weights.push_back(bone.weights[i]);
      }
    }
    HRESULT hr = skin->SetBoneName(b, bone.bone_name.c_str());
    if (hr >= 0) hr = skin->SetBoneOffsetMatrix(b, &bone.offset);
    if (hr >= 0) hr = skin->SetBoneInfluence(b, DWORD(vertices.size()), vertices.data(), weights.data());
    if (hr < 0) return hr;
  }
  return S_OK;
}

void WarnAboutTextureSets(const MeshSource& source, MeshLoadReport& report) {
  const std::size_t sets = (source.texture_coords ? 1 : 0) + source.extra_texture_sets.size();
  if (sets > kMaxTextureSets) {
    report.Warn(MeshWarningCode::kTooManyTextureSets, MeshObjectPath(source.name),
                std::to_string(sets) + " texture sets; those after the eighth are dropped");
  }
}

// Frees what only the vertex and face filling needed, once the mesh and the
// skin hold it: the source's geometry, the plan and the polygon materials.
void ReleaseBuiltGeometry(MeshSource& source, VertexPlan& plan, std::vector<DWORD>& polygon_material) {
  source.positions = {};
  source.faces = {};
  source.normals.reset();
  source.texture_coords.reset();
  source.colours.reset();
  source.extra_texture_sets = {};
  source.skin_weights = {};
  if (source.material_list) source.material_list->face_indexes = {};
  plan = VertexPlan{};
  polygon_material = {};
}

// `release`, when given, is `source` itself, emptied of its geometry before
// adjacency is generated so that the two never take memory at once.
HRESULT Build(const MeshSource& source, MeshSource* release, DWORD options, IDirect3DDevice9* device,
              const SkinMeshOutputs& outputs, MeshLoadReport& report) {
  std::vector<DWORD> polygon_material;
  if (const HRESULT hr = CheckMeshSource(source, polygon_material, report); hr < 0) return hr;
  WarnAboutTextureSets(source, report);
  VertexPlan plan = PlanVertices(source);
  ComRef<ID3DXMesh> mesh;
  if (const HRESULT hr = MakeMesh(source, plan, polygon_material, options, device, mesh, report); hr < 0) {
    return hr;
  }
  const bool has_materials = source.material_list && source.material_list->material_count > 0;
  const DWORD material_count = has_materials ? source.material_list->material_count : 0;
  ComRef<ID3DXBuffer> materials;
  if (outputs.materials != nullptr && has_materials) {
    materials = ComRef(MakeMaterialBuffer(source.material_list->materials));
    if (!materials) return E_OUTOFMEMORY;
  }
  ComRef<ID3DXSkinInfo> skin;
  if (outputs.skin_info != nullptr) {
    if (const HRESULT hr = MakeSkinInfo(source, plan, mesh->GetFVF(), skin); hr < 0) return hr;
  }
  if (release != nullptr) ReleaseBuiltGeometry(*release, plan, polygon_material);
  ComRef<ID3DXBuffer> adjacency;
  if (outputs.adjacency != nullptr) {
    adjacency = ComRef(ID3DXBuffer::Create(std::size_t(mesh->GetNumFaces()) * 3 * sizeof(DWORD)));
    if (!adjacency) return E_OUTOFMEMORY;
    const HRESULT hr = mesh->GenerateAdjacency(0.0f, static_cast<DWORD*>(adjacency->GetBufferPointer()));
    if (hr < 0) return hr;
  }
  if (outputs.adjacency != nullptr) *outputs.adjacency = adjacency.Detach();
  if (outputs.materials != nullptr) *outputs.materials = materials.Detach();
  if (outputs.material_count != nullptr) *outputs.material_count = material_count;
  if (outputs.skin_info != nullptr) *outputs.skin_info = skin.Detach();
  *outputs.mesh = mesh.Detach();
  return S_OK;
}

HRESULT BuildChecked(const MeshSource& source, MeshSource* release, DWORD options,
                     IDirect3DDevice9* device, const SkinMeshOutputs& outputs, MeshLoadReport& report) {
  if (outputs.adjacency != nullptr) *outputs.adjacency = nullptr;
  if (outputs.materials != nullptr) *outputs.materials = nullptr;
  if (outputs.material_count != nullptr) *outputs.material_count = 0;
  if (outputs.skin_info != nullptr) *outputs.skin_info = nullptr;
  if (outputs.mesh == nullptr || device == nullptr) {
    return report.Fail(D3DERR_INVALIDCALL, MeshObjectPath(source.name) + ": no device or no mesh output");
  }
  *outputs.mesh = nullptr;
  try {
    const HRESULT hr = Build(source, release, options, device, outputs, report);
    if (hr < 0 && report.code >= 0) report.Fail(hr, MeshObjectPath(source.name) + ": building failed");
    return hr;
  } catch (const std::bad_alloc&) {
    return report.Fail(E_OUTOFMEMORY, MeshObjectPath(source.name) + ": out of memory");
  }
}

}  // namespace

DWORD MeshSourceFvf(const MeshSource& source) {
  DWORD fvf = D3DFVF_XYZ;
  if (source.normals) fvf |= D3DFVF_NORMAL;
  if (source.colours) fvf |= D3DFVF_DIFFUSE;
  const std::vector<const TextureSetSource*> sets = TextureSets(source);
  fvf |= DWORD(sets.size()) << D3DFVF_TEXCOUNT_SHIFT;
  for (std::size_t s = 0; s < sets.size(); ++s) {
    fvf |= D3DFVF_TEXCOORDSIZE(TextureSizeCode(sets[s]->dimension), DWORD(s));
  }
  return fvf;
}

ID3DXBuffer* MakeMaterialBuffer(const std::vector<MaterialSource>& materials) {
  std::size_t bytes = materials.size() * sizeof(D3DXMATERIAL);
  for (const MaterialSource& m : materials) bytes += m.texture ? m.texture->size() + 1 : 0;
  ID3DXBuffer* buffer = ID3DXBuffer::Create(bytes);
  if (buffer == nullptr) return nullptr;
  auto* records = static_cast<D3DXMATERIAL*>(buffer->GetBufferPointer());
  char* text = reinterpret_cast<char*>(records + materials.size());
  for (std::size_t i = 0; i < materials.size(); ++i) {
    const MaterialSource& m = materials[i];
    D3DMATERIAL9& out = records[i].MatD3D;
    out.Diffuse = {m.face_colour[0], m.face_colour[1], m.face_colour[2], m.face_colour[3]};
    out.Ambient = {0.0f, 0.0f, 0.0f, 1.0f};
    out.Specular = {m.specular[0], m.specular[1], m.specular[2], 1.0f};
    out.Emissive = {m.emissive[0], m.emissive[1], m.emissive[2], 1.0f};
    out.Power = m.power;
    records[i].pTextureFilename = nullptr;
    if (m.texture) {
      std::memcpy(text, m.texture->c_str(), m.texture->size() + 1);
      records[i].pTextureFilename = text;
      text += m.texture->size() + 1;
    }
  }
  return buffer;
}

HRESULT BuildSkinMesh(const MeshSource& source, DWORD options, IDirect3DDevice9* device,
                      const SkinMeshOutputs& outputs, MeshLoadReport& report) {
  return BuildChecked(source, nullptr, options, device, outputs, report);
}

HRESULT BuildSkinMeshReleasingSource(MeshSource& source, DWORD options, IDirect3DDevice9* device,
                                     const SkinMeshOutputs& outputs, MeshLoadReport& report) {
  return BuildChecked(source, &source, options, device, outputs, report);
}

}  // namespace ortolix
