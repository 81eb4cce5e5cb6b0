#include "import/mesh_conversion.h"

#include <cmath>
#include <cstring>

#include "import/frame_listing.h"
#include "import/import_allocation.h"
#include "import/import_counts.h"
#include "import/material_conversion.h"
#include "import/skin_conversion.h"
#include "platform/d3dx/fvf.h"

namespace ortolix {
namespace {

// Byte offsets in a vertex of format 0x252.
constexpr std::size_t kColorOffset = 24;
constexpr std::size_t kUv1Offset = 28;
constexpr std::size_t kUv2Offset = 36;
constexpr std::size_t kDecodedBytes = 44;
constexpr float kByteToUnit = 0.003921569f;

constexpr DWORD kLockAttempts[] = {0, D3DLOCK_NOSYSLOCK, D3DLOCK_READONLY, D3DLOCK_DISCARD};

template <class Lock>
void* LockWithFallbacks(Lock lock) {
  for (const DWORD flags : kLockAttempts) {
    void* data = nullptr;
    if (lock(flags, &data) >= 0 && data != nullptr) return data;
  }
  return nullptr;
}

float NanToZero(float value) { return std::isnan(value) ? 0.0f : value; }

float ReadFloat(const std::byte* at) {
  float value;
  std::memcpy(&value, at, sizeof value);
  return NanToZero(value);
}

Matrix4 ToMatrix4(const D3DXMATRIX& m) {
  Matrix4 out;
  std::memcpy(out.m, m.m, sizeof out.m);
  return out;
}

void ConvertVertices(ID3DXMesh& source, ImportMesh& mesh) {
  const DWORD n = source.GetNumVertices();
  const DWORD stride = D3DXGetFVFVertexSize(source.GetFVF());
  if (n == 0 || !AllocateImportArray(mesh.vertices, n)) return;
  // A format narrower than the one the reader hands over would put the
  // decoded offsets past a vertex: such vertices keep their defaults.
  if (stride < kDecodedBytes) return;
  void* data = LockWithFallbacks([&](DWORD flags, void** out) { return source.LockVertexBuffer(flags, out); });
  if (data == nullptr) return;
  DecodeVertices(static_cast<const std::byte*>(data), n, stride, mesh.vertices.data());
  (void)source.UnlockVertexBuffer();
}

DWORD IndexAt(const void* indices, bool wide, std::size_t position) {
  if (wide) {
    std::uint32_t value;
    std::memcpy(&value, static_cast<const std::byte*>(indices) + 4 * position, 4);
    return value;
  }
  std::uint16_t value;
  std::memcpy(&value, static_cast<const std::byte*>(indices) + 2 * position, 2);
  return value;
}

void FillFaces(const std::vector<D3DXATTRIBUTERANGE>& table, const void* indices, bool wide,
               std::vector<ImportFace>& faces) {
  const std::size_t f = faces.size();
  std::size_t k = 0;
  for (const D3DXATTRIBUTERANGE& range : table) {
    for (DWORD j = 0; j < range.FaceCount && k < f; ++j) {
      const std::size_t face = std::size_t{range.FaceStart} + j;
      if (face >= f) break;  // outside the index buffer
      ImportFace& out = faces[k++];
      out.material = static_cast<std::int32_t>(range.AttribId);
      for (std::size_t c = 0; c < 3; ++c) out.vertices[c] = static_cast<std::int32_t>(IndexAt(indices, wide, 3 * face + c));
    }
  }
}

void ConvertFaces(ID3DXMesh& source, const MeshContainer& container, ImportMesh& mesh) {
  const DWORD f = source.GetNumFaces();
  const bool wide = (source.GetOptions() & D3DXMESH_32BIT) != 0;
  if (f == 0 || !AllocateImportArray(mesh.faces, f)) return;
  if (container.attribute_table.empty()) return;
  void* data = LockWithFallbacks([&](DWORD flags, void** out) { return source.LockIndexBuffer(flags, out); });
  if (data == nullptr) return;
  FillFaces(container.attribute_table, data, wide, mesh.faces);
  (void)source.UnlockIndexBuffer();
}

void ConvertContainer(const FrameNode& node, MeshContainer& container, const ImportOptions& options,
                      ImportModel& model) {
  ImportMesh& mesh = model.meshes[model.currentMesh];
  const bool skinned = IsSkinnedContainer(container);
  mesh.skinned = static_cast<std::uint32_t>(container.skinned);
  if (container.mesh) {
    ConvertVertices(*container.mesh, mesh);
    ConvertFaces(*container.mesh, container, mesh);
  }
  ConvertContainerMaterials(container, options, model);
  if (skinned) ReadContainerSkin(container, model);
  mesh.materialCount = static_cast<std::int32_t>(container.material_count);
  if (skinned) mesh.boneCount = static_cast<std::int32_t>(container.skin_info->GetNumBones());
  mesh.meshName = container.name;
  mesh.frameName = node.name ? *node.name : IndexedName("NoFrameName", model.currentFrame);
  mesh.local = ToMatrix4(node.local_matrix);
  mesh.world = ToMatrix4(node.world_matrix);
}

// What the conversion has read is not needed again.
void LetGoOfConverted(MeshContainer& container) {
  container.mesh.Reset();
  container.skin_info.Reset();
  std::vector<D3DXATTRIBUTERANGE>().swap(container.attribute_table);
  std::vector<DWORD>().swap(container.adjacency);
  std::vector<const D3DXMATRIX*>().swap(container.bone_matrix_pointers);
}

}  // namespace

void DecodeVertices(const std::byte* buffer, std::size_t count, std::size_t stride, ImportVertex* out) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::byte* v = buffer + i * stride;
    ImportVertex& vertex = out[i];
    vertex.position = Vec3{ReadFloat(v), ReadFloat(v + 4), ReadFloat(v + 8)};
    std::uint32_t color;
    std::memcpy(&color, v + kColorOffset, sizeof color);
    vertex.color = ImportColor{static_cast<float>((color >> 16) & 0xFF) * kByteToUnit,
                               static_cast<float>((color >> 8) & 0xFF) * kByteToUnit,
                               static_cast<float>(color & 0xFF) * kByteToUnit, 1.0f};
    vertex.uv1 = Vec2{ReadFloat(v + kUv1Offset), ReadFloat(v + kUv1Offset + 4)};
    vertex.uv2 = Vec2{ReadFloat(v + kUv2Offset), ReadFloat(v + kUv2Offset + 4)};
  }
}

void ConvertMeshes(FrameNode* root, const ImportOptions& options, ImportModel& model) {
  model.currentMesh = model.currentMaterial = model.currentFrame = 0;
  std::vector<FrameNode*> pending;
  if (root != nullptr) pending.push_back(root);
  while (!pending.empty()) {
    FrameNode* node = pending.back();
    pending.pop_back();
    for (MeshContainer* c = node->mesh_list.get(); c != nullptr; c = c->next.get()) {
      if (model.currentMesh >= static_cast<std::int32_t>(model.meshes.size())) break;
      ConvertContainer(*node, *c, options, model);
      LetGoOfConverted(*c);
      ++model.currentMesh;
    }
    if (IsListedFrame(*node, root)) ++model.currentFrame;
    if (node->next_sibling) pending.push_back(node->next_sibling.get());
    if (node->first_child) pending.push_back(node->first_child.get());
  }
}

}  // namespace ortolix
