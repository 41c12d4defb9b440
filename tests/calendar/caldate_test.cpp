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
    {"1 Tishri 5785", {3, 10, 2024}, {1, 7, 5785}, 4},
    {"14 Adar II 5784 (Purim)", {24, 3, 2024}, {14, 13, 5784}, 0},
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

TEST(CalDateKnownDays, DayPastMonthEndCountsOn) {
  const CalDate feb31 = {31, 2, 2008};
  const CalDate mar2 = {2, 3, 2008};
  EXPECT_EQ(AbsoluteFromGregorian(&feb31), AbsoluteFromGregorian(&mar2));
}

TEST(CalDateGregorian, MonthLengths) {
  constexpr struct {
    int month, year, days;
  } rows[] = {
      {2, 1900, 28}, {2, 2000, 29}, {2, 2100, 28}, {2, 2004, 29}, {2, 2006, 28}, {4, 2006, 30},
  };
  for (const auto& row : rows)
    EXPECT_EQ(GregorianLastDayOfMonth(row.month, row.year), row.days)
        << row.month << "/" << row.year;
}

TEST(CalDateHebrew, RoshHodesh) {
  constexpr struct {
    const char* id;
    CalDate date;
    int expected;
  } rows[] = {
      {"30 Heshvan of a complete year", {30, 8, 5764}, 1},
      {"1 Tishri is Rosh Hashanah", {1, 7, 5767}, 0},
      {"29 Elul", {29, 6, 5767}, 0},
      {"30 Adar I", {30, 12, 5768}, 1},
      {"29 Heshvan", {29, 8, 5764}, 0},
  };
  for (const auto& row : rows) EXPECT_EQ(IsRoshHodesh(&row.date), row.expected) << row.id;
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
    // The year's kind follows from its length: 383-385 days for a leap
    // year, a long Heshvan in a complete year, a short Kislev in a
    // deficient one.
    const int leap = row.days > 380;
    ASSERT_EQ(HebrewLeapYear(row.hebrewYear), leap) << row.hebrewYear;
    ASSERT_EQ(LastMonthOfHebrewYear(row.hebrewYear), leap ? 13 : 12) << row.hebrewYear;
    ASSERT_EQ(HebrewLastDayOfMonth(12, row.hebrewYear), leap ? 30 : 29) << row.hebrewYear;
    ASSERT_EQ(HebrewLastDayOfMonth(8, row.hebrewYear), row.days % 10 == 5 ? 30 : 29) << row.hebrewYear;
    ASSERT_EQ(HebrewLastDayOfMonth(9, row.hebrewYear), row.days % 10 == 3 ? 29 : 30) << row.hebrewYear;
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
