// Calendar arithmetic against published dates and an independent table of
// Rosh Hashanah dates; the Daf Yomi against the published cycle.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "calendar/caldate.h"
#include "calendar/dafyomi.h"

namespace {

std::string Text(const CalDate& d) {
  return std::to_string(d.day) + "." + std::to_string(d.month) + "." + std::to_string(d.year);
}

TEST(CalDate, RoshHodesh) {
  constexpr std::pair<CalDate, int> rows[] = {
      {{1, 7, 5767}, 0},   // 1 Tishri is Rosh Hashanah
      {{1, 8, 5767}, 1},
      {{30, 8, 5764}, 1},  // 30 Heshvan of a complete year
  };
  for (const auto& [date, expected] : rows) EXPECT_EQ(IsRoshHodesh(&date), expected) << Text(date);
}

struct RoshHashanahRow {
  int hebrewYear;
  int gregorianYear, gregorianMonth, gregorianDay;
  int days;
};

constexpr RoshHashanahRow kRoshHashanah[] = {
#include "calendar/rosh_hashanah_dates.inc"
};

TEST(CalDate, RoshHashanahAgreesWithIndependentTable) {
  for (const RoshHashanahRow& row : kRoshHashanah) {
    const int year = row.hebrewYear;
    const CalDate tishri1 = {1, 7, year};
    const CalDate gregorian = {row.gregorianDay, row.gregorianMonth, row.gregorianYear};
    ASSERT_EQ(AbsoluteFromHebrew(&tishri1), AbsoluteFromGregorian(&gregorian)) << year;
    ASSERT_EQ(DaysInHebrewYear(year), row.days) << year;
    // The year's kind follows from its length: 383-385 days for a leap
    // year, a long Heshvan in a complete year, a short Kislev in a
    // deficient one.
    const int leap = row.days > 380;
    ASSERT_EQ(HebrewLeapYear(year), leap) << year;
    ASSERT_EQ(HebrewLastDayOfMonth(12, year), leap ? 30 : 29) << year;
    ASSERT_EQ(HebrewLastDayOfMonth(8, year), row.days % 10 == 5 ? 30 : 29) << year;
    ASSERT_EQ(HebrewLastDayOfMonth(9, year), row.days % 10 == 3 ? 29 : 30) << year;
  }
}

// Every day from 1583 to 3000 converts to both calendars and back, and
// each Hebrew date is the one after the date of the day before.
TEST(CalDate, EveryDayRoundTrips) {
  const CalDate firstDate = {1, 1, 1583}, lastDate = {31, 12, 3000};
  const int first = AbsoluteFromGregorian(&firstDate), last = AbsoluteFromGregorian(&lastDate);
  CalDate prevH{};
  HebrewFromAbsolute(first - 1, &prevH);
  for (int d = first; d <= last; ++d) {
    CalDate g{}, h{};
    GregorianFromAbsolute(d, &g);
    HebrewFromAbsolute(d, &h);
    ASSERT_EQ(AbsoluteFromGregorian(&g), d);
    ASSERT_EQ(AbsoluteFromHebrew(&h), d);
    if (h.day != 1) {
      ASSERT_EQ(Text(h), Text({prevH.day + 1, prevH.month, prevH.year})) << d;
    } else {
      ASSERT_EQ(prevH.day, HebrewLastDayOfMonth(prevH.month, prevH.year)) << d;
      const int next = prevH.month == 6                                 ? 7
                       : prevH.month == LastMonthOfHebrewYear(prevH.year) ? 1
                                                                          : prevH.month + 1;
      ASSERT_EQ(Text(h), Text({1, next, prevH.year + (next == 7 ? 1 : 0)})) << d;
    }
    prevH = h;
  }
}

TEST(DafYomi, PagesAndResults) {
  constexpr std::tuple<CalDate, int, const char*> rows[] = {  // date, result, text (nullptr: any)
      {{10, 7, 1923}, 0, "Cycle 1, Berachos 2"},    // the epoch
      {{11, 9, 1923}, 0, "Cycle 1, Shabbos 2"},     // position 63
      {{1, 3, 2005}, 0, "Cycle 11, Nidah 73"},      // the eve of cycle 12
      {{2, 3, 2005}, 0, "Cycle 12, Berachos 2"},
      {{4, 11, 2023}, 0, "Cycle 14, Bava Kana 2"},  // 1399 pages before Bava Kama
      {{31, 12, 3000}, 0, nullptr},
      {{29, 2, 2007}, 2, ""},
      {{1, 1, 3001}, 2, ""},
      {{9, 7, 1923}, 3, ""},
  };
  for (const auto& [d, result, expected] : rows) {
    SCOPED_TRACE(Text(d));
    DafYomiRequest request = {kDafYomiRequestSize, d.day, d.month, d.year, -1, "#", -1, "", ""};
    ASSERT_EQ(DafYomiCompute(&request), result);
    char text[256] = "stale";
    EXPECT_EQ(DafYomiText(d.day, d.month, d.year, text), result);
    EXPECT_STREQ(text, expected ? expected : request.longText);
    // The parts agree; a failed request leaves them as they were.
    EXPECT_EQ(std::string(request.tractate) + " " + std::to_string(request.page),
              result ? "# -1" : request.shortText);
    EXPECT_EQ("Cycle " + std::to_string(request.cycle) + ", " + request.shortText,
              result ? "Cycle -1, " : request.longText);
  }
  EXPECT_EQ(DafYomiCompute(nullptr), 1);
  DafYomiRequest old = {kDafYomiRequestSize - 1, 11, 9, 1923, 0, "", 0, "", ""};
  EXPECT_EQ(DafYomiCompute(&old), 1);  // the size is checked first
}

}  // namespace
