// Month names (English from the definitions, built-in Hebrew in visual
// order, custom names from the settings), dates and times in each format,
// and reading a typed date. The rows share one settings folder and each
// writes its own settings file, so every call must read them afresh.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "calendar/callang.h"
#include "calendar/names.h"
#include "settings/settings.h"
#include "support/scratch_dir.h"

namespace {

constexpr char kUntouched[] = "untouched";
constexpr char kHebrew[] = "[Flags]\r\nHebrewFlag=1\r\n";
constexpr char kMars[] = "[Custom]\r\nCustomEnable=1\r\nMonthMarch=Mars\r\n";
constexpr char kDayFirst[] = "[Settings]\r\nDateFormat=0\r\n";
constexpr char kMonthFirst[] = "[Settings]\r\nDateFormat=1\r\n";
constexpr char k12Hour[] = "[Settings]\r\nTimeFormat=1\r\n";

class Names : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_NE(CallangInitialize(), 0); }
  ScratchDir dir_;
};

TEST_F(Names, MonthNames) {
  using NameFunction = int (*)(int, int, char*);
  const std::string longIni = "[Custom]\r\nCustomEnable=1\r\nMonthJuly=" + std::string(300, 'x');
  const std::string longName(255, 'x');  // the value is cut to 255 characters
  const struct {
    NameFunction function;
    std::string ini;
    int month;
    int fullOrYear;  // Gregorian: full name; Hebrew: the year (5768 leap, 5767 common)
    int ok;
    const char* expected;
  } rows[] = {
      {GregorianMonthName, "", 5, 0, 1, "May"},
      // Written last letter first: January is resh alef vav nun yod.
      {GregorianMonthName, kHebrew, 1, 1, 1, "\xF8\xE0\xE5\xF0\xE9"},
      {GregorianMonthName, kHebrew, 13, 0, 0, kUntouched},
      {GregorianMonthNameCustom, kMars, 3, 1, 1, "Mars"},
      {GregorianMonthNameCustom, kMars, 4, 1, 1, ""},  // unset
      {GregorianMonthNameCustom, "[Custom]\r\nMonthMarch=Mars\r\n", 3, 1, 1, "March"},
      {GregorianMonthNameCustom, std::string(kHebrew) + kMars, 3, 1, 1, "\xF5\xF8\xEE"},
      {GregorianMonthNameCustom, longIni, 7, 1, 1, longName.c_str()},
      {HebrewMonthName, "", 12, 5768, 1, "Adar I"},
      {HebrewMonthName, "", 13, 5767, 1, "Adar II"},
      {HebrewMonthName, "", 0, 5768, 0, kUntouched},
      // The apostrophe of Adar I comes first in visual order.
      {HebrewMonthName, kHebrew, 12, 5768, 1, "'\xE0 \xF8\xE3\xE0"},
      {HebrewMonthNameEnglish, kHebrew, 12, 5768, 1, "Adar I"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ini + " " + std::to_string(row.month) + " " + std::to_string(row.fullOrYear));
    dir_.Write(kSettingsFile, row.ini);
    char dest[256];
    std::strcpy(dest, kUntouched);
    EXPECT_EQ(row.function(row.month, row.fullOrYear, dest), row.ok);
    EXPECT_STREQ(dest, row.expected);
  }
}

TEST_F(Names, DatesAndTimes) {
  const struct {
    const char* ini;
    int a, b, c;  // day, month, year; or hour, minute, am/pm
    int time;
    const char* expected;
  } rows[] = {
      {"", 5, 3, 2007, 0, "5.3.2007"},
      {kMonthFirst, 5, 3, 2007, 0, "3/5/2007"},
      {"[Settings]\r\nDateFormat=5\r\n", 5, 3, 2007, 0, kUntouched},
      {"", 7, 5, 1, 1, "07:05"},
      {k12Hour, 13, 0, 0, 1, "1.00"},
      {k12Hour, 12, 0, 1, 1, "12.00pm"},
      {"[Settings]\r\nTimeFormat=2\r\n", 7, 5, 1, 1, kUntouched},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.ini) + " " + row.expected);
    dir_.Write(kSettingsFile, row.ini);
    char dest[256];
    std::strcpy(dest, kUntouched);
    if (row.time)
      FormatTime(row.a, row.b, dest, row.c);
    else
      FormatGregorianDate(row.a, row.b, row.c, dest);
    EXPECT_STREQ(dest, row.expected);
  }
}

TEST_F(Names, ParseGregorianDate) {
  constexpr struct {
    const char* ini;
    const char* text;
    const char* expected;  // nullptr: no date
  } rows[] = {
      {kDayFirst, " 05.03.02007 ", "5.3.2007"},
      {kDayFirst, "5.3.2007x", nullptr},
      {kMonthFirst, "3/5/2007", "5.3.2007"},
      {kMonthFirst, "3.5.2007", nullptr},
      {"[Settings]\r\nDateFormat=5\r\n", "5.3.2007", nullptr},
      {kDayFirst, "1.1.2147483647", "1.1.2147483647"},
      {kDayFirst, "1.1.2147483648", nullptr},
      {kDayFirst, "4294967297.1.2000", nullptr},  // 2^32 + 1 would wrap to 1
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    dir_.Write(kSettingsFile, row.ini);
    CalDate d{-7, -7, -7};
    ASSERT_EQ(ParseGregorianDate(row.text, &d), row.expected ? 1 : 0);
    if (!row.expected) continue;
    EXPECT_EQ(std::to_string(d.day) + "." + std::to_string(d.month) + "." + std::to_string(d.year),
              row.expected);
  }
}

}  // namespace
