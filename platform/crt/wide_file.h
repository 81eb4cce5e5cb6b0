// Files opened by wide path, in the manner of the runtime's _wfopen, fwrite,
// fread and fclose.
//
// Text mode (a mode without 'b', e.g. "wt" or "w") writes every "\n" as
// "\r\n" on every platform, as the Windows runtime does, so that written
// files are the same bytes everywhere. On Windows the runtime translates; on
// POSIX the file keeps a 64 KiB buffer and translates while copying into it,
// so a writer can hand over whole lines or whole blocks without cost per
// byte. Text-mode reading and update modes ('+') without 'b' are refused
// (errno EINVAL) on every platform: nothing here reads text files.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/crt/wide_char.h"

namespace ortolix {

class CrtFile;

// Opens `path` (zero-terminated, UTF-16) with a runtime mode: "r", "w" or
// "a", optionally '+', optionally 't' or 'b'. Returns null when the mode is
// refused, the path cannot be converted, or the file cannot be opened. The
// caller closes the file with FileClose.
CrtFile* WideFileOpen(const WideChar* path, const char* mode);

// Writes `count` items of `size` bytes; returns the number of whole items
// accepted. Text-mode translation does not count towards `size`.
std::size_t FileWrite(const void* data, std::size_t size, std::size_t count, CrtFile* file);

// Reads up to `count` items of `size` bytes (binary modes); returns the number
// of whole items read.
std::size_t FileRead(void* data, std::size_t size, std::size_t count, CrtFile* file);

// Flushes and closes `file` and frees it. Returns 0, or -1 (EOF) when a write
// or the close failed. A null file gives -1.
int FileClose(CrtFile* file);

// The first write, flush or close failure of a file opened here, since the
// last ClearFileWriteFailure on this thread. Writers that do not examine their
// write results still leave this record, so the program that runs them can
// report the failure. `error` is the errno value (0: none), `path` the path
// as opened (UTF-8 on POSIX).
struct FileWriteFailure {
  int error = 0;
  std::string path;
};
const FileWriteFailure& FirstFileWriteFailure();
void ClearFileWriteFailure();

struct CrtFileCloser {
  void operator()(CrtFile* file) const { FileClose(file); }
};

// Owns an open file; closing through it ignores the result.
using CrtFilePtr = std::unique_ptr<CrtFile, CrtFileCloser>;

}  // namespace ortolix
