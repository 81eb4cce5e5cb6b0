// Conversions between wide text and the system's "ANSI" code page, in the
// manner of WideCharToMultiByte and MultiByteToWideChar with CP_ACP. On
// Windows they are those calls; on POSIX the ANSI code page is UTF-8.
// Unlike the locale conversions these never fail on content: a character the
// code page cannot hold becomes its replacement (U+FFFD in UTF-8 on POSIX).
// Safe on any input; buffers are never overrun.
#pragma once

#include <cstddef>

#include "platform/crt/wide_char.h"

namespace ortolix {

// Converts the zero-terminated `in`, terminator included, into `out` of
// `out_size` bytes. Returns the bytes written including the terminator. With
// `out_size` 0 nothing is written and the size needed is returned. When the
// text does not fit, the whole characters that fit are written (no
// terminator) and the result is 0. A null `in` gives 0.
int AnsiFromWide(char* out, std::size_t out_size, const WideChar* in);

// Converts the zero-terminated `in`, terminator included, into `out` of
// `out_count` units; precomposed characters. Results as for AnsiFromWide.
int WideFromAnsi(WideChar* out, std::size_t out_count, const char* in);

}  // namespace ortolix
