// The runtime's _wsplitpath: a wide path split into drive, directory, file
// name and extension.
#pragma once

#include <cstddef>

#include "platform/crt/wide_char.h"

namespace ortolix {

// Buffer sizes of the parts, terminator included (_MAX_DRIVE, _MAX_DIR,
// _MAX_FNAME, _MAX_EXT).
inline constexpr std::size_t kMaxDrive = 3;
inline constexpr std::size_t kMaxDir = 256;
inline constexpr std::size_t kMaxFileName = 256;
inline constexpr std::size_t kMaxExtension = 256;

// Splits the zero-terminated `path`:
// - drive: the first two units when the second is ':' ("C:");
// - directory: everything up to and including the last '/' or '\' (both
//   separate folders on every platform);
// - file name: the rest up to its last '.';
// - extension: that last '.' and what follows; empty when the rest has no '.'.
// Each output may be null (not wanted); otherwise it must hold the size above
// and receives the part, cut to fit. A null `path` empties every output.
void WideSplitPath(const WideChar* path, WideChar* out_drive, WideChar* out_dir,
                   WideChar* out_file_name, WideChar* out_extension);

}  // namespace ortolix
