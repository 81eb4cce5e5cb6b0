// Every public corpus file reads into an ImportScene that keeps the scene's
// invariants, or fails for its known reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/ximport/scene_reader.h"

namespace ortolix::testing {
namespace {

namespace fs = std::filesystem;

struct Counts {
  int frames = 0, meshes = 0, sets = 0, animations = 0;
  bool operator==(const Counts&) const = default;
};

// Checks the invariants of a read scene and counts its nodes.
Counts CheckScene(SceneNode& scene, const std::string& file) {
  Counts counts;
  std::set<const FrameNode*> nodes, animations;
  ForEachFrameNode(scene.root.get(), [&](FrameNode& n) { nodes.insert(&n); });
  ForEachFrameNode(scene.root->first_child.get(), [&](FrameNode& n) {
    if (n.pseudo_frame_flag == 0) {
      ++counts.frames;
      EXPECT_TRUE(n.name.has_value() && !n.name->empty()) << file;
    } else if (n.animation_set_flag == 1) {
      ++counts.sets;
    } else {
      ++counts.animations;
      animations.insert(&n);
      EXPECT_TRUE(n.target_frame == nullptr || nodes.count(n.target_frame) == 1) << file;
    }
  });
  std::set<const FrameNode*> listed;
  for (FrameNode* a = scene.animation_list; a != nullptr; a = a->next_animation) listed.insert(a);
  EXPECT_EQ(listed, animations) << file;
  ForEachFrameNode(scene.root.get(), [&](FrameNode& n) {
    for (const MeshContainer* c = n.mesh_list.get(); c != nullptr; c = c->next.get()) {
      ++counts.meshes;
      ASSERT_TRUE(c->mesh) << file;
      DWORD faces = 0;
      for (const D3DXATTRIBUTERANGE& r : c->attribute_table) faces += r.FaceCount;
      EXPECT_EQ(faces, c->mesh->GetNumFaces()) << file << " " << c->name;
      EXPECT_EQ(c->adjacency.size(), 3u * c->mesh->GetNumFaces()) << file;
      EXPECT_EQ(c->materials.size(), c->material_count) << file << " " << c->name;
      EXPECT_EQ(c->skinned, c->skin_info->GetNumBones() > 0 ? 1 : 0) << file;
      EXPECT_EQ(c->bone_matrix_pointers.size(), c->skin_info->GetNumBones()) << file;
      for (const D3DXMATRIX* p : c->bone_matrix_pointers) EXPECT_NE(p, nullptr) << file;
    }
  });
  return counts;
}

TEST(CorpusScene, EveryFileReadsOrFailsForItsKnownReason) {
  const char* shared = std::getenv("ORTOLIX_SHARED_DIR");
  const fs::path corpus = fs::path(shared != nullptr ? shared : ORTOLIX_SHARED_DIR) / "corpus" / "public";
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  // Counts of a few files with animation and deep hierarchies.
  const std::map<std::string, Counts> expected = {
      {"asp_Testwuson.X", {39, 1, 3, 117}}, {"b3d_747.X", {14, 7, 1, 13}},
      {"dbp_ROOM.X", {134, 130, 0, 0}},     {"dxl_tiny.x", {48, 1, 1, 47}},
      {"mtg_character.x", {10, 1, 2, 9}},   {"asp_test_cube_compressed.x", {2, 1, 0, 0}},
  };
  // An Animation whose frame reference names no frame in the file.
  const std::map<std::string, std::string> failures = {{"txl_stand.x", "AllPutting_2_Layer1"}};
  int read = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(corpus)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".x" && entry.path().extension() != ".X") continue;
    SceneReader r;
    const HRESULT hr = r.ReadFile(entry.path().string());
    if (auto failure = failures.find(name); failure != failures.end()) {
      EXPECT_LT(hr, 0) << name;
      EXPECT_NE(r.reader.error.find(failure->second), std::string::npos) << name << ": " << r.reader.error;
      continue;
    }
    ASSERT_GE(hr, 0) << name << ": " << r.reader.error;
    ++read;
    const Counts counts = CheckScene(*r.reader.current_scene, name);
    if (auto want = expected.find(name); want != expected.end()) {
      EXPECT_TRUE(counts == want->second) << name << ": " << counts.frames << " frames, " << counts.meshes
                                          << " meshes, " << counts.sets << " sets";
    }
  }
  EXPECT_GE(read, 40);
}

}  // namespace
}  // namespace ortolix::testing
