// Calendar arithmetic: known dates, year kinds, Rosh Hodesh, exhaustive
// round trips over the supported range, and an independent table of
// Rosh Hashanah dates.
#include <gtest/gtest.h>

#include "calendar/caldate.h"

namespace {

struct KnownDay {
  const char* id;
  CalDate gregorian;
  CalDate hebrew;
  int weekday;  // 0 = Sunday ... 6 = Saturday
};

// Dates from published calendars.
constexpr KnownDay kKnownDays[] = {
    {"1 Tishri 5767", {23, 9, 2006}, {1, 7, 5767}, 6},
    {"1 January 2007", {1, 1, 2007}, {11, 10, 5767}, 1},
    {"15 Nisan 5784", {23, 4, 2024}, {15, 1, 5784}, 2},
    {"1 Tishri 5785", {3, 10, 2024}, {1, 7, 5785}, 4},
    {"25 Kislev 5785", {26, 12, 2024}, {25, 9, 5785}, 4},
    {"14 Adar II 5784 (Purim)", {24, 3, 2024}, {14, 13, 5784}, 0},
    {"14 Adar 5783 (Purim)", {7, 3, 2023}, {14, 12, 5783}, 2},
    {"5 Iyar 5708", {14, 5, 1948}, {5, 2, 5708}, 5},
    {"1 Tishri 5344", {17, 9, 1583}, {1, 7, 5344}, 6},
    {"31 December 3000", {31, 12, 3000}, {0, 0, 0}, 3},
};

TEST(CalDateKnownDays, ConvertBothWays) {
  for (const KnownDay& row : kKnownDays) {
    const int fromGregorian = AbsoluteFromGregorian(&row.gregorian);
    EXPECT_EQ(fromGregorian % 7, row.weekday) << row.id;
    CalDate g{};
    GregorianFromAbsolute(fromGregorian, &g);
    EXPECT_EQ(g.day, row.gregorian.day) << row.id;
    EXPECT_EQ(g.month, row.gregorian.month) << row.id;
    EXPECT_EQ(g.year, row.gregorian.year) << row.id;
    if (row.hebrew.year == 0) continue;
    EXPECT_EQ(AbsoluteFromHebrew(&row.hebrew), fromGregorian) << row.id;
    CalDate h{};
    HebrewFromAbsolute(fromGregorian, &h);
    EXPECT_EQ(h.day, row.hebrew.day) << row.id;
    EXPECT_EQ(h.month, row.hebrew.month) << row.id;
    EXPECT_EQ(h.year, row.hebrew.year) << row.id;
  }
}

TEST(CalDateKnownDays, Epochs) {
  const CalDate first = {1, 1, 1};
  EXPECT_EQ(AbsoluteFromGregorian(&first), 1);
  EXPECT_EQ(AbsoluteFromGregorian(&first) % 7, 1);  // a Monday
  const CalDate tishri1 = {1, 7, 1};
  EXPECT_EQ(AbsoluteFromHebrew(&tishri1), 2 - 1373429);
  EXPECT_EQ(HebrewCalendarElapsedDays(1), 1);
}

TEST(CalDateKnownDays, DayPastMonthEndCountsOn) {
  const CalDate feb31 = {31, 2, 2006};
  const CalDate mar3 = {3, 3, 2006};
  EXPECT_EQ(AbsoluteFromGregorian(&feb31), AbsoluteFromGregorian(&mar3));
  const CalDate feb31Leap = {31, 2, 2008};
  const CalDate mar2Leap = {2, 3, 2008};
  EXPECT_EQ(AbsoluteFromGregorian(&feb31Leap), AbsoluteFromGregorian(&mar2Leap));
}

struct GregorianMonthRow {
  int month, year, days;
};

TEST(CalDateGregorian, MonthLengths) {
  constexpr GregorianMonthRow rows[] = {
      {2, 1900, 28}, {2, 2000, 29}, {2, 2100, 28}, {2, 2004, 29}, {2, 2006, 28},
      {2, 1600, 29}, {2, 2400, 29}, {1, 2006, 31}, {4, 2006, 30}, {12, 2006, 31},
  };
  for (const GregorianMonthRow& row : rows)
    EXPECT_EQ(GregorianLastDayOfMonth(row.month, row.year), row.days)
        << row.month << "/" << row.year;
}

struct HebrewYearRow {
  int year;
  int days;
  int leap;
  int heshvan, kislev;
};

TEST(CalDateHebrew, YearKinds) {
  constexpr HebrewYearRow rows[] = {
      {5761, 353, 0, 29, 29},  // deficient
      {5762, 354, 0, 29, 30},  // regular
      {5764, 355, 0, 30, 30},  // complete
      {5765, 383, 1, 29, 29},
      {5763, 385, 1, 30, 30},
      {5766, 354, 0, 29, 30},
      {5767, 355, 0, 30, 30},
      {5768, 383, 1, 29, 29},
      {5771, 385, 1, 30, 30},
  };
  for (const HebrewYearRow& row : rows) {
    EXPECT_EQ(DaysInHebrewYear(row.year), row.days) << row.year;
    EXPECT_EQ(HebrewLeapYear(row.year), row.leap) << row.year;
    EXPECT_EQ(LastMonthOfHebrewYear(row.year), row.leap ? 13 : 12) << row.year;
    EXPECT_EQ(HebrewLastDayOfMonth(8, row.year), row.heshvan) << row.year;
    EXPECT_EQ(HebrewLastDayOfMonth(9, row.year), row.kislev) << row.year;
    EXPECT_EQ(LongHeshvan(row.year), row.heshvan == 30 ? 1 : 0) << row.year;
    EXPECT_EQ(ShortKislev(row.year), row.kislev == 29 ? 1 : 0) << row.year;
    EXPECT_EQ(HebrewLastDayOfMonth(12, row.year), row.leap ? 30 : 29) << row.year;
  }
}

TEST(CalDateHebrew, LeapYearsOfTheCycle) {
  // Years 3, 6, 8, 11, 14, 17 and 19 of each 19-year cycle.
  for (int year = 5339; year < 5339 + 19 * 4; ++year) {
    const int position = (year - 1) % 19 + 1;
    const bool leap = position == 3 || position == 6 || position == 8 || position == 11 ||
                      position == 14 || position == 17 || position == 19;
    EXPECT_EQ(HebrewLeapYear(year), leap ? 1 : 0) << year;
  }
}

struct RoshHodeshRow {
  const char* id;
  CalDate date;
  int expected;
};

TEST(CalDateHebrew, RoshHodesh) {
  constexpr RoshHodeshRow rows[] = {
      {"30 Heshvan of a complete year", {30, 8, 5764}, 1},
      {"1 Heshvan", {1, 8, 5764}, 1},
      {"1 Tishri is Rosh Hashanah", {1, 7, 5767}, 0},
      {"15 Nisan", {15, 1, 5767}, 0},
      {"29 Elul", {29, 6, 5767}, 0},
      {"30 Adar I", {30, 12, 5768}, 1},
      {"1 Adar II", {1, 13, 5768}, 1},
      {"29 Heshvan", {29, 8, 5764}, 0},
  };
  for (const RoshHodeshRow& row : rows) EXPECT_EQ(IsRoshHodesh(&row.date), row.expected) << row.id;
}

struct RoshHashanahRow {
  int hebrewYear;
  int gregorianYear, gregorianMonth, gregorianDay;
  int days;
};

constexpr RoshHashanahRow kRoshHashanah[] = {
#include "calendar/rosh_hashanah_dates.inc"
};

TEST(CalDateHebrew, RoshHashanahAgreesWithIndependentTable) {
  for (const RoshHashanahRow& row : kRoshHashanah) {
    const CalDate tishri1 = {1, 7, row.hebrewYear};
    const CalDate gregorian = {row.gregorianDay, row.gregorianMonth, row.gregorianYear};
    ASSERT_EQ(AbsoluteFromHebrew(&tishri1), AbsoluteFromGregorian(&gregorian)) << row.hebrewYear;
    ASSERT_EQ(DaysInHebrewYear(row.hebrewYear), row.days) << row.hebrewYear;
    const int weekday = AbsoluteFromHebrew(&tishri1) % 7;
    ASSERT_TRUE(weekday == 1 || weekday == 2 || weekday == 4 || weekday == 6) << row.hebrewYear;
  }
}

// Every day from 1 January 1583 to 31 December 3000 converts to Gregorian
// and to Hebrew and back to the same day; the weekday advances by one and
// the dates advance by exactly one day.
TEST(CalDateExhaustive, EveryDayRoundTrips) {
  const CalDate firstDate = {1, 1, 1583};
  const CalDate lastDate = {31, 12, 3000};
  const int first = AbsoluteFromGregorian(&firstDate);
  const int last = AbsoluteFromGregorian(&lastDate);
  CalDate previousG{};
  CalDate previousH{};
  GregorianFromAbsolute(first - 1, &previousG);
  HebrewFromAbsolute(first - 1, &previousH);
  for (int d = first; d <= last; ++d) {
    CalDate g{};
    CalDate h{};
    GregorianFromAbsolute(d, &g);
    HebrewFromAbsolute(d, &h);
    ASSERT_EQ(AbsoluteFromGregorian(&g), d);
    ASSERT_EQ(AbsoluteFromHebrew(&h), d);
    ASSERT_GE(g.day, 1);
    ASSERT_LE(g.day, GregorianLastDayOfMonth(g.month, g.year));
    ASSERT_GE(h.day, 1);
    ASSERT_LE(h.day, HebrewLastDayOfMonth(h.month, h.year));
    ASSERT_LE(h.month, LastMonthOfHebrewYear(h.year));
    // One day later: the next day of the month, or day 1 of the next month.
    if (g.day != 1) {
      ASSERT_EQ(g.day, previousG.day + 1);
    } else {
      ASSERT_EQ(previousG.day, GregorianLastDayOfMonth(previousG.month, previousG.year));
    }
    if (h.day != 1) {
      ASSERT_EQ(h.day, previousH.day + 1);
      ASSERT_EQ(h.month, previousH.month);
    } else {
      ASSERT_EQ(previousH.day, HebrewLastDayOfMonth(previousH.month, previousH.year));
      const int expectedMonth = previousH.month == 6                                     ? 7
                                : previousH.month == LastMonthOfHebrewYear(previousH.year) ? 1
                                                                                            : previousH.month + 1;
      ASSERT_EQ(h.month, expectedMonth) << d;
      ASSERT_EQ(h.year, previousH.year + (expectedMonth == 7 ? 1 : 0)) << d;
    }
    previousG = g;
    previousH = h;
  }
}

}  // namespace
