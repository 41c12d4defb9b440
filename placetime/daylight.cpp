// Daylight-saving evaluation over the rule in daylight.ini.
#include "placetime/daylight.h"

#include "calendar/caldate.h"
#include "platform/ini.h"

namespace {

constexpr int kTishri = 7;
constexpr int kYomKippurDay = 10;

int ReadKey(const char* key, int def) {
  return IniReadInt(kDaylightSection, key, def, kDaylightFile);
}

// `value` when lo <= value <= hi, else `def`.
int InRangeOr(int value, int lo, int hi, int def) {
  return value >= lo && value <= hi ? value : def;
}

int Absolute(int day, int month, int year) {
  const CalDate date = {day, month, year};
  return AbsoluteFromGregorian(&date);
}

// The first day from `d` on (step +1) or back (step -1) that is `weekday`.
int StepToWeekday(int d, int step, int weekday) {
  while (d % 7 != weekday) d += step;
  return d;
}

// The nth (1-4) or, for 5, the last `weekday` of `month` in `year`.
int NthWeekdayOfMonth(int weekNo, int weekday, int month, int year) {
  if (weekNo >= 5)
    return StepToWeekday(Absolute(GregorianLastDayOfMonth(month, year), month, year), -1, weekday);
  return StepToWeekday(Absolute(1, month, year), 1, weekday) + (weekNo - 1) * 7;
}

}  // namespace

void ReadDaylightRule(DaylightRule* rule) {
  rule->isAvail = ReadKey("IsAvail", 0);
  // A method the dialog never writes counts as method 0: the rule stays
  // one the dialog can show and save again.
  rule->startMethod = ReadKey("StartMethod", 0) == 1 ? 1 : 0;
  rule->startWeekNo = InRangeOr(ReadKey("StartWeekNo", 5), 1, 5, 5);
  rule->startWeekDay = InRangeOr(ReadKey("StartWeekDay", 0), 0, 6, 0);
  rule->startMonth = InRangeOr(ReadKey("StartMonth", 3), 1, 12, 3);
  rule->startDay = InRangeOr(ReadKey("StartDay", 2), 1, 31, 2);
  rule->endMethod = ReadKey("EndMethod", 0) == 1 ? 1 : 0;
  rule->endWeekNo = InRangeOr(ReadKey("EndWeekNo", 5), 1, 5, 5);
  rule->endWeekDay = InRangeOr(ReadKey("EndWeekDay", 0), 0, 6, 0);
  rule->endMonth = InRangeOr(ReadKey("EndMonth", 10), 1, 12, 10);
}

int DaylightStartDay(const DaylightRule* rule, int year) {
  if (rule->startMethod != 1)
    return NthWeekdayOfMonth(rule->startWeekNo, rule->startWeekDay, rule->startMonth, year);
  // A day beyond the month's end (29 February of a common year) counts on
  // into the next month.
  const int base = Absolute(rule->startDay, rule->startMonth, year);
  if (rule->startWeekNo == 1) return StepToWeekday(base + 1, 1, rule->startWeekDay);
  return StepToWeekday(base - 1, -1, rule->startWeekDay);
}

int DaylightEndDay(const DaylightRule* rule, int absolute) {
  if (rule->endMethod != 1) {
    CalDate date;
    GregorianFromAbsolute(absolute, &date);
    return NthWeekdayOfMonth(rule->endWeekNo, rule->endWeekDay, rule->endMonth, date.year);
  }
  // The Yom Kippur of the date's Hebrew year: for a summer date the one of
  // the past autumn, for a date after Rosh Hashanah the coming one.
  CalDate hebrew;
  HebrewFromAbsolute(absolute, &hebrew);
  const CalDate yomKippur = {kYomKippurDay, kTishri, hebrew.year};
  return StepToWeekday(AbsoluteFromHebrew(&yomKippur) - 1, -1, rule->endWeekDay);
}

int DaylightInForce(const DaylightRule* rule, int absolute) {
  if (rule->isAvail == 0) return 0;
  CalDate date;
  GregorianFromAbsolute(absolute, &date);
  const int start = DaylightStartDay(rule, date.year);
  const int end = DaylightEndDay(rule, absolute);
  if (end > start) return start <= absolute && absolute < end ? 1 : 0;
  // The period wraps over the turn of the year (southern hemisphere), or
  // the end belongs to a Yom Kippur before this year's start.
  return end <= absolute && absolute < start ? 0 : 1;
}

void ApplyDaylightSaving(int day, int month, int year, int* hour) {
  if (month < 1 || month > 12 || year < 1) return;  // no date: nothing to test
  if (ReadKey("IsAvail", 0) == 0) return;
  DaylightRule rule;
  ReadDaylightRule(&rule);
  if (!DaylightInForce(&rule, Absolute(day, month, year))) return;
  *hour += 1;
  if (*hour == 24) *hour = 0;
}
