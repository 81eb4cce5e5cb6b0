// One skinned, animated model written as text, binary, compressed text and
// compressed binary (the bytes built here from the documented layouts) must
// give the same object tree and the same Lock bytes. Also: the header and
// the MSZIP layout on their own.
#include <gtest/gtest.h>

#include <string>

#include "xdump/xfile_json.h"
#include "tests/xfile/xfile_test_support.h"

namespace ortolix::test {
namespace {

constexpr char kModelText[] = R"x(
// a skinned quad with one animation
Header { 1; 0; 1; }
AnimTicksPerSecond { 4800; }
Frame Root {
  FrameTransformMatrix { 1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, 0.5,-2.25,3.0,1.0;; }
  Mesh body {
    4;
    0.0;0.0;0.0;, 1.0;0.0;0.0;, 1.0;1.0;0.0;, 0.0;1.0;0.0;;
    2;
    3;0,1,2;, 3;0,2,3;;
    MeshNormals { 1; 0.0;0.0;1.0;; 2; 3;0,0,0;, 3;0,0,0;; }
    MeshTextureCoords { 4; 0.0;0.0;, 1.0;0.0;, 1.0;1.0;, 0.0;1.0;; }
    MeshMaterialList {
      1; 2; 0, 0;;
      Material Skin {
        0.8;0.7;0.6;1.0;; 12.5; 0.1;0.2;0.3;; 0.0;0.0;0.0;;
        TextureFilename { "skin.png"; }
      }
    }
    XSkinMeshHeader { 2; 4; 1; }
    SkinWeights {
      "Root";
      2;
      0, 1;
      0.25, 1.0;
      1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, 0.0,0.0,0.0,1.0;;
    }
  }
}
AnimationSet Walk {
  Animation {
    { Root }
    AnimationKey { 0; 2; 0; 4; 1.0,0.0,0.0,0.0;;, 4800; 4; 0.5,0.5,0.5,0.5;;; }
    AnimationKey { 2; 1; 0; 3; 0.5,-2.25,3.0;;; }
  }
}
)x";

// The same model in the binary token layout: NAME type [NAME name] OBRACE
// values CBRACE, consecutive values of a kind merged into one list.
BinWriter ModelBinary(const char* header) {
  BinWriter w(header);
  auto open = [&](const char* type, const char* name = nullptr) -> BinWriter& {
    w.Name(type);
    if (name != nullptr) w.Name(name);
    return w.Tok(10);
  };
  auto close = [&] { w.Tok(11); };
  auto floats = [&](std::vector<float> v) { w.FloatList(v.data(), v.size()); };
  open("Header").Ints({1, 0, 1}).Tok(11);
  open("AnimTicksPerSecond").Ints({4800}).Tok(11);
  open("Frame", "Root");
  open("FrameTransformMatrix");
  floats({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5f, -2.25f, 3.0f, 1.0f});
  close();
  open("Mesh", "body").Ints({4});
  floats({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0});
  w.Ints({2, 3, 0, 1, 2, 3, 0, 2, 3});
  open("MeshNormals").Ints({1});
  floats({0, 0, 1});
  w.Ints({2, 3, 0, 0, 0, 3, 0, 0, 0});
  close();
  open("MeshTextureCoords").Ints({4});
  floats({0, 0, 1, 0, 1, 1, 0, 1});
  close();
  open("MeshMaterialList").Ints({1, 2, 0, 0});
  open("Material", "Skin");
  floats({0.8f, 0.7f, 0.6f, 1.0f, 12.5f, 0.1f, 0.2f, 0.3f, 0, 0, 0});
  open("TextureFilename").String("skin.png");
  close();
  close();  // Material
  close();  // MeshMaterialList
  open("XSkinMeshHeader").Ints({2, 4, 1}).Tok(11);
  open("SkinWeights").String("Root").Ints({2, 0, 1});
  floats({0.25f, 1.0f, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
  close();
  close();  // Mesh
  close();  // Frame
  open("AnimationSet", "Walk");
  open("Animation");
  w.Tok(10).Name("Root").Tok(11);
  open("AnimationKey").Ints({0, 2, 0, 4});
  floats({1, 0, 0, 0});
  w.Ints({4800, 4});
  floats({0.5f, 0.5f, 0.5f, 0.5f});
  close();
  open("AnimationKey").Ints({2, 1, 0, 3});
  floats({0.5f, -2.25f, 3.0f});
  close();
  close();  // Animation
  close();  // AnimationSet
  return w;
}

std::string Payload(const std::vector<std::uint8_t>& image) {
  return std::string(image.begin() + 16, image.end());
}

// The object part of the JSON dump (the header part names the format).
std::string ObjectsJson(const Opened& f) {
  std::string json = XFileJson(*f.e, false);
  return json.substr(json.find("\"objects\""));
}

TEST(XFileEncodings, TextBinaryAndCompressedGiveTheSameTree) {
  std::string text_image = std::string("xof 0303txt 0032") + kModelText;
  std::vector<std::uint8_t> bin_image = ModelBinary("xof 0303bin 0032").bytes();
  struct Form {
    const char* label;
    std::vector<std::uint8_t> image;
  };
  const Form forms[] = {
      {"text", Bytes(text_image)},
      {"binary", bin_image},
      {"compressed text", Mszip("xof 0303tzip0032", kModelText)},
      {"compressed text, small blocks", Mszip("xof 0303tzip0032", kModelText, 100)},
      {"compressed binary", Mszip("xof 0303bzip0032", Payload(bin_image))},
      {"compressed binary, small blocks", Mszip("xof 0303bzip0032", Payload(bin_image), 64)},
  };
  Opened reference(forms[0].image);
  ASSERT_EQ(reference.hr, S_OK) << reference.error.Format();
  const std::string want = Snapshot(*reference.e);
  const std::string want_json = ObjectsJson(reference);
  ASSERT_NE(want.find("\"skin.png\""), std::string::npos);
  ASSERT_NE(want.find("\"Root\""), std::string::npos);
  ASSERT_EQ(reference.Count(), 4u);
  for (const Form& form : forms) {
    SCOPED_TRACE(form.label);
    Opened f(form.image);
    ASSERT_EQ(f.hr, S_OK) << f.error.Format();
    EXPECT_EQ(Snapshot(*f.e), want);
    EXPECT_EQ(ObjectsJson(f), want_json);
  }
}

TEST(XFileEncodings, HeaderFieldsAreCheckedInOrder) {
  struct Case {
    const char* header;
    HRESULT code;
  };
  const Case cases[] = {
      {"xOf 0303txt 0032", D3DXFERR_BADFILETYPE},
      {"xof 03a3txt 0032", D3DXFERR_BADFILEVERSION},
      {"xof 0303cmp 0032", D3DXFERR_BADFILETYPE},
      {"xof 0303TXT 0032", D3DXFERR_BADFILETYPE},
      {"xof 0303txt 0050", D3DXFERR_BADFILEFLOATSIZE},
      {"xof 0x03bin 0050", D3DXFERR_BADFILEVERSION},
      {"xof 0303", D3DXFERR_BADFILETYPE},
      {"", D3DXFERR_BADFILETYPE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.header);
    Opened f(Bytes(c.header));
    EXPECT_EQ(f.hr, c.code);
    EXPECT_TRUE(f.error.binary);
  }
  // Tolerated: other two-digit versions, tabs for the blanks, no line break.
  Opened version = OpenText("\nHeader { 1; 0; 1; }", "xof 0102txt 0032");
  EXPECT_EQ(version.hr, S_OK);
  EXPECT_TRUE(version.HasWarning(XWarningCode::kUnusualVersion));
  Opened tabs = OpenText("\nHeader { 1; 0; 1; }", "xof\t0303txt\t0032");
  EXPECT_EQ(tabs.hr, S_OK);
  EXPECT_TRUE(tabs.HasWarning(XWarningCode::kHeaderTab));
  Opened glued = OpenText("Header{1;0;1;}", "xof 0302txt 0064");
  EXPECT_EQ(glued.hr, S_OK) << glued.error.Format();
  EXPECT_EQ(glued.Count(), 1u);
  // The payload follows the header directly: an error there is on line 1
  // after the 16 header bytes.
  Opened bad = OpenText("foobar;", "xof 0302txt 0064");
  EXPECT_EQ(bad.hr, D3DXFERR_PARSEERROR);
  EXPECT_EQ(bad.error.line, 1u);
  EXPECT_EQ(bad.error.column, 23u) << bad.error.Format();
}

TEST(XFileEncodings, MszipLayout) {
  // One block producing "\n" (total 0x11 = 16 + 1; 1 byte out, 5 in with "CK").
  std::vector<std::uint8_t> tiny = Bytes("xof 0302tzip0064");
  for (std::uint8_t b : {0x11, 0x00, 0x00, 0x00, 0x01, 0x00, 0x05, 0x00, 0x43, 0x4B, 0xE3, 0x02, 0x00}) {
    tiny.push_back(b);
  }
  Opened ok(tiny);
  EXPECT_EQ(ok.hr, S_OK) << ok.error.Format();
  EXPECT_EQ(ok.Count(), 0u);
  EXPECT_TRUE(ok.e->Warnings().empty());

  struct Case {
    const char* label;
    std::vector<std::uint8_t> image;
  };
  auto edit = [&](std::size_t at, std::uint8_t value) {
    std::vector<std::uint8_t> v = tiny;
    v[at] = value;
    return v;
  };
  std::vector<std::uint8_t> truncated(tiny.begin(), tiny.end() - 1);
  std::vector<std::uint8_t> no_total(tiny.begin(), tiny.begin() + 18);
  const Case bad[] = {
      {"truncated block", truncated},
      {"no total size", no_total},
      {"missing CK", edit(24, 'X')},
      {"output size larger than the data", edit(20, 2)},
      {"zero output size", edit(20, 0)},
      {"corrupt deflate data", edit(26, 0xFF)},
  };
  for (const Case& c : bad) {
    SCOPED_TRACE(c.label);
    Opened f(c.image);
    EXPECT_EQ(f.hr, D3DXFERR_BADFILE) << f.error.Format();
    EXPECT_NE(f.error.message, "");
  }
  // A wrong total is tolerated with a warning: the blocks say what is there.
  Opened mismatch(edit(16, 0x20));
  EXPECT_EQ(mismatch.hr, S_OK);
  EXPECT_TRUE(mismatch.HasWarning(XWarningCode::kCompressedSizeMismatch));
}

TEST(XFileEncodings, CompressedBlocksReachBackIntoThePreviousBlock) {
  // A payload whose second half repeats the first: small blocks compressed
  // with the previous block as dictionary copy from it. Read without that
  // dictionary they would not inflate to the text.
  std::string payload = "\n";
  for (int i = 0; i < 40; ++i) payload += "Header h" + std::to_string(i % 4) + " { 1; 0; 1; }\n";
  std::vector<std::uint8_t> image = Mszip("xof 0303tzip0032", payload, 256);
  Opened f(image);
  ASSERT_EQ(f.hr, S_OK) << f.error.Format();
  EXPECT_EQ(f.Count(), 40u);
  // Errors in compressed files are placed in the inflated text.
  std::vector<std::uint8_t> broken = Mszip("xof 0303tzip0032", "\nHeader { 1; 0; x; }\n");
  Opened e(broken);
  EXPECT_EQ(e.hr, D3DXFERR_PARSEERROR);
  EXPECT_EQ(e.error.line, 2u);
  EXPECT_EQ(e.error.column, 16u);
}

}  // namespace
}  // namespace ortolix::test
