// The runtime's _wtoi: a decimal integer at the start of a wide text.
#pragma once

#include <cstdint>

#include "platform/crt/wide_char.h"

namespace ortolix {

// Skips leading C white space (space, \t, \n, \v, \f, \r), takes one optional
// '+' or '-' and then ASCII digits, and stops at the first other unit. No
// digits give 0; values beyond the 32-bit range saturate at INT32_MIN or
// INT32_MAX. `text` must be zero-terminated and non-null.
std::int32_t WideToInt(const WideChar* text);

}  // namespace ortolix
