#include "platform/crt/wide_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "platform/crt/text_convert.h"

namespace ortolix {

class CrtFile {
 public:
  static constexpr std::size_t kBufferSize = 64 * 1024;

  std::FILE* stream = nullptr;
  bool translate = false;  // "\n" becomes "\r\n" on the way into `buffer`
  bool failed = false;     // a write or flush failed; the file is unusable
  std::string path;        // for the failure record
  std::size_t used = 0;
  char buffer[kBufferSize];
};

namespace {

thread_local FileWriteFailure first_write_failure;

// Marks the file failed and keeps the first failure of the thread; errno
// still holds the cause (a short fwrite without one is a full device).
void RecordWriteFailure(CrtFile& file) {
  const int error = errno != 0 ? errno : ENOSPC;
  file.failed = true;
  if (first_write_failure.error == 0) first_write_failure = {error, file.path};
}

struct ParsedMode {
  bool valid = false;
  bool text = false;
  std::string native;  // the mode handed to the platform's open call
};

// Accepts "r", "w" or "a", then at most one '+' and at most one of 't'/'b'.
ParsedMode ParseMode(const char* mode) {
  ParsedMode parsed;
  if (mode == nullptr || (mode[0] != 'r' && mode[0] != 'w' && mode[0] != 'a')) return parsed;
  bool plus = false, text = false, binary = false;
  for (const char* c = mode + 1; *c != '\0'; ++c) {
    bool* seen = nullptr;
    switch (*c) {
      case '+': seen = &plus; break;
      case 't': seen = &text; break;
      case 'b': seen = &binary; break;
      default: return parsed;
    }
    if (*seen) return parsed;
    *seen = true;
  }
  if (text && binary) return parsed;
  parsed.text = !binary;
  // Reading text would need the reverse translation, which nothing here uses.
  if (parsed.text && (mode[0] == 'r' || plus)) return parsed;
  parsed.valid = true;
  parsed.native = std::string(1, mode[0]) + (plus ? "+" : "");
#ifdef _WIN32
  parsed.native += parsed.text ? "t" : "b";
#else
  parsed.native += "b";
#endif
  return parsed;
}

// The path in the locale's narrow form (UTF-8 needs at most three bytes per
// UTF-16 unit); empty when it cannot be converted.
std::string NarrowPath(const WideChar* path) {
  std::string narrow(3 * WideLength(path) + 1, '\0');
  const std::size_t length = LocaleNarrowFromWide(narrow.data(), narrow.size(), path);
  if (length == kConversionFailed) return {};
  narrow.resize(length);
  return narrow;
}

std::FILE* OpenNative(const WideChar* path, const std::string& narrow, const std::string& mode) {
#ifdef _WIN32
  (void)narrow;
  std::wstring wide_mode(mode.begin(), mode.end());
  return _wfopen(reinterpret_cast<const wchar_t*>(path), wide_mode.c_str());
#else
  if (narrow.empty() && path[0] != 0) {
    errno = EINVAL;
    return nullptr;
  }
  return std::fopen(narrow.c_str(), mode.c_str());
#endif
}

bool Flush(CrtFile& file) {
  errno = 0;
  if (file.used != 0 && std::fwrite(file.buffer, 1, file.used, file.stream) != file.used) {
    RecordWriteFailure(file);
  }
  file.used = 0;
  return !file.failed;
}

bool Append(CrtFile& file, const char* bytes, std::size_t n) {
  while (n != 0) {
    if (file.used == CrtFile::kBufferSize && !Flush(file)) return false;
    const std::size_t take = std::min(n, CrtFile::kBufferSize - file.used);
    std::memcpy(file.buffer + file.used, bytes, take);
    file.used += take;
    bytes += take;
    n -= take;
  }
  return true;
}

// Copies `bytes` into the buffer with each "\n" written as "\r\n"; returns
// the number of source bytes taken.
std::size_t WriteTranslated(CrtFile& file, const char* bytes, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    const void* found = std::memchr(bytes + done, '\n', n - done);
    const char* newline = static_cast<const char*>(found);
    const std::size_t run = newline != nullptr ? static_cast<std::size_t>(newline - (bytes + done)) : n - done;
    if (!Append(file, bytes + done, run)) break;
    done += run;
    if (newline == nullptr) break;
    if (!Append(file, "\r\n", 2)) break;
    ++done;
  }
  return done;
}

}  // namespace

CrtFile* WideFileOpen(const WideChar* path, const char* mode) {
  const ParsedMode parsed = ParseMode(mode);
  if (path == nullptr || !parsed.valid) {
    errno = EINVAL;
    return nullptr;
  }
  auto* file = new (std::nothrow) CrtFile;
  if (file == nullptr) {
    errno = ENOMEM;
    return nullptr;
  }
  file->path = NarrowPath(path);
  file->stream = OpenNative(path, file->path, parsed.native);
  if (file->stream == nullptr) {
    delete file;
    return nullptr;
  }
#ifndef _WIN32
  file->translate = parsed.text;
#endif
  return file;
}

std::size_t FileWrite(const void* data, std::size_t size, std::size_t count, CrtFile* file) {
  if (file == nullptr || file->failed || size == 0 || count == 0) return 0;
  const std::size_t bytes = size * count;
  if (bytes / size != count) return 0;
  if (!file->translate) {
    errno = 0;
    const std::size_t written = std::fwrite(data, size, count, file->stream);
    if (written != count) RecordWriteFailure(*file);
    return written;
  }
  return WriteTranslated(*file, static_cast<const char*>(data), bytes) / size;
}

std::size_t FileRead(void* data, std::size_t size, std::size_t count, CrtFile* file) {
  if (file == nullptr) return 0;
  return std::fread(data, size, count, file->stream);
}

int FileClose(CrtFile* file) {
  if (file == nullptr) return EOF;
  const bool flushed = Flush(*file);
  errno = 0;
  const bool closed = std::fclose(file->stream) == 0;
  if (!closed) RecordWriteFailure(*file);
  delete file;
  return flushed && closed ? 0 : EOF;
}

const FileWriteFailure& FirstFileWriteFailure() { return first_write_failure; }

void ClearFileWriteFailure() { first_write_failure = {}; }

}  // namespace ortolix
