// The mesh load report's failure record: fields as the reader's diagnostic.
#include "platform/d3dx/mesh_load_report.h"

#include <gtest/gtest.h>

namespace ortolix {
namespace {

TEST(MeshLoadReport, FailureTextBecomesObjectAndMessage) {
  struct Case {
    std::string text;
    std::string object;
    std::string message;
  };
  const Case cases[] = {
      {"Mesh 'body' > MeshNormals: 3 normals, face 0 names 7", "Mesh 'body' > MeshNormals",
       "3 normals, face 0 names 7"},
      {"Mesh 'a: b' > Material 'x': data ends early", "Mesh 'a: b' > Material 'x'",
       "data ends early"},
      {"Mesh (unnamed): no faces", "Mesh (unnamed)", "no faces"},
      {"out of memory", "", "out of memory"},
  };
  for (const Case& c : cases) {
    MeshLoadReport report;
    EXPECT_EQ(report.Fail(E_OUTOFMEMORY, c.text), E_OUTOFMEMORY);
    EXPECT_EQ(report.diagnostic.code, E_OUTOFMEMORY);
    EXPECT_FALSE(report.diagnostic.positioned);
    EXPECT_EQ(report.diagnostic.object, c.object) << c.text;
    EXPECT_EQ(report.diagnostic.message, c.message) << c.text;
    EXPECT_EQ(report.error, c.text);
  }
  // The first failure stays.
  MeshLoadReport report;
  (void)report.Fail(D3DXERR_INVALIDDATA, "Mesh 'm'", "first");
  EXPECT_EQ(report.Fail(E_FAIL, "Mesh 'm'", "second"), D3DXERR_INVALIDDATA);
  EXPECT_EQ(report.diagnostic.message, "first");
  EXPECT_EQ(report.error, "Mesh 'm': first");
}

}  // namespace
}  // namespace ortolix
