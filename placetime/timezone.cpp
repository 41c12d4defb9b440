// Time zones from the system's tz database.
#include "placetime/timezone.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "calendar/caldate.h"
#include "placetime/cities.h"
#include "placetime/city_table.h"
#include "platform/ini.h"
#include "settings/settings.h"

#if TAVLON_HAVE_TZDB
#include <chrono>
#include <date/tz.h>

namespace {

// The last year whose changes the compiled tz files list one by one;
// later years follow the zone's standing rule.
constexpr int kLastListedYear = 2037;

// The zone of that name, or null. The library throws for a name it does
// not know; that is a plain "no" here.
const date::time_zone* FindZone(const char* name) {
  if (!name || !*name) return nullptr;
  try {
    return date::locate_zone(name);
  } catch (const std::exception&) {
    return nullptr;
  }
}

// Zero-based weekday of 1 January and whether the year is a leap year:
// two years alike in both have the same calendar.
int CalendarKind(int year) {
  const CalDate first = {1, 1, year};
  return AbsoluteFromGregorian(&first) % 7 * 2 + (GregorianLastDayOfMonth(2, year) == 29);
}

// The latest year up to kLastListedYear with the calendar of `year`. Any
// 28 years hold every one of the 14 calendars.
int ListedYearLike(int year) {
  const int kind = CalendarKind(year);
  for (int y = kLastListedYear; y > kLastListedYear - 400; --y)
    if (CalendarKind(y) == kind) return y;
  return kLastListedYear;  // not reached
}

}  // namespace

int TimeZoneDatabaseAvailable() { return 1; }

int TimeZoneKnown(const char* zoneName) { return FindZone(zoneName) != nullptr; }

int ZoneClockOpen(ZoneClock* clock, const char* zoneName) {
  *clock = ZoneClock{FindZone(zoneName), 0, 0, 0, 0};
  return clock->zone != nullptr;
}

int ZoneClockOffset(ZoneClock* clock, int day, int month, int year, int standardHours,
                    int* minutes) {
  if (!clock->zone) return 0;
  // A like year keeps the leap day too.
  if (year > kLastListedYear) year = ListedYearLike(year);
  const CalDate date = {day, month, year};
  // Absolute day 1 is 1 January of year 1; day 719163 is 1 January 1970.
  const long long noon = (static_cast<long long>(AbsoluteFromGregorian(&date)) - 719163) * 86400 +
                         12 * 3600 - static_cast<long long>(standardHours) * 3600;
  if (!(clock->periodBegin <= noon && noon < clock->periodEnd)) {
    const auto* zone = static_cast<const date::time_zone*>(clock->zone);
    const date::sys_seconds at{std::chrono::seconds{noon}};
    date::sys_info info;
    try {
      info = zone->get_info(at);  // reads the zone's file on first use
    } catch (const std::exception&) {
      return 0;  // the file went missing or is damaged
    }
    clock->periodBegin = info.begin.time_since_epoch().count();
    clock->periodEnd = info.end.time_since_epoch().count();
    clock->periodOffset = static_cast<int>(info.offset.count() / 60);
    clock->periodLocalMean = info.abbrev == "LMT";
  }
  *minutes = clock->periodLocalMean ? standardHours * 60 : clock->periodOffset;
  return 1;
}

namespace {

// Seconds since 1970 of 1 January of `year`, 00:00 UTC.
long long YearStart(int year) {
  const CalDate first = {1, 1, year};
  return (static_cast<long long>(AbsoluteFromGregorian(&first)) - 719163) * 86400;
}

void CopyName(const std::string& from, char* to) {
  std::snprintf(to, 16, "%s", from.c_str());
}

}  // namespace

int ZoneChanges(const char* zoneName, int firstYear, int lastYear, int* startMinutes,
                int* startDaylight, char* startName, std::vector<ZoneChange>* out) {
  out->clear();
  const date::time_zone* zone = FindZone(zoneName);
  if (!zone) return -1;
  auto infoAt = [zone](long long seconds) {
    return zone->get_info(date::sys_seconds{std::chrono::seconds{seconds}});
  };
  try {
    infoAt(YearStart(2000));  // reads the zone's file, which may fail
  } catch (const std::exception&) {
    return -1;
  }
  const int firstListed = firstYear > kLastListedYear ? ListedYearLike(firstYear) : firstYear;
  const date::sys_info start = infoAt(YearStart(firstListed));
  *startMinutes = static_cast<int>(start.offset.count() / 60);
  *startDaylight = start.save.count() != 0;
  CopyName(start.abbrev, startName);
  int offset = *startMinutes;
  for (int year = firstYear; year <= lastYear; ++year) {
    // A year after the listed ones takes its like's changes, moved by the
    // whole days between the two.
    const int listed = year > kLastListedYear ? ListedYearLike(year) : year;
    const long long shift = YearStart(year) - YearStart(listed);
    const long long end = YearStart(listed + 1);
    long long at = YearStart(listed);
    for (;;) {
      const date::sys_info info = infoAt(at);
      const long long next = info.end.time_since_epoch().count();
      if (next >= end) break;
      const date::sys_info after = infoAt(next);
      ZoneChange change{next + shift, offset, static_cast<int>(after.offset.count() / 60),
                        after.save.count() != 0, {}};
      CopyName(after.abbrev, change.name);
      if (change.toMinutes != change.fromMinutes || change.daylight != (info.save.count() != 0))
        out->push_back(change);
      offset = change.toMinutes;
      at = next;
    }
  }
  return static_cast<int>(out->size());
}

#else  // no tz database in this build

int TimeZoneDatabaseAvailable() { return 0; }
int TimeZoneKnown(const char*) { return 0; }

int ZoneClockOpen(ZoneClock* clock, const char*) {
  *clock = ZoneClock{nullptr, 0, 0, 0, 0};
  return 0;
}

int ZoneClockOffset(ZoneClock*, int, int, int, int, int*) { return 0; }

int ZoneChanges(const char*, int, int, int*, int*, char*, std::vector<ZoneChange>* out) {
  out->clear();
  return -1;
}

#endif

const char* BuiltinCityZoneName(int index) {
  if (index < 0 || index >= kBuiltinCityCount) return nullptr;
  return kBuiltinCities[index].zoneName;
}

int CityZoneName(const char* name, char* out, int outSize) {
  if (outSize > 0) out[0] = '\0';
  if (!name || outSize <= 0) return 0;
  // A user city of the name hides a built-in one, as in LookupCity.
  if (FindUserCity(UserCities(), name, nullptr, nullptr, nullptr, nullptr)) {
    IniReadString(kCityZonesSection, name, "", out, outSize, kSettingsFile);
    return out[0] != '\0';
  }
  for (int i = 0; i < BuiltinCityCount(); ++i) {
    CityRecord city;
    GetBuiltinCity(i, &city);
    if (CityNameCompare(city.name, name) != 0) continue;
    const char* zone = BuiltinCityZoneName(i);
    if (!zone || std::strlen(zone) + 1 > static_cast<std::size_t>(outSize)) return 0;
    std::snprintf(out, static_cast<std::size_t>(outSize), "%s", zone);
    return 1;
  }
  return 0;
}
