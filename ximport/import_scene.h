// The ImportScene: what the XFileReader makes of one .x file. A tree of
// FrameNodes mirroring the file's Frame hierarchy (animation sets and
// animations hang in it as pseudo-frames carrying key arrays), the meshes
// loaded by the mesh services with their materials and skin information,
// and the file's ticks per second.
//
// Ownership: a SceneNode owns its root FrameNode and its next SceneNode; a
// FrameNode owns its MeshContainer chain, its first child and its next
// sibling (so the root owns the whole tree); a MeshContainer owns its next
// container and holds one reference on its mesh and skin info. Every chain
// is destroyed iteratively, so no file shape can exhaust the stack on
// teardown. Raw pointers (animation list, target frame, last child, bone
// matrix pointers) never own.
//
// Names are byte strings exactly as the file services return them; none is
// cut to a fixed field length. Single-threaded.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/d3dx/com_ref.h"
#include "platform/d3dx/d3dx_mesh.h"
#include "platform/d3dx/d3dx_skin_info.h"
#include "platform/d3dx/d3dx_types.h"

namespace ortolix {

struct ScenePositionKey {
  std::uint32_t time;
  float x, y, z;
};

struct SceneScaleKey {
  std::uint32_t time;
  float x, y, z;
};

// The file stores w, x, y, z; the reader reorders to x, y, z, w without
// touching any sign.
struct SceneRotationKey {
  std::uint32_t time;
  float x, y, z, w;
};

// 16 floats in file order (row vectors, translation in the fourth row).
struct SceneMatrixKey {
  std::uint32_t time;
  float m[16];
};

// One material of a loaded mesh as the mesh services returned it; the
// texture file name is empty when the material has none.
struct MaterialRecord {
  D3DMATERIAL9 material;
  std::string texture_file_name;
};

struct MeshContainer {
  MeshContainer() = default;
  MeshContainer(const MeshContainer&) = delete;
  MeshContainer& operator=(const MeshContainer&) = delete;
  ~MeshContainer();  // destroys the `next` chain iteratively

  // One per material, present when the services returned materials and the
  // material count is not 0.
  std::vector<MaterialRecord> materials;
  // Names read from the Mesh's MeshMaterialList in material order; an
  // unnamed Material keeps its slot as an empty string. The count is
  // material_names.size().
  std::vector<std::string> material_names;
  std::uint32_t attribute_range_count = 0;
  std::uint32_t material_count = 0;
  std::unique_ptr<MeshContainer> next;  // next container of the same frame
  std::string name;                     // empty when the Mesh has no name
  // 1 when the skin info has at least one bone, 0 when none, -1 until loaded.
  std::int32_t skinned = -1;
  // FVF 0x252 (44-byte vertices) unless the clone to it failed; 32-bit
  // indices; faces sorted by attribute.
  ComRef<ID3DXMesh> mesh;
  ComRef<ID3DXSkinInfo> skin_info;  // remapped to the final vertex order
  std::vector<D3DXATTRIBUTERANGE> attribute_table;
  // One per bone (skinned meshes only): the world matrix of the FrameNode
  // named like the bone, or identity when no node has that name.
  std::vector<const D3DXMATRIX*> bone_matrix_pointers;
  std::vector<DWORD> adjacency;  // 3 per face, as loaded (before the sort)
};

// One record for three kinds of node: real frames, animation set nodes and
// animation nodes (the last two are pseudo-frames).
struct FrameNode {
  FrameNode();
  FrameNode(const FrameNode&) = delete;
  FrameNode& operator=(const FrameNode&) = delete;
  ~FrameNode();  // destroys children and siblings iteratively

  // Real frames after reading: the frame matrix; identity for pseudo-frames.
  D3DXMATRIX local_matrix;
  // Real frames after reading: frame matrix x parent's world product.
  // Bone matrix pointers point here.
  D3DXMATRIX world_matrix;
  std::string set_name;  // animation set nodes: the set's name
  std::uint32_t animation_set_flag = 0;
  std::unique_ptr<MeshContainer> mesh_list;  // newest first
  // The Frame's FrameTransformMatrix in file order; identity when none.
  D3DXMATRIX frame_matrix;
  std::vector<ScenePositionKey> position_keys;
  std::vector<SceneRotationKey> rotation_keys;
  std::vector<SceneScaleKey> scale_keys;
  std::vector<SceneMatrixKey> matrix_keys;
  FrameNode* next_animation = nullptr;  // in the SceneNode's animation list
  FrameNode* target_frame = nullptr;    // animation nodes: the frame animated
  std::unique_ptr<FrameNode> next_sibling;
  std::unique_ptr<FrameNode> first_child;
  std::uint32_t pseudo_frame_flag = 0;
  // Real frames always have one; animation set nodes the set's name or "";
  // animation nodes none.
  std::optional<std::string> name;

  // Last child, so that appending is constant time; not owning.
  FrameNode* last_child = nullptr;
};

struct SceneNode {
  SceneNode() = default;
  SceneNode(const SceneNode&) = delete;
  SceneNode& operator=(const SceneNode&) = delete;
  ~SceneNode();  // destroys the `next` chain iteratively

  std::unique_ptr<FrameNode> root;
  FrameNode* animation_list = nullptr;  // newest first, via next_animation
  std::unique_ptr<SceneNode> next;
};

// A counted quirk of the file that the reader accepted (for example key data
// shorter than its key count says).
struct ReadWarning {
  std::string code;     // short stable identifier, e.g. "short_key_data"
  std::string object;   // where it first happened, e.g. "Animation > AnimationKey"
  std::string message;  // the first occurrence in words
  std::uint64_t count = 0;
};

// The reader object. The import driver creates it empty, sets `device`, runs
// one read (ReadXFile), lets the conversion read the scene through
// `scene_list`, and destroys it (the scene chain goes with it).
struct XFileReader {
  XFileReader() = default;
  XFileReader(const XFileReader&) = delete;
  XFileReader& operator=(const XFileReader&) = delete;

  IDirect3DDevice9* device = nullptr;  // not owned; reading refuses to start without it
  std::uint32_t ticks_per_second = 0;  // last top-level AnimTicksPerSecond, else 0
  SceneNode* current_scene = nullptr;
  std::unique_ptr<SceneNode> scene_list;  // newest first
  std::int32_t unnamed_frame_counter = 0;  // next "NoFrameName%d" number

  // Not part of the scene: what the last read tolerated and, when it failed,
  // why (file position and object when the file services knew them).
  std::vector<ReadWarning> warnings;
  std::string error;
};

// --- Container operations -------------------------------------------------

// A FrameNode with identity matrices, empty set name and every other field
// 0 or none. Throws std::bad_alloc like any allocation.
[[nodiscard]] std::unique_ptr<FrameNode> CreateFrameNode();

// Links `node` as the last child of `parent` and clears its next sibling.
// Returns the node (now owned by the tree).
FrameNode* AppendChild(FrameNode& parent, std::unique_ptr<FrameNode> node);

// Links `container` in front of the frame's mesh list.
MeshContainer* AddMeshContainer(FrameNode& frame, std::unique_ptr<MeshContainer> container);

// Links the animation node in front of the scene's animation list.
void AddAnimationNode(SceneNode& scene, FrameNode& node);

// Pre-order search from `node`: the node, its children's subtrees, then its
// following siblings' subtrees. The first node whose name equals `name`
// byte for byte wins; unnamed nodes are skipped; pseudo-frames take part.
// Iterative, so any tree depth is safe. Null when nothing matches.
[[nodiscard]] FrameNode* FindFrameByName(FrameNode* node, std::string_view name);
// The same from the scene's root (null when the scene has no root).
[[nodiscard]] FrameNode* FindFrameByName(SceneNode& scene, std::string_view name);

// Appends a slot holding `name` to the container's material names and
// returns it; a null name changes nothing and returns null.
std::string* AppendMaterialName(MeshContainer& container, const char* name);

// Unlinks the reader's current SceneNode from its scene list, destroys it and
// clears the current field; nothing happens when there is no current scene.
void DropCurrentScene(XFileReader& reader);

// Destroys every SceneNode of the reader and clears its list and current
// scene (the reader teardown once the conversion is done or has failed).
void DestroyReaderScenes(XFileReader& reader);

// Releases the mesh of every MeshContainer in every scene of the reader and
// clears the reference (the conversion's last step before the scenes go).
void ReleaseSceneMeshes(XFileReader& reader);

// Pre-order visit of every FrameNode under and after `node` (node, child
// subtree, following siblings) with an explicit stack. `visit(FrameNode&)`.
template <class Visit>
void ForEachFrameNode(FrameNode* node, Visit&& visit) {
  std::vector<FrameNode*> pending;
  if (node != nullptr) pending.push_back(node);
  while (!pending.empty()) {
    FrameNode* current = pending.back();
    pending.pop_back();
    visit(*current);
    if (current->next_sibling) pending.push_back(current->next_sibling.get());
    if (current->first_child) pending.push_back(current->first_child.get());
  }
}

}  // namespace ortolix
