// The built-in city table: the dd.mm conversion and legal range of every
// row, and the lookups that reach the table (Pforzheim from GeoNames,
// 48.88436 N: 48 53 N).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "placetime/cities.h"
#include "placetime/city_table.h"

namespace {

// Every row converts into its legal range, as plain rounding of its
// decimal literal does (dd.mm times 100 lies a hair off the whole number:
// a plain cast gives 5046 for 50.47).
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
  // A name is found whole, in any case; of two rows the first answers.
  FreeUserCities(UserCities());
  for (const auto& [typed, found] : {std::pair{"PFORZHEIM", 4853}, {"New York", 0}, {"New York, NY ", 0}, {"tirana, albania", 4120}}) {
    int latitude = 0;
    EXPECT_EQ(LookupCity(typed, &latitude, nullptr, nullptr, nullptr), found != 0) << typed;
    EXPECT_EQ(latitude, found) << typed;
  }
}

}  // namespace
