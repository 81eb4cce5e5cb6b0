// The dual text in which every string crosses the border to the Host: 260
// UTF-16 units followed by 260 narrow bytes holding the same text. The Host
// embeds it by value in its records, so the layout is fixed at 780 bytes.
#pragma once

#include <cstddef>

#include "platform/crt/wide_char.h"

namespace ortolix {

class HostPathString {
 public:
  static constexpr std::size_t kCapacity = 260;  // units or bytes, terminator included

  HostPathString() { Clear(); }
  // A null source gives an empty text. A longer text keeps its first 259
  // units (or bytes), cut between whole characters; the other form holds its
  // conversion in the current locale (see the .cpp for texts it cannot hold).
  explicit HostPathString(const WideChar* text);
  explicit HostPathString(const char* text);
  HostPathString(const HostPathString& other) { CopyFrom(other); }
  HostPathString& operator=(const HostPathString& other) {
    CopyFrom(other);
    return *this;
  }
  ~HostPathString() { Clear(); }

  // Copying onto itself does nothing; otherwise narrow first, then wide.
  void CopyFrom(const HostPathString& other);
  void Clear() {
    wide_[0] = 0;
    narrow_[0] = '\0';
  }
  bool IsEmpty() const { return wide_[0] == 0; }

  const WideChar* Wide() const { return wide_; }
  WideChar* Wide() { return wide_; }
  const char* Narrow() const { return narrow_; }
  char* Narrow() { return narrow_; }
  char NarrowAt(std::size_t index) const { return narrow_[index]; }

 private:
  // Converts the narrow text into the wide buffer; false when the locale
  // cannot decode it.
  bool WidenNarrow();

  WideChar wide_[kCapacity];
  char narrow_[kCapacity];
};

static_assert(sizeof(HostPathString) == 780, "the Host embeds HostPathString by value");

}  // namespace ortolix
