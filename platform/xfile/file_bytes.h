// Reading a whole file into memory for the reader. Files larger than
// `max_bytes` are refused before their contents are read; pipes and other
// streams without a size are read up to that bound.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/crt/wide_char.h"
#include "platform/xfile/byte_buffer.h"

namespace ortolix {

enum class FileReadResult { kOk, kNotFound, kTooLarge, kReadError, kIsDirectory };

// `os_error`, when given, receives the errno of a failed open or read (0
// otherwise), for messages.
FileReadResult ReadFileBytes(const char* path, std::uint64_t max_bytes, ByteBuffer* out,
                             int* os_error = nullptr);
FileReadResult ReadFileBytes(const WideChar* path, std::uint64_t max_bytes, ByteBuffer* out,
                             int* os_error = nullptr);

// The narrow (UTF-8 on POSIX) form of a wide path, for messages and fopen.
std::string NarrowPath(const WideChar* path);

}  // namespace ortolix
