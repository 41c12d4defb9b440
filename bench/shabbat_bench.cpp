// Shabbat lines over a long export, and the sun-time cache when it is large.
#include <benchmark/benchmark.h>

#include "calendar/caldate.h"
#include "placetime/daylight.h"
#include "placetime/shabbat.h"
#include "placetime/suntimes.h"
#include "tests/support/scratch_dir.h"

namespace {

CalWindowState Jerusalem() {
  CalWindowState s{};
  s.locationKnown = 1;
  s.latitude = 3124;
  s.longitude = 3500;
  s.timeZone = 2;
  s.candleLightingMinutes = 18;
  s.havdalahMinutes = 45;
  s.havdalahByMinutes = 0;  // by degrees: both cache kinds are used
  s.havdalahDegrees = 8.5;
  return s;
}

// The Shabbat lines of every day of 2000-2099 for one city, as an export
// composes them: the first pass fills the cache, later passes hit it. The
// rate is per day of the range.
void BM_ShabbatLinesCentury(benchmark::State& state) {
  ScratchDir dir;
  dir.Write(kDaylightFile, "[DaylightSaving]\r\nIsAvail=1\r\n");
  SunCacheReset();
  const CalWindowState city = Jerusalem();
  const CalDate first = {1, 1, 2000}, last = {31, 12, 2099};
  const int from = AbsoluteFromGregorian(&first), to = AbsoluteFromGregorian(&last);
  char out[kShabbatLinesSize];
  for (auto _ : state) {
    if (state.range(0)) SunCacheReset();  // every pass computes anew
    for (int d = from; d <= to; ++d) {
      CalDate date;
      GregorianFromAbsolute(d, &date);
      ShabbatLines(date.day, date.month, date.year, out, &city);
      benchmark::DoNotOptimize(out);
    }
  }
  state.SetItemsProcessed(state.iterations() * (to - from + 1));
  SunCacheReset();
}
BENCHMARK(BM_ShabbatLinesCentury)->Arg(1)->Arg(0)->ArgNames({"cold"})->Unit(benchmark::kMillisecond);

// Lookups in a cache of `entries` entries (sunsets of consecutive days of
// many places), half of them misses.
void BM_SunCacheFind(benchmark::State& state) {
  SunCacheReset();
  const int entries = static_cast<int>(state.range(0));
  for (int i = 0; i < entries; ++i)
    SunCacheAdd(1 + i % 28, 1 + (i / 28) % 12, 2000 + i / 336, 3124 + i % 7, 3500, 2,
                kSunCacheSunset, 0.0, 16, 48);
  int i = 0, hours, minutes;
  for (auto _ : state) {
    const int k = i++ % (2 * entries);  // k >= entries: a year never stored
    benchmark::DoNotOptimize(SunCacheFind(1 + k % 28, 1 + (k / 28) % 12, 2000 + k / 336,
                                          3124 + k % 7, 3500, 2, kSunCacheSunset, 0.0, &hours,
                                          &minutes));
  }
  SunCacheReset();
}
BENCHMARK(BM_SunCacheFind)->Arg(100)->Arg(100000);

}  // namespace
