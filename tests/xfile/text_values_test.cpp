// Member values of text files: every number, string and separator spelling
// the reader accepts, what each puts into the Lock data, which ones are
// counted as tolerated quirks, and which are refused.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <cstring>
#include <string>

#include "tests/xfile/xfile_test_support.h"

namespace ortolix::test {
namespace {

struct ValueCase {
  const char* label;
  const char* members;
  const char* body;
  std::vector<std::uint8_t> lock;  // expected Lock bytes
  int warning;                     // XWarningCode expected, or -1
};

constexpr int kNone = -1;
constexpr int W(XWarningCode c) { return static_cast<int>(c); }

TEST(XFileTextValues, AcceptedSpellingsGiveTheirLockBytes) {
  const ValueCase cases[] = {
      {"decimal", "FLOAT f;", "1.5;", F32({1.5f}), kNone},
      {"fifteen digits", "FLOAT f;", "12345678.9012345;", F32({12345678.9012345f}), kNone},
      {"sixteen digits", "FLOAT f;", "-0.1234567890123456;", F32({-0.1234567890123456f}), kNone},
      {"negative zero", "FLOAT f;", "-0.0;", F32({-0.0f}), kNone},
      {"trailing dot", "FLOAT f;", "2.;", F32({2.0f}), kNone},
      {"integer where FLOAT", "FLOAT f;", "-3;", F32({-3.0f}), W(XWarningCode::kIntegerAsFloat)},
      {"exponent", "FLOAT f;", "1.5e-005;", F32({1.5e-5f}), W(XWarningCode::kExponent)},
      {"leading plus", "FLOAT f;", "+4.5;", F32({4.5f}), W(XWarningCode::kExponent)},
      {"leading dot", "FLOAT f;", ".5;", F32({0.5f}), W(XWarningCode::kExponent)},
      {"infinity text", "FLOAT f;", "1.#INF00;", F32({INFINITY}), W(XWarningCode::kNanSpelling)},
      {"DWORD", "DWORD d;", "4294967295;", U32({0xFFFFFFFFu}), kNone},
      {"negative DWORD", "DWORD d;", "-1;", U32({0xFFFFFFFFu}), W(XWarningCode::kNegativeUnsigned)},
      {"WORD", "WORD w;", "65535;", {0xFF, 0xFF}, kNone},
      {"SWORD", "SWORD w;", "-32768;", {0x00, 0x80}, kNone},
      {"CHAR", "CHAR c;", "-128;", {0x80}, kNone},
      {"UCHAR", "UCHAR c;", "255;", {0xFF}, kNone},
      {"semicolon run", "DWORD a; DWORD b;", "1;;;;;2;", U32({1, 2}), kNone},
      {"semicolons then comma", "DWORD a; DWORD b;", "1;;;;,2;", U32({1, 2}), kNone},
      {"commas as terminators", "DWORD n; array DWORD v[n]; DWORD d;", "3, 0, 1, 2, 5,",
       U32({3, 0, 1, 2, 5}), kNone},
      {"semicolons as separators", "DWORD n; array DWORD v[n]; DWORD d;", "3; 0; 1; 2; 5;",
       U32({3, 0, 1, 2, 5}), kNone},
      {"nested structures close by runs", "DWORD n; array Vector v[n];",
       "2; 1.0;2.0;3.0;;, 4.0;5.0;6.0;;;", [] {
         auto v = U32({2});
         auto f = F32({1, 2, 3, 4, 5, 6});
         v.insert(v.end(), f.begin(), f.end());
         return v;
       }(),
       kNone},
      {"empty array", "DWORD n; array DWORD v[n]; DWORD d;", "0; 9;", U32({0, 9}), kNone},
      {"double comma", "DWORD a; DWORD b;", "1,, 2;", U32({1, 2}), W(XWarningCode::kIrregularSeparator)},
      {"comma then semicolon", "DWORD a; DWORD b;", "1,; 2;", U32({1, 2}),
       W(XWarningCode::kIrregularSeparator)},
      {"no separator between elements", "DWORD n; array DWORD v[n];", "3; 0 1 2;", U32({3, 0, 1, 2}),
       W(XWarningCode::kMissingSeparator)},
      {"value directly before the brace", "DWORD d;", "5", U32({5}), W(XWarningCode::kMissingSeparator)},
      {"semicolon after a spaced comma", "DWORD a; DWORD b;", "1;, ;2;", U32({1, 2}),
       W(XWarningCode::kIrregularSeparator)},
      {"comment right after a separator", "DWORD a; DWORD b;", "1,\n# c\n2;", U32({1, 2}), kNone},
      {"comments between values", "DWORD a; DWORD b;", "1; # one\n // two\n 2; // end", U32({1, 2}),
       kNone},
      {"no white space at all", "DWORD a; FLOAT b;", "7;-1.5;", [] {
         auto v = U32({7});
         auto f = F32({-1.5f});
         v.insert(v.end(), f.begin(), f.end());
         return v;
       }(),
       kNone},
      {"two-dimensional array", "DWORD r; DWORD c; array WORD m[r][c];", "2;3;1,2,3,4,5,6;",
       {2, 0, 0, 0, 3, 0, 0, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0}, kNone},
      {"fixed array", "array UCHAR b[3];", "1,2,3;", {1, 2, 3}, kNone},
      {"keywords in any case", "dword a; Float b;", "1;2.5;", [] {
         auto v = U32({1});
         auto f = F32({2.5f});
         v.insert(v.end(), f.begin(), f.end());
         return v;
       }(),
       kNone},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.label);
    Opened f = OpenText(OneObject(c.members, c.body));
    ASSERT_EQ(f.hr, S_OK) << f.error.Format();
    ASSERT_EQ(f.Count(), 1u);
    ID3DXFileData* d = f.Child(0);
    EXPECT_EQ(LockBytes(d), c.lock);
    d->Release();
    if (c.warning == kNone) {
      EXPECT_TRUE(f.e->Warnings().empty()) << WarningCodeName(f.e->Warnings()[0].code);
    } else {
      EXPECT_TRUE(f.HasWarning(static_cast<XWarningCode>(c.warning)));
    }
  }
}

TEST(XFileTextValues, NanSpellingsGiveNan) {
  for (const char* text : {"1.#IND00;", "-1.#IND00;", "1.#QNAN0;", "1.#SNAN0;"}) {
    SCOPED_TRACE(text);
    Opened f = OpenText(OneObject("FLOAT f;", text));
    ASSERT_EQ(f.hr, S_OK) << f.error.Format();
    ID3DXFileData* d = f.Child(0);
    std::vector<std::uint8_t> bytes = LockBytes(d);
    d->Release();
    ASSERT_EQ(bytes.size(), 4u);
    float v;
    std::memcpy(&v, bytes.data(), 4);
    EXPECT_TRUE(std::isnan(v));
    EXPECT_TRUE(f.HasWarning(XWarningCode::kNanSpelling));
  }
}

// Decimals as exporters print them convert to the nearest float, as the C
// library's own conversion gives.
TEST(XFileTextValues, DecimalsConvertToTheNearestFloat) {
  std::mt19937_64 random(42);
  std::string body = "20000;";
  std::vector<float> expected;
  for (int i = 0; i < 20000; ++i) {
    char text[40];
    int fraction = 1 + static_cast<int>(random() % 9);
    long long whole = static_cast<long long>(random() % 100000) - 50000;
    unsigned long long digits = random() % 1000000000ull;
    int n = std::snprintf(text, sizeof text, "%s%lld.%0*llu", whole < 0 ? "-" : "", whole < 0 ? -whole : whole,
                          fraction, digits % static_cast<unsigned long long>(std::pow(10, fraction)));
    float want = 0;
    std::from_chars(text, text + n, want);
    expected.push_back(want);
    body += std::string(text, static_cast<std::size_t>(n)) + (i + 1 < 20000 ? "," : ";");
  }
  Opened f = OpenText(OneObject("DWORD n; array FLOAT v[n];", body));
  ASSERT_EQ(f.hr, S_OK) << f.error.Format();
  ID3DXFileData* d = f.Child(0);
  std::vector<std::uint8_t> bytes = LockBytes(d);
  d->Release();
  ASSERT_EQ(bytes.size(), 4 + 4 * expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    float got;
    std::memcpy(&got, &bytes[4 + 4 * i], 4);
    ASSERT_EQ(got, expected[i]) << i;
  }
}

struct RefusedCase {
  const char* label;
  const char* members;
  const char* body;
  HRESULT code;
  std::uint32_t line;    // the body's first line is 7
  std::uint32_t column;
};

TEST(XFileTextValues, RefusedValuesFailWithTheirPosition) {
  // The body starts on line 7 of the file built by OneObject.
  const RefusedCase cases[] = {
      {"float for DWORD", "DWORD d;", "1.5;", D3DXFERR_PARSEERROR, 7, 1},
      {"name for DWORD", "DWORD a; DWORD b;", "1;\n  abc;", D3DXFERR_PARSEERROR, 8, 3},
      {"DWORD overflow", "DWORD d;", "4294967296;", D3DXFERR_PARSEERROR, 7, 1},
      {"WORD overflow", "WORD w;", "  65536;", D3DXFERR_PARSEERROR, 7, 3},
      {"UCHAR overflow", "UCHAR c;", "256;", D3DXFERR_PARSEERROR, 7, 1},
      {"SWORD underflow", "SWORD w;", "-32769;", D3DXFERR_PARSEERROR, 7, 1},
      {"number glued to a name", "FLOAT f;", "1.5x;", D3DXFERR_PARSEERROR, 7, 1},
      {"unterminated string", "STRING s;", "\"abc", D3DXFERR_PARSEERROR, 7, 1},
      {"string for FLOAT", "FLOAT f;", "\"1\";", D3DXFERR_PARSEERROR, 7, 1},
      {"missing member", "DWORD a; DWORD b;", "1;", D3DXFERR_PARSEERROR, 8, 1},
      {"unknown NaN word", "FLOAT f;", "1.#XYZ;", D3DXFERR_PARSEERROR, 7, 1},
      {"stray character", "DWORD a;", "1; @", D3DXFERR_PARSEERROR, 7, 4},
      {"negative array size", "SDWORD n; array DWORD v[n];", "-1;", D3DXFERR_BADARRAYSIZE, 8, 1},
  };
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.label);
    Opened f = OpenText(OneObject(c.members, c.body));
    EXPECT_EQ(f.hr, c.code) << f.error.Format();
    EXPECT_EQ(f.e, nullptr);
    EXPECT_EQ(f.error.line, c.line) << f.error.Format();
    EXPECT_EQ(f.error.column, c.column) << f.error.Format();
    EXPECT_EQ(f.error.object, "T");
  }
}

}  // namespace
}  // namespace ortolix::test
