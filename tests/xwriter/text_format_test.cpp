#include "xwriter/text_format.h"

#include <gtest/gtest.h>

#include <string>

namespace ortolix {
namespace {

class SinkTest : public ::testing::Test {
 protected:
  std::string Take() {
    sink_.Flush();
    return std::move(out_);
  }
  std::string out_;
  TextSink sink_{AppendToString, &out_};
};

TEST_F(SinkTest, LineFeedsLeaveAsCarriageReturnLineFeed) {
  sink_.Text("a\nb\n\n");
  sink_.Char('\n');
  EXPECT_EQ(Take(), "a\r\nb\r\n\r\n\r\n");
}

TEST_F(SinkTest, CountsTheBytesItProduced) {
  sink_.Text("xof\n");
  EXPECT_EQ(sink_.ByteCount(), 5u);
  sink_.Flush();
  sink_.Int(-12);
  EXPECT_EQ(sink_.ByteCount(), 8u);
}

TEST_F(SinkTest, LongOutputCrossesTheBufferIntact) {
  std::string expected;
  for (int i = 0; i < 30000; ++i) {
    sink_.Float(static_cast<float>(i) * 0.25f);
    sink_.Text(",\n");
    char text[64];
    std::snprintf(text, sizeof text, "%f,\r\n", static_cast<double>(i) * 0.25);
    expected += text;
  }
  sink_.Blanks(70000);
  expected.append(70000, ' ');
  EXPECT_EQ(Take(), expected);
}

// A star width of 0 or 1 gives one blank; longer text is padded on the left only.
TEST_F(SinkTest, StarWidth) {
  Print(sink_, "[%*s][%*s][%*s][%*s][%*s]", 0, " ", 1, " ", 4, " ", 5, "ab", 1, "abc");
  EXPECT_EQ(Take(), "[ ][ ][    ][   ab][abc]");
}

TEST_F(SinkTest, ConversionsInOrder) {
  Print(sink_, "%*s %d; %f; %s;;\n%%", 3, " ", -7, -0.0f, "name");
  EXPECT_EQ(Take(), "    -7; -0.000000; name;;\r\n%");
}

}  // namespace
}  // namespace ortolix
