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
#include <string>
#include <utility>

#include "placetime/cities.h"
#include "placetime/city_table.h"

namespace {

// dd.mm times 100 lies a hair off the whole number for most values; the
// "%f" step must bring it back (a plain cast gives 5046 for 50.47).
TEST(BuiltinCityTable, DegreesMinutesAbsorbRoundingError) {
  for (const auto& [value, packed] :
       {std::pair{50.47, 5047}, {-147.43, -14743}, {-0.06, -6}, {0.29, 29}, {179.59, 17959}})
    EXPECT_EQ(BuiltinDegreesMinutes(value), packed) << value;
}

// Every row converts into its legal range, and the conversion agrees with
// plain rounding of the decimal literal.
TEST(BuiltinCityTable, EveryRowConvertsIntoItsLegalRange) {
  for (int i = 0; i < kBuiltinCityCount; ++i) {
    const BuiltinCityRow& raw = kBuiltinCities[i];
    SCOPED_TRACE("row " + std::to_string(i));
    ASSERT_NE(std::memchr(raw.name, '\0', sizeof raw.name), nullptr);
    CityRecord city{};
    ASSERT_EQ(GetBuiltinCity(i, &city), 1);
    EXPECT_EQ(city.latitude, std::lround(raw.latitude * 100));
    EXPECT_EQ(city.longitude, std::lround(raw.longitude * 100));
    EXPECT_LE(std::abs(city.latitude), 6451);
    EXPECT_LT(std::abs(city.latitude) % 100, 60);
    EXPECT_LE(std::abs(city.longitude), 18000);
    EXPECT_LT(std::abs(city.longitude) % 100, 60);
  }
  CityRecord city{};
  EXPECT_EQ(GetBuiltinCity(kBuiltinCityCount, &city), 0);
  EXPECT_EQ(GetBuiltinCity(-1, &city), 0);
}

TEST(BuiltinCityTable, LookupsIgnoreCaseAndFindTheFirstRow) {
  FreeUserCities(UserCities());
  struct Row {
    const char* typed;
    int found;
    int latitude, longitude, timeZone, elevation;
  };
  const Row kRows[] = {
      {"New York, NY", 1, 4043, -7401, -5, 0},
      {"PFORZHEIM", 1, 4853, 842, 1, 263},
      {"AUCKLAND", 1, -3653, 17445, 12, 0},
      {"New York", 0, 0, 0, 0, 0},
      {"New York, NY ", 0, 0, 0, 0, 0},
  };
  for (const Row& row : kRows) {
    int latitude = 0, longitude = 0, timeZone = 0, elevation = 0;
    EXPECT_EQ(LookupCity(row.typed, &latitude, &longitude, &timeZone, &elevation), row.found)
        << row.typed;
    EXPECT_EQ(latitude, row.latitude) << row.typed;
    EXPECT_EQ(longitude, row.longitude) << row.typed;
    EXPECT_EQ(timeZone, row.timeZone) << row.typed;
    EXPECT_EQ(elevation, row.elevation) << row.typed;
  }
  // Tirana: the first of its two rows answers.
  CityRecord first{};
  ASSERT_EQ(GetBuiltinCity(600, &first), 1);
  int latitude = 0;
  ASSERT_EQ(LookupCity("tirana, albania", &latitude, nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(latitude, first.latitude);
}

}  // namespace
