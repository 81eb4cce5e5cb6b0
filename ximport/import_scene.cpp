// Container operations of the ImportScene, and teardown that never recurses
// along a chain (a hostile file may put a million siblings in one frame).
#include "ximport/import_scene.h"

#include <utility>

#include "platform/d3dx/d3dx_math.h"

namespace ortolix {

MeshContainer::~MeshContainer() {
  while (next) next = std::move(next->next);
}

FrameNode::FrameNode()
    : local_matrix(D3DXIdentityMatrix()),
      world_matrix(D3DXIdentityMatrix()),
      frame_matrix(D3DXIdentityMatrix()) {}

// Rotates the tree into one sibling chain as it goes: a node with a child
// gives that child up to the front of the chain (keeping its remaining
// children), a node without one is destroyed. Each node is moved once per
// child it has and destroyed once, with no recursion and no allocation.
FrameNode::~FrameNode() {
  std::unique_ptr<FrameNode> chain = std::move(first_child);
  std::unique_ptr<FrameNode> rest = std::move(next_sibling);
  while (chain || rest) {
    if (!chain) chain = std::move(rest);
    if (chain->first_child) {
      std::unique_ptr<FrameNode> child = std::move(chain->first_child);
      chain->first_child = std::move(child->next_sibling);
      child->next_sibling = std::move(chain);
      chain = std::move(child);
    } else {
      chain = std::move(chain->next_sibling);  // the old head dies here, childless
    }
  }
}

SceneNode::~SceneNode() {
  while (next) next = std::move(next->next);
}

std::unique_ptr<FrameNode> CreateFrameNode() { return std::make_unique<FrameNode>(); }

FrameNode* AppendChild(FrameNode& parent, std::unique_ptr<FrameNode> node) {
  FrameNode* raw = node.get();
  raw->next_sibling.reset();
  if (parent.last_child == nullptr) {
    // First child, or a tree built without the cache: find the end once.
    FrameNode* last = parent.first_child.get();
    while (last != nullptr && last->next_sibling) last = last->next_sibling.get();
    parent.last_child = last;
  }
  if (parent.last_child == nullptr) {
    parent.first_child = std::move(node);
  } else {
    parent.last_child->next_sibling = std::move(node);
  }
  parent.last_child = raw;
  return raw;
}

MeshContainer* AddMeshContainer(FrameNode& frame, std::unique_ptr<MeshContainer> container) {
  container->next = std::move(frame.mesh_list);
  frame.mesh_list = std::move(container);
  return frame.mesh_list.get();
}

void AddAnimationNode(SceneNode& scene, FrameNode& node) {
  node.next_animation = scene.animation_list;
  scene.animation_list = &node;
}

FrameNode* FindFrameByName(FrameNode* node, std::string_view name) {
  FrameNode* found = nullptr;
  std::vector<FrameNode*> pending;
  if (node != nullptr) pending.push_back(node);
  while (!pending.empty() && found == nullptr) {
    FrameNode* current = pending.back();
    pending.pop_back();
    if (current->name && *current->name == name) found = current;
    if (current->next_sibling) pending.push_back(current->next_sibling.get());
    if (current->first_child) pending.push_back(current->first_child.get());
  }
  return found;
}

FrameNode* FindFrameByName(SceneNode& scene, std::string_view name) {
  return FindFrameByName(scene.root.get(), name);
}

std::string* AppendMaterialName(MeshContainer& container, const char* name) {
  if (name == nullptr) return nullptr;
  container.material_names.emplace_back(name);
  return &container.material_names.back();
}

void DropCurrentScene(XFileReader& reader) {
  SceneNode* current = reader.current_scene;
  if (current == nullptr) return;
  std::unique_ptr<SceneNode>* link = &reader.scene_list;
  while (*link && link->get() != current) link = &(*link)->next;
  if (*link) {
    std::unique_ptr<SceneNode> dropped = std::move(*link);
    *link = std::move(dropped->next);
  }
  reader.current_scene = nullptr;
}

void DestroyReaderScenes(XFileReader& reader) {
  reader.current_scene = nullptr;
  reader.scene_list.reset();
}

void ReleaseSceneMeshes(XFileReader& reader) {
  for (SceneNode* scene = reader.scene_list.get(); scene != nullptr; scene = scene->next.get()) {
    ForEachFrameNode(scene->root.get(), [](FrameNode& node) {
      for (MeshContainer* c = node.mesh_list.get(); c != nullptr; c = c->next.get()) c->mesh.Reset();
    });
  }
}

}  // namespace ortolix
