// The clocks, with the fixed clock that tests install in front of the
// system's.
#include "platform/clock.h"

#include "platform/system.h"

namespace {

struct ClockOverride {
  int active;
  ClockTime time;
  std::uint32_t ticks;
};

ClockOverride g_clock{};

}  // namespace

void LocalNow(ClockTime* out) {
  if (g_clock.active)
    *out = g_clock.time;
  else
    SystemLocalNow(out);
}

void UtcNow(ClockTime* out) {
  if (g_clock.active)
    *out = g_clock.time;
  else
    SystemUtcNow(out);
}

std::uint32_t TickCount() { return g_clock.active ? g_clock.ticks : SystemTickCount(); }

void SetClockOverride(const ClockTime* fixed, std::uint32_t ticks) {
  g_clock.active = fixed != nullptr;
  if (fixed) g_clock.time = *fixed;
  g_clock.ticks = ticks;
}
