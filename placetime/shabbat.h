// Shabbat times for the current location: candle lighting on Friday, a
// number of minutes before sunset, and the end of Shabbat on Saturday, a
// number of minutes after sunset or when the sun is some degrees below the
// horizon. Also the portable logic of the "Shabbat Time Preferences"
// dialog. Only Fridays and Saturdays have times; holiday eves get none.
#pragma once
#include "placetime/window_state.h"

inline constexpr char kShabbatSection[] = "ShabbatTimes";

// The four Shabbat settings, as the window state and the dialog hold them.
struct ShabbatSettings {
  int candleLightingMinutes;  // "CandleLighting", default 18, before sunset
  int havdalahMinutes;        // "Havdalah", default 45, after sunset
  int havdalahByMinutes;      // "HavdalahMin", default 1; 0 = by degrees
  double havdalahDegrees;     // "HavdalahDegrees", default 8.0, below the horizon
};

// Reads [ShabbatTimes] of exportcal.ini with the defaults.
void ReadShabbatSettings(ShabbatSettings* settings);
// Writes "CandleLighting", "Havdalah", "HavdalahMin" (each "%d") and
// "HavdalahDegrees" ("%.2f"), in that order.
void WriteShabbatSettings(const ShabbatSettings* settings);
void ShabbatSettingsFromState(const CalWindowState* state, ShabbatSettings* settings);
void ShabbatSettingsToState(const ShabbatSettings* settings, CalWindowState* state);

// The time of absolute day `absolute` as clock text in out[256]: candle
// lighting on a Friday, the end of Shabbat on a Saturday (`ampm` passed on
// to FormatTime). Returns 1, or 0 with `out` untouched on other days, when
// the location is unknown or when the sun does not set there that day.
int ShabbatTimeOfDay(const CalWindowState* state, int absolute, char* out, int ampm);

inline constexpr int kShabbatLinesSize = 256;
// The Shabbat lines of a Gregorian date into out[kShabbatLinesSize]: on a
// Friday and on the Saturday after it the same two lines,
// "Candle Lighting: <Friday's time>" and "End of shabbat: <Saturday's
// time>", each ending in CR LF; a time that cannot be given is left empty
// after its label. Any other day gives "".
void ShabbatLines(int day, int month, int year, char* out, const CalWindowState* state);

// ---- "Shabbat Time Preferences" -------------------------------------------

enum ShabbatControl {
  kShabbatControlNone = 0,
  kShabbatControlCandle = 1501,     // edit: minutes before sunset
  kShabbatControlByMinutes,         // radio
  kShabbatControlHavdalah,          // edit: minutes after sunset
  kShabbatControlHavdalahLabel,     // "minutes after sunset"
  kShabbatControlByDegrees,         // radio
  kShabbatControlDegrees,           // edit: degrees below horizon
  kShabbatControlDegreesLabel,      // "degrees below horizon"
};

// The controls' contents: the three texts as typed and the radio button.
struct ShabbatTimesFields {
  char candle[256];
  char havdalah[256];
  char degrees[256];
  int byMinutes;  // 1 = the minutes radio button is checked, 0 = degrees
};

// The first failing check: its message (caption "Error", stop icon) and
// the field that gets the focus.
struct ShabbatFieldError {
  const char* message;
  int control;  // a ShabbatControl
};

// Opening: minutes as unsigned numbers, the degrees with two decimals, the
// minutes radio button checked when the flag is greater than 0.
void ShabbatTimesFill(const ShabbatSettings* settings, ShabbatTimesFields* fields);

// 1 if `control` is enabled: each edit field and its label only while the
// radio button beside it is checked; everything else always.
int ShabbatControlEnabled(const ShabbatTimesFields* fields, int control);

// The OK checks in order: candle minutes an unsigned number; with the
// minutes radio button the havdalah minutes an unsigned number, else the
// degrees a decimal number of at least 0.01 (text that is no number reads
// as 0). Returns 1 with `settings` updated (the value of the end-of-Shabbat
// field not in use kept as it was), or 0 with the first failure and
// `settings` untouched. An unsigned number is decimal digits, spaces
// around them allowed, of at most 2147483647.
int ValidateShabbatTimes(const ShabbatTimesFields* fields, ShabbatSettings* settings,
                         ShabbatFieldError* error);
