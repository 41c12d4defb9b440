// Cost of the calendar conversions, per call, over the supported range.
#include <benchmark/benchmark.h>

#include "calendar/caldate.h"

namespace {

constexpr CalDate kFirst = {1, 1, 1583};
constexpr CalDate kLast = {31, 12, 3000};

// Walks the days of 1583-3000 with a stride that visits every month kind.
int NextDay(int d, int first, int last) { return d + 97 > last ? first + (d + 97 - last) % 97 : d + 97; }

void BM_HebrewFromAbsolute(benchmark::State& state) {
  const int first = AbsoluteFromGregorian(&kFirst);
  const int last = AbsoluteFromGregorian(&kLast);
  int d = first;
  CalDate date{};
  for (auto _ : state) {
    HebrewFromAbsolute(d, &date);
    benchmark::DoNotOptimize(date);
    d = NextDay(d, first, last);
  }
}
BENCHMARK(BM_HebrewFromAbsolute);

void BM_AbsoluteFromHebrew(benchmark::State& state) {
  int year = 5344;
  int month = 1;
  for (auto _ : state) {
    const CalDate date = {15, month, year};
    benchmark::DoNotOptimize(AbsoluteFromHebrew(&date));
    month = month % 12 + 1;
    year = year == 5860 ? 5344 : year + 1;
  }
}
BENCHMARK(BM_AbsoluteFromHebrew);

void BM_AbsoluteFromGregorian(benchmark::State& state) {
  int year = 1583;
  int month = 1;
  for (auto _ : state) {
    const CalDate date = {15, month, year};
    benchmark::DoNotOptimize(AbsoluteFromGregorian(&date));
    month = month % 12 + 1;
    year = year == 3000 ? 1583 : year + 1;
  }
}
BENCHMARK(BM_AbsoluteFromGregorian);

void BM_GregorianFromAbsolute(benchmark::State& state) {
  const int first = AbsoluteFromGregorian(&kFirst);
  const int last = AbsoluteFromGregorian(&kLast);
  int d = first;
  CalDate date{};
  for (auto _ : state) {
    GregorianFromAbsolute(d, &date);
    benchmark::DoNotOptimize(date);
    d = NextDay(d, first, last);
  }
}
BENCHMARK(BM_GregorianFromAbsolute);

}  // namespace
