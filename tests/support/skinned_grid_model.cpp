#include "tests/support/skinned_grid_model.h"

#include <charconv>
#include <cmath>

#include "tests/support/xfile_image_writer.h"

namespace ortolix::test {

namespace {

// The bone of a vertex column band, and the next one, share its weight.
std::uint32_t BoneOf(const SkinnedGridModel& m, std::uint32_t vertex) {
  std::uint32_t column = vertex % (m.columns + 1);
  return column * m.bones / (m.columns + 1);
}

float WeightOf(const SkinnedGridModel& m, std::uint32_t vertex) {
  return 0.25f + 0.5f * static_cast<float>(vertex % (m.columns + 1)) / static_cast<float>(m.columns);
}

// Influences of `bone`: vertices whose band is `bone` (weight w) or
// `bone - 1` (weight 1 - w).
void Influences(const SkinnedGridModel& m, std::uint32_t bone, std::vector<std::uint32_t>* vertices,
                std::vector<float>* weights) {
  vertices->clear();
  weights->clear();
  for (std::uint32_t v = 0; v < m.vertex_count(); ++v) {
    std::uint32_t band = BoneOf(m, v);
    if (band == bone) {
      vertices->push_back(v);
      weights->push_back(WeightOf(m, v));
    } else if (band + 1 == bone) {
      vertices->push_back(v);
      weights->push_back(1.0f - WeightOf(m, v));
    }
  }
}

std::vector<float> BoneOffset(std::uint32_t bone) {
  return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -static_cast<float>(bone), 0, 0, 1};
}

class TextOut {
 public:
  void Raw(std::string_view s) { text_ += s; }
  void Float(float v) {
    char buffer[32];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 6);
    text_.append(buffer, r.ptr);
  }
  void Uint(std::uint32_t v) {
    char buffer[16];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    text_.append(buffer, r.ptr);
  }
  // n-component vectors as "a;b;c;," with the last element closed by ";;".
  void Vectors(const std::vector<float>& values, std::size_t width) {
    std::size_t count = values.size() / width;
    for (std::size_t i = 0; i < count; ++i) {
      for (std::size_t k = 0; k < width; ++k) {
        Float(values[i * width + k]);
        Raw(";");
      }
      Raw(i + 1 < count ? ",\n" : ";\n");
    }
  }
  void Faces(const std::vector<std::uint32_t>& tri) {
    std::size_t count = tri.size() / 3;
    for (std::size_t i = 0; i < count; ++i) {
      Raw("3;");
      Uint(tri[3 * i]);
      Raw(",");
      Uint(tri[3 * i + 1]);
      Raw(",");
      Uint(tri[3 * i + 2]);
      Raw(i + 1 < count ? ";,\n" : ";;\n");
    }
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

}  // namespace

SkinnedGridModel MakeSkinnedGrid(std::uint32_t min_triangles, std::uint32_t bones) {
  SkinnedGridModel m;
  m.columns = static_cast<std::uint32_t>(std::ceil(std::sqrt(min_triangles / 2.0)));
  m.bones = bones;
  const std::uint32_t n = m.columns + 1;
  for (std::uint32_t y = 0; y < n; ++y) {
    for (std::uint32_t x = 0; x < n; ++x) {
      float u = static_cast<float>(x) / static_cast<float>(m.columns);
      float v = static_cast<float>(y) / static_cast<float>(m.columns);
      m.positions.insert(m.positions.end(), {u * bones, v * 4.0f, 0.1f * std::sin(u * 20.0f)});
      m.normals.insert(m.normals.end(), {0.0f, 0.0f, 1.0f});
      m.uvs.insert(m.uvs.end(), {u, v});
    }
  }
  for (std::uint32_t y = 0; y < m.columns; ++y) {
    for (std::uint32_t x = 0; x < m.columns; ++x) {
      std::uint32_t a = y * n + x;
      m.triangles.insert(m.triangles.end(), {a, a + 1, a + n + 1, a, a + n + 1, a + n});
    }
  }
  return m;
}

std::string TextPayload(const SkinnedGridModel& m) {
  TextOut t;
  std::vector<std::uint32_t> vertices;
  std::vector<float> weights;
  t.Raw("\nAnimTicksPerSecond { 4800; }\nFrame Bone0 {\n FrameTransformMatrix { 1.0,0.0,0.0,0.0,"
        "0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;; }\n");
  for (std::uint32_t b = 1; b < m.bones; ++b) {
    t.Raw("Frame Bone");
    t.Uint(b);
    t.Raw(" { FrameTransformMatrix { 1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,1.0,0.0,0.0,1.0;; }\n");
  }
  for (std::uint32_t b = 1; b < m.bones; ++b) t.Raw("}\n");
  t.Raw("Mesh Grid {\n");
  t.Uint(m.vertex_count());
  t.Raw(";\n");
  t.Vectors(m.positions, 3);
  t.Uint(m.triangle_count());
  t.Raw(";\n");
  t.Faces(m.triangles);
  t.Raw("MeshNormals {\n");
  t.Uint(m.vertex_count());
  t.Raw(";\n");
  t.Vectors(m.normals, 3);
  t.Uint(m.triangle_count());
  t.Raw(";\n");
  t.Faces(m.triangles);
  t.Raw("}\nMeshTextureCoords {\n");
  t.Uint(m.vertex_count());
  t.Raw(";\n");
  t.Vectors(m.uvs, 2);
  t.Raw("}\nMeshMaterialList { 1; ");
  t.Uint(m.triangle_count());
  t.Raw(";\n");
  for (std::uint32_t f = 0; f < m.triangle_count(); ++f) t.Raw(f + 1 < m.triangle_count() ? "0,\n" : "0;;\n");
  t.Raw("Material Skin { 0.8;0.8;0.8;1.0;; 10.0; 0.2;0.2;0.2;; 0.0;0.0;0.0;;"
        " TextureFilename { \"skin.png\"; } }\n}\nXSkinMeshHeader { 2; 4; ");
  t.Uint(m.bones);
  t.Raw("; }\n");
  for (std::uint32_t b = 0; b < m.bones; ++b) {
    Influences(m, b, &vertices, &weights);
    t.Raw("SkinWeights { \"Bone");
    t.Uint(b);
    t.Raw("\"; ");
    t.Uint(static_cast<std::uint32_t>(vertices.size()));
    t.Raw(";\n");
    for (std::size_t i = 0; i < vertices.size(); ++i) {
      t.Uint(vertices[i]);
      t.Raw(i + 1 < vertices.size() ? ",\n" : ";\n");
    }
    for (std::size_t i = 0; i < weights.size(); ++i) {
      t.Float(weights[i]);
      t.Raw(i + 1 < weights.size() ? ",\n" : ";\n");
    }
    std::vector<float> offset = BoneOffset(b);
    for (std::size_t i = 0; i < offset.size(); ++i) {
      t.Float(offset[i]);
      t.Raw(i + 1 < offset.size() ? "," : ";;\n");
    }
    t.Raw("}\n");
  }
  t.Raw("}\n}\nAnimationSet Wave {\n");
  for (std::uint32_t b = 0; b < m.bones; ++b) {
    t.Raw("Animation { { Bone");
    t.Uint(b);
    t.Raw(" }\nAnimationKey { 0; 2; 0; 4; 1.0,0.0,0.0,0.0;;, 4800; 4; 0.7071,0.7071,0.0,0.0;;; }\n"
          "AnimationKey { 2; 2; 0; 3; 1.0,0.0,0.0;;, 4800; 3; 1.0,1.0,0.0;;; }\n}\n");
  }
  t.Raw("}\n");
  return t.Take();
}

std::vector<std::uint8_t> BinaryPayload(const SkinnedGridModel& m) {
  test::BinWriter w("");
  std::vector<std::uint32_t> vertices;
  std::vector<float> weights;
  const std::vector<float> identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  std::vector<float> step = identity;
  step[12] = 1.0f;
  auto open = [&](const char* type, const std::string& name = std::string()) {
    w.Name(type);
    if (!name.empty()) w.Name(name);
    w.Tok(10);
  };
  open("AnimTicksPerSecond");
  w.Ints({4800}).Tok(11);
  for (std::uint32_t b = 0; b < m.bones; ++b) {
    open("Frame", "Bone" + std::to_string(b));
    open("FrameTransformMatrix");
    w.FloatList(b == 0 ? identity.data() : step.data(), 16).Tok(11);
  }
  for (std::uint32_t b = 1; b < m.bones; ++b) w.Tok(11);
  std::vector<std::uint32_t> faces;
  faces.reserve(m.triangles.size() / 3 * 4 + 1);
  faces.push_back(m.triangle_count());
  for (std::uint32_t f = 0; f < m.triangle_count(); ++f) {
    faces.insert(faces.end(), {3, m.triangles[3 * f], m.triangles[3 * f + 1], m.triangles[3 * f + 2]});
  }
  const std::uint32_t nv = m.vertex_count();
  open("Mesh", "Grid");
  w.IntList(&nv, 1).FloatList(m.positions.data(), m.positions.size()).IntList(faces.data(), faces.size());
  open("MeshNormals");
  w.IntList(&nv, 1).FloatList(m.normals.data(), m.normals.size()).IntList(faces.data(), faces.size());
  w.Tok(11);
  open("MeshTextureCoords");
  w.IntList(&nv, 1).FloatList(m.uvs.data(), m.uvs.size()).Tok(11);
  open("MeshMaterialList");
  std::vector<std::uint32_t> materials(m.triangle_count() + 2, 0);
  materials[0] = 1;
  materials[1] = m.triangle_count();
  w.IntList(materials.data(), materials.size());
  open("Material", "Skin");
  w.Floats({0.8f, 0.8f, 0.8f, 1.0f, 10.0f, 0.2f, 0.2f, 0.2f, 0, 0, 0});
  open("TextureFilename");
  w.String("skin.png").Tok(11).Tok(11).Tok(11);
  open("XSkinMeshHeader");
  w.Ints({2, 4, m.bones}).Tok(11);
  for (std::uint32_t b = 0; b < m.bones; ++b) {
    Influences(m, b, &vertices, &weights);
    open("SkinWeights");
    w.String("Bone" + std::to_string(b));
    std::uint32_t count = static_cast<std::uint32_t>(vertices.size());
    w.IntList(&count, 1).IntList(vertices.data(), vertices.size());
    std::vector<float> tail = weights;
    std::vector<float> offset = BoneOffset(b);
    tail.insert(tail.end(), offset.begin(), offset.end());
    w.FloatList(tail.data(), tail.size()).Tok(11);
  }
  w.Tok(11).Tok(11);  // Mesh, Bone0
  open("AnimationSet", "Wave");
  for (std::uint32_t b = 0; b < m.bones; ++b) {
    open("Animation");
    w.Tok(10).Name("Bone" + std::to_string(b)).Tok(11);
    open("AnimationKey");
    w.Ints({0, 2, 0, 4}).Floats({1, 0, 0, 0}).Ints({4800, 4}).Floats({0.7071f, 0.7071f, 0, 0}).Tok(11);
    open("AnimationKey");
    w.Ints({2, 2, 0, 3}).Floats({1, 0, 0}).Ints({4800, 3}).Floats({1, 1, 0}).Tok(11);
    w.Tok(11);
  }
  w.Tok(11);
  return w.bytes();
}

std::string SkinnedGridFile(const SkinnedGridModel& model, bool binary) {
  if (!binary) return "xof 0303txt 0032" + TextPayload(model);
  const std::vector<std::uint8_t> payload = BinaryPayload(model);
  return "xof 0303bin 0032" + std::string(payload.begin(), payload.end());
}

}  // namespace ortolix::test
