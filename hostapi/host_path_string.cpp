#include "hostapi/host_path_string.h"

#include <cstring>

#include "platform/crt/ansi_convert.h"
#include "platform/crt/text_convert.h"

namespace ortolix {

namespace {

constexpr std::size_t kLastIndex = HostPathString::kCapacity - 1;
// The longest multibyte character of the narrow encodings in use (UTF-8).
constexpr std::size_t kMaxCharBytes = 4;

bool IsHighSurrogate(WideChar unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

// The text is kept to 259 units; a cut never leaves half a surrogate pair.
// The narrow form gets at most 259 bytes of whole characters, so it is always
// terminated. A text the locale cannot represent keeps an empty narrow form.
HostPathString::HostPathString(const WideChar* text) {
  Clear();
  if (text == nullptr) return;
  std::size_t n = 0;
  for (; n < kLastIndex && text[n] != 0; ++n) wide_[n] = text[n];
  if (n == kLastIndex && text[n] != 0 && IsHighSurrogate(wide_[n - 1])) --n;
  wide_[n] = 0;
  // Like wcstombs, the conversion leaves the terminator out when it stops early.
  const std::size_t written = LocaleNarrowFromWide(narrow_, kLastIndex, wide_);
  narrow_[written == kConversionFailed ? 0 : written] = '\0';
}

// The text is kept to 259 bytes; when the cut splits a multibyte character,
// the bytes of that character are dropped too. The narrow text is read in the
// plug-in's narrow code page; bytes it cannot decode become U+FFFD (counted
// for the command's warning), so a non-empty narrow text never has an empty
// wide form.
HostPathString::HostPathString(const char* text) {
  Clear();
  if (text == nullptr) return;
  std::size_t n = 0;
  for (; n < kLastIndex && text[n] != '\0'; ++n) narrow_[n] = text[n];
  narrow_[n] = '\0';
  if (WidenNarrow()) return;
  if (text[n] != '\0') {
    for (std::size_t drop = 1; drop < kMaxCharBytes && drop < n; ++drop) {
      const char kept = narrow_[n - drop];
      narrow_[n - drop] = '\0';
      if (WidenNarrow()) {
        std::memset(narrow_ + (n - drop), 0, drop);
        return;
      }
      narrow_[n - drop] = kept;
    }
  }
  // At most one unit per byte: the conversion always fits.
  (void)WideFromAnsi(wide_, kCapacity, narrow_);
}

bool HostPathString::WidenNarrow() {
  return LocaleWideFromNarrow(wide_, kCapacity, narrow_) != kConversionFailed;
}

void HostPathString::CopyFrom(const HostPathString& other) {
  if (&other == this) return;
  std::memcpy(narrow_, other.narrow_, sizeof narrow_);
  std::memcpy(wide_, other.wide_, sizeof wide_);
}

}  // namespace ortolix
