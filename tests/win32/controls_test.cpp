#include <algorithm>
#include <string>
#include <vector>

#include "tests/win32/headless_fixture.h"

namespace ortolix {
namespace {

using headless::ControlRef;
using headless::DialogStep;

struct Truncation {
  int buffer;
  UINT copied;
  std::u16string raw;  // the buffer's first units after the read
};

class TruncationTest : public HeadlessTest, public ::testing::WithParamInterface<Truncation> {};

// The OK handler reads "123456" into a buffer of the given size filled with
// '#'; at most size - 1 units and a terminator are written, nothing beyond.
TEST_P(TruncationTest, ReadRespectsTheBufferSize) {
  headless::AddDialogScript({0, {DialogStep::TypeText(ControlRef::Id(sample::kTicksEdit), u"123456"),
                                 DialogStep::Press(ControlRef::Id(IDOK))}});
  sample::Context context;
  context.ticks_buffer = GetParam().buffer;
  EXPECT_EQ(sample::Show(context), 1);
  EXPECT_EQ(context.ticks_read_count, GetParam().copied);
  const std::size_t shown = std::min(context.ticks_raw.size(), GetParam().raw.size());
  EXPECT_EQ(std::u16string(context.ticks_raw.data(), shown), GetParam().raw);
}

const Truncation kTruncations[] = {
    {0, 0, u"#"},
    {1, 0, std::u16string(u"\0#", 2)},
    {2, 1, std::u16string(u"1\0#", 3)},
    {6, 5, std::u16string(u"12345\0#", 7)},
    {7, 6, std::u16string(u"123456\0#", 8)},
    {8, 6, std::u16string(u"123456\0##", 9)},
    {256, 6, std::u16string(u"123456\0##", 9)},
};
INSTANTIATE_TEST_SUITE_P(Sizes, TruncationTest, ::testing::ValuesIn(kTruncations),
                         [](const auto& info) { return "Buffer" + std::to_string(info.param.buffer); });

}  // namespace
}  // namespace ortolix
