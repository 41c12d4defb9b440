// The built-in city table: 1138 constant rows compiled into the program,
// written by tools/make-city-table. Read it through GetBuiltinCity
// (cities.h), which turns a row into a CityRecord.
#pragma once
#include <cstdint>

inline constexpr int kBuiltinCityCount = 1138;
inline constexpr int kBuiltinCityNameSize = 40;  // 39 characters and NUL padding

// Latitude and longitude are written dd.mm: the integer part the degrees,
// the first two decimals the minutes (50.47 is 50 deg 47 min), negative for
// South and West.
struct BuiltinCityRow {
  char name[kBuiltinCityNameSize];  // Windows-1252, NUL-padded
  double latitude;
  double longitude;
  std::int32_t timeZone;  // whole hours east of GMT, -10..12
  std::int32_t reserved;  // always 0
  const char* zoneName;   // the tz zone of the city's point ("Europe/Berlin")
};

extern const BuiltinCityRow kBuiltinCities[kBuiltinCityCount];
