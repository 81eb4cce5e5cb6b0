// Text helpers shared by the writer and the import side: conversions between
// wide and narrow text (the ANSI code page; UTF-8 on POSIX) and the file name
// and directory parts of a wide path. Safe on any input; buffers are never
// overrun.
#pragma once

#include <cstddef>
#include <string>

#include "platform/crt/split_path.h"
#include "platform/crt/wide_char.h"

namespace ortolix {

// Units a FileNamePart output must hold: file name plus extension.
inline constexpr std::size_t kFileNamePartSize = kMaxFileName + kMaxExtension - 1;
// Units a DirectoryPart output must hold: drive, directory, one separator.
inline constexpr std::size_t kDirectoryPartSize = kMaxDrive + kMaxDir;

// Converts the zero-terminated `wide` into `narrow`, writing at most
// `capacity` bytes. The text is always terminated when capacity > 0: when it
// does not fit whole, the characters that fit before the terminator are kept.
// Returns the bytes written without the terminator. A null argument gives 0.
std::size_t NarrowFromWide(const WideChar* wide, char* narrow, std::size_t capacity);

// Converts the zero-terminated `narrow` into `wide` (at most `capacity`
// units), precomposed; terminated and cut as NarrowFromWide.
std::size_t WideFromNarrow(const char* narrow, WideChar* wide, std::size_t capacity);

// The whole narrow form of a wide text (no bound).
std::string NarrowString(const WideChar* wide);

// Writes file name followed by extension of `path` into `out`
// (kFileNamePartSize units). 0 when either argument is null, else 1.
int FileNamePart(const WideChar* path, WideChar* out);

// Writes drive followed by directory of `path` into `out`
// (kDirectoryPartSize units); a non-empty result that does not end in a
// separator gets one: "\" on Windows, "/" elsewhere. 0 when either argument
// is null, else 1.
int DirectoryPart(const WideChar* path, WideChar* out);

}  // namespace ortolix
