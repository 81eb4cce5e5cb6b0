#include "xwriter/number_format.h"

#include <bit>
#include <charconv>
#include <cstring>

namespace ortolix {
namespace {

constexpr std::uint64_t kMillion = 1000000;

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void WritePair(std::uint32_t value, char* out) { std::memcpy(out, kDigitPairs + 2 * value, 2); }

// Writes the decimal digits of `value`; returns the count.
std::size_t WriteUnsigned(std::uint64_t value, char* out) {
  if (value < 10) {
    *out = static_cast<char>('0' + value);
    return 1;
  }
  return static_cast<std::size_t>(std::to_chars(out, out + 20, value).ptr - out);
}

// Writes `millionths` as integer part, point and six decimals.
std::size_t WriteMillionths(std::uint64_t millionths, char* out) {
  std::size_t n = WriteUnsigned(millionths / kMillion, out);
  out[n++] = '.';
  const auto frac = static_cast<std::uint32_t>(millionths % kMillion);
  WritePair(frac / 10000, out + n);
  WritePair(frac / 100 % 100, out + n + 2);
  WritePair(frac % 100, out + n + 4);
  return n + 6;
}

std::size_t WriteNonFinite(bool negative, bool nan, char* out) {
  std::size_t n = 0;
  if (negative) out[n++] = '-';
  std::memcpy(out + n, nan ? "nan" : "inf", 3);
  return n + 3;
}

}  // namespace

// A float is M * 2^E with M below 2^24, so the value in millionths is
// M * 10^6 * 2^E: for E < 0 an integer below 2^44 shifted right with
// round-half-even, for small E >= 0 an exact integer. Only magnitudes of
// 2^63 and more go through the library's general conversion.
std::size_t FormatFixed6(float value, char* out) {
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
  const bool negative = (bits >> 31) != 0;
  const std::uint32_t exponent_bits = (bits >> 23) & 0xFF;
  const std::uint32_t fraction_bits = bits & 0x7FFFFF;
  if (exponent_bits == 0xFF) return WriteNonFinite(negative, fraction_bits != 0, out);

  std::uint64_t mantissa = exponent_bits == 0 ? fraction_bits : (fraction_bits | 0x800000u);
  const int exponent = exponent_bits == 0 ? -149 : static_cast<int>(exponent_bits) - 150;

  std::size_t n = 0;
  if (negative) out[n++] = '-';
  if (exponent >= 0) {
    if (exponent > 39) {
      const auto result = std::to_chars(out, out + kMaxFloatText, static_cast<double>(value),
                                        std::chars_format::fixed, 6);
      return static_cast<std::size_t>(result.ptr - out);
    }
    n += WriteUnsigned(mantissa << exponent, out + n);
    std::memcpy(out + n, ".000000", 7);
    return n + 7;
  }
  const int shift = -exponent;
  const std::uint64_t scaled = mantissa * kMillion;  // below 2^44
  std::uint64_t millionths = 0;
  if (shift <= 45) {
    millionths = scaled >> shift;
    const std::uint64_t remainder = scaled & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (remainder > half || (remainder == half && (millionths & 1) != 0)) ++millionths;
  }
  return n + WriteMillionths(millionths, out + n);
}

std::size_t FormatDecimal(std::int32_t value, char* out) {
  const auto result = std::to_chars(out, out + kMaxIntText, value);
  return static_cast<std::size_t>(result.ptr - out);
}

}  // namespace ortolix
