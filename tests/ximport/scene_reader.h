// Reading .x texts and files into an ImportScene for the tests: a device, a
// reader, and the text written to a temporary file (ReadXFile takes a path).
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/d3dx/com_ref.h"
#include "tests/d3dx/test_device.h"
#include "ximport/read_x_file.h"

namespace ortolix::testing {

inline std::u16string WidePath(const std::string& path) {
  return std::u16string(path.begin(), path.end());  // test paths are ASCII
}

inline std::string WriteTempX(const std::string& text) {
  static int counter = 0;
  const std::string path = ::testing::TempDir() + "ximport_" + std::to_string(++counter) + ".x";
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// A quad (4 vertices, 2 triangles) named `name`, with `children` inside.
inline std::string QuadMesh(const std::string& name, const std::string& children = "") {
  return "Mesh " + name + " {\n 4;\n 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;;\n 2;\n 3;0,1,2;, 3;0,2,3;;\n" +
         children + "}\n";
}

inline std::string Matrix(const float (&m)[16]) {
  std::string out;
  for (int i = 0; i < 16; ++i) out += std::to_string(m[i]) + (i == 15 ? ";;" : ",");
  return out;
}

class SceneReader {
 public:
  SceneReader() : device_(MakeTestDevice()) { reader.device = device_.get(); }
  ~SceneReader() { DestroyReaderScenes(reader); }
  SceneReader(const SceneReader&) = delete;
  SceneReader& operator=(const SceneReader&) = delete;

  HRESULT ReadText(const std::string& body) { return ReadFile(WriteTempX("xof 0303txt 0032\n" + body)); }
  HRESULT ReadFile(const std::string& path) {
    const std::u16string wide = WidePath(path);
    return ReadXFile(reader, wide.c_str(), 0, 0);
  }
  FrameNode& Root() { return *reader.scene_list->root; }
  // Children of `node` in order.
  static std::vector<FrameNode*> Children(FrameNode& node) {
    std::vector<FrameNode*> out;
    for (FrameNode* c = node.first_child.get(); c != nullptr; c = c->next_sibling.get()) out.push_back(c);
    return out;
  }
  bool HasWarning(const std::string& code) const {
    for (const ReadWarning& w : reader.warnings) {
      if (w.code == code) return true;
    }
    return false;
  }

 private:
  ComRef<IDirect3DDevice9> device_;  // outlives the reader's meshes

 public:
  XFileReader reader;
};

}  // namespace ortolix::testing
