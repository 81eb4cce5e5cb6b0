#include "platform/crt/clock.h"

#include <ctime>

namespace ortolix {

namespace {

std::optional<std::int64_t>& FixedClock() {
  static std::optional<std::int64_t> fixed;
  return fixed;
}

}  // namespace

std::int64_t Time64() {
  if (const auto& fixed = FixedClock()) return *fixed;
#ifdef _WIN32
  return _time64(nullptr);
#else
  return static_cast<std::int64_t>(std::time(nullptr));
#endif
}

void SetClock(std::optional<std::int64_t> seconds) { FixedClock() = seconds; }

}  // namespace ortolix
