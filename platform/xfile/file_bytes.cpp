#include "platform/xfile/file_bytes.h"

#include <cstdio>
#include <memory>

#include "platform/crt/text_convert.h"

namespace ortolix {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

FileReadResult ReadOpen(std::FILE* raw, std::uint64_t max_bytes, ByteBuffer* out) {
  std::unique_ptr<std::FILE, FileCloser> f(raw);
  if (!f) return FileReadResult::kNotFound;
  if (std::fseek(f.get(), 0, SEEK_END) != 0) return FileReadResult::kReadError;
  long size = std::ftell(f.get());
  if (size < 0) return FileReadResult::kReadError;
  if (static_cast<std::uint64_t>(size) > max_bytes) return FileReadResult::kTooLarge;
  std::rewind(f.get());
  if (!out->empty()) return FileReadResult::kReadError;
  out->Reserve(static_cast<std::size_t>(size));
  std::uint8_t* at = size > 0 ? out->Extend(static_cast<std::size_t>(size)) : nullptr;
  if (size > 0 && std::fread(at, 1, out->size(), f.get()) != out->size()) {
    return FileReadResult::kReadError;
  }
  return FileReadResult::kOk;
}

}  // namespace

FileReadResult ReadFileBytes(const char* path, std::uint64_t max_bytes,
                             ByteBuffer* out) {
  return ReadOpen(std::fopen(path, "rb"), max_bytes, out);
}

std::string NarrowPath(const WideChar* path) {
  std::size_t n = WideLength(path);
  std::string narrow(n * 4 + 1, '\0');
  std::size_t written = LocaleNarrowFromWide(narrow.data(), narrow.size(), path);
  if (written == kConversionFailed) return std::string();
  narrow.resize(written);
  return narrow;
}

FileReadResult ReadFileBytes(const WideChar* path, std::uint64_t max_bytes,
                             ByteBuffer* out) {
#ifdef _WIN32
  return ReadOpen(_wfopen(reinterpret_cast<const wchar_t*>(path), L"rb"), max_bytes, out);
#else
  std::string narrow = NarrowPath(path);
  if (narrow.empty()) return FileReadResult::kNotFound;
  return ReadFileBytes(narrow.c_str(), max_bytes, out);
#endif
}

}  // namespace ortolix
