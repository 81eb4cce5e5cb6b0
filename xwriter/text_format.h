// printf-style output into a TextSink with the writer's four conversions:
// "%d" (int), "%f" (float, printed as a widened double), "%s" (text) and
// "%*s" (width, then text; padded on the left to the width, so the one-blank
// text " " yields max(width, 1) blanks). "%%" is a percent sign. Each format is
// checked against its argument types when the program is compiled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "xwriter/text_sink.h"

namespace ortolix {

struct FormatArg {
  enum class Kind : std::uint8_t { kInt, kFloat, kText };

  FormatArg(std::int32_t v) : kind(Kind::kInt), i(v) {}
  FormatArg(float v) : kind(Kind::kFloat), f(v) {}
  FormatArg(const char* v) : kind(Kind::kText), s(v) {}

  Kind kind;
  union {
    std::int32_t i;
    float f;
    const char* s;
  };
};

namespace format_detail {

template <typename T>
consteval FormatArg::Kind KindOf() {
  if constexpr (std::is_same_v<T, std::int32_t>) {
    return FormatArg::Kind::kInt;
  } else if constexpr (std::is_same_v<T, float>) {
    return FormatArg::Kind::kFloat;
  } else {
    static_assert(std::is_same_v<T, const char*> || std::is_same_v<T, char*>,
                  "format arguments are int32, float or text");
    return FormatArg::Kind::kText;
  }
}

// Reached only in constant evaluation, where calling it fails the build.
inline void FormatMismatch() {}

consteval void CheckFormat(std::string_view format, const FormatArg::Kind* kinds,
                           std::size_t count) {
  std::size_t next = 0;
  auto take = [&](FormatArg::Kind kind) {
    if (next >= count || kinds[next] != kind) FormatMismatch();
    ++next;
  };
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    if (++i >= format.size()) FormatMismatch();
    const char c = format[i];
    if (c == '%') continue;
    if (c == 'd') take(FormatArg::Kind::kInt);
    else if (c == 'f') take(FormatArg::Kind::kFloat);
    else if (c == 's') take(FormatArg::Kind::kText);
    else if (c == '*' && i + 1 < format.size() && format[i + 1] == 's') {
      take(FormatArg::Kind::kInt);
      take(FormatArg::Kind::kText);
      ++i;
    } else {
      FormatMismatch();
    }
  }
  if (next != count) FormatMismatch();
}

template <typename... Args>
struct CheckedFormat {
  template <std::size_t N>
  consteval CheckedFormat(const char (&text)[N]) : format(text, N - 1) {
    constexpr FormatArg::Kind kinds[sizeof...(Args) + 1] = {KindOf<Args>()...,
                                                             FormatArg::Kind::kInt};
    CheckFormat(format, kinds, sizeof...(Args));
  }
  std::string_view format;
};

void Interpret(TextSink& sink, std::string_view format, const FormatArg* args);

}  // namespace format_detail

// Writes `format` with `args` into the sink, e.g.
//   Print(sink, "%*s %d;\n", w, " ", count);
template <typename... Args>
void Print(TextSink& sink,
           format_detail::CheckedFormat<std::decay_t<std::type_identity_t<Args>>...> format,
           Args... args) {
  if constexpr (sizeof...(Args) == 0) {
    sink.Text(format.format);
  } else {
    const FormatArg packed[] = {FormatArg(args)...};
    format_detail::Interpret(sink, format.format, packed);
  }
}

}  // namespace ortolix
