#include "platform/crt/ctime_text.h"

#include <cstdio>
#include <ctime>

namespace ortolix {

namespace {

bool LocalTime(std::int64_t time, std::tm& out) {
#ifdef _WIN32
  const __time64_t t = time;
  const std::tm* local = _localtime64(&t);
  if (local == nullptr) return false;
  out = *local;
  return true;
#else
  const std::time_t t = static_cast<std::time_t>(time);
  return localtime_r(&t, &out) != nullptr;
#endif
}

}  // namespace

bool WideCTime64(std::int64_t time, WideChar (&out)[kCTimeBufferSize]) {
  static constexpr char kDays[7][4] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr char kMonths[12][4] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  out[0] = 0;
  std::tm tm{};
  if (time < 0 || time > kCTimeMax || !LocalTime(time, tm)) return false;
  if (tm.tm_wday < 0 || tm.tm_wday > 6 || tm.tm_mon < 0 || tm.tm_mon > 11) return false;
  // A local time zone ahead of UTC can push the last second into year 3001,
  // which still has four digits, so the text is always 25 characters.
  char text[32];
  const int n = std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %04d\n",
                              kDays[tm.tm_wday], kMonths[tm.tm_mon], tm.tm_mday, tm.tm_hour,
                              tm.tm_min, tm.tm_sec, tm.tm_year + 1900);
  if (n != static_cast<int>(kCTimeBufferSize - 1)) return false;
  for (int i = 0; i <= n; ++i) out[i] = static_cast<unsigned char>(text[i]);
  return true;
}

}  // namespace ortolix
