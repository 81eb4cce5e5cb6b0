// UTF-8 encoding and decoding of single code points, shared by the POSIX
// stand-ins of the locale and ANSI conversions.
#pragma once

#include <cstddef>

#include "platform/crt/wide_char.h"

namespace ortolix::utf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

inline bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
inline bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Encodes one code point (not a surrogate) into `bytes`; returns 1 to 4.
std::size_t Encode(char32_t cp, char* bytes);

// Decodes the sequence at `in` (zero-terminated text); returns its length, or
// 0 when the bytes there are not a valid, shortest-form sequence.
std::size_t Decode(const unsigned char* in, char32_t& cp);

// As Decode, for text of `avail` bytes that need not be zero-terminated.
std::size_t DecodeBounded(const unsigned char* in, std::size_t avail, char32_t& cp);

// Reads one code point from zero-terminated UTF-16 at `in` (not at the
// terminator). Returns the units consumed (1 or 2); an unpaired surrogate is
// returned as itself with 1.
std::size_t ReadUtf16(const WideChar* in, char32_t& cp);

// Writes one code point as UTF-16 into `units`; returns 1 or 2.
std::size_t WriteUtf16(char32_t cp, WideChar* units);

}  // namespace ortolix::utf8
