#include "plugin/host_path_string.h"

#include <cstring>

#include "platform/crt/text_convert.h"

namespace ortolix {

HostPathString::HostPathString(const WideChar* text) {
  Clear();
  if (text == nullptr) return;
  std::size_t n = 0;
  for (; n + 1 < kCapacity && text[n] != 0; ++n) wide_[n] = text[n];
  wide_[n] = 0;
  // A text the locale cannot represent keeps an empty narrow form.
  if (LocaleNarrowFromWide(narrow_, kCapacity, wide_) == kConversionFailed) narrow_[0] = '\0';
  narrow_[kCapacity - 1] = '\0';
}

HostPathString::HostPathString(const char* text) {
  Clear();
  if (text == nullptr) return;
  std::size_t n = 0;
  for (; n + 1 < kCapacity && text[n] != '\0'; ++n) narrow_[n] = text[n];
  narrow_[n] = '\0';
  if (LocaleWideFromNarrow(wide_, kCapacity, narrow_) == kConversionFailed) wide_[0] = 0;
  wide_[kCapacity - 1] = 0;
}

void HostPathString::CopyFrom(const HostPathString& other) {
  if (&other == this) return;
  std::memcpy(narrow_, other.narrow_, sizeof narrow_);
  std::memcpy(wide_, other.wide_, sizeof wide_);
}

}  // namespace ortolix
