#include "platform/crt/text_convert.h"

#include <string>
#include <string_view>

#include "platform/crt/narrow_code_page.h"
#include "platform/crt/utf8.h"

namespace ortolix {

std::size_t WideLength(const WideChar* text) {
  std::size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

std::size_t LocaleNarrowFromWide(char* out, std::size_t out_size, const WideChar* in) {
  std::size_t written = 0;
  while (*in != 0) {
    char32_t cp;
    in += utf8::ReadUtf16(in, cp);
    if (utf8::IsHighSurrogate(cp) || utf8::IsLowSurrogate(cp)) return kConversionFailed;
    char bytes[4];
    const std::size_t n = utf8::Encode(cp, bytes);
    if (written + n > out_size) return written;
    for (std::size_t k = 0; k < n; ++k) out[written++] = bytes[k];
  }
  if (written < out_size) out[written] = '\0';
  return written;
}

// Invalid text fails as mbstowcs does; valid text is read in the plug-in's
// narrow code page.
std::size_t LocaleWideFromNarrow(WideChar* out, std::size_t out_count, const char* in) {
  std::u32string points;
  if (DecodeNarrow(std::string_view(in), &points, false) != 0) return kConversionFailed;
  std::size_t written = 0;
  for (char32_t cp : points) {
    if (utf8::IsHighSurrogate(cp) || utf8::IsLowSurrogate(cp) || cp > 0x10FFFF) {
      return kConversionFailed;
    }
    WideChar units[2];
    const std::size_t n = utf8::WriteUtf16(cp, units);
    if (written + n > out_count) return written;
    for (std::size_t k = 0; k < n; ++k) out[written++] = units[k];
  }
  if (written < out_count) out[written] = 0;
  return written;
}

}  // namespace ortolix
