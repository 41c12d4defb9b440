// Candle lighting, end of Shabbat, their note lines and the settings
// dialog's checks.
#include "placetime/shabbat.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calendar/caldate.h"
#include "calendar/names.h"
#include "settings/settings.h"
#include "placetime/suntimes.h"

namespace {

constexpr int kFriday = 5;
constexpr int kSaturday = 6;
constexpr int kTextSize = 256;
constexpr int kMinutesPerDay = 24 * 60;

constexpr char kCandleMessage[] = "Minutes for Candle Lighting must be a number";
constexpr char kHavdalahMessage[] = "Minutes for End of Shabbat must be a number";
constexpr char kDegreesMessage[] = "Degrees for End of Shabbat must be a floating-point number";
constexpr double kSmallestDegrees = 0.01;

// A field's text, NUL-terminated within its 256 bytes whatever was typed.
void CopyField(const char* field, char* out) {
  std::size_t n = 0;
  while (n < kTextSize - 1 && field[n] != '\0') ++n;
  std::memcpy(out, field, n);
  out[n] = '\0';
}

// An unsigned decimal number with spaces around it, at most INT_MAX.
int ParseUnsigned(const char* field, int* value) {
  char text[kTextSize];
  CopyField(field, text);
  const char* at = text;
  while (*at == ' ') ++at;
  if (*at < '0' || *at > '9') return 0;
  long long number = 0;
  for (; *at >= '0' && *at <= '9'; ++at) {
    number = number * 10 + (*at - '0');
    if (number > INT_MAX) return 0;
  }
  while (*at == ' ') ++at;
  if (*at != '\0') return 0;
  *value = static_cast<int>(number);
  return 1;
}

int Fail(ShabbatFieldError* error, const char* message, int control) {
  error->message = message;
  error->control = control;
  return 0;
}

}  // namespace

void ReadShabbatSettings(ShabbatSettings* s) {
  s->candleLightingMinutes = ReadIniInt(kShabbatSection, "CandleLighting", 18, kSettingsFile);
  s->havdalahMinutes = ReadIniInt(kShabbatSection, "Havdalah", 45, kSettingsFile);
  s->havdalahByMinutes = ReadIniInt(kShabbatSection, "HavdalahMin", 1, kSettingsFile);
  s->havdalahDegrees = ReadIniDouble(kShabbatSection, "HavdalahDegrees", 8.0, kSettingsFile);
  // An angle the dialog would refuse puts the end of Shabbat at or before
  // sunset: the default stands instead.
  if (!(s->havdalahDegrees >= kSmallestDegrees)) s->havdalahDegrees = 8.0;
}

void WriteShabbatSettings(const ShabbatSettings* s) {
  WriteIniInt(kShabbatSection, "CandleLighting", s->candleLightingMinutes, kSettingsFile);
  WriteIniInt(kShabbatSection, "Havdalah", s->havdalahMinutes, kSettingsFile);
  WriteIniInt(kShabbatSection, "HavdalahMin", s->havdalahByMinutes, kSettingsFile);
  WriteIniDouble(kShabbatSection, "HavdalahDegrees", s->havdalahDegrees, kSettingsFile);
}

void ShabbatSettingsFromState(const CalWindowState* state, ShabbatSettings* s) {
  s->candleLightingMinutes = state->candleLightingMinutes;
  s->havdalahMinutes = state->havdalahMinutes;
  s->havdalahByMinutes = state->havdalahByMinutes;
  s->havdalahDegrees = state->havdalahDegrees;
}

void ShabbatSettingsToState(const ShabbatSettings* s, CalWindowState* state) {
  state->candleLightingMinutes = s->candleLightingMinutes;
  state->havdalahMinutes = s->havdalahMinutes;
  state->havdalahByMinutes = s->havdalahByMinutes;
  state->havdalahDegrees = s->havdalahDegrees;
}

namespace {

// ShabbatTimeOfDay with the Gregorian date of `absolute` known.
int ShabbatTimeOfDate(const CalWindowState* state, int absolute, const CalDate& date, char* out,
                      int ampm) {
  if (absolute < 1) return 0;  // before the calendar's first day
  const int weekday = absolute % 7;
  if (weekday != kFriday && weekday != kSaturday) return 0;
  if (!state->locationKnown) return 0;
  int hour, minute;
  if (!GetSunsetBasedTime(date.day, date.month, date.year, weekday == kFriday,
                          state->candleLightingMinutes, state->havdalahMinutes,
                          state->havdalahByMinutes, state->havdalahDegrees, state->latitude,
                          state->longitude, state->timeZone, state->elevation, &hour, &minute))
    return 0;
  // A time past midnight or before it (a late end of Shabbat, an early
  // candle lighting) is shown as the clock shows it.
  const long long total = static_cast<long long>(hour) * 60 + minute;
  const int minutes = static_cast<int>((total % kMinutesPerDay + kMinutesPerDay) % kMinutesPerDay);
  FormatTime(minutes / 60, minutes % 60, out, ampm);
  return 1;
}

// The Gregorian day before or after a real day of the calendar.
CalDate DayBefore(CalDate date) {
  if (date.day > 1) {
    --date.day;
  } else if (date.month > 1) {
    --date.month;
    date.day = GregorianLastDayOfMonth(date.month, date.year);
  } else {
    date = {31, 12, date.year - 1};
  }
  return date;
}

CalDate DayAfter(CalDate date) {
  if (date.day < GregorianLastDayOfMonth(date.month, date.year)) {
    ++date.day;
  } else if (date.month < 12) {
    date.day = 1;
    ++date.month;
  } else {
    date = {1, 1, date.year + 1};
  }
  return date;
}

}  // namespace

int ShabbatTimeOfDay(const CalWindowState* state, int absolute, char* out, int ampm) {
  if (absolute < 1) return 0;
  const int weekday = absolute % 7;
  if (weekday != kFriday && weekday != kSaturday) return 0;
  if (!state->locationKnown) return 0;
  CalDate date;
  GregorianFromAbsolute(absolute, &date);
  return ShabbatTimeOfDate(state, absolute, date, out, ampm);
}

void ShabbatLines(int day, int month, int year, char* out, const CalWindowState* state) {
  out[0] = '\0';
  if (month < 1 || month > 12 || year < 1) return;
  const CalDate date = {day, month, year};
  const int absolute = AbsoluteFromGregorian(&date);
  const int weekday = absolute % 7;
  if (weekday != kFriday && weekday != kSaturday) return;
  // Both days show the same pair: Friday's candle lighting and the end of
  // Shabbat on the Saturday after it.
  const int friday = weekday == kFriday ? absolute : absolute - 1;
  CalDate fridayDate, saturdayDate;
  if (day >= 1 && day <= GregorianLastDayOfMonth(month, year)) {
    fridayDate = weekday == kFriday ? date : DayBefore(date);
    saturdayDate = weekday == kSaturday ? date : DayAfter(date);
  } else {  // a day beyond its month's end counts on into the next month
    GregorianFromAbsolute(friday, &fridayDate);
    GregorianFromAbsolute(friday + 1, &saturdayDate);
  }
  char candle[kTextSize] = "";
  char end[kTextSize] = "";
  ShabbatTimeOfDate(state, friday, fridayDate, candle, 1);
  ShabbatTimeOfDate(state, friday + 1, saturdayDate, end, 1);
  // "Candle Lighting: %s\r\nEnd of shabbat: %s\r\n", cut to the buffer.
  const char* parts[] = {"Candle Lighting: ", candle, "\r\nEnd of shabbat: ", end, "\r\n"};
  std::size_t length = 0;
  for (const char* part : parts) {
    std::size_t n = std::strlen(part);
    if (n > kShabbatLinesSize - 1 - length) n = kShabbatLinesSize - 1 - length;
    std::memcpy(out + length, part, n);
    length += n;
  }
  out[length] = '\0';
}

void ShabbatTimesFill(const ShabbatSettings* s, ShabbatTimesFields* f) {
  std::snprintf(f->candle, sizeof f->candle, "%u",
                static_cast<unsigned>(s->candleLightingMinutes));
  std::snprintf(f->havdalah, sizeof f->havdalah, "%u", static_cast<unsigned>(s->havdalahMinutes));
  std::snprintf(f->degrees, sizeof f->degrees, "%.2f", s->havdalahDegrees);
  f->byMinutes = s->havdalahByMinutes > 0 ? 1 : 0;
}

int ShabbatControlEnabled(const ShabbatTimesFields* f, int control) {
  switch (control) {
    case kShabbatControlHavdalah:
    case kShabbatControlHavdalahLabel:
      return f->byMinutes ? 1 : 0;
    case kShabbatControlDegrees:
    case kShabbatControlDegreesLabel:
      return f->byMinutes ? 0 : 1;
    default:
      return 1;
  }
}

int ValidateShabbatTimes(const ShabbatTimesFields* f, ShabbatSettings* settings,
                         ShabbatFieldError* error) {
  ShabbatSettings result = *settings;
  if (!ParseUnsigned(f->candle, &result.candleLightingMinutes))
    return Fail(error, kCandleMessage, kShabbatControlCandle);
  result.havdalahByMinutes = f->byMinutes ? 1 : 0;
  if (result.havdalahByMinutes) {
    if (!ParseUnsigned(f->havdalah, &result.havdalahMinutes))
      return Fail(error, kHavdalahMessage, kShabbatControlHavdalah);
  } else {
    char text[kTextSize];
    CopyField(f->degrees, text);
    const double degrees = std::strtod(text, nullptr);
    // Also refuses a text that reads as no number at all ("nan").
    if (!(degrees >= kSmallestDegrees)) return Fail(error, kDegreesMessage, kShabbatControlDegrees);
    result.havdalahDegrees = degrees;
  }
  *settings = result;
  return 1;
}
