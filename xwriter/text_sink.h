// The output of the text writer: a buffered byte sink that counts what it
// has passed on. Every line feed given to it leaves it as carriage return plus
// line feed, so the bytes are the same on every platform whatever the file
// below does. No iostreams, no locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace ortolix {

class TextSink {
 public:
  // Receives each full buffer; the sink never looks at the outcome (a write
  // error does not change the writer's result).
  using WriteFn = void (*)(void* context, const char* data, std::size_t size);

  TextSink(WriteFn write, void* context);
  ~TextSink();  // flushes what is still buffered
  TextSink(const TextSink&) = delete;
  TextSink& operator=(const TextSink&) = delete;

  // Text as given, each '\n' written as "\r\n". Short texts (the writer's
  // literals) are copied byte by byte straight into the buffer.
  void Text(std::string_view text) {
    if (text.size() <= kShortText && kBufferSize - used_ >= 2 * kShortText) {
      char* out = buffer_.get() + used_;
      for (const char c : text) {
        if (c == '\n') *out++ = '\r';
        *out++ = c;
      }
      used_ = static_cast<std::size_t>(out - buffer_.get());
      return;
    }
    LongText(text);
  }
  // A zero-terminated text (null writes nothing).
  void CString(const char* text) {
    if (text != nullptr) Text(text);
  }
  void Char(char c);
  void Newline() { Raw("\r\n", 2); }
  void Blanks(std::size_t count) {
    if (count <= kShortText && kBufferSize - used_ >= kShortText) {
      char* out = buffer_.get() + used_;
      for (std::size_t i = 0; i < count; ++i) out[i] = ' ';
      used_ += count;
      return;
    }
    ManyBlanks(count);
  }
  void Int(std::int32_t value);
  void Float(float value);

  // Hands the buffered bytes to the write function.
  void Flush();
  // Bytes produced so far, flushed or not.
  std::uint64_t ByteCount() const { return flushed_ + used_; }

 private:
  static constexpr std::size_t kBufferSize = 64 * 1024;
  // Texts up to this length take the inline paths.
  static constexpr std::size_t kShortText = 32;

  void LongText(std::string_view text);
  void ManyBlanks(std::size_t count);
  void Raw(const char* data, std::size_t size);
  // Makes room for `size` bytes (at most kBufferSize) and returns where.
  char* Reserve(std::size_t size) {
    if (kBufferSize - used_ < size) Flush();
    return buffer_.get() + used_;
  }

  WriteFn write_;
  void* context_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  std::uint64_t flushed_ = 0;
};

// A sink target that appends to a string (tests, sizing).
void AppendToString(void* string, const char* data, std::size_t size);
// A sink target that drops the bytes (sizing passes, benchmarks).
void DiscardBytes(void* context, const char* data, std::size_t size);

}  // namespace ortolix
