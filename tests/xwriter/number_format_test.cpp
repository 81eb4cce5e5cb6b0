#include "xwriter/number_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace ortolix {
namespace {

std::string Fixed(float value) {
  char text[kMaxFloatText];
  return std::string(text, FormatFixed6(value, text));
}

std::string Reference(float value) {
  char text[128];
  const int n = std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
  return std::string(text, static_cast<std::size_t>(n));
}

struct FixedCase {
  float value;
  const char* text;
};

class FixedTable : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedTable, PrintsAsPercentF) { EXPECT_EQ(Fixed(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Values, FixedTable,
    ::testing::Values(FixedCase{1.0f, "1.000000"}, FixedCase{-0.5f, "-0.500000"},
                      FixedCase{0.0f, "0.000000"}, FixedCase{-0.0f, "-0.000000"},
                      FixedCase{0.1f, "0.100000"},            // 0.100000001490116...
                      FixedCase{1.0f / 128, "0.007812"},      // tie, rounds to even
                      FixedCase{3.0f / 128, "0.023438"},      // tie, rounds to even
                      FixedCase{-1e-9f, "-0.000000"},         // sign kept when rounding to 0
                      FixedCase{0.0000005f, "0.000000"},      // 4.99999999e-7, below the tie
                      FixedCase{123456.789f, "123456.789062"},
                      FixedCase{16777216.0f, "16777216.000000"},
                      FixedCase{1e20f, "100000002004087734272.000000"},
                      FixedCase{std::numeric_limits<float>::infinity(), "inf"},
                      FixedCase{-std::numeric_limits<float>::infinity(), "-inf"},
                      FixedCase{std::numeric_limits<float>::quiet_NaN(), "nan"},
                      FixedCase{-std::numeric_limits<float>::quiet_NaN(), "-nan"}));

TEST(FormatFixed6, MatchesTheCLibraryAcrossEveryExponent) {
  for (std::uint32_t exponent = 0; exponent < 255; ++exponent) {
    for (std::uint32_t fraction : {0u, 1u, 0x400000u, 0x7FFFFFu, 0x123457u}) {
      for (std::uint32_t sign : {0u, 1u}) {
        const float value = std::bit_cast<float>((sign << 31) | (exponent << 23) | fraction);
        ASSERT_EQ(Fixed(value), Reference(value)) << std::hexfloat << value;
      }
    }
  }
}

TEST(FormatFixed6, MatchesTheCLibraryOnRandomBitPatterns) {
  std::mt19937 random(12345);
  for (int i = 0; i < 200000; ++i) {
    const float value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    if (std::isnan(value)) continue;  // the C library's NaN text varies by platform
    ASSERT_EQ(Fixed(value), Reference(value)) << std::hexfloat << value;
  }
}

// A float is a tie at six decimals exactly when it is an odd multiple of
// 2^-7. Checks every tie below 2048 in magnitude and a stride of those up to
// 2^17 (the largest with a fraction), both signs, and the floats on either side.
TEST(FormatFixed6, MatchesTheCLibraryOnTiesAndTheirNeighbours) {
  for (std::int32_t q = 1; q < (1 << 24); q += q < (1 << 18) ? 2 : 2 * 101) {
    const float tie = static_cast<float>(q) / 128.0f;
    for (const float value : {tie, std::nextafter(tie, 0.0f), std::nextafter(tie, 1e30f)}) {
      ASSERT_EQ(Fixed(value), Reference(value)) << std::hexfloat << value;
      ASSERT_EQ(Fixed(-value), Reference(-value)) << std::hexfloat << -value;
    }
  }
}

TEST(FormatDecimal, PrintsSigned32BitValues) {
  char text[kMaxIntText];
  EXPECT_EQ(std::string(text, FormatDecimal(0, text)), "0");
  EXPECT_EQ(std::string(text, FormatDecimal(-17, text)), "-17");
  EXPECT_EQ(std::string(text, FormatDecimal(std::numeric_limits<std::int32_t>::min(), text)),
            "-2147483648");
  EXPECT_EQ(std::string(text, FormatDecimal(1065353216, text)), "1065353216");
}

}  // namespace
}  // namespace ortolix
