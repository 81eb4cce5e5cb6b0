#include "host/host_text_utf8.h"

#include <cstring>

#include "platform/crt/utf8.h"

namespace ortolix {

HostPathString HostTextFromUtf8(const std::string& utf8) {
  WideChar wide[HostPathString::kCapacity] = {};
  const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.c_str());
  std::size_t units = 0;
  while (*bytes != 0) {
    char32_t cp;
    const std::size_t length = utf8::Decode(bytes, cp);
    WideChar pair[2];
    const std::size_t n = length == 0 ? 0 : utf8::WriteUtf16(cp, pair);
    if (n == 0 || units + n >= HostPathString::kCapacity) break;
    for (std::size_t k = 0; k < n; ++k) wide[units++] = pair[k];
    bytes += length;
  }
  return HostPathString(wide);
}

std::string Utf8FromHostText(const HostPathString& text) {
  std::string out;
  for (const WideChar* unit = text.Wide(); *unit != 0;) {
    char32_t cp;
    unit += utf8::ReadUtf16(unit, cp);
    if (utf8::IsHighSurrogate(cp) || utf8::IsLowSurrogate(cp)) cp = utf8::kReplacement;
    char bytes[4];
    out.append(bytes, utf8::Encode(cp, bytes));
  }
  return out;
}

}  // namespace ortolix
