// Scanning and converting the numbers of text .x files without allocation.
// Accepts the spellings real files use: integers, decimals, exponents, a
// leading '+' or '.', and the NaN/infinity texts of one C runtime
// (1.#IND00, -1.#IND00, 1.#QNAN0, 1.#INF00). Safe on any input: never reads
// past `end`.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>

namespace ortolix {

struct NumberScan {
  const char* end = nullptr;   // first character after the number
  bool negative = false;
  bool is_integer = false;     // digits only, no '.', no exponent
  bool unusual = false;        // exponent, '+', or a leading '.'
  bool special = false;        // NaN/infinity spelling
  float special_value = 0;
  std::uint64_t integer = 0;   // magnitude when is_integer (saturates above 2^32)
  // All digits as one integer and the power of ten that scales it, when the
  // number has no exponent and at most 15 significant digits (exact in a
  // double): then the conversion needs no second look at the text.
  bool short_decimal = false;
  std::uint64_t mantissa = 0;
  int decimal_exponent = 0;
};

inline constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// mantissa * 10^decimal_exponent rounded to float, for mantissa below 2^53
// and -22 <= decimal_exponent <= 0: both exact in a double, so the one
// division rounds correctly. False (nothing stored) when the double lies
// exactly halfway between two floats, where rounding twice could go the
// wrong way, or outside the normal float range: then the full conversion.
inline bool ShortDecimalToFloat(std::uint64_t mantissa, int decimal_exponent, bool negative,
                                float* out) {
  double d = static_cast<double>(mantissa) / kPow10[-decimal_exponent];
  if (d != 0 && (d < static_cast<double>(std::numeric_limits<float>::min()) ||
                 d > static_cast<double>(std::numeric_limits<float>::max()))) {
    return false;
  }
  std::uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  if ((bits & ((1ull << 29) - 1)) == (1ull << 28)) return false;
  float f = static_cast<float>(d);
  *out = negative ? -f : f;
  return true;
}

// Scans a number starting at `p`. False when the characters are no number.
bool ScanNumber(const char* p, const char* end, NumberScan* scan);

// Correctly rounded conversion of the scanned text [begin, scan.end). A value
// beyond the type's range becomes infinity (overflow) or zero (underflow) of
// its sign and sets `*out_of_range`, which is otherwise left alone.
float ScannedToFloat(const char* begin, const NumberScan& scan, bool* out_of_range);
double ScannedToDouble(const char* begin, const NumberScan& scan, bool* out_of_range);

}  // namespace ortolix
