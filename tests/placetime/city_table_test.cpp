// The built-in city table: the dd.mm conversion, the legal range of every
// row, and the lookups that reach the table.
//
// Expected coordinates are the table's published values (Auckland 36 53 S
// 174 45 E, New York 40 43 N 74 01 W); Pforzheim's come from GeoNames
// (48.88436 N, 8.69892 E: 48 53 N, 8 42 E).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "placetime/cities.h"
#include "placetime/city_table.h"

namespace {

// Every row converts into its legal range, as plain rounding of its
// decimal literal does (dd.mm times 100 lies a hair off the whole number:
// a plain cast gives 5046 for 50.47); lookups ignore case and find the first row (Tirana
// has two).
TEST(BuiltinCityTable, EveryRowInRangeAndLookups) {
  for (int i = 0; i < kBuiltinCityCount; ++i) {
    const BuiltinCityRow& raw = kBuiltinCities[i];
    CityRecord city{};
    ASSERT_EQ(GetBuiltinCity(i, &city), 1);
    ASSERT_NE(std::memchr(raw.name, '\0', sizeof raw.name), nullptr) << i;
    EXPECT_EQ(city.latitude, std::lround(raw.latitude * 100)) << i;
    EXPECT_EQ(city.longitude, std::lround(raw.longitude * 100)) << i;
    EXPECT_TRUE(std::abs(city.latitude) <= 6451 && std::abs(city.latitude) % 100 < 60) << i;
    EXPECT_TRUE(std::abs(city.longitude) <= 18000 && std::abs(city.longitude) % 100 < 60) << i;
  }
  CityRecord city{};
  EXPECT_EQ(GetBuiltinCity(kBuiltinCityCount, &city) + GetBuiltinCity(-1, &city), 0);
  FreeUserCities(UserCities());
  ASSERT_EQ(GetBuiltinCity(600, &city), 1);
  ASSERT_STREQ(city.name, "Tirana, Albania");
  const struct {
    const char* typed;
    int found, latitude, longitude, timeZone, elevation;
  } rows[] = {
      {"New York, NY", 1, 4043, -7401, -5, 0},
      {"PFORZHEIM", 1, 4853, 842, 1, 263},
      {"AUCKLAND", 1, -3653, 17445, 12, 0},
      {"tirana, albania", 1, city.latitude, city.longitude, city.timeZone, city.elevation},
      {"New York", 0, 0, 0, 0, 0},
      {"New York, NY ", 0, 0, 0, 0, 0},
  };
  for (const auto& row : rows) {
    int latitude = 0, longitude = 0, timeZone = 0, elevation = 0;
    EXPECT_EQ(LookupCity(row.typed, &latitude, &longitude, &timeZone, &elevation), row.found) << row.typed;
    EXPECT_EQ(std::vector<int>({latitude, longitude, timeZone, elevation}),
              std::vector<int>({row.latitude, row.longitude, row.timeZone, row.elevation}))
        << row.typed;
  }
}

}  // namespace
