#include "platform/crt/text_convert.h"

#ifdef _WIN32
#include <cstdlib>
#endif

namespace ortolix {

std::size_t WideLength(const WideChar* text) {
  std::size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

#ifdef _WIN32

std::size_t LocaleNarrowFromWide(char* out, std::size_t out_size, const WideChar* in) {
  return std::wcstombs(out, reinterpret_cast<const wchar_t*>(in), out_size);
}

std::size_t LocaleWideFromNarrow(WideChar* out, std::size_t out_count, const char* in) {
  return std::mbstowcs(reinterpret_cast<wchar_t*>(out), in, out_count);
}

#else

namespace {

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Encodes one code point; returns the byte count (1 to 4).
std::size_t EncodeUtf8(char32_t cp, char* bytes) {
  if (cp < 0x80) {
    bytes[0] = static_cast<char>(cp);
    return 1;
  }
  if (cp < 0x800) {
    bytes[0] = static_cast<char>(0xC0 | (cp >> 6));
    bytes[1] = static_cast<char>(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000) {
    bytes[0] = static_cast<char>(0xE0 | (cp >> 12));
    bytes[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    bytes[2] = static_cast<char>(0x80 | (cp & 0x3F));
    return 3;
  }
  bytes[0] = static_cast<char>(0xF0 | (cp >> 18));
  bytes[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
  bytes[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  bytes[3] = static_cast<char>(0x80 | (cp & 0x3F));
  return 4;
}

// Decodes one UTF-8 sequence at `in`; returns its length, or 0 when invalid.
std::size_t DecodeUtf8(const unsigned char* in, char32_t& cp) {
  const unsigned char b0 = in[0];
  std::size_t len;
  char32_t min;
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    len = 2, min = 0x80, cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, min = 0x800, cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, min = 0x10000, cp = b0 & 0x07;
  } else {
    return 0;
  }
  for (std::size_t i = 1; i < len; ++i) {
    if ((in[i] & 0xC0) != 0x80) return 0;  // also stops at the terminator
    cp = (cp << 6) | (in[i] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

std::size_t LocaleNarrowFromWide(char* out, std::size_t out_size, const WideChar* in) {
  std::size_t written = 0;
  for (std::size_t i = 0;; ++i) {
    char32_t cp = in[i];
    if (cp == 0) break;
    if (IsHighSurrogate(cp) && IsLowSurrogate(in[i + 1])) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (in[i + 1] - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(cp) || IsLowSurrogate(cp)) {
      return kConversionFailed;
    }
    char bytes[4];
    const std::size_t n = EncodeUtf8(cp, bytes);
    if (written + n > out_size) return written;
    for (std::size_t k = 0; k < n; ++k) out[written++] = bytes[k];
  }
  if (written < out_size) out[written] = '\0';
  return written;
}

std::size_t LocaleWideFromNarrow(WideChar* out, std::size_t out_count, const char* in) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(in);
  std::size_t written = 0;
  while (*bytes != 0) {
    char32_t cp;
    const std::size_t len = DecodeUtf8(bytes, cp);
    if (len == 0) return kConversionFailed;
    const std::size_t units = cp >= 0x10000 ? 2 : 1;
    if (written + units > out_count) return written;
    if (units == 2) {
      out[written++] = static_cast<WideChar>(0xD800 + ((cp - 0x10000) >> 10));
      out[written++] = static_cast<WideChar>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out[written++] = static_cast<WideChar>(cp);
    }
    bytes += len;
  }
  if (written < out_count) out[written] = 0;
  return written;
}

#endif

}  // namespace ortolix
