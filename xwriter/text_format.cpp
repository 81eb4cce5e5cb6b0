#include "xwriter/text_format.h"

#include <cstring>

namespace ortolix::format_detail {

namespace {

void PaddedText(TextSink& sink, std::int32_t width, const char* text) {
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
  while (!format.empty()) {
    const std::size_t percent = format.find('%');
    if (percent == std::string_view::npos) {
      sink.Text(format);
      return;
    }
    if (percent != 0) sink.Text(format.substr(0, percent));
    const char conversion = format[percent + 1];
    std::size_t consumed = 2;
    switch (conversion) {
      case 'd': sink.Int(args->i); ++args; break;
      case 'f': sink.Float(args->f); ++args; break;
      case 's': sink.CString(args->s); ++args; break;
      case '*':
        PaddedText(sink, args[0].i, args[1].s);
        args += 2;
        consumed = 3;
        break;
      default: sink.Char('%'); break;
    }
    format.remove_prefix(percent + consumed);
  }
}

}  // namespace ortolix::format_detail
