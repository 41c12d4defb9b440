// Month names (English from the definitions, built-in Hebrew in visual
// order, custom names from the settings), dates and times in each format,
// and reading a typed date. Each row writes its own settings file.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "calendar/callang.h"
#include "calendar/names.h"
#include "settings/settings.h"
#include "support/scratch_dir.h"

namespace {

constexpr char kUntouched[] = "untouched";

constexpr const char* kNoFile = nullptr;
constexpr char kHebrewOn[] = "[Flags]\r\nHebrewFlag=1\r\n";
constexpr char kHebrewOff[] = "[Flags]\r\nHebrewFlag=0\r\n";

// A scratch settings folder holding `ini` as exportcal.ini (no file for
// nullptr), with the definition table loaded.
struct RowSettings {
  explicit RowSettings(const char* ini) {
    EXPECT_NE(CallangInitialize(), 0);
    if (ini) dir.Write(kSettingsFile, ini);
  }
  ScratchDir dir;
};

struct NameRow {
  const char* id;
  const char* ini;
  int month;
  int full;  // for Hebrew months: the Hebrew year
  int ok;
  const char* expected;  // kUntouched where nothing may be written
};

using NameFunction = int (*)(int, int, char*);

void ExpectNames(NameFunction function, const NameRow* rows, int count) {
  for (int i = 0; i < count; ++i) {
    const NameRow& row = rows[i];
    RowSettings setup(row.ini);
    char dest[256];
    std::strcpy(dest, kUntouched);
    EXPECT_EQ(function(row.month, row.full, dest), row.ok) << row.id;
    EXPECT_STREQ(dest, row.expected) << row.id;
  }
}

TEST(NamesGregorian, EdgeCases) {
  const NameRow rows[] = {
      {"5 short", kNoFile, 5, 0, 1, "May"},
      // Written last letter first: January is resh alef vav nun yod.
      {"January in Hebrew", kHebrewOn, 1, 1, 1, "\xF8\xE0\xE5\xF0\xE9"},
      {"short is full in Hebrew", kHebrewOn, 12, 0, 1, "\xF8\xE1\xEE\xF6\xE3"},
      {"month 0", kNoFile, 0, 1, 0, kUntouched},
      {"Hebrew flag 2 counts as on", "[Flags]\r\nHebrewFlag=2\r\n", 5, 1, 1, "\xE9\xE0\xEE"},
      {"Hebrew month 13", kHebrewOn, 13, 0, 0, kUntouched},
  };
  ExpectNames(&GregorianMonthName, rows, sizeof rows / sizeof rows[0]);
}

TEST(NamesGregorian, CustomNames) {
  static constexpr char kMars[] = "[Custom]\r\nCustomEnable=1\r\nMonthMarch=Mars\r\n";
  const std::string longValue(300, 'x');
  const std::string longIni = "[Custom]\r\nCustomEnable=1\r\nMonthJuly=" + longValue + "\r\n";
  const std::string longName(255, 'x');  // the value is cut to 255 characters
  const NameRow rows[] = {
      {"set, full", kMars, 3, 1, 1, "Mars"},
      {"unset key: empty name, still 1", kMars, 4, 1, 1, ""},
      {"disabled: English", "[Custom]\r\nCustomEnable=0\r\nMonthMarch=Mars\r\n", 3, 1, 1, "March"},
      {"Hebrew on: custom ignored", "[Flags]\r\nHebrewFlag=1\r\n[Custom]\r\nCustomEnable=1\r\nMonthMarch=Mars\r\n",
       3, 1, 1, "\xF5\xF8\xEE"},
      {"long value is cut", longIni.c_str(), 7, 1, 1, longName.c_str()},
  };
  ExpectNames(&GregorianMonthNameCustom, rows, sizeof rows / sizeof rows[0]);
}

TEST(NamesHebrew, English) {
  // 5768 (2007-08) is a leap year, 5767 a common one.
  const NameRow rows[] = {
      {"Nisan", kNoFile, 1, 5767, 1, "Nisan"},
      {"12 in a leap year", kNoFile, 12, 5768, 1, "Adar I"},
      {"12 in a common year", kNoFile, 12, 5767, 1, "Adar"},
      {"13 in a leap year", kNoFile, 13, 5768, 1, "Adar II"},
      {"13 in a common year: still Adar II", kNoFile, 13, 5767, 1, "Adar II"},
      {"month 0", kNoFile, 0, 5768, 0, kUntouched},
  };
  ExpectNames(&HebrewMonthName, rows, sizeof rows / sizeof rows[0]);
  ExpectNames(&HebrewMonthNameEnglish, rows, sizeof rows / sizeof rows[0]);
  const NameRow hebrewOn[] = {{"Adar I whatever the setting", kHebrewOn, 12, 5768, 1, "Adar I"}};
  ExpectNames(&HebrewMonthNameEnglish, hebrewOn, 1);
}

TEST(NamesHebrew, HebrewVisualOrder) {
  // Written last letter first; the apostrophe of Adar I and II comes first.
  const NameRow rows[] = {
      {"Nisan", kHebrewOn, 1, 5767, 1, "\xEF\xF1\xE9\xF0"},
      {"Adar, common year", kHebrewOn, 12, 5767, 1, "\xF8\xE3\xE0"},
      {"Adar I, leap year", kHebrewOn, 12, 5768, 1, "'\xE0 \xF8\xE3\xE0"},
      {"Adar II", kHebrewOn, 13, 5768, 1, "'\xE1 \xF8\xE3\xE0"},
  };
  ExpectNames(&HebrewMonthName, rows, sizeof rows / sizeof rows[0]);
}

TEST(NamesFormat, GregorianDate) {
  struct Row {
    const char* id;
    const char* ini;
    int day, month, year;
    const char* expected;
  };
  constexpr Row rows[] = {
      {"no file: day.month.year", kNoFile, 5, 3, 2007, "5.3.2007"},
      {"format 1: month/day/year", "[Settings]\r\nDateFormat=1\r\n", 5, 3, 2007, "3/5/2007"},
      {"numbers are not checked", "[Settings]\r\nDateFormat=0\r\n", 0, 0, -1, "0.0.-1"},
      {"format 5 writes nothing", "[Settings]\r\nDateFormat=5\r\n", 5, 3, 2007, kUntouched},
  };
  for (const Row& row : rows) {
    RowSettings setup(row.ini);
    char dest[256];
    std::strcpy(dest, kUntouched);
    FormatGregorianDate(row.day, row.month, row.year, dest);
    EXPECT_STREQ(dest, row.expected) << row.id;
  }
}

TEST(NamesFormat, Time) {
  static constexpr char k24[] = "[Settings]\r\nTimeFormat=0\r\n";
  static constexpr char k12[] = "[Settings]\r\nTimeFormat=1\r\n";
  struct Row {
    const char* id;
    const char* ini;
    int hour, minute, ampm;
    const char* expected;
  };
  constexpr Row rows[] = {
      {"no file: 24 hour", kNoFile, 7, 5, 0, "07:05"},
      {"24: am/pm flag ignored", k24, 19, 30, 1, "19:30"},
      {"12: morning", k12, 7, 5, 0, "7.05"},
      {"12: afternoon", k12, 13, 0, 0, "1.00"},
      {"12: am", k12, 7, 5, 1, "7.05am"},
      {"12: noon is pm", k12, 12, 0, 1, "12.00pm"},
      {"12: last minute before noon is am", k12, 11, 59, 1, "11.59am"},
      {"format 2 writes nothing", "[Settings]\r\nTimeFormat=2\r\n", 7, 5, 1, kUntouched},
  };
  for (const Row& row : rows) {
    RowSettings setup(row.ini);
    char dest[256];
    std::strcpy(dest, kUntouched);
    FormatTime(row.hour, row.minute, dest, row.ampm);
    EXPECT_STREQ(dest, row.expected) << row.id;
  }
}

TEST(NamesFormat, SettingsAreReadOnEveryCall) {
  RowSettings setup(kNoFile);
  char dest[256];
  FormatGregorianDate(5, 3, 2007, dest);
  EXPECT_STREQ(dest, "5.3.2007");
  setup.dir.Write(kSettingsFile, "[Settings]\r\nDateFormat=1\r\nTimeFormat=1\r\n[Flags]\r\nHebrewFlag=1\r\n");
  FormatGregorianDate(5, 3, 2007, dest);
  EXPECT_STREQ(dest, "3/5/2007");
  FormatTime(13, 0, dest, 1);
  EXPECT_STREQ(dest, "1.00pm");
}

constexpr char kDayFirst[] = "[Settings]\r\nDateFormat=0\r\n";
constexpr char kMonthFirst[] = "[Settings]\r\nDateFormat=1\r\n";

TEST(NamesParse, GregorianDate) {
  struct Row {
    const char* id;
    const char* ini;
    const char* text;
    int ok;
    int day, month, year;  // checked only when ok
  };
  constexpr Row rows[] = {
      {"day first", kDayFirst, "5.3.2007", 1, 5, 3, 2007},
      {"leading zeros", kDayFirst, "05.03.02007", 1, 5, 3, 2007},
      {"not checked against the calendar", kDayFirst, "99.77.12", 1, 99, 77, 12},
      {"letter after the year", kDayFirst, "5.3.2007x", 0, 0, 0, 0},
      {"slashes in day-first format", kDayFirst, "5/3/2007", 0, 0, 0, 0},
      {"month first", kMonthFirst, "3/5/2007", 1, 5, 3, 2007},
      {"dots in month-first format", kMonthFirst, "3.5.2007", 0, 0, 0, 0},
      {"format 5: day first text", "[Settings]\r\nDateFormat=5\r\n", "5.3.2007", 0, 0, 0, 0},
      {"largest 32-bit year", kDayFirst, "1.1.2147483647", 1, 1, 1, 2147483647},
      {"one more", kDayFirst, "1.1.2147483648", 0, 0, 0, 0},
      {"day 2^32 + 1 would wrap to 1", kDayFirst, "4294967297.1.2000", 0, 0, 0, 0},
  };
  for (const Row& row : rows) {
    RowSettings setup(row.ini);
    CalDate date{-7, -7, -7};
    EXPECT_EQ(ParseGregorianDate(row.text, &date), row.ok) << row.id;
    if (row.ok) {
      EXPECT_EQ(date.day, row.day) << row.id;
      EXPECT_EQ(date.month, row.month) << row.id;
      EXPECT_EQ(date.year, row.year) << row.id;
    }
  }
}

}  // namespace
