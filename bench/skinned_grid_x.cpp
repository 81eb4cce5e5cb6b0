#include "bench/skinned_grid_x.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

namespace ortolix::bench {
namespace {

struct Bone {
  std::string name;
  std::vector<std::uint32_t> vertices;
  std::vector<float> weights;
  float offset[16];
  float local[16];
};

struct GridModel {
  std::vector<float> positions;  // 3 per vertex
  std::vector<float> uvs;        // 2 per vertex
  std::vector<std::uint32_t> triangles;  // 3 per face
  std::vector<std::uint32_t> materials;  // 1 per face
  std::vector<Bone> bones;
  std::size_t VertexCount() const { return positions.size() / 3; }
  std::size_t FaceCount() const { return materials.size(); }
};

void Translation(float x, float out[16]) {
  std::memset(out, 0, 16 * sizeof(float));
  out[0] = out[5] = out[10] = out[15] = 1.0f;
  out[12] = x;
}

// Bones along x; each vertex blends the two bones around it.
void AddBones(const SkinnedGridSize& size, GridModel& model) {
  const int bones = size.bones < 2 ? 2 : size.bones;
  const float spacing = float(size.columns) / float(bones - 1);
  for (int b = 0; b < bones; ++b) {
    Bone bone;
    bone.name = "Bone" + std::to_string(b);
    Translation(-spacing * float(b), bone.offset);
    Translation(b == 0 ? 0.0f : spacing, bone.local);
    model.bones.push_back(std::move(bone));
  }
  for (std::uint32_t v = 0; v < model.VertexCount(); ++v) {
    const float at = model.positions[3 * v] / spacing;
    int first = int(at);
    if (first >= bones - 1) first = bones - 2;
    const float share = at - float(first);
    model.bones[first].vertices.push_back(v);
    model.bones[first].weights.push_back(1.0f - share);
    model.bones[first + 1].vertices.push_back(v);
    model.bones[first + 1].weights.push_back(share);
  }
}

GridModel MakeModel(const SkinnedGridSize& size) {
  GridModel model;
  const int across = size.columns + 1;
  for (int j = 0; j <= size.rows; ++j) {
    for (int i = 0; i < across; ++i) {
      model.positions.insert(model.positions.end(), {float(i), 0.0f, float(j)});
      model.uvs.insert(model.uvs.end(), {float(i) / float(size.columns), float(j) / float(size.rows)});
    }
  }
  for (int j = 0; j < size.rows; ++j) {
    for (int i = 0; i < size.columns; ++i) {
      const std::uint32_t a = std::uint32_t(j * across + i), b = a + 1, c = a + across, d = c + 1;
      model.triangles.insert(model.triangles.end(), {a, c, d, a, d, b});
      model.materials.insert(model.materials.end(), 2, std::uint32_t(j % 2));
    }
  }
  AddBones(size, model);
  return model;
}

constexpr float kMaterials[2][11] = {{0.8f, 0.2f, 0.2f, 1.0f, 16.0f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f},
                                     {0.2f, 0.2f, 0.8f, 1.0f, 32.0f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f}};

// ---- text ----

class Text {
 public:
  Text& operator<<(const char* s) {
    out_ += s;
    return *this;
  }
  Text& operator<<(const std::string& s) {
    out_ += s;
    return *this;
  }
  Text& Int(std::uint64_t value) { return Chars(value); }
  Text& Float(float value) { return Chars(value, std::chars_format::fixed, 6); }
  // Values joined by `inner` after each; the last one ends with `last`.
  template <class T, class Put>
  Text& List(const std::vector<T>& values, std::size_t group, Put put, const char* inner, const char* last) {
    for (std::size_t i = 0; i < values.size(); i += group) {
      put(*this, &values[i]);
      out_ += i + group < values.size() ? inner : last;
    }
    return *this;
  }
  std::string Take() { return std::move(out_); }

 private:
  template <class... A>
  Text& Chars(A... args) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, args...);
    out_.append(buffer, result.ptr);
    return *this;
  }
  std::string out_;
};

void Vector3(Text& t, const float* v) { t.Float(v[0]) << ";"; t.Float(v[1]) << ";"; t.Float(v[2]) << ";"; }
void Face3(Text& t, const std::uint32_t* f) { t << "3;"; t.Int(f[0]) << ","; t.Int(f[1]) << ","; t.Int(f[2]) << ";"; }

void TextMatrix(Text& t, const float m[16]) {
  for (int i = 0; i < 16; ++i) t.Float(m[i]) << (i < 15 ? "," : ";;\n");
}

void TextMesh(Text& t, const GridModel& m) {
  t << "Mesh grid {\n";
  t.Int(m.VertexCount()) << ";\n";
  t.List(m.positions, 3, Vector3, ",\n", ";\n");
  t.Int(m.FaceCount()) << ";\n";
  t.List(m.triangles, 3, Face3, ",\n", ";\n");
  t << "MeshNormals {\n1;\n0.000000;1.000000;0.000000;;\n";
  t.Int(m.FaceCount()) << ";\n";
  const std::vector<std::uint32_t> zero(m.triangles.size(), 0);
  t.List(zero, 3, Face3, ",\n", ";\n");
  t << "}\nMeshTextureCoords {\n";
  t.Int(m.VertexCount()) << ";\n";
  t.List(m.uvs, 2, [](Text& s, const float* uv) { s.Float(uv[0]) << ";"; s.Float(uv[1]) << ";"; }, ",\n", ";\n");
  t << "}\nMeshMaterialList {\n2;\n";
  t.Int(m.FaceCount()) << ";\n";
  t.List(m.materials, 1, [](Text& s, const std::uint32_t* i) { s.Int(*i); }, ",\n", ";\n");
  for (int i = 0; i < 2; ++i) {
    const float* c = kMaterials[i];
    t << "Material M" << std::to_string(i) << " {\n";
    for (int k = 0; k < 4; ++k) t.Float(c[k]) << ";";
    t << ";\n";
    t.Float(c[4]) << ";\n";
    Vector3(t, c + 5);
    t << ";\n";
    Vector3(t, c + 8);
    t << ";\n}\n";
  }
  t << "}\nXSkinMeshHeader {\n2;\n4;\n";
  t.Int(m.bones.size()) << ";\n}\n";
  for (const Bone& bone : m.bones) {
    t << "SkinWeights {\n\"" << bone.name << "\";\n";
    t.Int(bone.vertices.size()) << ";\n";
    t.List(bone.vertices, 1, [](Text& s, const std::uint32_t* v) { s.Int(*v); }, ",\n", ";\n");
    t.List(bone.weights, 1, [](Text& s, const float* w) { s.Float(*w); }, ",\n", ";\n");
    TextMatrix(t, bone.offset);
    t << "}\n";
  }
  t << "}\n";
}

// ---- binary ----

enum Token : std::uint16_t {
  kName = 1, kString = 2, kIntegerList = 6, kFloatList = 7, kOBrace = 10, kCBrace = 11, kSemicolon = 20,
};

class Binary {
 public:
  Binary() { out_ = "xof 0303bin 0032"; }
  Binary& Tok(Token token) { return Raw(&token, 2); }
  Binary& Name(const std::string& name) {
    Tok(kName);
    Dword(std::uint32_t(name.size()));
    out_ += name;
    return *this;
  }
  Binary& Open(const std::string& type, const std::string& name = "") {
    Name(type);
    if (!name.empty()) Name(name);
    return Tok(kOBrace);
  }
  Binary& String(const std::string& text) {
    Tok(kString);
    Dword(std::uint32_t(text.size()));
    out_ += text;
    return Tok(kSemicolon);
  }
  Binary& Ints(const std::vector<std::uint32_t>& values) {
    Tok(kIntegerList);
    Dword(std::uint32_t(values.size()));
    return Raw(values.data(), values.size() * 4);
  }
  Binary& Floats(const std::vector<float>& values) {
    Tok(kFloatList);
    Dword(std::uint32_t(values.size()));
    return Raw(values.data(), values.size() * 4);
  }
  std::string Take() { return std::move(out_); }

 private:
  Binary& Dword(std::uint32_t value) { return Raw(&value, 4); }
  Binary& Raw(const void* data, std::size_t bytes) {
    out_.append(static_cast<const char*>(data), bytes);
    return *this;
  }
  std::string out_;
};

// nFaces, then 3 and the corners of each face.
std::vector<std::uint32_t> FaceInts(const std::vector<std::uint32_t>& triangles) {
  std::vector<std::uint32_t> out{std::uint32_t(triangles.size() / 3)};
  out.reserve(triangles.size() / 3 * 4 + 1);
  for (std::size_t i = 0; i < triangles.size(); i += 3) out.insert(out.end(), {3, triangles[i], triangles[i + 1], triangles[i + 2]});
  return out;
}

void BinaryMesh(Binary& b, const GridModel& m) {
  const auto n = std::uint32_t(m.VertexCount());
  b.Open("Mesh", "grid").Ints({n}).Floats(m.positions).Ints(FaceInts(m.triangles));
  b.Open("MeshNormals").Ints({1}).Floats({0, 1, 0}).Ints(FaceInts(std::vector<std::uint32_t>(m.triangles.size(), 0))).Tok(kCBrace);
  b.Open("MeshTextureCoords").Ints({n}).Floats(m.uvs).Tok(kCBrace);
  std::vector<std::uint32_t> list{2, std::uint32_t(m.FaceCount())};
  list.insert(list.end(), m.materials.begin(), m.materials.end());
  b.Open("MeshMaterialList").Ints(list);
  for (int i = 0; i < 2; ++i) b.Open("Material", "M" + std::to_string(i)).Floats({kMaterials[i], kMaterials[i] + 11}).Tok(kCBrace);
  b.Tok(kCBrace);
  b.Open("XSkinMeshHeader").Ints({2, 4, std::uint32_t(m.bones.size())}).Tok(kCBrace);
  for (const Bone& bone : m.bones) {
    std::vector<std::uint32_t> ints{std::uint32_t(bone.vertices.size())};
    ints.insert(ints.end(), bone.vertices.begin(), bone.vertices.end());
    std::vector<float> floats = bone.weights;
    floats.insert(floats.end(), bone.offset, bone.offset + 16);
    b.Open("SkinWeights").String(bone.name).Ints(ints).Floats(floats).Tok(kCBrace);
  }
  b.Tok(kCBrace);
}

// Key k of a bone: a quarter turn about y spread over the keys, and a lift.
void AnimationKeyValues(int k, int keys, float rotation[4], float position[3]) {
  const float angle = 0.785398f * float(k) / float(keys > 1 ? keys - 1 : 1);
  rotation[0] = std::cos(angle);
  rotation[1] = 0.0f;
  rotation[2] = std::sin(angle);
  rotation[3] = 0.0f;
  position[0] = 0.0f;
  position[1] = 0.01f * float(k);
  position[2] = 0.0f;
}

void TextAnimation(Text& t, const GridModel& m, int keys) {
  t << "AnimTicksPerSecond {\n4800;\n}\nAnimationSet Walk {\n";
  for (const Bone& bone : m.bones) {
    t << "Animation {\n{ " << bone.name << " }\n";
    for (int type : {0, 2}) {
      t << "AnimationKey {\n";
      t.Int(std::uint64_t(type)) << ";\n";
      t.Int(std::uint64_t(keys)) << ";\n";
      for (int k = 0; k < keys; ++k) {
        float rotation[4], position[3];
        AnimationKeyValues(k, keys, rotation, position);
        t.Int(std::uint64_t(k) * 160) << ";" << (type == 0 ? "4;" : "3;");
        const float* values = type == 0 ? rotation : position;
        for (int i = 0; i < (type == 0 ? 4 : 3); ++i) t.Float(values[i]) << (i < (type == 0 ? 3 : 2) ? "," : ";;");
        t << (k + 1 < keys ? ",\n" : ";\n");
      }
      t << "}\n";
    }
    t << "}\n";
  }
  t << "}\n";
}

void BinaryAnimation(Binary& b, const GridModel& m, int keys) {
  b.Open("AnimTicksPerSecond").Ints({4800}).Tok(kCBrace);
  b.Open("AnimationSet", "Walk");
  for (const Bone& bone : m.bones) {
    b.Open("Animation").Tok(kOBrace).Name(bone.name).Tok(kCBrace);
    for (std::uint32_t type : {0u, 2u}) {
      b.Open("AnimationKey").Ints({type, std::uint32_t(keys)});
      for (int k = 0; k < keys; ++k) {
        float rotation[4], position[3];
        AnimationKeyValues(k, keys, rotation, position);
        b.Ints({std::uint32_t(k) * 160, type == 0 ? 4u : 3u});
        b.Floats(type == 0 ? std::vector<float>(rotation, rotation + 4) : std::vector<float>(position, position + 3));
      }
      b.Tok(kCBrace);
    }
    b.Tok(kCBrace);
  }
  b.Tok(kCBrace);
}

}  // namespace

std::string SkinnedGridText(const SkinnedGridSize& size) {
  const GridModel model = MakeModel(size);
  Text t;
  t << "xof 0303txt 0032\nFrame Root {\nFrameTransformMatrix {\n";
  float identity[16];
  Translation(0.0f, identity);
  TextMatrix(t, identity);
  t << "}\n";
  TextMesh(t, model);
  for (const Bone& bone : model.bones) {
    t << "Frame " << bone.name << " {\nFrameTransformMatrix {\n";
    TextMatrix(t, bone.local);
    t << "}\n";
  }
  for (std::size_t i = 0; i <= model.bones.size(); ++i) t << "}\n";
  if (size.animation_keys > 0) TextAnimation(t, model, size.animation_keys);
  return t.Take();
}

std::string SkinnedGridBinary(const SkinnedGridSize& size) {
  const GridModel model = MakeModel(size);
  Binary b;
  float identity[16];
  Translation(0.0f, identity);
  b.Open("Frame", "Root").Open("FrameTransformMatrix").Floats({identity, identity + 16}).Tok(kCBrace);
  BinaryMesh(b, model);
  for (const Bone& bone : model.bones) {
    b.Open("Frame", bone.name).Open("FrameTransformMatrix").Floats({bone.local, bone.local + 16}).Tok(kCBrace);
  }
  for (std::size_t i = 0; i <= model.bones.size(); ++i) b.Tok(kCBrace);
  if (size.animation_keys > 0) BinaryAnimation(b, model, size.animation_keys);
  return b.Take();
}

}  // namespace ortolix::bench
