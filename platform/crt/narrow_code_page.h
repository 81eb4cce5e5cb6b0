// The code page of the plug-in's narrow text, for the whole process. On POSIX
// it is UTF-8 unless the command selects another (`--codepage N`, converted
// by iconv); on Windows it starts as the ANSI code page.
// Every narrow-to-wide conversion of the portable build reads narrow text in
// it. A byte that is not valid there becomes U+FFFD and is counted, so the
// command can warn once at the end of a run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ortolix {

inline constexpr unsigned kUtf8CodePage = 65001;

// Selects the code page; false (and no change) when the platform cannot
// convert it.
[[nodiscard]] bool SetNarrowCodePage(unsigned code_page);
unsigned NarrowCodePage();

// True for the double-byte code pages (932, 936, 949, 950), whose lead bytes
// carry the next byte with them.
bool NarrowCodePageIsDoubleByte();

// Narrow text as code points; each byte that does not decode becomes U+FFFD.
// Returns the number of bytes replaced; with `count` they are also added to
// the process count (conversions that fail on such text pass false).
std::size_t DecodeNarrow(std::string_view narrow, std::u32string* out, bool count = true);

// The same text as UTF-8 (for JSON and messages).
std::string Utf8FromNarrow(std::string_view narrow);

// Bytes replaced by U+FFFD since the process started (or the last reset).
std::uint64_t NarrowReplacementCount();
void ResetNarrowReplacementCount();

}  // namespace ortolix
