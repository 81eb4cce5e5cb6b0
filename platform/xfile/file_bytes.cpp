#include "platform/xfile/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "platform/crt/text_convert.h"

namespace ortolix {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

bool IsDirectory(std::FILE* f) {
#ifdef _WIN32
  (void)f;
  return false;  // _wfopen refuses directories
#else
  struct stat st {};
  return fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode);
#endif
}

// A stream whose size is unknown (a pipe): read in growing steps, never
// holding more than `max_bytes` + one step.
FileReadResult ReadStream(std::FILE* f, std::uint64_t max_bytes, ByteBuffer* out, int* os_error) {
  constexpr std::size_t kStep = 1 << 16;
  for (;;) {
    std::uint8_t* at = out->Extend(kStep);
    std::size_t got = std::fread(at, 1, kStep, f);
    out->Truncate(out->size() - (kStep - got));
    if (out->size() > max_bytes) return FileReadResult::kTooLarge;
    if (got < kStep) break;
  }
  if (std::ferror(f)) {
    *os_error = errno;
    return FileReadResult::kReadError;
  }
  return FileReadResult::kOk;
}

FileReadResult ReadOpen(std::FILE* raw, std::uint64_t max_bytes, ByteBuffer* out, int* os_error) {
  int unused = 0;
  if (os_error == nullptr) os_error = &unused;
  *os_error = errno;
  std::unique_ptr<std::FILE, FileCloser> f(raw);
  if (!f) return FileReadResult::kNotFound;
  *os_error = 0;
  if (IsDirectory(f.get())) return FileReadResult::kIsDirectory;
  if (!out->empty()) return FileReadResult::kReadError;
  long size = std::fseek(f.get(), 0, SEEK_END) == 0 ? std::ftell(f.get()) : -1;
  if (size < 0) {
    std::clearerr(f.get());
    return ReadStream(f.get(), max_bytes, out, os_error);
  }
  if (static_cast<std::uint64_t>(size) > max_bytes) return FileReadResult::kTooLarge;
  std::rewind(f.get());
  out->Reserve(static_cast<std::size_t>(size));
  std::uint8_t* at = size > 0 ? out->Extend(static_cast<std::size_t>(size)) : nullptr;
  if (size > 0 && std::fread(at, 1, out->size(), f.get()) != out->size()) {
    *os_error = std::ferror(f.get()) ? errno : 0;
    return FileReadResult::kReadError;
  }
  return FileReadResult::kOk;
}

}  // namespace

FileReadResult ReadFileBytes(const char* path, std::uint64_t max_bytes, ByteBuffer* out,
                             int* os_error) {
  errno = 0;
  std::FILE* f = std::fopen(path, "rb");
  return ReadOpen(f, max_bytes, out, os_error);
}

std::string NarrowPath(const WideChar* path) {
  std::size_t n = WideLength(path);
  std::string narrow(n * 4 + 1, '\0');
  std::size_t written = LocaleNarrowFromWide(narrow.data(), narrow.size(), path);
  if (written == kConversionFailed) return std::string();
  narrow.resize(written);
  return narrow;
}

FileReadResult ReadFileBytes(const WideChar* path, std::uint64_t max_bytes, ByteBuffer* out,
                             int* os_error) {
#ifdef _WIN32
  errno = 0;
  return ReadOpen(_wfopen(reinterpret_cast<const wchar_t*>(path), L"rb"), max_bytes, out,
                  os_error);
#else
  std::string narrow = NarrowPath(path);
  if (narrow.empty()) return FileReadResult::kNotFound;
  return ReadFileBytes(narrow.c_str(), max_bytes, out, os_error);
#endif
}

}  // namespace ortolix
