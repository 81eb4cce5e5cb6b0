// Builds ImportScenes by hand for the conversion tests: frames, animation
// sets and animations with keys, and mesh containers with real meshes of
// format 0x252, materials and skin information.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3dx/com_ref.h"
#include "ximport/import_scene.h"

namespace ortolix::test {

// One vertex as the mesh holds it (format 0x252, 44 bytes).
struct RawVertex {
  float x = 0, y = 0, z = 0;
  float nx = 0, ny = 0, nz = 0;
  std::uint32_t color = 0;
  float u1 = 0, v1 = 0, u2 = 0, v2 = 0;
};
static_assert(sizeof(RawVertex) == 44);

struct BoneDescription {
  std::string name;
  std::vector<DWORD> vertices;
  std::vector<float> weights;
};

struct MeshDescription {
  std::string name;
  std::vector<RawVertex> vertices;
  std::vector<DWORD> indices;  // 3 per face
  std::vector<D3DXATTRIBUTERANGE> ranges;  // the container's attribute table
  bool sixteenBit = false;
  std::vector<MaterialRecord> materials;
  std::vector<std::string> materialNames;
  std::vector<BoneDescription> bones;  // a skin when not empty
};

// `count` vertices at (i, 0, 0) and the triangles (0,1,2), (1,2,3), ... with
// one attribute range per face holding attribute id `face % ids`.
MeshDescription StripMesh(std::uint32_t vertexCount, std::uint32_t ids = 1);

MaterialRecord Material(float r, float g, float b, float a, float power, std::string texture = {});

D3DXMATRIX TranslationMatrix(float x, float y, float z);

class SceneBuilder {
 public:
  SceneBuilder();
  XFileReader& Reader() { return reader_; }
  FrameNode& Root() { return *reader_.scene_list->root; }

  // A real frame below `parent` with its local and world matrices set.
  FrameNode& Frame(FrameNode& parent, const std::string& name, const D3DXMATRIX& local);
  FrameNode& Frame(FrameNode& parent, const std::string& name);
  FrameNode& UnnamedFrame(FrameNode& parent);
  FrameNode& AnimationSet(FrameNode& parent, const std::string& setName);
  // An animation node under `parent` (a set or a frame) animating `target`.
  FrameNode& Animation(FrameNode& parent, FrameNode* target);
  MeshContainer& Mesh(FrameNode& frame, const MeshDescription& desc);

 private:
  ComRef<IDirect3DDevice9> device_;
  XFileReader reader_;
};

}  // namespace ortolix::test
