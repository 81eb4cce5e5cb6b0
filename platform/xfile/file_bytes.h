// Reading a whole file into memory for the reader. Files larger than
// `max_bytes` are refused before their contents are read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/crt/wide_char.h"
#include "platform/xfile/byte_buffer.h"

namespace ortolix {

enum class FileReadResult { kOk, kNotFound, kTooLarge, kReadError };

FileReadResult ReadFileBytes(const char* path, std::uint64_t max_bytes, ByteBuffer* out);
FileReadResult ReadFileBytes(const WideChar* path, std::uint64_t max_bytes,
                             ByteBuffer* out);

// The narrow (UTF-8 on POSIX) form of a wide path, for messages and fopen.
std::string NarrowPath(const WideChar* path);

}  // namespace ortolix
