#include "platform/crt/text_helpers.h"

#include <vector>

#include "platform/crt/ansi_convert.h"
#include "platform/crt/text_convert.h"

namespace ortolix {
namespace {

// Windows appends a backslash unless there is one; POSIX splits at both
// separators and appends '/'.
#ifdef _WIN32
constexpr WideChar kSeparator = u'\\';
bool EndsInSeparator(WideChar c) { return c == u'\\'; }
#else
constexpr WideChar kSeparator = u'/';
bool EndsInSeparator(WideChar c) { return c == u'\\' || c == u'/'; }
#endif

// Appends the zero-terminated `part` at out[*length], keeping room for the
// terminator within `capacity`.
void Append(WideChar* out, std::size_t* length, std::size_t capacity, const WideChar* part) {
  for (std::size_t i = 0; part[i] != 0 && *length + 1 < capacity; ++i) out[(*length)++] = part[i];
  out[*length] = 0;
}

}  // namespace

// When the whole text does not fit, the longest prefix of whole wide
// characters whose narrow form fits with its terminator is kept.
std::size_t NarrowFromWide(const WideChar* wide, char* narrow, std::size_t capacity) {
  if (wide == nullptr || narrow == nullptr || capacity == 0) return 0;
  const int written = AnsiFromWide(narrow, capacity, wide);
  if (written > 0) return static_cast<std::size_t>(written) - 1;
  std::vector<WideChar> prefix(wide, wide + WideLength(wide));
  while (!prefix.empty()) {
    prefix.pop_back();
    if (!prefix.empty() && prefix.back() >= 0xD800 && prefix.back() <= 0xDBFF) continue;
    prefix.push_back(0);
    const int fitted = AnsiFromWide(narrow, capacity, prefix.data());
    prefix.pop_back();
    if (fitted > 0) return static_cast<std::size_t>(fitted) - 1;
  }
  narrow[0] = '\0';
  return 0;
}

std::size_t WideFromNarrow(const char* narrow, WideChar* wide, std::size_t capacity) {
  if (wide == nullptr || narrow == nullptr || capacity == 0) return 0;
  const int written = WideFromAnsi(wide, capacity, narrow);
  if (written > 0) return static_cast<std::size_t>(written) - 1;
  wide[capacity - 1] = 0;  // the whole characters that fit, then the terminator
  return WideLength(wide);
}

std::string NarrowString(const WideChar* wide) {
  if (wide == nullptr) return {};
  const int needed = AnsiFromWide(nullptr, 0, wide);
  if (needed <= 0) return {};
  std::string text(static_cast<std::size_t>(needed), '\0');
  const int written = AnsiFromWide(text.data(), text.size(), wide);
  text.resize(written > 0 ? static_cast<std::size_t>(written) - 1 : 0);
  return text;
}

int FileNamePart(const WideChar* path, WideChar* out) {
  if (path == nullptr || out == nullptr) return 0;
  WideChar name[kMaxFileName];
  WideChar extension[kMaxExtension];
  WideSplitPath(path, nullptr, nullptr, name, extension);
  std::size_t length = 0;
  out[0] = 0;
  Append(out, &length, kFileNamePartSize, name);
  Append(out, &length, kFileNamePartSize, extension);
  return 1;
}

int DirectoryPart(const WideChar* path, WideChar* out) {
  if (path == nullptr || out == nullptr) return 0;
  WideChar drive[kMaxDrive];
  WideChar directory[kMaxDir];
  WideSplitPath(path, drive, directory, nullptr, nullptr);
  std::size_t length = 0;
  out[0] = 0;
  Append(out, &length, kDirectoryPartSize, drive);
  Append(out, &length, kDirectoryPartSize, directory);
  if (length != 0 && !EndsInSeparator(out[length - 1])) {
    out[length++] = kSeparator;
    out[length] = 0;
  }
  return 1;
}

}  // namespace ortolix
