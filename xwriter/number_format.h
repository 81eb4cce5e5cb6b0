// Number text of the writer: exactly what C's "%f" prints for a float widened
// to double, and what "%d" prints for a signed 32-bit integer. No locale.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ortolix {

// Longest "%f" text of a float: sign, 39 integer digits, point, 6 decimals.
inline constexpr std::size_t kMaxFloatText = 48;
// Longest "%d" text: sign and 10 digits.
inline constexpr std::size_t kMaxIntText = 11;

// Writes the "%f" text of `value` (six decimals, correct rounding with ties to
// even on the binary value, "-0.000000" for negative zero, "inf", "-inf",
// "nan", "-nan" for non-finite values) at `out`, which must hold
// kMaxFloatText bytes. Returns the number of bytes written (no terminator).
std::size_t FormatFixed6(float value, char* out);

// Writes the "%d" text of `value` at `out` (kMaxIntText bytes).
std::size_t FormatDecimal(std::int32_t value, char* out);

}  // namespace ortolix
