// Time zones by their tz database names ("America/New_York"): the clock
// offset of a day in a zone, daylight saving included, read from the
// system's tz database (/usr/share/zoneinfo) through Howard Hinnant's
// date/tz library, and the zone of a city. A build without the database
// (the Windows build) knows no zone: every lookup there returns 0.
#pragma once
#include <vector>

// 1 when this build reads the tz database.
int TimeZoneDatabaseAvailable();

// 1 when the database has a zone of this name, else 0.
int TimeZoneKnown(const char* zoneName);

// A zone made ready for many lookups: its database entry and the period
// of the last answer, so a run of days inside one period costs no search.
struct ZoneClock {
  const void* zone;           // the library's zone; null: no zone
  long long periodBegin;      // seconds since 1970 (UTC) of the last answer's
  long long periodEnd;        // period, [begin, end)
  int periodOffset;           // minutes east of UTC in that period
  int periodLocalMean;        // 1: the period is the zone's local mean time
};

// Returns 1 and readies `clock`, or 0 for a name the database lacks.
int ZoneClockOpen(ZoneClock* clock, const char* zoneName);

// The clock's offset east of UTC in minutes at noon of local standard
// time (`standardHours` east of GMT) on the Gregorian day: daylight saving
// is taken for whole days, as the day's noon finds it. Years after the
// database's last listed change (2037 in the tz files) take the same day
// of the latest listed year with the same calendar, so the rules in force
// then go on. A day before the zone kept a standard time (local mean time)
// gives standard time. Returns 1, or 0 when the clock has no zone.
int ZoneClockOffset(ZoneClock* clock, int day, int month, int year, int standardHours,
                    int* minutes);

// One change of a zone's clock.
struct ZoneChange {
  long long utc;   // seconds since 1970 (UTC) of the change
  int fromMinutes; // offset east of UTC before it
  int toMinutes;   // and after it
  int daylight;    // 1: daylight saving after it
  char name[16];   // the abbreviation after it ("EDT")
};

// The zone's offset and daylight flag on 1 January of `firstYear` (00:00
// UTC), and every change of its clock up to the end of `lastYear`, in
// order; years after the listed ones repeat the listed year of the same
// calendar, as ZoneClockOffset does. Returns the number of changes, or -1
// for a name the database lacks.
int ZoneChanges(const char* zoneName, int firstYear, int lastYear, int* startMinutes,
                int* startDaylight, char* startName /* [16] */, std::vector<ZoneChange>* out);

// The tz zone name of built-in row `index`, or null outside 0-1137.
const char* BuiltinCityZoneName(int index);

// The tz zone of the city `name` as LookupCity finds it: a user city's
// from [CityZones] of exportcal.ini (key: the city's name), a built-in
// city's from its row. Returns 1 with the name, or 0 (out = "") when the
// city has none or is not known.
int CityZoneName(const char* name, char* out, int outSize);

inline constexpr char kCityZonesSection[] = "CityZones";
