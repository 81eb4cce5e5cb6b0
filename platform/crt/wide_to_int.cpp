#include "platform/crt/wide_to_int.h"

#include <limits>

namespace ortolix {

// The same code on every platform: the Windows runtime's own _wtoi differs
// between versions in its white space and overflow handling.

namespace {

bool IsCSpace(WideChar c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::int32_t WideToInt(const WideChar* text) {
  while (IsCSpace(*text)) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  // The magnitude is capped just past the 32-bit range, so it cannot overflow.
  constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    magnitude = magnitude * 10 + (*text - '0');
    if (magnitude > kCap) magnitude = kCap;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

}  // namespace ortolix
