// Conversions between the wide text of the plug-in and the narrow text of the
// current locale, in the manner of the runtime's wcstombs and mbstowcs.
// The narrow form is UTF-8 on POSIX and the current locale's code page on
// Windows. Safe on any input: invalid sequences fail, buffers are never
// overrun.
#pragma once

#include <cstddef>

#include "platform/crt/wide_char.h"

namespace ortolix {

inline constexpr std::size_t kConversionFailed = static_cast<std::size_t>(-1);

// Like wcstombs(out, in, out_size): converts the zero-terminated `in` and
// writes at most `out_size` bytes, stopping before a character that would not
// fit whole. The terminator is written only when it fits. Returns the number
// of bytes written without the terminator, or kConversionFailed for text the
// locale cannot represent (an unpaired surrogate on POSIX).
std::size_t LocaleNarrowFromWide(char* out, std::size_t out_size, const WideChar* in);

// Like mbstowcs(out, in, out_count): converts the zero-terminated `in` and
// writes at most `out_count` units, terminator included when it fits. Returns
// the number of units written without the terminator, or kConversionFailed
// for an invalid multibyte sequence.
std::size_t LocaleWideFromNarrow(WideChar* out, std::size_t out_count, const char* in);

// Length of a zero-terminated wide text, in units.
std::size_t WideLength(const WideChar* text);

}  // namespace ortolix
