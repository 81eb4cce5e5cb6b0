#include "platform/crt/split_path.h"

#include <algorithm>

namespace ortolix {

// The same code on every platform. Where the runtime's version would raise an
// invalid-parameter error for a part longer than its buffer, this one cuts
// the part to fit.

namespace {

void CopyPart(const WideChar* begin, const WideChar* end, WideChar* out, std::size_t size) {
  if (out == nullptr) return;
  const std::size_t n = std::min(static_cast<std::size_t>(end - begin), size - 1);
  std::copy(begin, begin + n, out);
  out[n] = 0;
}

}  // namespace

void WideSplitPath(const WideChar* path, WideChar* out_drive, WideChar* out_dir,
                   WideChar* out_file_name, WideChar* out_extension) {
  if (path == nullptr) {
    for (WideChar* out : {out_drive, out_dir, out_file_name, out_extension}) {
      if (out != nullptr) out[0] = 0;
    }
    return;
  }
  const WideChar* rest = path;
  if (path[0] != 0 && path[1] == ':') rest = path + 2;
  CopyPart(path, rest, out_drive, kMaxDrive);

  const WideChar* name = rest;  // just after the last separator
  const WideChar* dot = nullptr;
  const WideChar* end = rest;
  for (; *end != 0; ++end) {
    if (*end == '/' || *end == '\\') {
      name = end + 1;
      dot = nullptr;
    } else if (*end == '.') {
      dot = end;
    }
  }
  CopyPart(rest, name, out_dir, kMaxDir);
  const WideChar* name_end = dot != nullptr ? dot : end;
  CopyPart(name, name_end, out_file_name, kMaxFileName);
  CopyPart(name_end, end, out_extension, kMaxExtension);
}

}  // namespace ortolix
