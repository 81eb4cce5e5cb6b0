// Hostile files: counts far beyond the data, deep nesting, long names,
// oversized fixed templates, truncated and corrupted streams. Each must fail
// with a result and a message (or read, where what is left is well formed),
// without crashing, recursing without bound or allocating before checking.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/xfile/xfile_test_support.h"

namespace ortolix::test {
namespace {

struct Case {
  const char* label;
  std::vector<std::uint8_t> image;
  HRESULT code;
};

std::vector<std::uint8_t> Text(const std::string& body) {
  return Bytes("xof 0303txt 0032\n" + body);
}

std::string Nested(const std::string& open, const std::string& close, int depth) {
  std::string s;
  for (int i = 0; i < depth; ++i) s += open;
  for (int i = 0; i < depth; ++i) s += close;
  return s;
}

std::string ChainedTemplates(int count) {
  std::string s = "template L0 { <00000000-0000-0000-0000-000000000000> DWORD a; }\n";
  for (int i = 1; i < count; ++i) {
    s += "template L" + std::to_string(i) + " { <00000000-0000-0000-0000-0000000000" +
         (i < 10 ? "0" : "") + std::to_string(i % 100) + "> L" + std::to_string(i - 1) + " x; }\n";
  }
  return s;
}

TEST(XFileHostileInput, RefusedWithAResult) {
  const std::string long_name(70000, 'n');
  const Case cases[] = {
      {"vertex count beyond the data", Text("Mesh { 4000000000; 0.0;0.0;0.0;; 0;; }"),
       D3DXFERR_BADARRAYSIZE},
      {"face count beyond the data", Text("Mesh { 1; 0.0;0.0;0.0;; 3000000000; }"),
       D3DXFERR_BADARRAYSIZE},
      {"dimensions whose product overflows",
       Text("template G { <00000001-0000-0000-0000-000000000000> DWORD a; DWORD b;"
            " array DWORD m[a][b]; }\nG { 4294967295; 4294967295; }"),
       D3DXFERR_BADARRAYSIZE},
      {"fixed template far larger than the file",
       Text("template A { <00000001-0000-0000-0000-000000000000> array FLOAT m[1000000]; }\n"
            "template B { <00000002-0000-0000-0000-000000000000> array A a[1000]; }\nB { 1.0; }"),
       D3DXFERR_PARSEERROR},
      {"fixed array far larger than the file",
       Text("template A { <00000001-0000-0000-0000-000000000000> array DWORD m[4294967295]; }\nA { 1; }"),
       D3DXFERR_BADARRAYSIZE},
      {"binary list count beyond the data",
       BinWriter().Name("Mesh").Tok(10).Tok(6).Raw({0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0}).bytes(),
       D3DXFERR_PARSEERROR},
      {"binary name length beyond the data",
       BinWriter().Tok(1).Raw({0xFF, 0xFF, 0xFF, 0xFF}).bytes(), D3DXFERR_PARSEERROR},
      {"binary string length beyond the data",
       BinWriter().Name("TextureFilename").Tok(10).Tok(2).Raw({0xFE, 0xFF, 0xFF, 0x7F}).bytes(),
       D3DXFERR_PARSEERROR},
      {"frames nested past the limit", Text(Nested("Frame {", "}", 200)), D3DXFERR_PARSEERROR},
      {"frames nested very deep", Text(Nested("Frame {", "}", 100000)), D3DXFERR_PARSEERROR},
      {"opaque braces that never close", Text("Vendor " + std::string(200000, '{')),
       D3DXFERR_PARSEERROR},
      {"references nested very deep", Text("Frame A { " + std::string(100000, '{')),
       D3DXFERR_PARSEERROR},
      {"templates nested past the limit", Text(ChainedTemplates(40)), D3DXFERR_PARSEERROR},
      {"text name past the limit", Text("Frame " + long_name + " { }"), D3DXFERR_PARSEERROR},
      {"text template name past the limit", Text(long_name + " { }"), D3DXFERR_PARSEERROR},
      {"binary name past the limit",
       BinWriter().Name("Frame").Name(long_name).Tok(10).Tok(11).bytes(), D3DXFERR_PARSEERROR},
      {"compressed block claiming more than it holds",
       [] {
         std::vector<std::uint8_t> v = Mszip("xof 0303tzip0032", "\nHeader { 1; 0; 1; }\n");
         v[20] = 0xFF;
         v[21] = 0x7F;
         return v;
       }(),
       D3DXFERR_BADFILE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Opened f(c.image);
    EXPECT_EQ(f.hr, c.code) << f.error.Format();
    EXPECT_EQ(f.e, nullptr);
    EXPECT_FALSE(f.error.message.empty());
  }
}

TEST(XFileHostileInput, LimitsAreEnforced) {
  ReaderLimits limits;
  limits.max_objects = 10;
  std::string many;
  for (int i = 0; i < 11; ++i) many += "Frame { }\n";
  Opened objects(Text(many), true, &limits);
  EXPECT_EQ(objects.hr, E_OUTOFMEMORY) << objects.error.Format();

  limits = ReaderLimits{};
  limits.max_data_bytes = 64;
  std::string vertices;
  for (int i = 0; i < 8; ++i) vertices += "1.0;2.0;3.0;,";
  Opened lock(Text("Mesh { 8; " + vertices + "; 0;; }"), true, &limits);
  EXPECT_EQ(lock.hr, E_OUTOFMEMORY) << lock.error.Format();

  limits = ReaderLimits{};
  limits.max_file_bytes = 100;
  std::string payload = "\n";
  for (int i = 0; i < 20; ++i) payload += "Header { 1; 0; 1; }\n";
  Opened inflated(Mszip("xof 0303tzip0032", payload), true, &limits);
  EXPECT_EQ(inflated.hr, E_OUTOFMEMORY) << inflated.error.Format();

  limits = ReaderLimits{};
  limits.max_object_depth = 3;
  Opened shallow(Text(Nested("Frame {", "}", 3)), true, &limits);
  EXPECT_EQ(shallow.hr, S_OK) << shallow.error.Format();
  Opened deep(Text(Nested("Frame {", "}", 4)), true, &limits);
  EXPECT_EQ(deep.hr, D3DXFERR_PARSEERROR);
}

// One budget covers the inflated payload, Lock data and objects: a small
// compressed file declaring large arrays, or holding many empty frames,
// stops at the budget with an error naming it; the default budget reads it.
TEST(XFileHostileInput, TheMemoryBudgetBoundsEveryRead) {
  std::string arrays = "\ntemplate Big { <11111111-2222-3333-4444-555555555555> DWORD n; array DWORD x[n]; }\n";
  for (int k = 0; k < 3; ++k) {
    arrays += "Big { 300000; ";
    for (int i = 0; i < 300000; ++i) arrays += "0,";
    arrays += "; }\n";
  }
  std::string frames = "\n";
  for (int i = 0; i < 100000; ++i) frames += "Frame{}";
  ReaderLimits budget;
  budget.max_memory = 4u << 20;
  for (const std::string* payload : {&arrays, &frames}) {
    SCOPED_TRACE(payload == &arrays ? "arrays" : "frames");
    std::vector<std::uint8_t> image = Mszip("xof 0303tzip0032", *payload);
    ASSERT_LT(image.size(), 200000u);
    Opened small(image, true, &budget);
    EXPECT_EQ(small.hr, E_OUTOFMEMORY);
    EXPECT_NE(small.error.message.find("budget of 4194304 bytes"), std::string::npos)
        << small.error.Format();
    Opened ample(image);
    EXPECT_EQ(ample.hr, S_OK) << ample.error.Format();
  }
}

// A reference model for the truncation and corruption runs.
const char kModel[] =
    "\nFrame Root {\n"
    "  FrameTransformMatrix { 1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, 0.0,0.0,0.0,1.0;; }\n"
    "  Mesh m { 3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;; 1; 3;0,1,2;;\n"
    "    MeshMaterialList { 1; 1; 0;; Material M { 1.0;1.0;1.0;1.0;; 1.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;;\n"
    "      TextureFilename { \"t.png\"; } } }\n"
    "    SkinWeights { \"Root\"; 1; 0; 1.0; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; }\n"
    "  }\n"
    "}\n"
    "AnimationSet { Animation { { Root } AnimationKey { 2; 1; 0; 3; 1.0,2.0,3.0;;; } } }\n";

std::vector<std::uint8_t> ModelBinaryImage(bool with_animation = true) {
  BinWriter w;
  w.Name("Frame").Name("Root").Tok(10);
  w.Name("Mesh").Name("m").Tok(10).Ints({3}).Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}).Ints({1, 3, 0, 1, 2});
  w.Name("MeshMaterialList").Tok(10).Ints({1, 1, 0});
  w.Name("Material").Tok(10).Floats({1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0});
  w.Name("TextureFilename").Tok(10).String("t.png").Tok(11);
  w.Tok(11).Tok(11);
  w.Name("SkinWeights").Tok(10).String("Root").Ints({1, 0}).Floats({1.0f});
  w.Floats({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}).Tok(11);
  w.Tok(11).Tok(11);
  if (!with_animation) return w.bytes();
  w.Name("AnimationSet").Tok(10).Name("Animation").Tok(10).Tok(10).Name("Root").Tok(11);
  w.Name("AnimationKey").Tok(10).Ints({2, 1, 0, 3}).Floats({1, 2, 3}).Tok(11).Tok(11).Tok(11);
  return w.bytes();
}

// Reads `image` and, when it reads, locks every object reachable without
// following references. Returns false when a failure carries no message.
bool ReadsOrFailsCleanly(const std::vector<std::uint8_t>& image) {
  Opened f(image);
  if (Failed(f.hr)) return !f.error.message.empty() && f.e == nullptr;
  std::vector<ID3DXFileData*> pending;
  for (std::size_t i = 0; i < f.Count(); ++i) pending.push_back(f.Child(i));
  while (!pending.empty()) {
    ID3DXFileData* d = pending.back();
    pending.pop_back();
    if (d == nullptr) return false;
    std::size_t size = 0;
    const void* p = nullptr;
    if (Failed(d->Lock(&size, &p))) return false;
    volatile std::uint8_t sink = 0;
    for (std::size_t k = 0; k < size; ++k) sink = sink ^ static_cast<const std::uint8_t*>(p)[k];
    std::size_t n = 0;
    if (!d->IsReference() && Succeeded(d->GetChildren(&n))) {
      for (std::size_t k = 0; k < n; ++k) {
        ID3DXFileData* c = nullptr;
        if (Failed(d->GetChild(k, &c))) return false;
        pending.push_back(c);
      }
    }
    d->Release();
  }
  return true;
}

TEST(XFileHostileInput, EveryTruncationFailsCleanly) {
  std::vector<std::uint8_t> text = Text(kModel);
  std::vector<std::uint8_t> binary = ModelBinaryImage();
  std::vector<std::uint8_t> tzip = Mszip("xof 0303tzip0032", kModel, 128);
  std::vector<std::uint8_t> bzip =
      Mszip("xof 0303bzip0032", std::string(binary.begin() + 16, binary.end()), 64);
  for (const auto* image : {&text, &binary, &tzip, &bzip}) {
    ASSERT_EQ(Opened(*image).hr, S_OK) << Opened(*image).error.Format();
    for (std::size_t n = 0; n < image->size(); ++n) {
      std::vector<std::uint8_t> prefix(image->begin(), image->begin() + static_cast<std::ptrdiff_t>(n));
      ASSERT_TRUE(ReadsOrFailsCleanly(prefix)) << "prefix of " << n << " bytes";
    }
  }
  // A binary file cut anywhere but between its two top-level objects
  // never reads.
  const std::size_t boundary = ModelBinaryImage(false).size();
  for (std::size_t n = 17; n < binary.size(); ++n) {
    std::vector<std::uint8_t> prefix(binary.begin(), binary.begin() + static_cast<std::ptrdiff_t>(n));
    Opened f(prefix);
    EXPECT_EQ(Succeeded(f.hr), n == boundary) << n;
  }
}

TEST(XFileHostileInput, CorruptedBytesFailCleanly) {
  std::vector<std::uint8_t> text = Text(kModel);
  std::vector<std::uint8_t> binary = ModelBinaryImage();
  std::vector<std::uint8_t> bzip =
      Mszip("xof 0303bzip0032", std::string(binary.begin() + 16, binary.end()), 64);
  std::mt19937 random(20261205);
  const std::uint8_t interesting[] = {0x00, 0xFF, 0x7F, 0x80, '{', '}', ';', ',', '"', '<', '.', '-', 1, 6, 7, 10, 11};
  for (const auto* image : {&text, &binary, &bzip}) {
    for (int round = 0; round < 1500; ++round) {
      std::vector<std::uint8_t> copy = *image;
      int edits = 1 + static_cast<int>(random() % 4);
      for (int k = 0; k < edits; ++k) {
        std::size_t at = 16 + random() % (copy.size() - 16);
        copy[at] = random() % 2 ? interesting[random() % sizeof interesting]
                                : static_cast<std::uint8_t>(random());
      }
      ASSERT_TRUE(ReadsOrFailsCleanly(copy)) << "round " << round;
    }
  }
}

}  // namespace
}  // namespace ortolix::test
