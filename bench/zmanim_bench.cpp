// Cost of the whole zmanim block of a day record (ZmanimDayText with every
// zman, the sha'a zmanit and the Erev Pesach lines) for every day of 100
// years, 2000-2099, in Jerusalem. One iteration is the whole range, timed
// by the wall clock (the settings reads are system calls);
// "per_day" is the time of one day. Sun times, depressions and the chosen
// methods are computed or read afresh for each day (nothing is cached, by
// design); the settings folder is an empty temporary folder, so every
// method is the first one and no daylight saving applies.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "calendar/caldate.h"
#include "settings/settings.h"
#include "placetime/window_state.h"
#include "placetime/zmanim.h"
#include "platform/folders.h"

namespace {

constexpr CalDate kFirst = {1, 1, 2000};
constexpr CalDate kLast = {31, 12, 2099};

void BM_ZmanimDayText(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tavlon-bench-" + std::to_string(std::rand()));
  std::filesystem::create_directory(folder);
  SetSettingsFolderOverride(folder.string().c_str());

  CalWindowState city{};
  city.locationKnown = 1;
  city.latitude = 3124;
  city.longitude = 3500;
  city.timeZone = 2;
  IncludeFlags flags{};
  for (int i = kFirstZmanFlag; i < kIncludeFlagCount; ++i) flags.flag[i] = 1;

  const int first = AbsoluteFromGregorian(&kFirst);
  const int last = AbsoluteFromGregorian(&kLast);
  long long bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (int d = first; d <= last; ++d) {
      CalDate g;
      GregorianFromAbsolute(d, &g);
      char out[2048];
      bytes += ZmanimDayText(g.day, g.month, g.year, out, sizeof out, &city, &flags);
      benchmark::DoNotOptimize(out);
    }
  }
  const double days = (double)(last - first + 1);
  state.counters["days"] = days;
  state.counters["per_day"] =
      benchmark::Counter(days * (double)state.iterations(),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["bytes_per_day"] = (double)bytes / days;

  SetSettingsFolderOverride(nullptr);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}
BENCHMARK(BM_ZmanimDayText)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace
