// Time zones from the tz database: a day's offset, years past the listed
// ones, the days before standard time, a city's zone and a zone's changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/caldate.h"
#include "placetime/cities.h"
#include "placetime/timezone.h"
#include "support/scratch_dir.h"

namespace {

// One clock per zone answers for many days in either order.
TEST(TimeZone, OffsetOfADay) {
  if (!TimeZoneDatabaseAvailable()) GTEST_SKIP() << "no tz database in this build";
  const struct {
    const char* zone;
    CalDate date;
    int standardHours;
    int minutes;  // east of UTC, from the zone's published rules
  } rows[] = {
      {"America/New_York", {3, 7, 2026}, -5, -240},   // EDT
      {"America/New_York", {8, 3, 2026}, -5, -240},   // the Sunday saving starts
      {"America/New_York", {7, 3, 2026}, -5, -300},   // the Saturday before
      // After 2037 the standing rule goes on: second Sunday of March 2100
      // is the 14th, first Sunday of November the 7th.
      {"America/New_York", {14, 3, 2100}, -5, -240},
      {"America/New_York", {7, 11, 2100}, -5, -300},
      // Before the zone kept standard time (local mean time): standard.
      {"America/New_York", {1, 7, 1850}, -5, -300},
      {"America/New_York", {1, 7, 2027}, -5, -240},
      {"Asia/Jerusalem", {3, 7, 2026}, 2, 180},
      {"Australia/Sydney", {2, 1, 2026}, 10, 660},    // southern summer
      {"Asia/Tokyo", {3, 7, 2026}, 9, 540},           // no saving at all
      {"Europe/Berlin", {29, 2, 2096}, 1, 60},        // a leap day far ahead
      // Saving in the First World War, none the summer before it.
      {"Europe/Berlin", {1, 7, 1916}, 1, 120},
      {"Europe/Berlin", {1, 7, 1914}, 1, 60},
  };
  ZoneClock clock;
  const char* open = "";
  for (const auto& row : rows) {
    if (std::string(open) != row.zone) {
      ASSERT_EQ(ZoneClockOpen(&clock, open = row.zone), 1);
    }
    int minutes = 0;
    ASSERT_EQ(ZoneClockOffset(&clock, row.date.day, row.date.month, row.date.year,
                              row.standardHours, &minutes),
              1);
    EXPECT_EQ(minutes, row.minutes) << row.zone << " " << row.date.year << "-"
                                    << row.date.month << "-" << row.date.day;
  }
}

TEST(TimeZone, UnknownNames) {
  for (const char* name : {"", "Nowhere/Town", "america/new_york/x", "../../etc/passwd"}) {
    EXPECT_EQ(TimeZoneKnown(name), 0) << name;
    ZoneClock clock;
    EXPECT_EQ(ZoneClockOpen(&clock, name), 0) << name;
    int minutes = 7;
    EXPECT_EQ(ZoneClockOffset(&clock, 1, 1, 2026, 0, &minutes), 0) << name;
    std::vector<ZoneChange> changes;
    int start, daylight;
    char abbrev[16];
    EXPECT_EQ(ZoneChanges(name, 2026, 2026, &start, &daylight, abbrev, &changes), -1) << name;
  }
}

TEST(TimeZone, ChangesOfAYear) {
  if (!TimeZoneDatabaseAvailable()) GTEST_SKIP() << "no tz database in this build";
  // New York 2026: 8 March 2:00 EST (07:00 UTC) and 1 November 2:00 EDT
  // (06:00 UTC); 2100 likewise on 14 March and 7 November.
  const struct {
    const char* zone;
    int year;
    std::vector<long long> utc;
  } rows[] = {
      {"America/New_York", 2026, {1772953200, 1793512800}},
      {"America/New_York", 2100, {4108690800, 4129250400}},
      {"Asia/Tokyo", 2026, {}},
  };
  for (const auto& row : rows) {
    std::vector<ZoneChange> changes;
    int start = 0, daylight = 1;
    char abbrev[16];
    ASSERT_EQ(ZoneChanges(row.zone, row.year, row.year, &start, &daylight, abbrev, &changes),
              (int)row.utc.size())
        << row.zone << " " << row.year;
    EXPECT_EQ(daylight, 0) << row.zone;
    for (std::size_t i = 0; i < changes.size(); ++i) {
      EXPECT_EQ(changes[i].utc, row.utc[i]) << row.zone << " " << row.year << " #" << i;
      EXPECT_EQ(changes[i].daylight, i == 0 ? 1 : 0) << row.zone << " #" << i;
    }
  }
}

TEST(TimeZone, ZoneOfACity) {
  ScratchDir dir;
  dir.Write("exportcal.ini", "[CityZones]\r\nhighland=America/Denver\r\n");
  UserCityList* list = UserCities();
  FreeUserCities(list);
  AddUserCity(list, "Highland", 4700, -1230, -7, 2400);
  AddUserCity(list, "Polar Town", 7800, 1500, 1, 100);
  AddUserCity(list, "Sydney", -3352, 15112, 10, 0);  // hides the built-in row
  const struct {
    const char* city;
    int found;
    const char* zone;
  } rows[] = {
      {"jerusalem", 1, "Asia/Jerusalem"},       {"Fairbanks, AK", 1, "America/Anchorage"},
      {"Highland", 1, "America/Denver"},        {"Polar Town", 0, ""},
      {"Sydney", 0, ""},                        {"Atlantis", 0, ""},
  };
  for (const auto& row : rows) {
    char zone[64] = "x";
    EXPECT_EQ(CityZoneName(row.city, zone, sizeof zone), row.found) << row.city;
    EXPECT_STREQ(zone, row.zone) << row.city;
  }
  FreeUserCities(list);
}

TEST(TimeZone, EveryBuiltinZoneIsKnown) {
  if (!TimeZoneDatabaseAvailable()) GTEST_SKIP() << "no tz database in this build";
  for (int i = 0; i < BuiltinCityCount(); ++i)
    EXPECT_EQ(TimeZoneKnown(BuiltinCityZoneName(i)), 1) << i << " " << BuiltinCityZoneName(i);
  EXPECT_EQ(BuiltinCityZoneName(-1), nullptr);
  EXPECT_EQ(BuiltinCityZoneName(BuiltinCityCount()), nullptr);
}

}  // namespace
