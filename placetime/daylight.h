// Daylight-saving rules, read from daylight.ini on every call. There is one
// rule for the whole program: saving is in force from a start day
// (inclusive) to an end day (exclusive), on whole days, and moves a clock
// hour forward by one.
#pragma once

inline constexpr char kDaylightFile[] = "daylight.ini";
inline constexpr char kDaylightSection[] = "DaylightSaving";

// The rule as the keys of [DaylightSaving] hold it.
struct DaylightRule {
  int isAvail;       // "IsAvail", 1 = saving is used
  int startMethod;   // "StartMethod", 0 = nth weekday of a month, 1 = weekday near a day
  int startWeekNo;   // "StartWeekNo", method 0: 1-4, 5 = last; method 1: 1 = first after, else last before
  int startWeekDay;  // "StartWeekDay", 0 = Sunday ... 6 = Saturday
  int startMonth;    // "StartMonth", 1-12
  int startDay;      // "StartDay", method 1: day of the month, 1-31
  int endMethod;     // "EndMethod", 0 = nth weekday of a month, 1 = last weekday before Yom Kippur
  int endWeekNo;     // "EndWeekNo", method 0: 1-4, 5 = last
  int endWeekDay;    // "EndWeekDay", 0-6
  int endMonth;      // "EndMonth", method 0: 1-12
};

// Reads the rule, each missing key with its default (no saving; from the
// last Sunday of March to the last Sunday of October). Values the
// evaluation cannot use are made safe here: a method other than 0 or 1
// counts as 0, a weekday outside 0-6, a month outside 1-12 or a start day
// outside 1-31 takes the key's default, and a week number outside 1-5
// means the last.
void ReadDaylightRule(DaylightRule* rule);

// Absolute day number of the first day of saving in Gregorian `year`.
int DaylightStartDay(const DaylightRule* rule, int year);
// Absolute day number of the first day without saving that ends the period
// `absolute` is tested against: in the date's Gregorian year for method 0,
// before the Yom Kippur of the date's Hebrew year for method 1.
int DaylightEndDay(const DaylightRule* rule, int absolute);

// 1 if saving is in force on absolute day `absolute` under `rule`.
int DaylightInForce(const DaylightRule* rule, int absolute);

// Adds one hour to *hour (0-23) when saving is in force on the Gregorian
// date; 24 becomes 0.
void ApplyDaylightSaving(int day, int month, int year, int* hour);
