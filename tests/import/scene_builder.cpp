#include "tests/import/scene_builder.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/d3dx/d3dx_math.h"
#include "platform/d3dx/d3dx_skin_info.h"
#include "tests/d3dx/test_device.h"

namespace ortolix::test {

MeshDescription StripMesh(std::uint32_t vertexCount, std::uint32_t ids) {
  MeshDescription desc;
  for (std::uint32_t i = 0; i < vertexCount; ++i) {
    RawVertex v;
    v.x = float(i);
    desc.vertices.push_back(v);
  }
  for (std::uint32_t f = 0; f + 2 < vertexCount; ++f) {
    desc.indices.insert(desc.indices.end(), {f, f + 1, f + 2});
    desc.ranges.push_back(D3DXATTRIBUTERANGE{f % ids, f, 1, 0, vertexCount});
  }
  return desc;
}

MaterialRecord Material(float r, float g, float b, float a, float power, std::string texture) {
  MaterialRecord record{};
  record.material.Diffuse = {r, g, b, a};
  record.material.Power = power;
  record.texture_file_name = std::move(texture);
  return record;
}

D3DXMATRIX TranslationMatrix(float x, float y, float z) {
  D3DXMATRIX m = D3DXIdentityMatrix();
  m.m[3][0] = x;
  m.m[3][1] = y;
  m.m[3][2] = z;
  return m;
}

SceneBuilder::SceneBuilder() : device_(MakeTestDevice()) {
  reader_.device = device_.get();
  reader_.scene_list = std::make_unique<SceneNode>();
  reader_.scene_list->root = CreateFrameNode();
  reader_.current_scene = reader_.scene_list.get();
}

FrameNode& SceneBuilder::Frame(FrameNode& parent, const std::string& name, const D3DXMATRIX& local) {
  FrameNode& node = *AppendChild(parent, CreateFrameNode());
  node.name = name;
  node.frame_matrix = node.local_matrix = local;
  D3DXMatrixMultiply(&node.world_matrix, &local, &parent.world_matrix);
  return node;
}

FrameNode& SceneBuilder::Frame(FrameNode& parent, const std::string& name) {
  return Frame(parent, name, D3DXIdentityMatrix());
}

FrameNode& SceneBuilder::UnnamedFrame(FrameNode& parent) {
  FrameNode& node = Frame(parent, "");
  node.name.reset();
  return node;
}

FrameNode& SceneBuilder::AnimationSet(FrameNode& parent, const std::string& setName) {
  FrameNode& node = *AppendChild(parent, CreateFrameNode());
  node.animation_set_flag = 1;
  node.pseudo_frame_flag = 1;
  node.set_name = setName;
  node.name = setName;
  return node;
}

FrameNode& SceneBuilder::Animation(FrameNode& parent, FrameNode* target) {
  FrameNode& node = *AppendChild(parent, CreateFrameNode());
  node.pseudo_frame_flag = 1;
  node.target_frame = target;
  AddAnimationNode(*reader_.scene_list, node);
  return node;
}

namespace {

ComRef<ID3DXMesh> BuildMesh(const MeshDescription& desc, IDirect3DDevice9* device) {
  ComRef<ID3DXMesh> mesh;
  const DWORD faces = DWORD(desc.indices.size() / 3);
  EXPECT_GE(D3DXCreateMeshFVF(faces, DWORD(desc.vertices.size()), desc.sixteenBit ? 0 : D3DXMESH_32BIT, 0x252,
                              device, mesh.Out()),
            0);
  if (!mesh) return mesh;
  void* data = nullptr;
  EXPECT_GE(mesh->LockVertexBuffer(0, &data), 0);
  std::memcpy(data, desc.vertices.data(), desc.vertices.size() * sizeof(RawVertex));
  (void)mesh->UnlockVertexBuffer();
  EXPECT_GE(mesh->LockIndexBuffer(0, &data), 0);
  for (std::size_t i = 0; i < desc.indices.size(); ++i) {
    if (desc.sixteenBit) {
      static_cast<std::uint16_t*>(data)[i] = std::uint16_t(desc.indices[i]);
    } else {
      static_cast<std::uint32_t*>(data)[i] = desc.indices[i];
    }
  }
  (void)mesh->UnlockIndexBuffer();
  return mesh;
}

ComRef<ID3DXSkinInfo> BuildSkin(const MeshDescription& desc) {
  ComRef<ID3DXSkinInfo> skin;
  EXPECT_GE(D3DXCreateSkinInfoFVF(DWORD(desc.vertices.size()), 0x252, DWORD(desc.bones.size()), skin.Out()), 0);
  for (DWORD b = 0; b < desc.bones.size(); ++b) {
    const BoneDescription& bone = desc.bones[b];
    EXPECT_GE(skin->SetBoneName(b, bone.name.c_str()), 0);
    EXPECT_GE(skin->SetBoneInfluence(b, DWORD(bone.vertices.size()), bone.vertices.data(), bone.weights.data()), 0);
  }
  return skin;
}

}  // namespace

MeshContainer& SceneBuilder::Mesh(FrameNode& frame, const MeshDescription& desc) {
  auto container = std::make_unique<MeshContainer>();
  container->name = desc.name;
  if (!desc.indices.empty()) container->mesh = BuildMesh(desc, device_.get());
  container->attribute_table = desc.ranges;
  container->attribute_range_count = std::uint32_t(desc.ranges.size());
  container->materials = desc.materials;
  container->material_names = desc.materialNames;
  container->material_count = std::uint32_t(desc.materials.size());
  container->skinned = desc.bones.empty() ? 0 : 1;
  if (!desc.bones.empty()) container->skin_info = BuildSkin(desc);
  return *AddMeshContainer(frame, std::move(container));
}

}  // namespace ortolix::test
