#include "platform/crt/utf8.h"

namespace ortolix::utf8 {

std::size_t Encode(char32_t cp, char* bytes) {
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

std::size_t Decode(const unsigned char* in, char32_t& cp) {
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

std::size_t DecodeBounded(const unsigned char* in, std::size_t avail, char32_t& cp) {
  if (avail == 0) return 0;
  unsigned char sequence[5] = {};
  std::size_t n = avail < 4 ? avail : 4;
  for (std::size_t i = 0; i < n; ++i) sequence[i] = in[i];
  // A zero byte inside the copy ends the sequence as the terminator would.
  std::size_t len = Decode(sequence, cp);
  return len <= n ? len : 0;
}

std::size_t ReadUtf16(const WideChar* in, char32_t& cp) {
  cp = in[0];
  if (IsHighSurrogate(cp) && IsLowSurrogate(in[1])) {
    cp = 0x10000 + ((cp - 0xD800) << 10) + (in[1] - 0xDC00);
    return 2;
  }
  return 1;
}

std::size_t WriteUtf16(char32_t cp, WideChar* units) {
  if (cp < 0x10000) {
    units[0] = static_cast<WideChar>(cp);
    return 1;
  }
  units[0] = static_cast<WideChar>(0xD800 + ((cp - 0x10000) >> 10));
  units[1] = static_cast<WideChar>(0xDC00 + ((cp - 0x10000) & 0x3FF));
  return 2;
}

}  // namespace ortolix::utf8
