#include "platform/crt/case_compare.h"

#include <type_traits>

namespace ortolix {

// The same code on every platform, so that a Host that changes the process
// locale cannot change which names count as equal.

namespace {

// Folds to lower case, as the runtime does, so that '_' sorts after letters.
template <typename Unit>
unsigned FoldAscii(Unit unit) {
  const unsigned u = static_cast<std::make_unsigned_t<Unit>>(unit);
  return (u >= 'A' && u <= 'Z') ? u + ('a' - 'A') : u;
}

template <typename Unit>
int CaseCompare(const Unit* a, const Unit* b) {
  for (;; ++a, ++b) {
    const unsigned ua = FoldAscii(*a);
    const unsigned ub = FoldAscii(*b);
    if (ua != ub) return ua < ub ? -1 : 1;
    if (ua == 0) return 0;
  }
}

}  // namespace

int NarrowCaseCompare(const char* a, const char* b) { return CaseCompare(a, b); }
int WideCaseCompare(const WideChar* a, const WideChar* b) { return CaseCompare(a, b); }

}  // namespace ortolix
