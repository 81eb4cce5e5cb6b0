// Wide and narrow text on Windows: the narrow form is the ANSI code page, as
// WideCharToMultiByte and MultiByteToWideChar with CP_ACP convert it. A
// character the code page has no byte sequence for fails the conversion
// rather than turning into a default character.
#include <windows.h>

#include <vector>

#include "platform/crt/text_convert.h"

namespace ortolix {

namespace {

bool IsHighSurrogate(WideChar unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(WideChar unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The units of the character at `in`: 2 for a surrogate pair, else 1.
int CharacterUnits(const WideChar* in) {
  return IsHighSurrogate(in[0]) && IsLowSurrogate(in[1]) ? 2 : 1;
}

}  // namespace

std::size_t WideLength(const WideChar* text) {
  std::size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

// One character at a time, so the output stops before a character whose
// bytes would not fit whole, as wcstombs does.
std::size_t LocaleNarrowFromWide(char* out, std::size_t out_size, const WideChar* in) {
  std::size_t written = 0;
  while (*in != 0) {
    const int units = CharacterUnits(in);
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, reinterpret_cast<LPCWCH>(in),
                                      units, bytes, sizeof bytes, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return kConversionFailed;
    if (written + static_cast<std::size_t>(n) > out_size) return written;
    for (int k = 0; k < n; ++k) out[written++] = bytes[k];
    in += units;
  }
  if (written < out_size) out[written] = '\0';
  return written;
}

std::size_t LocaleWideFromNarrow(WideChar* out, std::size_t out_count, const char* in) {
  const int needed = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, in, -1, nullptr, 0);
  if (needed <= 0) return kConversionFailed;
  std::vector<wchar_t> wide(static_cast<std::size_t>(needed));
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, in, -1, wide.data(), needed) != needed) {
    return kConversionFailed;
  }
  const std::size_t length = static_cast<std::size_t>(needed) - 1;  // without the terminator
  std::size_t written = 0;
  while (written < length) {
    const int units = CharacterUnits(reinterpret_cast<const WideChar*>(&wide[written]));
    if (written + static_cast<std::size_t>(units) > out_count) return written;
    for (int k = 0; k < units; ++k, ++written) out[written] = static_cast<WideChar>(wide[written]);
  }
  if (written < out_count) out[written] = 0;
  return written;
}

}  // namespace ortolix
