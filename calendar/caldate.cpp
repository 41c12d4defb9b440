// Calendar arithmetic on absolute day numbers; see caldate.h.
#include "calendar/caldate.h"

namespace {

// Days of the Gregorian months in a common year, indexed 1-12.
constexpr int kGregorianMonthLength[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// 1 Tishri of Hebrew year 1 lies this many days (less 2) before day 0.
constexpr int kHebrewEpochOffset = 1373429;

}  // namespace

int GregorianLastDayOfMonth(int month, int year) {
  if (month == 2 && year % 4 == 0 && year % 400 != 100 && year % 400 != 200 && year % 400 != 300)
    return 29;
  return kGregorianMonthLength[month];
}

int AbsoluteFromGregorian(const CalDate* date) {
  int days = date->day;
  for (int m = 1; m < date->month; ++m) days += GregorianLastDayOfMonth(m, date->year);
  const int y = date->year - 1;
  return days + 365 * y + y / 4 - y / 100 + y / 400;
}

void GregorianFromAbsolute(int d, CalDate* date) {
  int year = d / 366;  // never too large
  for (;;) {
    const CalDate next = {1, 1, year + 1};
    if (d < AbsoluteFromGregorian(&next)) break;
    ++year;
  }
  int month = 1;
  for (;;) {
    const CalDate last = {GregorianLastDayOfMonth(month, year), month, year};
    if (d <= AbsoluteFromGregorian(&last)) break;
    ++month;
  }
  const CalDate first = {1, month, year};
  date->day = d - AbsoluteFromGregorian(&first) + 1;
  date->month = month;
  date->year = year;
}

int HebrewLeapYear(int year) { return (7 * year + 1) % 19 < 7 ? 1 : 0; }

int LastMonthOfHebrewYear(int year) { return HebrewLeapYear(year) ? 13 : 12; }

int HebrewLastDayOfMonth(int month, int year) {
  if (month == 2 || month == 4 || month == 6 || month == 10 || month == 13) return 29;
  if (month == 12) return HebrewLeapYear(year) ? 30 : 29;
  if (month == 8) return LongHeshvan(year) ? 30 : 29;
  if (month == 9) return ShortKislev(year) ? 29 : 30;
  return 30;
}

int HebrewCalendarElapsedDays(int year) {
  const int cycleYear = (year - 1) % 19;                   // 0-18
  const int months = 235 * ((year - 1) / 19) + 12 * cycleYear + (7 * cycleYear + 1) / 19;
  const int parts = 204 + 793 * (months % 1080);           // parts past the hour, plus carry
  const int hours = 5 + 12 * months + 793 * (months / 1080) + parts / 1080;
  const int conjunctionDay = 1 + 29 * months + hours / 24;  // day of the molad of Tishri
  const int conjunctionParts = 1080 * (hours % 24) + parts % 1080;  // 0-25919, from 6 p.m.

  int day = conjunctionDay;
  // Molad at or after noon; a Tuesday molad of a common year at 9h 204p or
  // later; a Monday molad at 15h 589p or later after a leap year.
  if (conjunctionParts >= 19440 ||
      (conjunctionDay % 7 == 2 && conjunctionParts >= 9924 && !HebrewLeapYear(year)) ||
      (conjunctionDay % 7 == 1 && conjunctionParts >= 16789 && HebrewLeapYear(year - 1)))
    ++day;
  // Rosh Hashanah never falls on Sunday, Wednesday or Friday.
  if (day % 7 == 0 || day % 7 == 3 || day % 7 == 5) ++day;
  return day;
}

int DaysInHebrewYear(int year) {
  return HebrewCalendarElapsedDays(year + 1) - HebrewCalendarElapsedDays(year);
}

int LongHeshvan(int year) { return DaysInHebrewYear(year) % 10 == 5 ? 1 : 0; }

int ShortKislev(int year) { return DaysInHebrewYear(year) % 10 == 3 ? 1 : 0; }

namespace {

// One Hebrew year's facts, from its two Rosh Hashanahs: each conversion
// works them out once instead of once per month it counts.
struct HebrewYearFacts {
  int elapsed;  // HebrewCalendarElapsedDays of the year
  int length;   // 353-355 or 383-385
  int leap;
};

HebrewYearFacts FactsOfYear(int year) {
  const int elapsed = HebrewCalendarElapsedDays(year);
  const int length = HebrewCalendarElapsedDays(year + 1) - elapsed;
  return {elapsed, length, HebrewLeapYear(year)};
}

// HebrewLastDayOfMonth with the year's facts known.
int MonthLength(int month, const HebrewYearFacts& y) {
  if (month == 2 || month == 4 || month == 6 || month == 10 || month == 13) return 29;
  if (month == 12) return y.leap ? 30 : 29;
  if (month == 8) return y.length % 10 == 5 ? 30 : 29;
  if (month == 9) return y.length % 10 == 3 ? 29 : 30;
  return 30;
}

// Days of the year before day 1 of `month`, counting from Tishri.
int DaysBeforeMonth(int month, const HebrewYearFacts& y) {
  int days = 0;
  if (month < 7) {
    const int last = y.leap ? 13 : 12;
    for (int m = 7; m <= last; ++m) days += MonthLength(m, y);
    for (int m = 1; m < month; ++m) days += MonthLength(m, y);
  } else {
    for (int m = 7; m < month; ++m) days += MonthLength(m, y);
  }
  return days;
}

}  // namespace

int AbsoluteFromHebrew(const CalDate* date) {
  const HebrewYearFacts facts = FactsOfYear(date->year);
  return date->day + DaysBeforeMonth(date->month, facts) + facts.elapsed - kHebrewEpochOffset;
}

void HebrewFromAbsolute(int d, CalDate* date) {
  // A mean year is 35975351/98496 days; one less than the estimate is never
  // too large, and the search then takes a step or two.
  int year = (int)((long long)(d + kHebrewEpochOffset) * 98496 / 35975351) - 1;
  if (year < 1) year = 1;
  while (HebrewCalendarElapsedDays(year + 1) - kHebrewEpochOffset + 1 <= d) ++year;
  const HebrewYearFacts facts = FactsOfYear(year);
  int dayOfYear = d - (facts.elapsed - kHebrewEpochOffset);  // 1-based, from 1 Tishri
  int month = 7;
  const int last = facts.leap ? 13 : 12;
  for (;;) {
    const int length = MonthLength(month, facts);
    if (dayOfYear <= length) break;
    dayOfYear -= length;
    month = month == last ? 1 : month + 1;
  }
  date->day = dayOfYear;
  date->month = month;
  date->year = year;
}

int IsRoshHodesh(const CalDate* date) {
  if (date->day == 1) return date->month == 7 ? 0 : 1;
  return date->day == 30 ? 1 : 0;
}
