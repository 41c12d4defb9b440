// The system clocks on POSIX: the real-time clock split into local or UTC
// fields, and the monotonic clock in milliseconds.
#include <time.h>

#include "platform/system.h"

namespace {

void Split(const timespec& now, const struct tm& t, ClockTime* out) {
  out->year = t.tm_year + 1900;
  out->month = t.tm_mon + 1;
  out->day = t.tm_mday;
  out->hour = t.tm_hour;
  out->minute = t.tm_min;
  out->second = t.tm_sec > 59 ? 59 : t.tm_sec;  // a leap second reads as :59
  out->millisecond = static_cast<int>(now.tv_nsec / 1000000);
}

}  // namespace

void SystemLocalNow(ClockTime* out) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  struct tm t{};
  localtime_r(&now.tv_sec, &t);
  Split(now, t, out);
}

void SystemUtcNow(ClockTime* out) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  struct tm t{};
  gmtime_r(&now.tv_sec, &t);
  Split(now, t, out);
}

std::uint32_t SystemTickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::uint64_t ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                     static_cast<std::uint64_t>(now.tv_nsec / 1000000);
  return static_cast<std::uint32_t>(ms);  // wraps like the Windows tick count
}
