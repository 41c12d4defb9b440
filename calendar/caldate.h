// Calendar arithmetic: Gregorian and Hebrew dates to and from absolute day
// numbers. Day 1 is Monday, 1 January of year 1 (proleptic Gregorian); the
// weekday of a day d is d % 7, 0 = Sunday ... 6 = Saturday.
// Pure functions: no state, no allocation, no validation (a day beyond the
// month's end simply counts on into the next month).
#pragma once
#include <cstdint>

// A date of either calendar; the operation says which. Hebrew months run
// 1 = Nisan ... 6 = Elul, 7 = Tishri (first of the year) ... 12 = Adar
// (Adar I in a leap year), 13 = Adar II.
struct CalDate {
  std::int32_t day;    // 1-based
  std::int32_t month;  // 1-based
  std::int32_t year;   // year of the common era, or Hebrew year of the world
};

// Days of Gregorian month 1-12 of `year`.
int GregorianLastDayOfMonth(int month, int year);
// Absolute day number of a Gregorian date; year >= 1.
int AbsoluteFromGregorian(const CalDate* date);
// The Gregorian date of absolute day d >= 1.
void GregorianFromAbsolute(int d, CalDate* date);

// 1 if the Hebrew year has 13 months.
int HebrewLeapYear(int year);
// 13 in a leap year, else 12.
int LastMonthOfHebrewYear(int year);
// Days (29 or 30) of Hebrew month 1-13 of `year`.
int HebrewLastDayOfMonth(int month, int year);
// Days from the Hebrew epoch to 1 Tishri of `year` (1 for year 1), after
// the four postponements.
int HebrewCalendarElapsedDays(int year);
// 353-355 (common) or 383-385 (leap).
int DaysInHebrewYear(int year);
// 1 if Heshvan has 30 days (a complete year).
int LongHeshvan(int year);
// 1 if Kislev has 29 days (a deficient year).
int ShortKislev(int year);
// Absolute day number of a Hebrew date; year >= 1.
int AbsoluteFromHebrew(const CalDate* date);
// The Hebrew date of absolute day d (d >= 2 - 1373429, 1 Tishri of year 1).
void HebrewFromAbsolute(int d, CalDate* date);
// 1 if the Hebrew day is Rosh Hodesh: the 1st of any month but Tishri, or
// the 30th of a month (first day of the next month's Rosh Hodesh).
int IsRoshHodesh(const CalDate* date);
