// Month names (English from the definition table, or built-in Hebrew in
// visual order), custom Gregorian month names, and the text forms of dates
// and times in the configured formats. Every setting is read afresh on
// each call. Destinations hold at least 256 bytes.
#pragma once
#include "calendar/caldate.h"

// Name of Gregorian month 1-12, full ("September") or short ("Sep").
// Returns 1, or 0 with `dest` untouched when no name is found.
int GregorianMonthName(int month, int full, char* dest);
// As GregorianMonthName, but with custom names enabled (and Hebrew names
// off) the [Custom] Month<English name> value, "" when unset; returns 1.
int GregorianMonthNameCustom(int month, int full, char* dest);
// Name of Hebrew month 1-13 in Hebrew year `year` (month 12 is "Adar" or
// "Adar I" by the year's kind). Returns 1, or 0 with `dest` untouched.
int HebrewMonthName(int month, int year, char* dest);
// The same, always the English name whatever the Hebrew-text setting.
int HebrewMonthNameEnglish(int month, int year, char* dest);
// [Custom] CustomEnable read as a number (default "0").
int CustomNamesEnabled();

// "5.3.2007" (DateFormat 0) or "3/5/2007" (DateFormat 1); any other
// format writes nothing.
void FormatGregorianDate(int day, int month, int year, char* dest);
// "07:05" (TimeFormat 0) or "7.05", "7.05am" with `ampm` (TimeFormat 1);
// any other format writes nothing.
void FormatTime(int hour, int minute, char* dest, int ampm);
// FormatTime with the time format given (0 or 1; anything else writes
// nothing) instead of read from the settings, for a caller that writes
// many times at once. Returns the length written (0 for nothing).
int FormatTimeWithFormat(int hour, int minute, char* dest, int ampm, int format);
// 1 if the whole text (spaces around it allowed) is a date in the current
// format; the numbers are not checked against the calendar, and a number
// too large for 32 bits makes the text no date. May leave `date` partly
// filled on failure.
int ParseGregorianDate(const char* text, CalDate* date);
// ParseGregorianDate with the date format given (0: day.month.year,
// 1: month/day/year, anything else parses nothing) instead of read from
// the settings.
int ParseGregorianDateWithFormat(const char* text, int format, CalDate* date);
