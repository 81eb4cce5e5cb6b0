#include "platform/crt/wide_to_int.h"

#include <gtest/gtest.h>

#include <string>

namespace ortolix {
namespace {

struct IntCase {
  const char16_t* text;
  std::int32_t value;
};

const IntCase kCases[] = {
    {u"", 0},
    {u"4800", 4800},
    {u"  \t\n\v\f\r25", 25},
    {u"-25", -25},
    {u"+7", 7},
    {u"12ab", 12},
    {u"ab12", 0},
    {u"--5", 0},
    {u"+-5", 0},
    {u"- 5", 0},
    {u"0x10", 0},
    {u"007", 7},
    {u"1 2", 1},
    {u"\u00a05", 0},   // no-break space is not C white space
    {u"\uff15", 0},    // fullwidth digit is not an ASCII digit
    {u"2147483647", 2147483647},
    {u"2147483648", 2147483647},
    {u"99999999999999999999999", 2147483647},
    {u"-2147483648", -2147483647 - 1},
    {u"-2147483649", -2147483647 - 1},
    {u"-99999999999999999999999", -2147483647 - 1},
    {u"-0", 0},
};

TEST(WideToInt, ParsesLikeTheRuntime) {
  for (const IntCase& c : kCases) {
    std::u16string text(c.text);
    EXPECT_EQ(WideToInt(c.text), c.value) << std::string(text.begin(), text.end());
  }
}

}  // namespace
}  // namespace ortolix
