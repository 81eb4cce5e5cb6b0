#include "xwriter/x_templates.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/xwriter/golden_file.h"

namespace ortolix {
namespace {

std::string Block(bool exportTemplates) {
  std::string out;
  {
    TextSink sink(AppendToString, &out);
    WriteTemplateBlock(sink, exportTemplates);
  }
  return out;
}

TEST(TemplateBlock, AllTwentyEightWithTheTemplatesOption) {
  EXPECT_EQ(Block(true), test::ReadGolden("templates_all.x"));
}

TEST(TemplateBlock, OnlyTheFiveAlwaysDeclaredOnesWithoutIt) {
  EXPECT_EQ(Block(false), test::ReadGolden("templates_minimal.x"));
}

}  // namespace
}  // namespace ortolix
