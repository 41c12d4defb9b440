// The clocks: local date and time, UTC time with milliseconds, tick count.
// Tests replace them with a fixed clock.
#pragma once
#include <cstdint>

struct ClockTime {
  int year;         // 1601-30827
  int month;        // 1-12
  int day;          // 1-31
  int hour;         // 0-23
  int minute;       // 0-59
  int second;       // 0-59
  int millisecond;  // 0-999
};

void LocalNow(ClockTime* out);
void UtcNow(ClockTime* out);
// Milliseconds since some fixed point; wraps after 49.7 days.
std::uint32_t TickCount();

// A fixed clock for tests: local and UTC time both read `fixed`, the tick
// count reads `ticks`. nullptr restores the real clock.
void SetClockOverride(const ClockTime* fixed, std::uint32_t ticks);
