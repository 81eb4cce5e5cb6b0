// The JSON dump of a file: header, warnings, the object tree with members
// decoded by their templates, and the summary counts; errors go to the
// error stream with status 1.
#include <gtest/gtest.h>

#include <string>

#include "xdump/xfile_json.h"
#include "tests/xfile/xfile_test_support.h"

namespace ortolix::test {
namespace {

const std::string kData = std::string(ORTOLIX_SOURCE_DIR) + "/tests/xfile/data/";

struct Dumped {
  int status;
  std::string out;
  std::string err;
};

Dumped Dump(const std::string& path, bool summary) {
  Dumped d{0, "", ""};
  d.status = Failed(DumpXFileJson(path.c_str(), summary, ReaderLimits{}, &d.out, &d.err)) ? 1 : 0;
  return d;
}

TEST(XFileDumpJson, FullTreeWithDecodedMembers) {
  Dumped d = Dump(kData + "skinned_quad.x", false);
  ASSERT_EQ(d.status, 0) << d.err;
  EXPECT_EQ(d.err, "");
  const char* expected[] = {
      R"("header": {"format": "txt", "version": "0303", "float_size": 32})",
      R"({"template": "AnimTicksPerSecond", "guid": "9E415A43-7BA6-4A73-8743-B73D47E88476", "name": "", "reference": false, "members": {"AnimTicksPerSecond": 4800}, "children": []})",
      R"("members": {"frameMatrix": {"matrix": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5, -2.25, 3, 1]}})",
      R"({"template": "TextureFilename", "guid": "A42790E1-7810-11CF-8F52-0040333594A3", "name": "", "reference": false, "members": {"filename": "skin.png"}, "children": []})",
      R"("members": {"transformNodeName": "Root", "nWeights": 2, "vertexIndices": [0, 1], "weights": [0.25, 1], )",
      R"({"template": "Frame", "guid": "3D82AB46-62DA-11CF-AB39-0020AF71E433", "name": "Root", "reference": true})",
      R"("keys": [{"time": 0, "tfkeys": {"nValues": 4, "values": [1, 0, 0, 0]}}, {"time": 4800, )",
  };
  for (const char* part : expected) EXPECT_NE(d.out.find(part), std::string::npos) << part;
}

TEST(XFileDumpJson, WarningsOpaqueObjectsAndErrors) {
  Opened f = OpenText("\nVendor v { 1; }\nVector { 1; 2.5; 3; }\n");
  ASSERT_EQ(f.hr, S_OK);
  std::string json = XFileJson(*f.e, false);
  EXPECT_NE(json.find(R"({"template": "Vendor", "guid": null, "name": "v", "reference": false, "opaque": true})"),
            std::string::npos) << json;
  EXPECT_NE(json.find(R"({"code": "integer-as-float", "count": 2, "line": 3, "column": 10, "object": "Vector"})"),
            std::string::npos) << json;
  EXPECT_NE(json.find(R"("members": {"x": 1, "y": 2.5, "z": 3})"), std::string::npos) << json;

  Dumped bad = Dump(kData + "bad_face.x", false);
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err, kData + "bad_face.x:3:64: D3DXFERR_PARSEERROR (0x88760390): expected an integer, "
                              "found 'x' (in Frame 'Root' > Mesh)");
  Dumped missing = Dump(kData + "missing.x", true);
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("missing.x: D3DXFERR_FILENOTFOUND"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace ortolix::test
