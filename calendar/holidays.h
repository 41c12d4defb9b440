// Holiday evaluation: which holidays of the definition table fall on a day
// (Israel or Diaspora custom), the Hebrew date of one definition in a year,
// and the 44 numbered holidays the Torah-reading schedule needs.
#pragma once
#include <cstdint>

#include "calendar/caldate.h"
#include "calendar/callang.h"

// Size the key buffer of HolidaysOfDay must have.
constexpr int kHolidayKeySize = 50;

// The holidays of absolute day `absoluteDay`, evaluated over every record of
// `table` whose key contains "Holiday". `diaspora` nonzero selects the
// Diaspora (keys containing "Israel" are skipped), zero selects Israel
// (keys containing "Diaspora" are skipped).
// `key` (kHolidayKeySize bytes, or nullptr) receives the key of the first
// matching record. `text` (textSize bytes, or nullptr) receives the names
// of all matching records: English names joined as text + " - " + name, or,
// with the Hebrew-text setting on, Hebrew names (visual order) joined as
// name + " _ " + text. Names go in whole or not at all: the first one that
// would not fit ends the text. Both buffers are emptied first.
// Returns 1 if the text is not empty, else 0; without a text buffer, 1 if
// any record matched. HebrewFlag is read afresh on each call that matches.
int HolidaysOfDayIn(const CallangTable* table, int absoluteDay, int diaspora,
                    char* key, char* text, int textSize);
// The same over the process-wide definition table.
int HolidaysOfDay(int absoluteDay, int diaspora, char* key, char* text, int textSize);
// HolidaysOfDay for a caller that has the day's Hebrew date already:
// `hebrew` is HebrewFromAbsolute(absoluteDay).
int HolidaysOfDate(int absoluteDay, const CalDate* hebrew, int diaspora, char* key, char* text,
                   int textSize);

// The Hebrew date of `entry` in Hebrew year `hebrewYear`, with its offset
// and special method applied. AdarPurim becomes Adar II in a leap year and
// Adar in a common one; AdarPurimKatan becomes Adar I in a leap year and
// month 0 (no date, matches no day) in a common one. A month outside 1-13
// is no date: offset and special method are not applied to it.
void HolidayDateInYear(const CallangEntry* entry, int hebrewYear, CalDate* date);

// Number of holidays HolidayDateByIndex knows (0 to 43).
constexpr int kHolidayIndexCount = 44;

// The Hebrew date of numbered holiday n (0-43) in `hebrewYear`; any other
// n leaves `date` unchanged. The numbers, in order: Rosh Hashanah I, Yom
// Kippur, Sukkot days 1-7, Shemini Atzeret, Simchat Torah (Diaspora),
// Pesach days 1-7, Hanukkah days 1-8, Shavuot, Tu Bi-Shevat, Purim,
// Ta'anit Esther, Tisha BeAv, Tzom Gedaliah, Tzom Tevet, Tzom Tammuz,
// Shushan Purim, Lag B-Omer, Yom Hashoah, Yom Ha-Atzmaut, Yom Yerushalayim,
// Shavuot II, Pesach VIII, Shabbat Hagadol, Rosh Hashanah II, Yom Hazikaron.
void HolidayDateByIndex(int n, int hebrewYear, CalDate* date);
// The numbered holidays that fall on the Hebrew date, whose absolute day
// number is `absoluteDay`: bit n is set when HolidayDateByIndex(n) of the
// date's year gives the date. Only the holidays that can be in the date's
// month are looked at.
std::uint64_t HolidayIndicesOnDate(const CalDate* date, int absoluteDay);
