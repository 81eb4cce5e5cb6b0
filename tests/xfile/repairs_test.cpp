// Faults of real files that the reader repairs with a counted warning:
// arrays with extra elements or cut short by the closing brace, names with
// bytes above 0x7F, numbers beyond the float range, and animations naming
// frames of another file. Each case checks the repaired data, the warning
// and where it points; faults outside a repair's class still fail.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "xdump/xfile_json.h"
#include "platform/crt/narrow_code_page.h"
#include "tests/xfile/xfile_test_support.h"

namespace ortolix::test {
namespace {

const XWarning* FindWarning(const Opened& f, XWarningCode code) {
  for (const XWarning& w : f.e->Warnings()) {
    if (w.code == code) return &w;
  }
  return nullptr;
}

struct RepairCase {
  const char* label;
  const char* members;
  const char* body;
  std::vector<std::uint8_t> lock;
  XWarningCode warning;
  std::uint32_t column;  // of the first occurrence, on line 7
};

TEST(XFileRepairs, ArraysWithExtraOrMissingElements) {
  using W = XWarningCode;
  const RepairCase cases[] = {
      {"extra DWORDs", "DWORD n; array DWORD v[n];", "2; 7,8,9,10;", U32({2, 7, 8}),
       W::kArrayExtraElements, 8},
      {"extra structures", "DWORD n; array Vector v[n];", "1; 1.0;2.0;3.0;,4.0;5.0;6.0;;",
       Cat({U32({1}), F32({1, 2, 3})}), W::kArrayExtraElements, 17},
      {"extra faces", "DWORD n; array MeshFace f[n];", "1; 3;0,1,2;, 3;3,4,5;;",
       U32({1, 3, 0, 1, 2}), W::kArrayExtraElements, 14},
      {"cut short DWORDs", "DWORD n; array DWORD v[n];", "3; 7,8;", U32({2, 7, 8}),
       W::kArrayCutShort, 1},
      {"cut short WORDs", "WORD n; array WORD v[n];", "3; 7,8;", U16({2, 7, 8}),
       W::kArrayCutShort, 1},
      {"cut short keys", "DWORD k; DWORD n; array TimedFloatKeys keys[n];",
       "0; 3; 0;3;1.0,2.0,3.0;;, 10;3;4.0,5.0,6.0;;;",
       Cat({U32({0, 2, 0, 3}), F32({1, 2, 3}), U32({10, 3}), F32({4, 5, 6})}),
       W::kArrayCutShort, 1},
      {"cut short structures", "DWORD n; array Vector v[n];", "3; 1.0;2.0;3.0;;,",
       Cat({U32({1}), F32({1, 2, 3})}), W::kArrayCutShort, 1},
      {"cut short to nothing", "DWORD n; array STRING s[n];", "2;", U32({0}),
       W::kArrayCutShort, 1},
  };
  for (const RepairCase& c : cases) {
    SCOPED_TRACE(c.label);
    Opened f = OpenText(OneObject(c.members, c.body));
    ASSERT_EQ(f.hr, S_OK) << f.error.Format();
    ID3DXFileData* d = f.Child(0);
    std::vector<std::uint8_t> lock = LockBytes(d);
    d->Release();
    EXPECT_EQ(lock, c.lock);
    const XWarning* w = FindWarning(f, c.warning);
    ASSERT_NE(w, nullptr) << WarningCodeName(c.warning);
    EXPECT_EQ(w->count, 1u);
    // The cut is reported at the closing brace, on the line after the body.
    EXPECT_EQ(w->first_line, c.warning == W::kArrayCutShort ? 8u : 7u);
    EXPECT_EQ(w->first_column, c.column);
    EXPECT_EQ(w->object, "T");
  }
}

TEST(XFileRepairs, ArraysOutsideTheRepairStillFail) {
  const char* const cases[][2] = {
      {"array DWORD v[3];", "1,2;"},                                    // fixed count
      {"DWORD n; array MeshFace f[n];", "1; 3;0,1;"},                   // cut inside an element
      {"DWORD n; array Vector v[n];", "2; 1.0;2.0;3.0;;, 4.0;"},        // cut inside an element
      {"DWORD n; array DWORD a[n]; array DWORD b[n];", "2; 1,2; 3;"},  // count shared
      {"DWORD n; array DWORD v[n]; DWORD d;", "3; 1,2;"},              // a member follows
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c[0]);
    Opened f = OpenText(OneObject(c[0], c[1]));
    EXPECT_EQ(f.hr, D3DXFERR_PARSEERROR);
  }
}

TEST(XFileRepairs, BinaryListsWithExtraOrMissingValues) {
  GUID g{0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};
  struct BinaryCase {
    const char* label;
    std::initializer_list<std::uint32_t> values;  // one integer list: n, then the elements
    std::vector<std::uint8_t> lock;
    XWarningCode warning;
  };
  const BinaryCase cases[] = {
      {"extra", {2, 7, 8, 9}, U32({2, 7, 8}), XWarningCode::kArrayExtraElements},
      {"cut short", {3, 7, 8}, U32({2, 7, 8}), XWarningCode::kArrayCutShort},
  };
  for (const BinaryCase& c : cases) {
    SCOPED_TRACE(c.label);
    BinWriter w;
    w.Tok(31).Name("T").Tok(10).Guid(g).Tok(41).Name("n").Tok(20);
    w.Tok(52).Tok(41).Name("v").Tok(14).Name("n").Tok(15).Tok(20).Tok(11);
    w.Name("T").Tok(10).Ints(c.values).Tok(11);
    Opened f(w.bytes());
    ASSERT_EQ(f.hr, S_OK) << f.error.Format();
    ID3DXFileData* d = f.Child(0);
    EXPECT_EQ(LockBytes(d), c.lock);
    d->Release();
    EXPECT_TRUE(f.HasWarning(c.warning));
  }
}

std::string NameOf(ID3DXFileData* d) {
  std::size_t size = 0;
  if (d->GetName(nullptr, &size) != S_OK) return "?";
  std::string name(size, '\0');
  if (d->GetName(name.data(), &size) != S_OK) return "?";
  name.resize(size - 1);
  return name;
}

TEST(XFileRepairs, NamesKeepTheirBytesAboveAscii) {
  struct NameCase {
    const char* label;
    std::string text;  // Frame <text>{}
    std::string name;
    unsigned code_page;
  };
  const NameCase cases[] = {
      {"UTF-8", "caf\xc3\xa9 ", "caf\xc3\xa9", kUtf8CodePage},
      {"UTF-8 against the brace", "\xe3\x81\x82", "\xe3\x81\x82", kUtf8CodePage},
      {"Latin-1", "caf\xe9 ", "caf\xe9", kUtf8CodePage},
      {"Shift-JIS backslash second byte", "\x95\x5c\x83\x5c ", "\x95\x5c\x83\x5c", kUtf8CodePage},
      {"Shift-JIS brace second byte", "a\x88\x7b", "a\x88\x7b", kUtf8CodePage},
      {"Shift-JIS under 932", "\x82\xa0\x95\x5c", "\x82\xa0\x95\x5c", 932},
      {"Latin-1 under 1252 against the brace", "caf\xe9", "caf\xe9", 1252},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.label);
    ASSERT_TRUE(SetNarrowCodePage(c.code_page));
    Opened f = OpenText("\nFrame " + c.text + "{ Frame child {} }\n");
    ASSERT_TRUE(SetNarrowCodePage(kUtf8CodePage));
    ASSERT_EQ(f.hr, S_OK) << f.error.Format();
    ID3DXFileData* d = f.Child(0);
    EXPECT_EQ(NameOf(d), c.name);
    std::size_t children = 0;
    EXPECT_EQ(d->GetChildren(&children), S_OK);
    EXPECT_EQ(children, 1u);
    d->Release();
  }
}

TEST(XFileRepairs, NumbersBeyondTheFloatRange) {
  struct RangeCase {
    const char* text;
    float value;
  };
  const RangeCase cases[] = {
      {"1e39;", INFINITY}, {"1e400;", INFINITY}, {"-1e400;", -INFINITY}, {"1e-400;", 0.0f},
      {"1000000000000000000000000000000000000000.0;", INFINITY},
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(c.text);
    Opened f = OpenText(OneObject("FLOAT f;", c.text));
    ASSERT_EQ(f.hr, S_OK) << f.error.Format();
    ID3DXFileData* d = f.Child(0);
    EXPECT_EQ(LockBytes(d), F32({c.value}));  // bit for bit: the sign of zero too
    d->Release();
    const XWarning* w = FindWarning(f, XWarningCode::kFloatOutOfRange);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->first_column, 1u);
  }
}

TEST(XFileRepairs, NegativeUnsignedIsReportedWhereTheValueStands) {
  Opened f = OpenText(OneObject("DWORD n; array DWORD v[n];", "2; 5,-1;"));
  ASSERT_EQ(f.hr, S_OK) << f.error.Format();
  const XWarning* w = FindWarning(f, XWarningCode::kNegativeUnsigned);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->first_line, 7u);
  EXPECT_EQ(w->first_column, 6u);
}

constexpr const char* kAnimationOnly = R"(
AnimationSet walk {
 Animation {
  { Hip }
  AnimationKey { 0; 1; 0;4;1.0,0.0,0.0,0.0;;; }
 }
 Animation {
  { Knee }
  { Hip }
 }
}
)";

TEST(XFileRepairs, AnimationKeepsTheNamesOfFramesItLacks) {
  Opened f = OpenText(kAnimationOnly);
  ASSERT_EQ(f.hr, S_OK) << f.error.Format();
  const XWarning* w = FindWarning(f, XWarningCode::kAnimationTargetMissing);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->count, 3u);
  EXPECT_EQ(w->first_line, 4u);
  EXPECT_EQ(w->object, "AnimationSet 'walk' > Animation");
  EXPECT_EQ(w->Format("walk.x", false),
            "walk.x:4:3: warning: animation-target-missing (3 times, first in AnimationSet 'walk' > "
            "Animation): an animation names a frame not in this file; the name is kept as its "
            "target");
  ID3DXFileData* set = f.Child(0);
  ID3DXFileData* animation = nullptr;
  ASSERT_EQ(set->GetChild(0, &animation), S_OK);
  ID3DXFileData* target = nullptr;
  ASSERT_EQ(animation->GetChild(0, &target), S_OK);
  EXPECT_TRUE(target->IsReference());
  EXPECT_TRUE(target->IsUnresolvedReference());
  EXPECT_EQ(NameOf(target), "Hip");
  GUID type{};
  EXPECT_EQ(target->GetType(&type), S_OK);
  EXPECT_TRUE(GuidEqual(type, GUID{}));
  std::size_t children = 9;
  EXPECT_EQ(target->GetChildren(&children), S_OK);
  EXPECT_EQ(children, 0u);
  target->Release();
  animation->Release();
  set->Release();
  EXPECT_NE(XFileJson(*f.e, false)
                .find(R"({"template": "", "guid": null, "name": "Hip", "unresolved": true, "reference": true})"),
            std::string::npos);
}

// The hand-made files of each class (also seeds of the fuzzer): each reads
// with its warning, counted and placed.
TEST(XFileRepairs, HandMadeFilesReadWithTheirWarning) {
  struct FileCase {
    const char* file;
    XWarningCode code;
    std::uint64_t count;
    std::uint32_t line;
    std::uint32_t column;
  };
  const FileCase cases[] = {
      {"synthetic_array_extra.x", XWarningCode::kArrayExtraElements, 1, 7, 16},
      {"synthetic_array_cut_short.x", XWarningCode::kArrayCutShort, 1, 11, 3},
      {"synthetic_animation_only.x", XWarningCode::kAnimationTargetMissing, 2, 5, 3},
      {"synthetic_float_range.x", XWarningCode::kFloatOutOfRange, 3, 3, 5},
  };
  const std::string data = std::string(ORTOLIX_SOURCE_DIR) + "/tests/xfile/data/";
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.file);
    Opened f(ReadCorpusFile(data + c.file));
    ASSERT_EQ(f.hr, S_OK) << f.error.Format();
    const XWarning* w = FindWarning(f, c.code);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->count, c.count);
    EXPECT_EQ(w->first_line, c.line);
    EXPECT_EQ(w->first_column, c.column);
  }
  for (const char* file : {"synthetic_names_utf8.x", "synthetic_names_sjis.x"}) {
    Opened f(ReadCorpusFile(data + file));
    EXPECT_EQ(f.hr, S_OK) << file << ": " << f.error.Format();
  }
}

TEST(XFileRepairs, UnresolvedReferenceOutsideAnAnimationFails) {
  Opened f = OpenText("\nFrame root { { Missing } }\n");
  EXPECT_EQ(f.hr, D3DXFERR_BADDATAREFERENCE);
  EXPECT_NE(f.error.message.find("'Missing'"), std::string::npos);
}

}  // namespace
}  // namespace ortolix::test
