#include "platform/crt/json_text.h"

#include <charconv>
#include <cmath>

#include "platform/crt/narrow_code_page.h"
#include "platform/crt/utf8.h"

namespace ortolix {

namespace {

template <typename T>
void AppendNumber(std::string& out, T value) {
  if (std::isnan(value)) {
    out += std::signbit(value) ? "\"-nan\"" : "\"nan\"";
    return;
  }
  if (std::isinf(value)) {
    out += value < 0 ? "\"-inf\"" : "\"inf\"";
    return;
  }
  if (value == 0 && std::signbit(value)) {
    out += "-0.0";
    return;
  }
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

}  // namespace

void AppendFloat(std::string& out, float value) { AppendNumber(out, value); }
void AppendDouble(std::string& out, double value) { AppendNumber(out, value); }

void AppendInt(std::string& out, std::int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

namespace {

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

void AppendString(std::string& out, std::string_view text) {
  out += '"';
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp;
    const std::size_t len = utf8::DecodeBounded(bytes + i, text.size() - i, cp);
    if (len == 0) {
      out += "\xEF\xBF\xBD";  // U+FFFD
      ++i;
    } else if (len == 1) {
      AppendEscaped(out, text[i++]);
    } else {
      out.append(text.substr(i, len));
      i += len;
    }
  }
  out += '"';
}

void AppendNarrowString(std::string& out, std::string_view narrow) {
  AppendString(out, Utf8FromNarrow(narrow));
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
