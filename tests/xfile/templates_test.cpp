// Template declarations: the three standard blocks, declarations a file
// makes itself (text and binary), restrictions, arrays sized by earlier
// members, nested members, and the declarations that are refused.
#include <gtest/gtest.h>

#include <string>

#include "platform/xfile/standard_templates.h"
#include "tests/xfile/xfile_test_support.h"

namespace ortolix::test {
namespace {

HRESULT Register(ID3DXFile* file, std::string_view block) {
  return file->RegisterTemplates(block.data(), block.size());
}

struct FileObject {
  ID3DXFile* file = nullptr;
  FileObject() { EXPECT_EQ(D3DXFileCreate(&file), S_OK); }
  ~FileObject() { SafeRelease(file); }
};

// The built-in blocks must declare exactly what the project's reference
// declaration file declares: names, GUIDs, members and restrictions.
TEST(XFileTemplates, StandardBlocksMatchTheReferenceDeclarations) {
  std::string shared = SharedDir();
  if (shared.empty()) GTEST_SKIP() << "shared folder absent (ORTOLIX_SHARED_DIR)";
  std::vector<std::uint8_t> reference = ReadCorpusFile(shared + "/x-templates.x");
  ASSERT_FALSE(reference.empty());
  FileObject ours, theirs;
  for (std::string_view block : {RetainedModeTemplates(), SkinningTemplates(), VertexDataTemplates()}) {
    ASSERT_EQ(Register(ours.file, block), S_OK);
  }
  ASSERT_EQ(theirs.file->RegisterTemplates(reference.data(), reference.size()), S_OK)
      << theirs.file->LastError().Format();
  const TemplateRegistry& a = ours.file->templates();
  const TemplateRegistry& b = theirs.file->templates();
  ASSERT_EQ(a.size(), b.size());
  for (std::uint32_t i = 0; i < b.size(); ++i) {
    const XTemplate& want = b.at(i);
    SCOPED_TRACE(want.name);
    bool case_differs = false;
    std::int32_t at = a.Find(want.name, &case_differs);
    ASSERT_GE(at, 0);
    EXPECT_FALSE(case_differs);
    const XTemplate& got = a.at(static_cast<std::uint32_t>(at));
    EXPECT_TRUE(GuidEqual(got.guid, want.guid));
    EXPECT_EQ(got.restriction, want.restriction);
    ASSERT_EQ(got.allowed.size(), want.allowed.size());
    for (std::size_t k = 0; k < want.allowed.size(); ++k) {
      EXPECT_EQ(got.allowed[k].name, want.allowed[k].name);
      EXPECT_TRUE(GuidEqual(got.allowed[k].guid, want.allowed[k].guid));
    }
    ASSERT_EQ(got.members.size(), want.members.size());
    for (std::size_t k = 0; k < want.members.size(); ++k) {
      const TemplateMember& x = got.members[k];
      const TemplateMember& y = want.members[k];
      EXPECT_EQ(x.name, y.name);
      EXPECT_EQ(x.primitive, y.primitive);
      if (x.primitive) EXPECT_EQ(x.type, y.type) << x.name;
      else EXPECT_EQ(a.at(x.template_index).name, b.at(y.template_index).name);
      ASSERT_EQ(x.dims.size(), y.dims.size());
      for (std::size_t d = 0; d < y.dims.size(); ++d) {
        EXPECT_EQ(x.dims[d].fixed, y.dims[d].fixed);
        EXPECT_EQ(x.dims[d].member, y.dims[d].member);
      }
    }
  }
}

TEST(XFileTemplates, RefusedBlocksAddNothing) {
  struct Case {
    const char* label;
    const char* text;
    std::uint32_t line;
    std::uint32_t column;
  };
  const Case cases[] = {
      {"unknown member type", "\ntemplate A { <00000001-0000-0000-0000-000000000000> Nope x; }", 2, 53},
      {"case-sensitive legacy type", "\ntemplate A { IndexColor c; }", 2, 14},
      {"data object in a template block", "\nHeader { 1; 2; 3; }", 2, 1},
      {"array size not an earlier member", "\ntemplate A { array DWORD v[n]; DWORD n; }", 2, 28},
      {"missing semicolon", "\ntemplate A { DWORD a }", 2, 22},
      {"restriction not last", "\ntemplate A { [ ... ] DWORD a; }", 2, 22},
      {"malformed GUID", "\ntemplate A { <0001-0000> }", 2, 14},
      {"unterminated", "\ntemplate A { DWORD a;", 2, 22},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    FileObject f;
    ASSERT_EQ(Register(f.file, RetainedModeTemplates()), S_OK);
    std::string block = std::string("xof 0303txt 0032") + c.text;
    EXPECT_EQ(Register(f.file, block), D3DXFERR_PARSEERROR);
    EXPECT_EQ(f.file->templates().size(), 35u);
    EXPECT_EQ(f.file->LastError().line, c.line) << f.file->LastError().Format();
    EXPECT_EQ(f.file->LastError().column, c.column) << f.file->LastError().Format();
  }
}

TEST(XFileTemplates, TemplatesDeclaredInTheFileAreUsedByLaterObjects) {
  Opened f = OpenText(
      "\ntemplate Pair { <00000001-0000-0000-0000-000000000000> WORD a; DWORD b; [ ... ] }\n"
      "Pair p { 1; 2; Pair q { 3; 4; } }\n"
      "template Later { <00000002-0000-0000-0000-000000000000> Pair p; UCHAR c; }\n"
      "Later { 5; 6;; 7; }\n");
  ASSERT_EQ(f.hr, S_OK) << f.error.Format();
  ASSERT_EQ(f.Count(), 2u);
  ID3DXFileData* p = f.Child(0);
  EXPECT_EQ(LockBytes(p), (std::vector<std::uint8_t>{1, 0, 2, 0, 0, 0}));
  ID3DXFileData* q = nullptr;
  ASSERT_EQ(p->GetChild(0, &q), S_OK);
  EXPECT_EQ(LockBytes(q), (std::vector<std::uint8_t>{3, 0, 4, 0, 0, 0}));
  ID3DXFileData* later = f.Child(1);
  EXPECT_EQ(LockBytes(later), (std::vector<std::uint8_t>{5, 0, 6, 0, 0, 0, 7}));
  GUID type;
  ASSERT_EQ(later->GetType(&type), S_OK);
  EXPECT_EQ(type.Data1, 2u);
  q->Release();
  p->Release();
  later->Release();
  // A template used before it is declared is unknown there.
  Opened early = OpenText("\nX { 1; }\ntemplate X { <00000009-0000-0000-0000-000000000000> DWORD a; }\n");
  ASSERT_EQ(early.hr, S_OK);
  EXPECT_TRUE(early.HasWarning(XWarningCode::kUnknownTemplate));
}

TEST(XFileTemplates, ConflictingRedeclarationIsIgnored) {
  Opened f = OpenText(
      "\ntemplate Boolean { <4885AE61-78E8-11CF-8F52-0040333594A3> WORD truefalse; }\nBoolean { 1; }\n");
  ASSERT_EQ(f.hr, S_OK) << f.error.Format();
  EXPECT_TRUE(f.HasWarning(XWarningCode::kTemplateRedeclared));
  ID3DXFileData* d = f.Child(0);
  EXPECT_EQ(LockBytes(d).size(), 4u);  // the registered Boolean: one DWORD
  d->Release();
}

TEST(XFileTemplates, BinaryDeclarationsAreRead) {
  // template Pair { <GUID> WORD a; array DWORD v[a]; [ ... ] }  Pair { 2, 7, 8 }
  GUID g = MakeGuid(0x12345678, 0x9ABC, 0xDEF0, 1, 2, 3, 4, 5, 6, 7, 8);
  BinWriter w;
  w.Tok(31).Name("Pair").Tok(10).Guid(g);
  w.Tok(40).Name("a").Tok(20);
  w.Tok(52).Tok(41).Name("v").Tok(14).Name("a").Tok(15).Tok(20);
  w.Tok(14).Tok(18).Tok(18).Tok(18).Tok(15);
  w.Tok(11);
  w.Name("Pair").Tok(10).Ints({2, 7, 8}).Tok(11);
  Opened f(w.bytes());
  ASSERT_EQ(f.hr, S_OK) << f.error.Format();
  ASSERT_EQ(f.Count(), 1u);
  ID3DXFileData* d = f.Child(0);
  EXPECT_EQ(LockBytes(d), (std::vector<std::uint8_t>{2, 0, 7, 0, 0, 0, 8, 0, 0, 0}));
  GUID type;
  ASSERT_EQ(d->GetType(&type), S_OK);
  EXPECT_TRUE(GuidEqual(type, g));
  d->Release();
}

TEST(XFileTemplates, LockLayoutOfEveryPrimitiveIsPacked) {
  Opened f = OpenText(
      "\ntemplate All { <00000001-0000-0000-0000-000000000000>\n"
      " WORD w; DWORD d; FLOAT f; DOUBLE x; CHAR c; UCHAR u; SWORD sw; SDWORD sd;\n"
      " STRING s; CSTRING cs; UNICODE us; }\n"
      "All { 1; 2; 3.0; 0.1; -5; 6; -7; -8; \"a;b,c\\d\"; \"\"; \"us\"; }\n");
  ASSERT_EQ(f.hr, S_OK) << f.error.Format();
  ID3DXFileData* d = f.Child(0);
  std::vector<std::uint8_t> b = LockBytes(d);
  d->Release();
  constexpr std::size_t kPtr = sizeof(const char*);
  ASSERT_EQ(b.size(), 2 + 4 + 4 + 8 + 1 + 1 + 2 + 4 + 3 * kPtr);
  std::uint16_t w;
  std::uint32_t dw;
  float fl;
  double db;
  std::int16_t sw;
  std::int32_t sd;
  std::memcpy(&w, &b[0], 2);
  std::memcpy(&dw, &b[2], 4);
  std::memcpy(&fl, &b[6], 4);
  std::memcpy(&db, &b[10], 8);
  std::memcpy(&sw, &b[20], 2);
  std::memcpy(&sd, &b[22], 4);
  EXPECT_EQ(w, 1);
  EXPECT_EQ(dw, 2u);
  EXPECT_EQ(fl, 3.0f);
  EXPECT_EQ(db, 0.1);  // not rounded through float
  EXPECT_EQ(static_cast<std::int8_t>(b[18]), -5);
  EXPECT_EQ(b[19], 6);
  EXPECT_EQ(sw, -7);
  EXPECT_EQ(sd, -8);
  const char* s[3];
  std::memcpy(s, &b[26], sizeof s);
  EXPECT_STREQ(s[0], "a;b,c\\d");  // no escape processing
  EXPECT_STREQ(s[1], "");
  EXPECT_STREQ(s[2], "us");
}

}  // namespace
}  // namespace ortolix::test
