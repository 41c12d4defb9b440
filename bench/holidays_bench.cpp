// Cost of HolidaysOfDay over every day of 1583-3000, both customs. One
// iteration is the whole range; "per_day" is the time of one call.
// The Hebrew-text setting is read from the settings file on each call that
// finds a holiday (nothing is cached, by design), so the first figure
// includes those reads; the second points the settings folder at an empty
// temporary folder, the third to one whose exportcal.ini turns Hebrew names
// on among a few dozen other keys, the fourth asks for the key only and
// reads no setting.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "calendar/caldate.h"
#include "calendar/callang.h"
#include "calendar/holidays.h"
#include "settings/settings.h"
#include "platform/folders.h"

namespace {

constexpr CalDate kFirst = {1, 1, 1583};
constexpr CalDate kLast = {31, 12, 3000};

enum Mode { kAsConfigured, kEmptySettingsFolder, kHebrewSettingsFile, kKeyOnly };

void RunRange(benchmark::State& state, Mode mode) {
  if (!CallangInitialize()) {
    state.SkipWithError("CallangInitialize failed");
    return;
  }
  std::filesystem::path folder;
  if (mode == kEmptySettingsFolder || mode == kHebrewSettingsFile) {
    folder = std::filesystem::temp_directory_path() /
             ("tavlon-bench-" + std::to_string(std::rand()));
    std::filesystem::create_directory(folder);
    SetSettingsFolderOverride(folder.string().c_str());
  }
  if (mode == kHebrewSettingsFile) {
    std::ofstream ini(folder / kSettingsFile, std::ios::binary);
    ini << "[OutlookZmanim]\r\n";
    for (int i = 0; i < kIncludeFlagCount; ++i) ini << IncludeFlagKey(i) << "=1\r\n";
    ini << "[OutlookExport]\r\nExportType=2\r\nBusyStatus=1000\r\n"
           "[Settings]\r\nDateFormat=0\r\nTimeFormat=0\r\n"
           "[Flags]\r\nLeftToRight=1\r\nHebrewFlag=1\r\n";
  }

  // The text mode the figure was taken in. (Naming the settings store here
  // also links it ahead of the calendar library, which calls into it.)
  state.counters["hebrew_flag"] = GetHebrewFlag();

  const int first = AbsoluteFromGregorian(&kFirst);
  const int last = AbsoluteFromGregorian(&kLast);
  long holidays = 0;
  for (auto _ : state) {
    holidays = 0;
    for (int d = first; d <= last; ++d) {
      for (int diaspora = 0; diaspora <= 1; ++diaspora) {
        char key[kHolidayKeySize];
        char text[256];
        holidays += mode == kKeyOnly ? HolidaysOfDay(d, diaspora, key, nullptr, 0)
                                     : HolidaysOfDay(d, diaspora, key, text, sizeof text);
        benchmark::DoNotOptimize(key);
      }
    }
  }
  const double calls = 2.0 * (last - first + 1);
  state.counters["holiday_days"] = (double)holidays;
  state.counters["per_day"] = benchmark::Counter(
      calls, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);

  if (!folder.empty()) {
    SetSettingsFolderOverride(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
}

void BM_HolidaysOfDay_AsConfigured(benchmark::State& state) { RunRange(state, kAsConfigured); }
void BM_HolidaysOfDay_EmptySettingsFolder(benchmark::State& state) {
  RunRange(state, kEmptySettingsFolder);
}
void BM_HolidaysOfDay_HebrewSettingsFile(benchmark::State& state) {
  RunRange(state, kHebrewSettingsFile);
}
void BM_HolidaysOfDay_KeyOnly(benchmark::State& state) { RunRange(state, kKeyOnly); }

BENCHMARK(BM_HolidaysOfDay_AsConfigured)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HolidaysOfDay_EmptySettingsFolder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HolidaysOfDay_HebrewSettingsFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HolidaysOfDay_KeyOnly)->Unit(benchmark::kMillisecond);

}  // namespace
