// The system clocks on Windows.
#include <windows.h>

#include "platform/system.h"

namespace {

void Split(const SYSTEMTIME& t, ClockTime* out) {
  out->year = t.wYear;
  out->month = t.wMonth;
  out->day = t.wDay;
  out->hour = t.wHour;
  out->minute = t.wMinute;
  out->second = t.wSecond;
  out->millisecond = t.wMilliseconds;
}

}  // namespace

void SystemLocalNow(ClockTime* out) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  Split(t, out);
}

void SystemUtcNow(ClockTime* out) {
  SYSTEMTIME t;
  GetSystemTime(&t);
  Split(t, out);
}

std::uint32_t SystemTickCount() { return GetTickCount(); }
