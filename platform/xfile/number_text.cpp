#include "platform/xfile/number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace ortolix {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "#IND00", "#QNAN0", "#SNAN0", "#INF00" after "1." (the digits after the
// letters vary between runtimes).
const char* ScanSpecial(const char* p, const char* end, float* value) {
  const char* q = p + 1;
  const char* word = q;
  while (q < end && ((*q >= 'A' && *q <= 'Z') || (*q >= 'a' && *q <= 'z'))) ++q;
  std::size_t n = static_cast<std::size_t>(q - word);
  auto is = [&](const char* w) {
    std::size_t len = std::strlen(w);
    if (n != len) return false;
    for (std::size_t i = 0; i < len; ++i) {
      char c = word[i];
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      if (c != w[i]) return false;
    }
    return true;
  };
  if (is("IND") || is("QNAN") || is("SNAN")) {
    *value = std::numeric_limits<float>::quiet_NaN();
  } else if (is("INF")) {
    *value = std::numeric_limits<float>::infinity();
  } else {
    return nullptr;
  }
  while (q < end && IsDigit(*q)) ++q;
  return q;
}

// Fast exact path: the decimal fits in 53 bits and its power of ten is
// exact in a double. Returns false when the full conversion is needed.
bool FastDecimal(const char* begin, const char* end, double* out) {
  const char* p = begin;
  bool negative = false;
  if (p < end && (*p == '-' || *p == '+')) negative = (*p++ == '-');
  std::uint64_t mantissa = 0;
  int digits = 0;
  int exponent = 0;
  while (p < end && IsDigit(*p)) {
    mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
    if (mantissa != 0 && ++digits > 15) return false;
  }
  if (p < end && *p == '.') {
    ++p;
    while (p < end && IsDigit(*p)) {
      mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
      --exponent;
      if (mantissa != 0 && ++digits > 15) return false;
    }
  }
  if (p != end) return false;  // exponent part: leave to from_chars
  if (exponent < -22) return false;
  double value = static_cast<double>(mantissa);
  value = exponent < 0 ? value / kPow10[-exponent] : value;
  *out = negative ? -value : value;
  return true;
}

// Values beyond the type's range follow one rule, whatever the spelling: an
// overflow is the infinity of its sign, an underflow zero of its sign, and
// `*out_of_range` is set (for 1e39 as for 1e400 in a float).
template <typename T>
T FromChars(const char* begin, const char* end, bool* out_of_range) {
  if (begin < end && *begin == '+') ++begin;
  T value = 0;
  auto result = std::from_chars(begin, end, value);
  if (result.ec != std::errc::result_out_of_range) return value;
  bool negative = begin < end && *begin == '-';
  double wide = 0;
  if (std::from_chars(begin, end, wide).ec != std::errc::result_out_of_range) {
    value = static_cast<T>(wide);
    if (!std::isinf(value) && (value != 0 || wide == 0)) return value;  // a denormal
  } else {
    const char* e = begin;
    while (e < end && *e != 'e' && *e != 'E') ++e;
    bool underflow = e + 1 < end && e[1] == '-';
    value = underflow ? T(0) : std::numeric_limits<T>::infinity();
    if (negative) value = -value;
  }
  *out_of_range = true;
  return value;
}

}  // namespace

bool ScanNumber(const char* p, const char* end, NumberScan* scan) {
  *scan = NumberScan{};
  const char* start = p;
  if (p < end && (*p == '-' || *p == '+')) {
    scan->negative = *p == '-';
    scan->unusual = *p == '+';
    ++p;
  }
  const char* int_begin = p;
  std::uint64_t magnitude = 0;
  std::uint64_t mantissa = 0;
  int significant = 0;
  int decimal_exponent = 0;
  while (p < end && IsDigit(*p)) {
    unsigned digit = static_cast<unsigned>(*p - '0');
    if (magnitude <= 0xFFFFFFFFull) magnitude = magnitude * 10 + digit;
    mantissa = mantissa * 10 + digit;
    if (mantissa != 0) ++significant;
    ++p;
  }
  bool has_int = p > int_begin;
  bool is_integer = true;
  bool has_frac = false;
  if (p < end && *p == '.') {
    is_integer = false;
    ++p;
    if (has_int && p < end && *p == '#') {
      const char* q = ScanSpecial(p, end, &scan->special_value);
      if (q == nullptr) return false;
      if (scan->negative) scan->special_value = -scan->special_value;
      scan->special = true;
      scan->end = q;
      return true;
    }
    const char* frac_begin = p;
    while (p < end && IsDigit(*p)) {
      mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
      if (mantissa != 0) ++significant;
      --decimal_exponent;
      ++p;
    }
    has_frac = p > frac_begin;
    if (!has_int) scan->unusual = true;
  }
  if (!has_int && !has_frac) return false;
  if (p < end && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    if (q < end && (*q == '-' || *q == '+')) ++q;
    const char* exp_digits = q;
    while (q < end && IsDigit(*q)) ++q;
    if (q > exp_digits) {
      is_integer = false;
      scan->unusual = true;
      p = q;
      significant = 99;  // exponent: the full conversion
    }
  }
  (void)start;
  scan->short_decimal = significant <= 15 && decimal_exponent >= -22;
  scan->mantissa = mantissa;
  scan->decimal_exponent = decimal_exponent;
  scan->end = p;
  scan->is_integer = is_integer;
  scan->integer = magnitude;
  return true;
}

float ScannedToFloat(const char* begin, const NumberScan& scan, bool* out_of_range) {
  if (scan.special) return scan.special_value;
  float f = 0;
  if (scan.short_decimal &&
      ShortDecimalToFloat(scan.mantissa, scan.decimal_exponent, scan.negative, &f)) {
    return f;
  }
  double d = 0;
  if (!scan.short_decimal && FastDecimal(begin, scan.end, &d)) {
    double magnitude = std::fabs(d);
    if (magnitude == 0 || (magnitude >= static_cast<double>(std::numeric_limits<float>::min()) &&
                           magnitude <= static_cast<double>(std::numeric_limits<float>::max()))) {
      std::uint64_t bits;
      std::memcpy(&bits, &d, sizeof bits);
      // A double exactly halfway between two floats may hide which way the
      // decimal lies; only then is the slow conversion needed.
      if ((bits & ((1ull << 29) - 1)) != (1ull << 28)) return static_cast<float>(d);
    }
  }
  return FromChars<float>(begin, scan.end, out_of_range);
}

double ScannedToDouble(const char* begin, const NumberScan& scan, bool* out_of_range) {
  if (scan.special) return static_cast<double>(scan.special_value);
  double d = 0;
  if (FastDecimal(begin, scan.end, &d)) return d;
  return FromChars<double>(begin, scan.end, out_of_range);
}

}  // namespace ortolix
