#include "host/json_write.h"

#include <charconv>
#include <cmath>

namespace ortolix {

void AppendFloat(std::string& out, float value) {
  if (std::isnan(value)) {
    out += std::signbit(value) ? "\"-nan\"" : "\"nan\"";
    return;
  }
  if (std::isinf(value)) {
    out += value < 0 ? "\"-inf\"" : "\"inf\"";
    return;
  }
  if (value == 0.0f && std::signbit(value)) {
    out += "-0.0";
    return;
  }
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void AppendInt(std::string& out, std::int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

namespace {

// Length of the valid UTF-8 sequence at `text[i]`, or 0 when it is not one.
std::size_t ValidSequence(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  if (b0 < 0x80) return 1;
  std::size_t len;
  char32_t cp;
  if (b0 >= 0xC2 && b0 <= 0xDF) len = 2, cp = b0 & 0x1F;
  else if (b0 >= 0xE0 && b0 <= 0xEF) len = 3, cp = b0 & 0x0F;
  else if (b0 >= 0xF0 && b0 <= 0xF4) len = 4, cp = b0 & 0x07;
  else return 0;
  if (i + len > text.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  const char32_t min = len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

void AppendEscaped(std::string& out, char c) {
  switch (c) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\b': out += "\\b"; return;
    case '\f': out += "\\f"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
  }
  if (static_cast<unsigned char>(c) < 0x20) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\u00";
    out += kHex[(c >> 4) & 0xF];
    out += kHex[c & 0xF];
    return;
  }
  out += c;
}

}  // namespace

void AppendString(std::string& out, std::string_view utf8) {
  out += '"';
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t len = ValidSequence(utf8, i);
    if (len == 0) {
      out += "\xEF\xBF\xBD";  // U+FFFD
      ++i;
    } else if (len == 1) {
      AppendEscaped(out, utf8[i++]);
    } else {
      out.append(utf8.substr(i, len));
      i += len;
    }
  }
  out += '"';
}

void AppendFloats(std::string& out, const float* values, int count) {
  out += '[';
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += ", ";
    AppendFloat(out, values[i]);
  }
  out += ']';
}

}  // namespace ortolix
