// The binary encoding token by token: names, strings and their terminators,
// single integers, integer and float lists spanning members, GUIDs, and the
// byte offsets of refused streams.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/xfile/xfile_test_support.h"

namespace ortolix::test {
namespace {

constexpr std::uint16_t kOBrace = 10, kCBrace = 11, kSemicolon = 20, kComma = 19;

// template T { <GUID> DWORD n; array DWORD v[n]; DWORD d; } then its data.
BinWriter WithListTemplate() {
  BinWriter w;
  w.Tok(31).Name("T").Tok(kOBrace).Guid(MakeGuid(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11));
  w.Tok(41).Name("n").Tok(kSemicolon);
  w.Tok(52).Tok(41).Name("v").Tok(14).Name("n").Tok(15).Tok(kSemicolon);
  w.Tok(41).Name("d").Tok(kSemicolon);
  w.Tok(kCBrace);
  return w;
}

std::vector<std::uint8_t> Dwords(std::initializer_list<std::uint32_t> values) {
  std::vector<std::uint8_t> out;
  for (std::uint32_t v : values) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  return out;
}

TEST(XFileBinaryTokens, ValueFormsFillTheMembers) {
  struct Case {
    const char* label;
    void (*body)(BinWriter&);
  };
  const Case cases[] = {
      {"one list for every member", [](BinWriter& w) { w.Ints({3, 0, 1, 2, 5}); }},
      {"one list per member", [](BinWriter& w) { w.Ints({3}).Ints({0, 1, 2}).Ints({5}); }},
      {"lists split anywhere", [](BinWriter& w) { w.Ints({3, 0}).Ints({1, 2, 5}); }},
      {"empty lists are skipped", [](BinWriter& w) { w.Ints({}).Ints({3, 0, 1, 2}).Ints({}).Ints({5}); }},
      {"single integers with separators",
       [](BinWriter& w) {
         w.Integer(3).Tok(kSemicolon).Integer(0).Tok(kComma).Integer(1).Tok(kComma);
         w.Integer(2).Tok(kSemicolon).Integer(5).Tok(kSemicolon);
       }},
      {"integers mixed with lists", [](BinWriter& w) { w.Integer(3).Tok(kSemicolon).Ints({0, 1, 2, 5}); }},
      {"separator after a list", [](BinWriter& w) { w.Ints({3, 0, 1}).Tok(kSemicolon).Ints({2, 5}); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    BinWriter w = WithListTemplate();
    w.Name("T").Name("obj").Tok(kOBrace);
    c.body(w);
    w.Tok(kCBrace);
    Opened f(w.bytes());
    ASSERT_EQ(f.hr, S_OK) << f.error.Format();
    ASSERT_EQ(f.Count(), 1u);
    ID3DXFileData* d = f.Child(0);
    EXPECT_EQ(LockBytes(d), Dwords({3, 0, 1, 2, 5}));
    d->Release();
  }
}

TEST(XFileBinaryTokens, StringsTakeATwoOrFourByteTerminator) {
  for (std::uint16_t terminator : {kSemicolon, kComma}) {
    for (bool four_bytes : {false, true}) {
      SCOPED_TRACE(terminator * 10 + four_bytes);
      BinWriter w;
      w.Name("TextureFilename").Tok(kOBrace).String("foo;bar", terminator);
      if (four_bytes) w.Raw({0, 0});
      w.Tok(kCBrace);
      Opened f(w.bytes());
      ASSERT_EQ(f.hr, S_OK) << f.error.Format();
      ID3DXFileData* d = f.Child(0);
      std::vector<std::uint8_t> b = LockBytes(d);
      d->Release();
      ASSERT_EQ(b.size(), sizeof(const char*));
      const char* s;
      std::memcpy(&s, b.data(), sizeof s);
      EXPECT_STREQ(s, "foo;bar");
      EXPECT_EQ(f.HasWarning(XWarningCode::kStringTerminator), four_bytes);
    }
  }
}

TEST(XFileBinaryTokens, ObjectIdsReferencesAndIntegerFloats) {
  GUID id = MakeGuid(0xCAFEF00D, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
  BinWriter w;
  w.Name("Frame").Name("A").Tok(kOBrace).Guid(id).Tok(kCBrace);
  w.Name("Frame").Name("B").Tok(kOBrace);
  w.Tok(kOBrace).Name("A").Guid(id).Tok(kCBrace);
  w.Tok(kOBrace).Guid(id).Tok(kCBrace);
  w.Tok(kCBrace);
  // Integers where FLOAT is declared are converted (with a warning).
  w.Name("Vector").Tok(kOBrace).Ints({1, 2, 3}).Tok(kCBrace);
  Opened f(w.bytes());
  ASSERT_EQ(f.hr, S_OK) << f.error.Format();
  ASSERT_EQ(f.Count(), 3u);
  ID3DXFileData* a = f.Child(0);
  GUID got;
  ASSERT_EQ(a->GetId(&got), S_OK);
  EXPECT_TRUE(GuidEqual(got, id));
  ID3DXFileData* b = f.Child(1);
  std::size_t n = 0;
  ASSERT_EQ(b->GetChildren(&n), S_OK);
  ASSERT_EQ(n, 2u);
  for (std::size_t i = 0; i < n; ++i) {
    ID3DXFileData* r = nullptr;
    ASSERT_EQ(b->GetChild(i, &r), S_OK);
    EXPECT_TRUE(r->IsReference());
    ASSERT_EQ(r->GetId(&got), S_OK);
    EXPECT_TRUE(GuidEqual(got, id));  // resolved to A
    r->Release();
  }
  ID3DXFileData* v = f.Child(2);
  std::vector<std::uint8_t> bytes = LockBytes(v);
  float values[3];
  ASSERT_EQ(bytes.size(), sizeof values);
  std::memcpy(values, bytes.data(), sizeof values);
  EXPECT_EQ(values[2], 3.0f);
  EXPECT_TRUE(f.HasWarning(XWarningCode::kIntegerAsFloat));
  a->Release();
  b->Release();
  v->Release();
}

TEST(XFileBinaryTokens, RefusedStreamsGiveTheirByteOffset) {
  struct Case {
    const char* label;
    void (*body)(BinWriter&);
    std::uint64_t offset;  // in the file, header included
  };
  const Case cases[] = {
      // n = 2 takes two values for v and one for d: the fifth is left over.
      {"list longer than the members", [](BinWriter& w) { w.Ints({2, 0, 1, 5, 9}); }, 6 + 16},
      {"float list for DWORD", [](BinWriter& w) { w.Floats({1.0f}); }, 0},
      {"unknown token", [](BinWriter& w) { w.Tok(99); }, 0},
      {"list count beyond the data", [](BinWriter& w) { w.Tok(6).Raw({0xFF, 0xFF, 0xFF, 0x0F}); }, 0},
      {"odd byte at the end", [](BinWriter& w) { w.Ints({0, 5}).Raw({0x0B}); }, 14},
      {"name longer than the data", [](BinWriter& w) { w.Ints({0, 5}).Tok(1).Raw({9, 0, 0, 0, 'a'}); }, 14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    BinWriter w = WithListTemplate();
    w.Name("T").Tok(kOBrace);
    const std::uint64_t before = w.bytes().size();
    c.body(w);
    w.Tok(kCBrace);
    Opened f(w.bytes());
    EXPECT_TRUE(Failed(f.hr));
    EXPECT_TRUE(f.error.binary);
    EXPECT_FALSE(f.error.inflated);
    EXPECT_EQ(f.error.offset, before + c.offset) << f.error.Format();
    EXPECT_NE(f.error.Format().find("byte "), std::string::npos);
  }
}

}  // namespace
}  // namespace ortolix::test
