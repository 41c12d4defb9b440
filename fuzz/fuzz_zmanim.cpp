// libFuzzer entry point for the zmanim definition language: any bytes, cut
// at the first NUL, evaluated on a fixed day, must give a time or fail
// cleanly, and the hour and minute must agree with a 32-bit total.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "placetime/zmanim.h"

namespace {

void Silent(const char*, void*) {}

// Jerusalem, 1 January 2007: sunrise 6:39, sunset 16:48.
constexpr ZmanDay kDay = {1, 1, 2007, 3124, 3500, 2, 0, 6, 39, 16, 48};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<char> text(size + 1);
  if (size != 0) std::memcpy(text.data(), data, size);
  text[size] = '\0';
  SetZmanimDiagnosticHook(&Silent, nullptr);
  int hour = 0, minute = 0;
  if (EvaluateZmanDefinition(&kDay, text.data(), &hour, &minute)) {
    const std::int64_t total = (std::int64_t)hour * 60 + minute;
    if (total < INT32_MIN || total > INT32_MAX || minute <= -60 || minute >= 60) std::abort();
  }
  return 0;
}
