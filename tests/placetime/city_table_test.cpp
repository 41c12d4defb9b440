// The built-in city table: the rows other code relies on at their indices,
// the dd.mm conversion, the legal range of every row, and the lookups that
// reach the table.
//
// Expected coordinates of the fixed rows are the table's own published
// values (Aachen 50 47 N 6 05 E, Jerusalem 31 24 N 35 00 E, Fairbanks
// 64 51 N 147 43 W, New York 40 43 N 74 01 W, Auckland 36 53 S 174 45 E,
// Calabasas 34 09 N 118 38 W); Pforzheim's come from GeoNames
// (48.88436 N, 8.69892 E: 48 53 N, 8 42 E).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "placetime/cities.h"
#include "placetime/city_table.h"

namespace {

TEST(BuiltinCityTable, FixedRowsAtTheirIndices) {
  struct Row {
    int index;
    const char* name;
    double rawLatitude, rawLongitude;
    int latitude, longitude, timeZone, elevation;
  };
  constexpr Row kRows[] = {
      {0, "Aachen", 50.47, 6.05, 5047, 605, 1, 0},
      {188, "Jerusalem", 31.24, 35.00, 3124, 3500, 2, 0},
      {207, "Fairbanks, AK", 64.51, -147.43, 6451, -14743, -10, 0},
      {230, "New York, NY", 40.43, -74.01, 4043, -7401, -5, 0},
      {840, "Auckland", -36.53, 174.45, -3653, 17445, 12, 0},
      {1137, "Calabasas, CA", 34.09, -118.38, 3409, -11838, -8, 0},
  };
  for (const Row& row : kRows) {
    const BuiltinCityRow& raw = kBuiltinCities[row.index];
    EXPECT_STREQ(raw.name, row.name) << row.index;
    EXPECT_EQ(raw.latitude, row.rawLatitude) << row.name;
    EXPECT_EQ(raw.longitude, row.rawLongitude) << row.name;
    EXPECT_EQ(raw.timeZone, row.timeZone) << row.name;
    EXPECT_EQ(raw.reserved, 0) << row.name;

    CityRecord city{};
    ASSERT_EQ(GetBuiltinCity(row.index, &city), 1) << row.name;
    EXPECT_STREQ(city.name, row.name);
    EXPECT_EQ(city.latitude, row.latitude) << row.name;
    EXPECT_EQ(city.longitude, row.longitude) << row.name;
    EXPECT_EQ(city.timeZone, row.timeZone) << row.name;
    EXPECT_EQ(city.elevation, row.elevation) << row.name;
  }
  CityRecord city{};
  EXPECT_EQ(GetBuiltinCity(1138, &city), 0);
  EXPECT_EQ(GetBuiltinCity(-1, &city), 0);
}

// dd.mm times 100 lies a hair off the whole number for most values; the
// "%f" step must bring it back (a plain cast gives 5046 for 50.47).
TEST(BuiltinCityTable, DegreesMinutesAbsorbRoundingError) {
  struct Row {
    double value;
    int packed;
  };
  constexpr Row kRows[] = {
      {50.47, 5047}, {-147.43, -14743}, {-0.06, -6}, {0.29, 29}, {179.59, 17959},
  };
  for (const Row& row : kRows) EXPECT_EQ(BuiltinDegreesMinutes(row.value), row.packed) << row.value;
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
    EXPECT_GE(city.latitude, -4118);
    EXPECT_LE(city.latitude, 6451);
    EXPECT_LT(std::abs(city.latitude) % 100, 60);
    EXPECT_LE(std::abs(city.longitude), 18000);
    EXPECT_LT(std::abs(city.longitude) % 100, 60);
    EXPECT_GE(city.timeZone, -10);
    EXPECT_LE(city.timeZone, 12);
  }
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
    if (!row.found) continue;
    EXPECT_EQ(latitude, row.latitude) << row.typed;
    EXPECT_EQ(longitude, row.longitude) << row.typed;
    EXPECT_EQ(timeZone, row.timeZone) << row.typed;
    EXPECT_EQ(elevation, row.elevation) << row.typed;
  }

  // Tirana: the first of its two rows answers.
  CityRecord first{};
  ASSERT_EQ(GetBuiltinCity(600, &first), 1);
  int latitude = 0, longitude = 0;
  ASSERT_EQ(LookupCity("tirana, albania", &latitude, &longitude, nullptr, nullptr), 1);
  EXPECT_EQ(latitude, first.latitude);
  EXPECT_EQ(longitude, first.longitude);
}

}  // namespace
