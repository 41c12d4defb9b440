// The solar computation, its clock-time forms and the sun-time cache.
// The formula is a fixed low-precision one. Its constants are used exactly
// as they stand below (even where a rounder value is meant): a change of
// any of them moves some times by a minute.
#include "placetime/suntimes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <unordered_map>

#include "placetime/daylight.h"

namespace {

constexpr double kDegreesToRadians = 0.01745;
constexpr double kDoubleAngle = 0.0349;
constexpr double kRadiansToDegrees = 57.29578;
constexpr double kOneFifteenth = 0.06666666666666667;
constexpr double kOneTwentyFourth = 0.041666666666666664;
constexpr double kOneSixtieth = 0.016666666666666666;
constexpr double kMeanAnomalyRate = 0.9856;
constexpr double kMeanAnomalyOffset = 3.251;
constexpr double kCentre1 = 1.916;
constexpr double kCentre2 = 0.02;
constexpr double kLongitudeOffset = 282.565;
constexpr double kRightAscension = 0.91746;
constexpr double kDeclination = 0.39782;
constexpr double kMeanTimeRate = 0.06571;
constexpr double kMeanTimeOffset = 6.62;
constexpr double kEarthRadius = 6356900.0;  // meters, for the horizon dip
constexpr int kStandardZenithDegrees = 90;
constexpr int kStandardZenithMinutes = 50;

// Day-of-year base of each month, 1-12; N = base + day (+1 after February
// of a leap year) is one more than the ordinary day of the year.
constexpr int kDayOfYearBase[14] = {0, 1, 32, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366};

int GregorianLeap(int year) {
  return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0) ? 1 : 0;
}

double SinDeg(double degrees) { return std::sin(degrees * kDegreesToRadians); }

// One pass of the formula at time t (days), as far as the zenith does not
// enter it: the right ascension in hours and the declination.
struct PassPlace {
  double rightAscension;
  double sinDecl, cosDecl;
};

PassPlace PlaceOfPass(double t) {
  const double meanAnomaly = kMeanAnomalyRate * t - kMeanAnomalyOffset;
  // The true longitude, deliberately not reduced into 0-360: the quadrant
  // test of the right ascension below works on the unreduced value.
  const double longitude = meanAnomaly + kCentre1 * SinDeg(meanAnomaly) +
                           kCentre2 * std::sin(meanAnomaly * kDoubleAngle) + kLongitudeOffset;
  double ra = std::atan(kRightAscension * std::tan(longitude * kDegreesToRadians)) *
              kRadiansToDegrees;
  if (std::fabs(ra + 360.0 - longitude) > 90.0) ra += 180.0;
  if (ra > 360.0) ra -= 360.0;
  const double sinDecl = kDeclination * SinDeg(longitude);
  const double cosDecl = std::sqrt(1.0 - sinDecl * sinDecl);
  return {ra * kOneFifteenth, sinDecl, cosDecl};
}

// The cosine of the pass's hour angle for the zenith.
double CosHourAngle(double cosZenith, double sinDecl, double cosDecl, double sinLatitude,
                    double cosLatitude) {
  return (cosZenith - sinDecl * sinLatitude) / (cosDecl * cosLatitude);
}

// The frame of a day (month 1-12) at a place.
void FrameOf(int day, int month, int year, int longitudeDegrees, int longitudeMinutes, int east,
             int latitudeDegrees, int latitudeMinutes, int south, SunFrame* f) {
  const double n =  // 2-367 for a valid date
      static_cast<double>(kDayOfYearBase[month]) + day + (month > 2 ? GregorianLeap(year) : 0);
  // Longitude in hours, positive toward the West.
  f->w = (east ? -1.0 : 1.0) * (longitudeDegrees + longitudeMinutes * kOneSixtieth) *
         kOneFifteenth;
  const double phi = (south ? -1.0 : 1.0) * (latitudeDegrees + latitudeMinutes * kOneSixtieth) *
                     kDegreesToRadians;
  f->sinPhi = std::sin(phi);
  f->cosPhi = std::cos(phi);
  f->tRise = (f->w + 6.0) * kOneTwentyFourth + n;
  f->tSet = (f->w + 18.0) * kOneTwentyFourth + n;
  const PassPlace rise = PlaceOfPass(f->tRise);
  const PassPlace set = PlaceOfPass(f->tSet);
  f->raRise = rise.rightAscension;
  f->sinDeclRise = rise.sinDecl;
  f->cosDeclRise = rise.cosDecl;
  f->raSet = set.rightAscension;
  f->sinDeclSet = set.sinDecl;
  f->cosDeclSet = set.cosDecl;
}

// The cosine of the zenith. The horizon of an observer above the ground
// lies lower: the dip adds to the standard zenith. A zenith given as 91
// degrees or more is a depression below the horizon and is never
// corrected.
double CosZenithOf(int zenithDegrees, int zenithMinutes, int elevation) {
  if (zenithDegrees == kStandardZenithDegrees && elevation > 0) {
    const double z = kStandardZenithDegrees + zenithMinutes * kOneSixtieth +
                     std::acos(kEarthRadius / (kEarthRadius + elevation)) * kRadiansToDegrees;
    const double whole = std::floor(z);
    zenithDegrees = static_cast<int>(whole);
    zenithMinutes = static_cast<int>((z - whole) * 60.0);
  }
  return std::cos((zenithDegrees + zenithMinutes * kOneSixtieth) * kDegreesToRadians);
}

// Sunrise and sunset in the frame for the zenith; see ComputeSunEvents.
int EventsInFrame(const SunFrame& f, double cosZenith, int timeZone, double* sunrise,
                  double* sunset) {
  const double riseCos = CosHourAngle(cosZenith, f.sinDeclRise, f.cosDeclRise, f.sinPhi, f.cosPhi);
  const double setCos = CosHourAngle(cosZenith, f.sinDeclSet, f.cosDeclSet, f.sinPhi, f.cosPhi);
  // Both events use the hour angle of the sunrise pass; the sunset pass
  // only decides whether the sun sets at all. A cosine that is no number
  // (a latitude of exactly 90 degrees) has no sunrise either.
  const int ok = std::fabs(riseCos) <= 1.0 && std::fabs(setCos) <= 1.0;
  const double h = std::acos(std::clamp(riseCos, -1.0, 1.0)) * kRadiansToDegrees;  // 0-180
  *sunrise = timeZone + (360.0 - h) * kOneFifteenth + f.raRise +
             (-kMeanTimeRate * f.tRise - kMeanTimeOffset) + f.w;
  *sunset = timeZone + h * kOneFifteenth + f.raSet + (-kMeanTimeRate * f.tSet - kMeanTimeOffset) +
            f.w;
  return ok ? 1 : 0;
}

// Packed degrees-minutes split into its parts; the sign goes to the caller.
void SplitPacked(int packed, int* degrees, int* minutes) {
  const long long magnitude = std::llabs(static_cast<long long>(packed));
  *degrees = static_cast<int>(magnitude / 100);
  *minutes = static_cast<int>(magnitude % 100);
}

// The frame of a day (month 1-12) at a packed location.
void FrameAt(int day, int month, int year, int latitude, int longitude, SunFrame* frame) {
  int latDegrees, latMinutes, lonDegrees, lonMinutes;
  SplitPacked(latitude, &latDegrees, &latMinutes);
  SplitPacked(longitude, &lonDegrees, &lonMinutes);
  FrameOf(day, month, year, lonDegrees, lonMinutes, longitude >= 0 ? 1 : 0, latDegrees, latMinutes,
          latitude < 0 ? 1 : 0, frame);
}

// ---- the cache ----

struct SunKey {
  int day, month, year, latitude, longitude, timeZone, kind;
  long long angle;  // hundredths of a degree
  bool operator==(const SunKey&) const = default;
};

struct SunKeyHash {
  std::size_t operator()(const SunKey& k) const {
    std::uint64_t h = 1469598103934665603ULL;
    const long long parts[8] = {k.day, k.month, k.year, k.latitude, k.longitude, k.timeZone,
                                k.kind, k.angle};
    for (long long part : parts) {
      h ^= static_cast<std::uint64_t>(part);
      h *= 1099511628211ULL;
      h ^= h >> 29;
    }
    return static_cast<std::size_t>(h);
  }
};

struct SunValue {
  int hours, minutes;
};

using SunCache = std::unordered_map<SunKey, SunValue, SunKeyHash>;

SunCache& Cache() {
  static SunCache cache;
  return cache;
}

SunKey MakeKey(int day, int month, int year, int latitude, int longitude, int timeZone, int kind,
               double angle) {
  long long hundredths;
  if (std::isnan(angle)) {
    hundredths = INT64_MIN;  // only ever equal to itself
  } else {
    hundredths = std::llround(std::clamp(angle, -1e15, 1e15) * 100.0);
  }
  return {day, month, year, latitude, longitude, timeZone, kind, hundredths};
}

// hours * 60 + minutes as a clock time without wrapping at midnight;
// minutes 0-59 for any total.
void MinutesToHourMinute(long long total, int* hour, int* minute) {
  long long h = total / 60, m = total % 60;
  if (m < 0) {
    m += 60;
    h -= 1;
  }
  *hour = static_cast<int>(h);
  *minute = static_cast<int>(m);
}

}  // namespace

int ComputeSunEvents(int day, int month, int year, int zenithDegrees, int zenithMinutes,
                     int longitudeDegrees, int longitudeMinutes, int east, int latitudeDegrees,
                     int latitudeMinutes, int south, int timeZone, int elevation, double* sunrise,
                     double* sunset) {
  *sunrise = *sunset = 0.0;
  if (month < 1 || month > 12) return 0;  // no such day of the year
  SunFrame frame;
  FrameOf(day, month, year, longitudeDegrees, longitudeMinutes, east, latitudeDegrees,
          latitudeMinutes, south, &frame);
  return EventsInFrame(frame, CosZenithOf(zenithDegrees, zenithMinutes, elevation), timeZone,
                       sunrise, sunset);
}

void HoursToClock(double hours, int* hour, int* minute) {
  // Far outside a day only with a nonsensical time zone: keep the
  // conversion to int defined.
  if (std::isnan(hours)) hours = 0.0;
  hours = std::clamp(hours, -1e6, 1e6);
  if (hours < 0) hours += 24.0;
  int h = static_cast<int>(std::floor(hours));
  int m = static_cast<int>(std::floor((hours - h) * 60.0 + 0.5));
  if (m >= 60) {
    h += 1;
    m -= 60;
  }
  if (h > 24) h -= 24;  // an hour of exactly 24 stays 24
  *hour = h;
  *minute = m;
}

void SunDayCompute(SunDay* sun, int day, int month, int year, int latitude, int longitude,
                   int timeZone, int elevation) {
  *sun = {day, month, year, latitude, longitude, timeZone, elevation, 0, 0.0, 0.0, {}};
  if (month < 1 || month > 12) return;  // no such day of the year
  FrameAt(day, month, year, latitude, longitude, &sun->frame);
  sun->ok = EventsInFrame(sun->frame,
                          CosZenithOf(kStandardZenithDegrees, kStandardZenithMinutes, elevation),
                          timeZone, &sun->sunrise, &sun->sunset);
}

namespace {

DaylightSource gDaylightSource = nullptr;
void* gDaylightContext = nullptr;

// Minutes the source puts the clock ahead of standard time on the
// record's day.
int SourceMinutes(const SunDay* sun) {
  return gDaylightSource(gDaylightContext, sun->day, sun->month, sun->year, sun->timeZone);
}

// Moves a clock time by `minutes` within its day.
void AddClockMinutes(int minutes, int* hour, int* minute) {
  if (minutes == 0) return;
  int total = (*hour * 60 + *minute + minutes) % (24 * 60);
  if (total < 0) total += 24 * 60;
  *hour = total / 60;
  *minute = total % 60;
}

// Daylight saving on a clock time of the record's day: the settings' hour
// forward (24 becomes 0), or the source's minutes.
void ApplySaving(const SunDay* sun, int* hour, int* minute) {
  if (!gDaylightSource) {
    ApplyDaylightSaving(sun->day, sun->month, sun->year, hour);
    return;
  }
  AddClockMinutes(SourceMinutes(sun), hour, minute);
}

// The record's sunrise and sunset as clock times, before daylight saving.
void RiseAndSetClock(const SunDay* sun, int* riseHour, int* riseMinute, int* setHour,
                     int* setMinute) {
  HoursToClock(sun->sunrise, riseHour, riseMinute);
  HoursToClock(sun->sunset, setHour, setMinute);
  // Whatever the quadrant of the right ascension, sunrise belongs to the
  // morning and sunset to the afternoon.
  if (*riseHour > 12) *riseHour -= 12;
  if (*setHour < 12) *setHour += 12;
}

}  // namespace

int SunDaySunriseSunset(const SunDay* sun, int sunrise, int* hour, int* minute) {
  if (!sun->ok) return 0;
  int riseHour, riseMinute, setHour, setMinute;
  RiseAndSetClock(sun, &riseHour, &riseMinute, &setHour, &setMinute);
  *hour = sunrise ? riseHour : setHour;
  *minute = sunrise ? riseMinute : setMinute;
  ApplySaving(sun, hour, minute);
  return 1;
}

int SunDaySunriseAndSunset(const SunDay* sun, int* riseHour, int* riseMinute, int* setHour,
                           int* setMinute) {
  if (!sun->ok) return 0;
  RiseAndSetClock(sun, riseHour, riseMinute, setHour, setMinute);
  if (!gDaylightSource) {
    int saving = 0;  // 1 when daylight saving is in force that day
    ApplyDaylightSaving(sun->day, sun->month, sun->year, &saving);
    if (saving) {
      // An hour forward, as ApplyDaylightSaving moves each.
      *riseHour = *riseHour + 1 == 24 ? 0 : *riseHour + 1;
      *setHour = *setHour + 1 == 24 ? 0 : *setHour + 1;
    }
    return 1;
  }
  const int ahead = SourceMinutes(sun);  // asked once for the two
  AddClockMinutes(ahead, riseHour, riseMinute);
  AddClockMinutes(ahead, setHour, setMinute);
  return 1;
}

int SunDayDepressionInterval(const SunDay* sun, double angle, int* hours, int* minutes) {
  // The sun is never more than 90 degrees below the horizon; the zenith
  // must also stay a small whole number of degrees.
  if (!(angle >= -90.0 && angle <= 90.0)) return 0;
  if (!sun->ok) return 0;
  // Below 1 degree the zenith is 90 degrees, to which the horizon dip then
  // applies.
  const double a = kStandardZenithDegrees + angle;
  const int zenithDegrees = static_cast<int>(a);
  const int zenithMinutes = static_cast<int>((a - zenithDegrees) * 60.0);
  double rise, deeper;
  if (!EventsInFrame(sun->frame, CosZenithOf(zenithDegrees, zenithMinutes, sun->elevation),
                     sun->timeZone, &rise, &deeper))
    return 0;
  int hour1, minute1, hour2, minute2;
  HoursToClock(sun->sunset, &hour1, &minute1);
  HoursToClock(deeper, &hour2, &minute2);
  if (hour1 < 12) hour1 += 12;
  if (hour2 < 12) hour2 += 12;
  const int total = (hour2 - hour1) * 60 - minute1 + minute2;
  *hours = total / 60;
  *minutes = total % 60;
  return 1;
}

int GetSunriseSunset(int day, int month, int year, int sunrise, int latitude, int longitude,
                     int timeZone, int elevation, int* hour, int* minute) {
  SunDay sun;
  SunDayCompute(&sun, day, month, year, latitude, longitude, timeZone, elevation);
  return SunDaySunriseSunset(&sun, sunrise, hour, minute);
}

int GetDepressionInterval(int day, int month, int year, double angle, int latitude,
                          int longitude, int timeZone, int elevation, int* hours, int* minutes) {
  if (!(angle >= -90.0 && angle <= 90.0)) return 0;  // no sun to compute
  SunDay sun;
  SunDayCompute(&sun, day, month, year, latitude, longitude, timeZone, elevation);
  return SunDayDepressionInterval(&sun, angle, hours, minutes);
}

int GetSunsetBasedTime(int day, int month, int year, int candle, int candleMinutes,
                       int havdalahMinutes, int havdalahByMinutes, double havdalahAngle,
                       int latitude, int longitude, int timeZone, int elevation, int* hour,
                       int* minute) {
  int setHour, setMinute;
  if (!SunCacheFind(day, month, year, latitude, longitude, timeZone, kSunCacheSunset, 0.0,
                    &setHour, &setMinute)) {
    if (!GetSunriseSunset(day, month, year, 0, latitude, longitude, timeZone, elevation, &setHour,
                          &setMinute))
      return 0;
    SunCacheAdd(day, month, year, latitude, longitude, timeZone, kSunCacheSunset, 0.0, setHour,
                setMinute);
  }
  const long long sunset = static_cast<long long>(setHour) * 60 + setMinute;
  if (candle) {
    MinutesToHourMinute(sunset - candleMinutes, hour, minute);
    return 1;
  }
  if (havdalahByMinutes) {
    MinutesToHourMinute(sunset + havdalahMinutes, hour, minute);
    return 1;
  }
  int hours, minutes;
  if (!SunCacheFind(day, month, year, latitude, longitude, timeZone, kSunCacheDepression,
                    havdalahAngle, &hours, &minutes)) {
    if (!GetDepressionInterval(day, month, year, havdalahAngle, latitude, longitude, timeZone,
                               elevation, &hours, &minutes))
      return 0;
    SunCacheAdd(day, month, year, latitude, longitude, timeZone, kSunCacheDepression,
                havdalahAngle, hours, minutes);
  }
  const long long total = setMinute + (static_cast<long long>(setHour) + hours) * 60 + minutes;
  *hour = static_cast<int>(total / 60);
  *minute = static_cast<int>(total % 60);
  return 1;
}

void SetDaylightSource(DaylightSource source, void* context) {
  gDaylightSource = source;
  gDaylightContext = context;
  SunCacheReset();
}

void SunCacheInit() { Cache().clear(); }

void SunCacheFree() {
  SunCache empty;
  Cache().swap(empty);  // gives the memory back, not just the entries
}

void SunCacheReset() {
  SunCacheFree();
  SunCacheInit();
}

int SunCacheFind(int day, int month, int year, int latitude, int longitude, int timeZone,
                 int kind, double angle, int* hours, int* minutes) {
  const SunCache& cache = Cache();
  const auto found =
      cache.find(MakeKey(day, month, year, latitude, longitude, timeZone, kind, angle));
  if (found == cache.end()) return 0;
  *hours = found->second.hours;
  *minutes = found->second.minutes;
  return 1;
}

void SunCacheAdd(int day, int month, int year, int latitude, int longitude, int timeZone,
                 int kind, double angle, int hours, int minutes) {
  Cache().insert_or_assign(MakeKey(day, month, year, latitude, longitude, timeZone, kind, angle),
                           SunValue{hours, minutes});
}

int SunCacheSize() { return static_cast<int>(Cache().size()); }
