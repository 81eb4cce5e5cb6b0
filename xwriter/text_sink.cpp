#include "xwriter/text_sink.h"

#include <algorithm>
#include <cstring>

#include "xwriter/number_format.h"

namespace ortolix {

TextSink::TextSink(WriteFn write, void* context)
    : write_(write), context_(context), buffer_(new char[kBufferSize]) {}

TextSink::~TextSink() { Flush(); }

void TextSink::Flush() {
  if (used_ != 0 && write_ != nullptr) write_(context_, buffer_.get(), used_);
  flushed_ += used_;
  used_ = 0;
}

void TextSink::Raw(const char* data, std::size_t size) {
  while (size != 0) {
    if (used_ == kBufferSize) Flush();
    const std::size_t chunk = std::min(size, kBufferSize - used_);
    std::memcpy(buffer_.get() + used_, data, chunk);
    used_ += chunk;
    data += chunk;
    size -= chunk;
  }
}

void TextSink::LongText(std::string_view text) {
  while (!text.empty()) {
    const std::size_t line_end = text.find('\n');
    if (line_end == std::string_view::npos) {
      Raw(text.data(), text.size());
      return;
    }
    Raw(text.data(), line_end);
    Newline();
    text.remove_prefix(line_end + 1);
  }
}

void TextSink::Char(char c) {
  if (c == '\n') {
    Newline();
    return;
  }
  *Reserve(1) = c;
  ++used_;
}

void TextSink::ManyBlanks(std::size_t count) {
  while (count != 0) {
    const std::size_t chunk = std::min(count, kBufferSize);
    std::memset(Reserve(chunk), ' ', chunk);
    used_ += chunk;
    count -= chunk;
  }
}

void TextSink::Int(std::int32_t value) { used_ += FormatDecimal(value, Reserve(kMaxIntText)); }

void TextSink::Float(float value) { used_ += FormatFixed6(value, Reserve(kMaxFloatText)); }

void AppendToString(void* string, const char* data, std::size_t size) {
  static_cast<std::string*>(string)->append(data, size);
}

void DiscardBytes(void*, const char*, std::size_t) {}

}  // namespace ortolix
