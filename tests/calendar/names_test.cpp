// The definition language and names. Rows share one settings folder, each
// writing its own file: every call reads it afresh.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "calendar/callang.h"
#include "calendar/names.h"
#include "settings/settings.h"
#include "support/message_recorder.h"
#include "support/scratch_dir.h"

namespace {

// The parser's report box, as "title|text".
std::string Report(int line, const std::string& token, const std::string& message) {
  return "Error|Line " + std::to_string(line) + ", current token " + token + ": " + message;
}

TEST(CallangParse, ErrorsAndLimits) {
  std::string key50(50, 'k'), s200(200, 's'), many;
  for (int i = 0; i < 200; ++i) many += "K: 'x'\r\n";
  // The source, the records in the table afterwards, the messages shown.
  const std::tuple<std::string, int, std::vector<std::string>> rows[] = {
      {"# c\r\n\r\nA: 'x'\r\nB 'y'\r\n", 1, {Report(4, "TOKEN_STRING (y)", "Colon expected")}},
      {"A: 'x'\nB: 'y'\r\n", 0, {Report(1, "TOKEN_ID (B)", "Newline or comma expected")}},
      {"A: 'x'\r\nB: 'y', 3 Tishri\r\nC\r\n", 1, {Report(2, "TOKEN_COMMA", "No Hebrew holiday name")}},
      {key50 + ": 'x'\r\n", 0, {Report(1, "TOKEN_ID (" + key50 + ")", "Identifer is too long")}},
      {"A: '" + s200 + "'\r\n", 0,
       {"Error|String is too long", "String|" + s200, Report(1, "TOKEN_UNKNOWN", "String expected")}},
      {many + "L: 'y'\r\n", 200, {Report(201, "TOKEN_NEWLINE", "Data overflow")}},
      {"A: 'x' 'y', 2147483648 Tishri\r\n", 0, {Report(1, "TOKEN_UNKNOWN", "Number expected")}},
  };
  for (const auto& [source, count, expected] : rows) {
    SCOPED_TRACE(source.substr(0, 40));
    auto table = std::make_unique<CallangTable>();
    MessageRecorder recorder;
    EXPECT_EQ(CallangParse(source.c_str(), table.get()), 0);
    EXPECT_EQ(table->count, count);
    std::vector<std::string> shown;
    for (const Shown& s : recorder.shown) shown.push_back(s.title + "|" + s.text);
    EXPECT_EQ(shown, expected);
  }
}

TEST(CallangHebrew, FromLetterNames) {
  constexpr std::tuple<const char*, int, const char*> rows[] = {  // names, room, the letters in visual order
      {"alef bet vet gimmel dalet hey vav sayin chet tet yod chaf endchaf lamed mem endmem nun "
       "endnun samech ayin fey pey endfey tzade endtzade kof resch schin taw jey space slash",
       256,
       "/ '\xFA\xF9\xF8\xF7\xF5\xF6\xF3\xF4\xF4\xF2\xF1\xEF\xF0\xED\xEE\xEC\xEA\xEB\xE9\xE8\xE7"
       "\xE6\xE5\xE4\xE3\xE2\xE1\xE1\xE0"},
      {"resch xyz alef kaf", 256, "\xE0\xF8"},  // unknown words dropped
      {"alef bet", 1, ""},                      // room for the NUL only
  };
  for (const auto& [names, destSize, expected] : rows) {
    SCOPED_TRACE(names);
    char dest[300];
    std::memset(dest, 0x55, sizeof dest);
    EXPECT_EQ(HebrewFromLetterNames(names, dest, destSize), (int)std::strlen(expected));
    EXPECT_STREQ(dest, expected);
    EXPECT_EQ(std::string(dest + destSize, dest + sizeof dest),  // nothing past the end
              std::string(sizeof dest - destSize, 0x55));
  }
}

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
    // fullOrYear, Gregorian: the full name; Hebrew: the year (5768 leap, 5767 common)
    int month, fullOrYear, ok;
    const char* expected;
  } rows[] = {
      {GregorianMonthName, "", 5, 0, 1, "May"},
      // Written last letter first: January is resh alef vav nun yod.
      {GregorianMonthName, kHebrew, 1, 1, 1, "\xF8\xE0\xE5\xF0\xE9"},
      {GregorianMonthName, kHebrew, 13, 0, 0, kUntouched},
      {GregorianMonthNameCustom, kMars, 3, 1, 1, "Mars"},
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
  // The settings, the text; the date read from it (nullptr: none), written back.
  constexpr std::tuple<const char*, const char*, const char*, const char*> rows[] = {
      {kDayFirst, " 05.03.02007 ", "5.3.2007", "5.3.2007"},
      {kDayFirst, "5.3.2007x", nullptr, ""},
      {kMonthFirst, "3/5/2007", "5.3.2007", "3/5/2007"},
      {kMonthFirst, "3.5.2007", nullptr, ""},
      {"[Settings]\r\nDateFormat=5\r\n", "5.3.2007", nullptr, ""},
      {kDayFirst, "1.1.2147483647", "1.1.2147483647", "1.1.2147483647"},
      {kDayFirst, "1.1.2147483648", nullptr, ""},
      {kDayFirst, "4294967297.1.2000", nullptr, ""},  // 2^32 + 1 would wrap to 1
  };
  for (const auto& [ini, text, date, written] : rows) {
    SCOPED_TRACE(text);
    dir_.Write(kSettingsFile, ini);
    CalDate d{-7, -7, -7};
    ASSERT_EQ(ParseGregorianDate(text, &d), date ? 1 : 0);
    if (!date) continue;
    EXPECT_EQ(std::to_string(d.day) + "." + std::to_string(d.month) + "." + std::to_string(d.year), date);
    char dest[256] = "";
    FormatGregorianDate(d.day, d.month, d.year, dest);
    EXPECT_STREQ(dest, written);
  }
  constexpr std::tuple<const char*, int, int, int, const char*> times[] = {  // settings, hour, minute, am/pm, text
      {"", 7, 5, 1, "07:05"},
      {k12Hour, 13, 0, 0, "1.00"},
      {k12Hour, 12, 0, 1, "12.00pm"},
      {"[Settings]\r\nTimeFormat=2\r\n", 7, 5, 1, kUntouched},
  };
  for (const auto& [ini, hour, minute, ampm, expected] : times) {
    dir_.Write(kSettingsFile, ini);
    char dest[256];
    std::strcpy(dest, kUntouched);
    FormatTime(hour, minute, dest, ampm);
    EXPECT_STREQ(dest, expected) << ini;
  }
}

}  // namespace
