// Case-insensitive comparisons in the manner of the runtime's _stricmp and
// _wcsicmp in the "C" locale: ASCII letters fold to lower case, every other
// unit compares by value. The result is negative, zero or positive, like
// strcmp. Both texts must be zero-terminated and non-null.
#pragma once

#include "platform/crt/wide_char.h"

namespace ortolix {

int NarrowCaseCompare(const char* a, const char* b);
int WideCaseCompare(const WideChar* a, const WideChar* b);

}  // namespace ortolix
