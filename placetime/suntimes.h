// Sun times: sunrise, sunset and the moment the sun is a given depth below
// the horizon, for a Gregorian date and a location in packed degrees-minutes
// (degrees * 100 + minutes, negative for South and West), a whole-hour time
// zone east of GMT and an elevation in meters. Results are whole minutes of
// local clock time. Every operation returns 1, or 0 when the sun does not
// rise or set that day at that place (polar day or night): no time then.
#pragma once

// The raw solar computation: sunrise and sunset in hours of local standard
// time, not yet brought into 0-24. Returns 1, or 0 (outputs unusable) when
// either pass finds no hour angle, and for a month outside 1-12.
int ComputeSunEvents(int day, int month, int year, int zenithDegrees, int zenithMinutes,
                     int longitudeDegrees, int longitudeMinutes, int east,
                     int latitudeDegrees, int latitudeMinutes, int south, int timeZone,
                     int elevation, double* sunrise, double* sunset);

// Hours as a clock time: a negative value gains 24 once; the minute is
// rounded; an hour above 24 loses 24 once (exactly 24 stays 24).
void HoursToClock(double hours, int* hour, int* minute);

// Sunrise (`sunrise` = 1) or sunset (0) as local clock time with daylight
// saving applied.
int GetSunriseSunset(int day, int month, int year, int sunrise, int latitude, int longitude,
                     int timeZone, int elevation, int* hour, int* minute);

// The time from sunset until the sun is `angle` degrees below the horizon,
// as hours and minutes (a duration: no daylight saving). An angle outside
// -90 to 90, or no number, has no such moment: 0.
int GetDepressionInterval(int day, int month, int year, double angle, int latitude,
                          int longitude, int timeZone, int elevation, int* hours, int* minutes);

// What the solar computation of one day at one place works out before the
// zenith enters it: the same for every depth of the sun that day.
struct SunFrame {
  double w;               // longitude in hours, positive toward the West
  double sinPhi, cosPhi;  // of the latitude
  double tRise, tSet;     // the times of the two passes, in days
  double raRise, sinDeclRise, cosDeclRise;  // each pass's right ascension
  double raSet, sinDeclSet, cosDeclSet;     // (hours) and declination
};

// One day's sun at one place, for a caller that needs several of its times:
// the standard sunrise and sunset are computed once, and the sunrise,
// sunset and depression intervals taken from the record are the values
// GetSunriseSunset and GetDepressionInterval give for the same arguments.
struct SunDay {
  int day, month, year, latitude, longitude, timeZone, elevation;
  int ok;                 // 0: the sun does not rise or set that day
  double sunrise, sunset; // hours of local standard time, as computed
  SunFrame frame;         // when the month is 1-12
};
void SunDayCompute(SunDay* sun, int day, int month, int year, int latitude, int longitude,
                   int timeZone, int elevation);
// GetSunriseSunset of the record's day.
int SunDaySunriseSunset(const SunDay* sun, int sunrise, int* hour, int* minute);
// Both at once, daylight saving looked up once for the two. Returns 1, or
// 0 with the four values untouched.
int SunDaySunriseAndSunset(const SunDay* sun, int* riseHour, int* riseMinute, int* setHour,
                           int* setMinute);
// GetDepressionInterval of the record's day.
int SunDayDepressionInterval(const SunDay* sun, double angle, int* hours, int* minutes);

// Where the clock times get their daylight saving from. Without a source
// (the program's way) it is the one rule of daylight.ini; a source gives,
// for a Gregorian day and the city's standard zone (whole hours east of
// GMT), the minutes the clock is ahead of that standard time (0 for
// none), as a city's tz zone says. Setting or clearing a source empties
// the sun-time cache, whose sunsets hold the saving of their day.
using DaylightSource = int (*)(void* context, int day, int month, int year, int timeZone);
void SetDaylightSource(DaylightSource source, void* context);

// Candle lighting (`candle` set: sunset less candleMinutes) or the end of
// Shabbat (sunset plus havdalahMinutes, or by havdalahAngle degrees of
// depression), through the sun-time cache. The hour is not wrapped.
int GetSunsetBasedTime(int day, int month, int year, int candle, int candleMinutes,
                       int havdalahMinutes, int havdalahByMinutes, double havdalahAngle,
                       int latitude, int longitude, int timeZone, int elevation, int* hour,
                       int* minute);

// The process-wide cache of computed sunsets and depression intervals, for
// the life of the program (it only grows until reset). An entry is keyed on
// the date, latitude, longitude and time zone (not the elevation), the kind
// of value and the angle. Angles are keyed rounded to hundredths, so 8.5
// and 8.504 share an entry and 8.5 and 8.52 do not; settings store angles
// with two decimals. A sunset is never taken for a depression interval,
// whatever the angle. Lookups cost the same however many entries there are.
enum SunCacheKind {
  kSunCacheSunset = 0,      // sunset with daylight saving, angle 0.0
  kSunCacheDepression = 1,  // interval from sunset to `angle` below the horizon
};
void SunCacheInit();
void SunCacheFree();
void SunCacheReset();  // free, then init: after the daylight-saving rule changed
// 1 with the stored hours and minutes, or 0 when there is no such entry.
int SunCacheFind(int day, int month, int year, int latitude, int longitude, int timeZone,
                 int kind, double angle, int* hours, int* minutes);
// Stores a value; a later value for the same key answers from then on.
void SunCacheAdd(int day, int month, int year, int latitude, int longitude, int timeZone,
                 int kind, double angle, int hours, int minutes);
// The number of entries.
int SunCacheSize();
