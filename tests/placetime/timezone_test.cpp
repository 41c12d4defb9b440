// Time zones from the tz database. (A city's zone is checked where the
// exporter uses it.)
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "placetime/cities.h"
#include "placetime/timezone.h"

namespace {

// Offsets east of UTC from the zones' published rules; after 2037 the
// standing rule goes on, before standard time (local mean time) the
// standard offset counts.
TEST(TimeZone, OffsetsAndBuiltinZones) {
  if (!TimeZoneDatabaseAvailable()) GTEST_SKIP() << "no tz database in this build";
  // The zone, day, month, year, standard hours; the offset in minutes.
  constexpr std::tuple<const char*, int, int, int, int, int> rows[] = {
      {"America/New_York", 8, 3, 2026, -5, -240},  // the Sunday saving starts
      {"America/New_York", 7, 3, 2026, -5, -300},
      {"America/New_York", 14, 3, 2100, -5, -240},
      {"America/New_York", 7, 11, 2100, -5, -300},
      {"America/New_York", 1, 7, 1850, -5, -300},
      {"Australia/Sydney", 2, 1, 2026, 10, 660},
      {"Europe/Berlin", 1, 7, 1916, 1, 120},  // saving in the First World War
      {"Europe/Berlin", 1, 7, 1914, 1, 60},
  };
  for (const auto& [zone, day, month, year, standardHours, expected] : rows) {
    ZoneClock clock;
    ASSERT_EQ(ZoneClockOpen(&clock, zone), 1);
    int minutes = 0;
    ASSERT_EQ(ZoneClockOffset(&clock, day, month, year, standardHours, &minutes), 1);
    EXPECT_EQ(minutes, expected) << zone << " " << year << "-" << month << "-" << day;
  }
  for (int i = 0; i < BuiltinCityCount(); ++i)
    EXPECT_EQ(TimeZoneKnown(BuiltinCityZoneName(i)), 1) << i << " " << BuiltinCityZoneName(i);
}

TEST(TimeZone, UnknownNames) {
  for (const char* name : {"", "Nowhere/Town", "america/new_york/x", "../../etc/passwd"}) {
    EXPECT_EQ(TimeZoneKnown(name), 0) << name;
    ZoneClock clock;
    EXPECT_EQ(ZoneClockOpen(&clock, name), 0) << name;
    int minutes = 7, start, daylight;
    EXPECT_EQ(ZoneClockOffset(&clock, 1, 1, 2026, 0, &minutes), 0) << name;
    std::vector<ZoneChange> changes;
    char abbrev[16];
    EXPECT_EQ(ZoneChanges(name, 2026, 2026, &start, &daylight, abbrev, &changes), -1) << name;
  }
  EXPECT_EQ(BuiltinCityZoneName(-1), nullptr);
  EXPECT_EQ(BuiltinCityZoneName(BuiltinCityCount()), nullptr);
}

}  // namespace
