// The zman lines of a day, whose definitions are read once and then only
// evaluated, against EvaluateZmanDefinition reading each definition afresh:
// every method of the table, through a year, at places with short and
// long days, polar days and nights, the southern hemisphere and a high
// city, in both time formats.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "calendar/names.h"
#include "settings/settings.h"
#include "placetime/suntimes.h"
#include "placetime/zmanim.h"
#include "support/scratch_dir.h"

namespace {

struct Place {
  const char* name;
  int latitude, longitude, timeZone, elevation;
};

constexpr Place kPlaces[] = {
    {"Jerusalem", 3124, 3500, 2, 0},   {"New York", 4043, -7401, -5, 0},
    {"Helsinki", 6010, 2458, 2, 0},    {"Tromso", 6940, 1857, 1, 0},
    {"Sydney", -3352, 15112, 10, 0},   {"Quito, 2850 m", -14, -7831, -5, 2850},
};

// The line EvaluateZmanDefinition gives zman `index` on the day: its clock
// text (am/pm on) taken into the day, or "--:--".
std::string ExpectedLine(const ZmanDay& day, int sunKnown, int index) {
  const ZmanEntry* entry = ZmanimEntry(index);
  const char* definition = ZmanConfiguredDefinition(index);
  if (definition == nullptr) return "";
  int hour = 0, minute = 0;
  std::string time = "--:--";
  if (sunKnown && EvaluateZmanDefinition(&day, definition, &hour, &minute)) {
    std::int64_t total = ((std::int64_t)hour * 60 + minute) % (24 * 60);
    if (total < 0) total += 24 * 60;
    char text[256] = "";
    FormatTime((int)(total / 60), (int)(total % 60), text, 1);
    time = text;
  }
  return std::string(entry->name) + ": " + time + "\r\n";
}

TEST(ZmanimPrograms, EveryMethodEvaluatesAsItsDefinition) {
  ScratchDir dir;
  int compared = 0, failed = 0;
  for (int timeFormat = 0; timeFormat < 2; ++timeFormat) {
    for (int index = 0; index < kZmanCount; ++index) {
      const ZmanEntry* entry = ZmanimEntry(index);
      const int methods = entry->kind == kZmanChoice ? entry->methodCount : 1;
      for (int m = 0; m < methods; ++m) {
        std::string ini = "[Settings]\r\nTimeFormat=" + std::to_string(timeFormat) + "\r\n";
        if (entry->kind == kZmanChoice)
          ini += std::string("[Zmanim]\r\n") + entry->name + "=" + entry->methods[m].key + "\r\n";
        dir.Write(kSettingsFile, ini);
        ASSERT_EQ(ZmanConfiguredMethod(index), entry->kind == kZmanChoice ? m : -1);
        for (const Place& place : kPlaces) {
          CalWindowState state{};
          state.locationKnown = 1;
          state.latitude = place.latitude;
          state.longitude = place.longitude;
          state.timeZone = place.timeZone;
          state.elevation = place.elevation;
          IncludeFlags flags{};
          flags.flag[kFirstZmanFlag + index] = 1;
          for (int dayOfYear = 1; dayOfYear <= 365; dayOfYear += 29) {  // a day a month
            CalDate date;
            const CalDate newYear = {1, 1, 2007};
            GregorianFromAbsolute(AbsoluteFromGregorian(&newYear) + dayOfYear - 1, &date);
            ZmanDay day = {date.day, date.month, date.year, place.latitude, place.longitude,
                           place.timeZone, place.elevation, 0, 0, 0, 0};
            const int sunKnown =
                GetSunriseSunset(date.day, date.month, date.year, 1, place.latitude,
                                 place.longitude, place.timeZone, place.elevation,
                                 &day.sunriseHour, &day.sunriseMinute) &&
                GetSunriseSunset(date.day, date.month, date.year, 0, place.latitude,
                                 place.longitude, place.timeZone, place.elevation,
                                 &day.sunsetHour, &day.sunsetMinute);
            const std::string expected = ExpectedLine(day, sunKnown, index);
            failed += expected.find("--:--") != std::string::npos;
            char text[2048];
            ZmanimDayText(date.day, date.month, date.year, text, sizeof text, &state, &flags);
            ASSERT_EQ(std::string(text), expected)
                << entry->name << " method " << m << " at " << place.name << " on " << date.day
                << "." << date.month << ", time format " << timeFormat;
            if (sunKnown) {
              ZmanimLines(&day, text, sizeof text, &flags.flag[kFirstZmanFlag]);
              ASSERT_EQ(std::string(text), expected)
                  << entry->name << " method " << m << " at " << place.name << " on "
                  << date.day << "." << date.month << ", time format " << timeFormat;
            }
            ++compared;
          }
        }
      }
    }
  }
  EXPECT_GT(failed, 0);            // days without the time were among them
  EXPECT_GT(compared - failed, 0);  // and days with it
}

// A day's sun computed once gives what the separate computations give.
TEST(SunDay, AgreesWithTheSeparateComputations) {
  ScratchDir dir;
  // Saving from the last Sunday of March to the last Sunday of October.
  dir.Write("daylight.ini", "[DaylightSaving]\r\nIsAvail=1\r\n");
  const double angles[] = {-1.0, 0.0, 0.5, 5.95, 8.5, 11.0, 16.1, 18.0, 90.0, 90.5};
  for (const Place& place : kPlaces) {
    for (int dayOfYear = 1; dayOfYear <= 366; dayOfYear += 3) {
      CalDate date;
      const CalDate newYear = {1, 1, 2008};
      GregorianFromAbsolute(AbsoluteFromGregorian(&newYear) + dayOfYear - 1, &date);
      SunDay sun;
      SunDayCompute(&sun, date.day, date.month, date.year, place.latitude, place.longitude,
                    place.timeZone, place.elevation);
      // The interval from sunset to each depth: the sunsets of the two
      // zeniths, each computed on its own (as GetDepressionInterval
      // describes), against the one record.
      for (double angle : angles) {
        int hours = -7, minutes = -7;
        const int ok = SunDayDepressionInterval(&sun, angle, &hours, &minutes);
        int expectedOk = angle >= -90.0 && angle <= 90.0;
        int expectedHours = 0, expectedMinutes = 0;
        if (expectedOk) {
          const int lat = place.latitude < 0 ? -place.latitude : place.latitude;
          const int lon = place.longitude < 0 ? -place.longitude : place.longitude;
          double r1, s1, r2, s2;
          const double a = 90 + angle;
          expectedOk =
              ComputeSunEvents(date.day, date.month, date.year, 90, 50, lon / 100, lon % 100,
                               place.longitude >= 0, lat / 100, lat % 100, place.latitude < 0,
                               place.timeZone, place.elevation, &r1, &s1) &&
              ComputeSunEvents(date.day, date.month, date.year, (int)a,
                               (int)((a - (int)a) * 60.0), lon / 100, lon % 100,
                               place.longitude >= 0, lat / 100, lat % 100, place.latitude < 0,
                               place.timeZone, place.elevation, &r2, &s2);
          if (expectedOk) {
            int h1, m1, h2, m2;
            HoursToClock(s1, &h1, &m1);
            HoursToClock(s2, &h2, &m2);
            if (h1 < 12) h1 += 12;
            if (h2 < 12) h2 += 12;
            const int total = (h2 - h1) * 60 - m1 + m2;
            expectedHours = total / 60;
            expectedMinutes = total % 60;
          }
        }
        ASSERT_EQ(ok, expectedOk) << place.name << " day " << dayOfYear << " angle " << angle;
        if (ok) {
          EXPECT_EQ(hours, expectedHours) << place.name << " day " << dayOfYear << " " << angle;
          EXPECT_EQ(minutes, expectedMinutes) << place.name << " day " << dayOfYear << " " << angle;
        }
      }
    }
  }
}

}  // namespace
