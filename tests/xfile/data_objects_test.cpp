// Data objects through the D3DX-shaped interface: names, ids, types,
// children, references (backward and forward), opaque objects of
// undeclared templates, and the Lock layouts the import relies on.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/xfile/xfile_guids.h"
#include "tests/xfile/xfile_test_support.h"

namespace ortolix::test {
namespace {

std::string NameOf(ID3DXFileData* d) {
  std::size_t size = 0;
  EXPECT_EQ(d->GetName(nullptr, &size), S_OK);
  std::string name(size, '\0');
  EXPECT_EQ(d->GetName(name.data(), &size), S_OK);
  name.resize(size > 0 ? size - 1 : 0);
  return name;
}

ID3DXFileData* ChildOf(ID3DXFileData* d, std::size_t i) {
  ID3DXFileData* c = nullptr;
  EXPECT_EQ(d->GetChild(i, &c), S_OK);
  return c;
}

TEST(XFileDataObjects, TypeIdLockAndChildren) {
  Opened f = OpenText(
      "\nFrame Root { <01020304-0506-0708-090A-0B0C0D0E0F10>\n"
      "  FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 4,5,6,1;; }\n"
      "  Frame Child { }\n"
      "}\n");
  ASSERT_EQ(f.hr, S_OK) << f.error.Format();
  ASSERT_EQ(f.Count(), 1u);
  ID3DXFileData* root = f.Child(0);
  GUID g;
  ASSERT_EQ(root->GetType(&g), S_OK);
  EXPECT_TRUE(GuidEqual(g, TID_D3DRMFrame));
  ASSERT_EQ(root->GetId(&g), S_OK);
  EXPECT_TRUE(GuidEqual(g, MakeGuid(0x01020304, 0x0506, 0x0708, 9, 10, 11, 12, 13, 14, 15, 16)));
  EXPECT_EQ(LockBytes(root).size(), 0u);
  EXPECT_FALSE(root->IsReference());
  std::size_t n = 0;
  ASSERT_EQ(root->GetChildren(&n), S_OK);
  ASSERT_EQ(n, 2u);
  ID3DXFileData* matrix = ChildOf(root, 0);
  std::vector<std::uint8_t> m = LockBytes(matrix);
  ASSERT_EQ(m.size(), 64u);
  float values[16];
  std::memcpy(values, m.data(), 64);
  EXPECT_EQ(values[14], 6.0f);
  ASSERT_EQ(matrix->GetId(&g), S_OK);
  EXPECT_TRUE(GuidEqual(g, kNullGuid));
  ID3DXFileData* child = ChildOf(root, 1);
  EXPECT_EQ(NameOf(child), "Child");
  char small[5];
  std::size_t small_size = sizeof small;
  EXPECT_EQ(child->GetName(small, &small_size), D3DXFERR_BADVALUE);
  ID3DXFileData* none = reinterpret_cast<ID3DXFileData*>(1);
  EXPECT_EQ(root->GetChild(2, &none), D3DXFERR_NOMOREOBJECTS);
  EXPECT_EQ(none, nullptr);
  ID3DXFileData* top = nullptr;
  EXPECT_EQ(f.e->GetChild(1, &top), D3DXFERR_NOMOREOBJECTS);
  // Lock twice, Unlock without Lock.
  std::size_t size = 0;
  const void* p1 = nullptr;
  const void* p2 = nullptr;
  EXPECT_EQ(matrix->Unlock(), S_OK);
  EXPECT_EQ(matrix->Lock(&size, &p1), S_OK);
  EXPECT_EQ(matrix->Lock(&size, &p2), S_OK);
  EXPECT_EQ(p1, p2);
  matrix->Release();
  child->Release();
  // Objects outlive their enumerator and file object.
  SafeRelease(f.e);
  SafeRelease(f.file);
  EXPECT_EQ(NameOf(root), "Root");
  root->Release();
}

TEST(XFileDataObjects, ReferencesBehaveAsTheirTarget) {
  Opened f = OpenText(
      "\nMaterial Red { 1;0;0;1;; 5; 1;1;1;; 0;0;0;; TextureFilename { \"red.png\"; } }\n"
      "Frame A {\n"
      "  { Red }\n"
      "  { Later }\n"
      "  { Red <00000000-0000-0000-0000-000000000000> }\n"
      "  { <000000AA-0000-0000-0000-000000000000> }\n"
      "}\n"
      "Frame Later { <000000AA-0000-0000-0000-000000000000> Frame Inside { } }\n");
  ASSERT_EQ(f.hr, S_OK) << f.error.Format();
  ASSERT_EQ(f.Count(), 3u);
  ID3DXFileData* a = f.Child(1);
  std::size_t n = 0;
  ASSERT_EQ(a->GetChildren(&n), S_OK);
  ASSERT_EQ(n, 4u);
  ID3DXFileData* red = f.Child(0);
  for (std::size_t i = 0; i < n; ++i) {
    SCOPED_TRACE(i);
    ID3DXFileData* r = ChildOf(a, i);
    EXPECT_TRUE(r->IsReference());
    GUID type;
    ASSERT_EQ(r->GetType(&type), S_OK);
    std::size_t children = 0;
    ASSERT_EQ(r->GetChildren(&children), S_OK);
    if (i == 0 || i == 2) {
      EXPECT_TRUE(GuidEqual(type, TID_D3DRMMaterial));
      EXPECT_EQ(NameOf(r), "Red");
      EXPECT_EQ(LockBytes(r), LockBytes(red));
      EXPECT_EQ(children, 1u);  // its TextureFilename
    } else {
      EXPECT_TRUE(GuidEqual(type, TID_D3DRMFrame));
      EXPECT_EQ(NameOf(r), "Later");
      ASSERT_EQ(children, 1u);
      ID3DXFileData* inside = ChildOf(r, 0);
      EXPECT_EQ(NameOf(inside), "Inside");
      EXPECT_FALSE(inside->IsReference());
      inside->Release();
    }
    r->Release();
  }
  red->Release();
  a->Release();
}

TEST(XFileDataObjects, BadReferencesFail) {
  struct Case {
    const char* label;
    const char* text;
    std::uint32_t line;
    std::uint32_t column;
    const char* holder;  // the object whose reference is reported
  };
  const Case cases[] = {
      {"unknown name", "\nFrame A {\n  { Missing }\n}\n", 3, 3, "Frame 'A'"},
      {"unknown GUID", "\nFrame A {\n { <00000001-0000-0000-0000-000000000000> }\n}\n", 3, 2,
       "Frame 'A'"},
      {"empty reference", "\nFrame A { {} }\n", 2, 11, "Frame 'A'"},
      {"self reference", "\nFrame A {\n  Frame B { { A } }\n}\n", 3, 13, "Frame 'A' > Frame 'B'"},
      {"mutual references", "\nFrame A { { B } }\nFrame B { { A } }\n", 3, 11, "Frame 'B'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Opened f = OpenText(c.text);
    EXPECT_EQ(f.hr, D3DXFERR_BADDATAREFERENCE) << f.error.Format();
    EXPECT_EQ(f.error.line, c.line) << f.error.Format();
    EXPECT_EQ(f.error.column, c.column) << f.error.Format();
    EXPECT_EQ(f.error.object, c.holder) << f.error.Format();
  }
}

TEST(XFileDataObjects, ReferenceExpansionIsBounded) {
  // Each level references the previous one twice: 2^levels objects expanded.
  auto doubling = [](int levels) {
    std::string text = "\nFrame L0 { }\n";
    for (int i = 1; i <= levels; ++i) {
      std::string prev = "L" + std::to_string(i - 1);
      text += "Frame L" + std::to_string(i) + " { { " + prev + " } { " + prev + " } }\n";
    }
    return text;
  };
  Opened f = OpenText(doubling(40));
  EXPECT_EQ(f.hr, D3DXFERR_BADDATAREFERENCE) << f.error.Format();
  EXPECT_NE(f.error.message.find("limit"), std::string::npos);
  EXPECT_EQ(OpenText(doubling(10)).hr, S_OK);
}

TEST(XFileDataObjects, UndeclaredTemplatesAreOpaque) {
  Opened f = OpenText(
      "\nFrame A {\n"
      "  VendorData v { 1; 2.5; \"x}\"; { nested { 3; } } <00000001-0000-0000-0000-000000000000> }\n"
      "  Frame B { }\n"
      "}\n"
      "Unknown2 { }\n");
  ASSERT_EQ(f.hr, S_OK) << f.error.Format();
  EXPECT_TRUE(f.HasWarning(XWarningCode::kUnknownTemplate));
  ASSERT_EQ(f.Count(), 2u);
  ID3DXFileData* a = f.Child(0);
  std::size_t n = 0;
  ASSERT_EQ(a->GetChildren(&n), S_OK);
  ASSERT_EQ(n, 2u);
  ID3DXFileData* v = ChildOf(a, 0);
  GUID type;
  ASSERT_EQ(v->GetType(&type), S_OK);
  EXPECT_TRUE(GuidEqual(type, kNullGuid));
  EXPECT_EQ(NameOf(v), "v");
  EXPECT_EQ(v->TypeName(), "VendorData");
  EXPECT_EQ(LockBytes(v).size(), 0u);
  ASSERT_EQ(v->GetChildren(&n), S_OK);
  EXPECT_EQ(n, 0u);
  ID3DXFileData* b = ChildOf(a, 1);
  EXPECT_EQ(NameOf(b), "B");
  v->Release();
  b->Release();
  a->Release();
  // Braces that do not balance are an error.
  Opened broken = OpenText("\nVendorData { { 1; }\n");
  EXPECT_EQ(broken.hr, D3DXFERR_PARSEERROR);
}

TEST(XFileDataObjects, AnimationKeyLayoutPerKeyType) {
  Opened f = OpenText(
      "\nAnimTicksPerSecond { 4800; }\n"
      "AnimationKey rot { 0; 2; 0; 4; 1.0, 0.0, 0.0, 0.0;;, 160; 4; 0.5, 0.5, 0.5, 0.5;;; }\n"
      "AnimationKey pos { 2; 1; 10; 3; 1.0, 2.0, 3.0;;; }\n"
      "AnimationKey mat { 4; 1; 20; 16; 1,0,0,0, 0,1,0,0, 0,0,1,0, 7,8,9,1;;; }\n");
  ASSERT_EQ(f.hr, S_OK) << f.error.Format();
  ASSERT_EQ(f.Count(), 4u);
  auto dword = [](const std::vector<std::uint8_t>& b, std::size_t at) {
    std::uint32_t v;
    std::memcpy(&v, &b[at], 4);
    return v;
  };
  auto real = [](const std::vector<std::uint8_t>& b, std::size_t at) {
    float v;
    std::memcpy(&v, &b[at], 4);
    return v;
  };
  ID3DXFileData* d = f.Child(0);
  std::vector<std::uint8_t> ticks = LockBytes(d);
  d->Release();
  ASSERT_EQ(ticks.size(), 4u);
  EXPECT_EQ(dword(ticks, 0), 4800u);

  d = f.Child(1);
  std::vector<std::uint8_t> rot = LockBytes(d);
  d->Release();
  ASSERT_EQ(rot.size(), 8u + 2 * 24);
  EXPECT_EQ(dword(rot, 0), 0u);
  EXPECT_EQ(dword(rot, 4), 2u);
  EXPECT_EQ(dword(rot, 8 + 24), 160u);      // time of key 1
  EXPECT_EQ(dword(rot, 8 + 24 + 4), 4u);    // its value count
  EXPECT_EQ(real(rot, 8 + 24 + 8), 0.5f);   // its w

  d = f.Child(2);
  std::vector<std::uint8_t> pos = LockBytes(d);
  d->Release();
  ASSERT_EQ(pos.size(), 8u + 20);
  EXPECT_EQ(real(pos, 8 + 8 + 8), 3.0f);

  d = f.Child(3);
  std::vector<std::uint8_t> mat = LockBytes(d);
  d->Release();
  ASSERT_EQ(mat.size(), 8u + 72);
  EXPECT_EQ(dword(mat, 8), 20u);
  EXPECT_EQ(real(mat, 8 + 8 + 12 * 4), 7.0f);
}

TEST(XFileDataObjects, SixtyFourBitFilesDeliverFloats) {
  const char* body = "\nVector { 1.5; -2; 0.1; }\n";
  Opened text32 = OpenText(body, "xof 0303txt 0032");
  Opened text64 = OpenText(body, "xof 0302txt 0064");
  ASSERT_EQ(text32.hr, S_OK);
  ASSERT_EQ(text64.hr, S_OK);
  BinWriter bin("xof 0303bin 0064");
  bin.Name("Vector").Tok(10).Doubles({1.5, -2.0, 0.1}).Tok(11);
  Opened bin64(bin.bytes());
  ASSERT_EQ(bin64.hr, S_OK) << bin64.error.Format();
  std::vector<std::uint8_t> expected(12);
  const float floats[3] = {1.5f, -2.0f, 0.1f};
  std::memcpy(expected.data(), floats, 12);
  for (const Opened* f : {&text32, &text64, &bin64}) {
    ID3DXFileData* d = f->Child(0);
    EXPECT_EQ(LockBytes(d), expected);
    d->Release();
  }
}

}  // namespace
}  // namespace ortolix::test
