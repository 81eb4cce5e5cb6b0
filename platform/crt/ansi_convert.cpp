#include "platform/crt/ansi_convert.h"

#include <climits>

#ifdef _WIN32
#include <windows.h>
#else
#include <string>
#include <string_view>

#include "platform/crt/narrow_code_page.h"
#include "platform/crt/utf8.h"
#endif

namespace ortolix {

namespace {

// The Win32 calls take int sizes; larger buffers are used only up to INT_MAX.
int ClampSize(std::size_t size) { return size > INT_MAX ? INT_MAX : static_cast<int>(size); }

}  // namespace

#ifdef _WIN32

int AnsiFromWide(char* out, std::size_t out_size, const WideChar* in) {
  if (in == nullptr) return 0;
  return WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(in), -1, out,
                             ClampSize(out_size), nullptr, nullptr);
}

int WideFromAnsi(WideChar* out, std::size_t out_count, const char* in) {
  if (in == nullptr) return 0;
  return MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, in, -1, reinterpret_cast<wchar_t*>(out),
                             ClampSize(out_count));
}

#else

// Both directions walk the text once; with no buffer they only count. An
// unpaired surrogate or an invalid byte sequence becomes U+FFFD, one per
// offending unit or byte, as the Windows UTF-8 code page does.

int AnsiFromWide(char* out, std::size_t out_size, const WideChar* in) {
  if (in == nullptr) return 0;
  const std::size_t limit = static_cast<std::size_t>(ClampSize(out_size));
  std::size_t written = 0;
  for (;;) {
    char32_t cp = 0;
    std::size_t used = 1;
    if (*in != 0) used = utf8::ReadUtf16(in, cp);
    if (utf8::IsHighSurrogate(cp) || utf8::IsLowSurrogate(cp)) cp = utf8::kReplacement;
    char bytes[4];
    const std::size_t n = utf8::Encode(cp, bytes);
    if (limit != 0) {
      if (written + n > limit) return 0;
      for (std::size_t k = 0; k < n; ++k) out[written + k] = bytes[k];
    }
    written += n;
    if (cp == 0) break;
    in += used;
  }
  return written > INT_MAX ? 0 : static_cast<int>(written);
}

// The narrow text is read in the plug-in's narrow code page (UTF-8 unless
// the command selected another); each byte that does not decode is U+FFFD.
int WideFromAnsi(WideChar* out, std::size_t out_count, const char* in) {
  if (in == nullptr) return 0;
  const std::size_t limit = static_cast<std::size_t>(ClampSize(out_count));
  std::u32string points;
  DecodeNarrow(std::string_view(in), &points);
  points.push_back(0);
  std::size_t written = 0;
  for (char32_t cp : points) {
    if (utf8::IsHighSurrogate(cp) || utf8::IsLowSurrogate(cp) || cp > 0x10FFFF) {
      cp = utf8::kReplacement;
    }
    WideChar units[2];
    const std::size_t n = utf8::WriteUtf16(cp, units);
    if (limit != 0) {
      if (written + n > limit) return 0;
      for (std::size_t k = 0; k < n; ++k) out[written + k] = units[k];
    }
    written += n;
  }
  return written > INT_MAX ? 0 : static_cast<int>(written);
}

#endif

}  // namespace ortolix
