// Scanning and converting the numbers of text .x files without allocation.
// Accepts the spellings real files use: integers, decimals, exponents, a
// leading '+' or '.', and the NaN/infinity texts of one C runtime
// (1.#IND00, -1.#IND00, 1.#QNAN0, 1.#INF00). Safe on any input: never reads
// past `end`.
#pragma once

#include <cstdint>

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

// Scans a number starting at `p`. False when the characters are no number.
bool ScanNumber(const char* p, const char* end, NumberScan* scan);

// Correctly rounded conversion of the scanned text [begin, scan.end).
float ScannedToFloat(const char* begin, const NumberScan& scan);
double ScannedToDouble(const char* begin, const NumberScan& scan);

}  // namespace ortolix
