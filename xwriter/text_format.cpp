#include "xwriter/text_format.h"

#include <cstring>

namespace ortolix::format_detail {

namespace {

void PaddedText(TextSink& sink, std::int32_t width, const char* text) {
  if (text != nullptr && text[0] == ' ' && text[1] == '\0') {  // indentation, the usual case
    const std::int64_t target = width < 0 ? -static_cast<std::int64_t>(width) : width;
    sink.Blanks(static_cast<std::size_t>(target > 1 ? target : 1));
    return;
  }
  const std::size_t length = text == nullptr ? 0 : std::strlen(text);
  const bool left = width < 0;
  const std::size_t target = left ? static_cast<std::size_t>(-static_cast<std::int64_t>(width))
                                   : static_cast<std::size_t>(width);
  const std::size_t pad = target > length ? target - length : 0;
  if (!left) sink.Blanks(pad);
  if (length != 0) sink.Text(std::string_view(text, length));
  if (left) sink.Blanks(pad);
}

}  // namespace

// The format was checked at compile time, so every conversion has its
// argument of the right kind.
void Interpret(TextSink& sink, std::string_view format, const FormatArg* args) {
  const char* p = format.data();
  const char* const end = p + format.size();
  while (p != end) {
    const char* literal = p;
    while (p != end && *p != '%') ++p;
    if (p != literal) sink.Text(std::string_view(literal, static_cast<std::size_t>(p - literal)));
    if (p == end) return;
    switch (p[1]) {
      case 'd': sink.Int(args->i); ++args; break;
      case 'f': sink.Float(args->f); ++args; break;
      case 's': sink.CString(args->s); ++args; break;
      case '*':
        PaddedText(sink, args[0].i, args[1].s);
        args += 2;
        ++p;
        break;
      default: sink.Char('%'); break;
    }
    p += 2;
  }
}

}  // namespace ortolix::format_detail
