// Cost of ReadingsForDate over every day of the Hebrew years 5760-5859, in
// each custom. One iteration is the whole range; "per_day" is the time of
// one call. The custom is read from exportcalshab.ini several times a call
// (nothing is cached, by design), so the figures include those reads.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "calendar/caldate.h"
#include "readings/reading_texts.h"
#include "readings/readings.h"
#include "platform/folders.h"

namespace {

constexpr CalDate kFirst = {1, 7, 5760};  // 1 Tishri
constexpr CalDate kEnd = {1, 7, 5860};    // the day after the range

void RunRange(benchmark::State& state, int diaspora) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tavlon-bench-" + std::to_string(std::rand()));
  std::filesystem::create_directory(folder);
  SetSettingsFolderOverride(folder.string().c_str());
  {
    std::ofstream ini(folder / kReadingSettingsFile, std::ios::binary);
    ini << "[Parasha]\r\nDiasporaFlag=" << diaspora << "\r\n[ParashSettings]\r\nLanguage=1\r\n";
  }

  const int first = AbsoluteFromHebrew(&kFirst);
  const int end = AbsoluteFromHebrew(&kEnd);
  long shabbatot = 0;
  for (auto _ : state) {
    shabbatot = 0;
    for (int d = first; d < end; ++d) {
      CalDate date;
      HebrewFromAbsolute(d, &date);
      ReadingsOfDay out;
      shabbatot += ReadingsForDate(date.day, date.month, date.year, &out, nullptr);
      benchmark::DoNotOptimize(out);
    }
  }
  state.counters["shabbatot"] = (double)shabbatot;
  state.counters["per_day"] = benchmark::Counter(
      end - first, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);

  SetSettingsFolderOverride(nullptr);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

void BM_ReadingsForDate_Diaspora(benchmark::State& state) { RunRange(state, 1); }
void BM_ReadingsForDate_Israel(benchmark::State& state) { RunRange(state, 0); }

BENCHMARK(BM_ReadingsForDate_Diaspora)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadingsForDate_Israel)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
