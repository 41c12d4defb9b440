// Cost of the location lookups: a name found in the user list, one found
// at the end of the built-in table (the longest linear search), one found
// nowhere, and filling the Select Location list.
#include <benchmark/benchmark.h>

#include "placetime/cities.h"

namespace {

void Lookup(benchmark::State& state, const char* name) {
  FreeUserCities(UserCities());
  for (int i = 0; i < 20; ++i) AddUserCity(UserCities(), "Somewhere", 1, 2, 3, 4);
  AddUserCity(UserCities(), "Yotvata", 2953, 3501, 2, 0);
  int latitude = 0, longitude = 0, timeZone = 0, elevation = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LookupCity(name, &latitude, &longitude, &timeZone, &elevation));
  }
  FreeUserCities(UserCities());
}

void BM_LookupUserCity(benchmark::State& state) { Lookup(state, "yotvata"); }
BENCHMARK(BM_LookupUserCity);

void BM_LookupLastBuiltinRow(benchmark::State& state) { Lookup(state, "calabasas, ca"); }
BENCHMARK(BM_LookupLastBuiltinRow);

void BM_LookupUnknownCity(benchmark::State& state) { Lookup(state, "Atlantis"); }
BENCHMARK(BM_LookupUnknownCity);

void BM_SelectLocationFill(benchmark::State& state) {
  UserCityList list{};
  for (int i = 0; i < 20; ++i) AddUserCity(&list, i % 2 ? "Jerusalem" : "Yotvata", 1, 2, 3, 4);
  LocationChoices choices;
  for (auto _ : state) {
    SelectLocationFill(&list, "New York, NY", &choices);
    benchmark::DoNotOptimize(choices.selected);
  }
}
BENCHMARK(BM_SelectLocationFill);

}  // namespace
