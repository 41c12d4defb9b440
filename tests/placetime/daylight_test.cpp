// Daylight saving: rules around their start and end days; the dialog.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "placetime/daylight.h"
#include "placetime/daylight_form.h"
#include "platform/ini.h"
#include "support/scratch_dir.h"

namespace {

// daylight.ini with the keys, written one a line.
std::string Rule(std::string keys) {
  for (std::size_t at; (at = keys.find(' ')) != std::string::npos;) keys.replace(at, 1, "\r\n");
  return "[DaylightSaving]\r\n" + keys + "\r\n";
}

TEST(DaylightSaving, RulesAroundTheirStartAndEndDays) {
  // Last Friday before 2 April to the last Sunday before Yom Kippur.
  const char* yomKippur = "IsAvail=1 StartMethod=1 StartWeekNo=5 StartWeekDay=5 StartDay=2 StartMonth=4 EndMethod=1 EndWeekDay=0";
  const std::tuple<const char*, const char*, int, int, int, int> rows[] = {
      {"no file, no saving", "", 1, 7, 2007, 0},
      // The default rule: last Sunday of March to the last Sunday of October.
      {"default: last Sunday of March", "IsAvail=1", 25, 3, 2007, 1},
      {"default: the Saturday before the end", "IsAvail=1", 27, 10, 2007, 1},
      {"default: last Sunday of October", "IsAvail=1", 28, 10, 2007, 0},
      {"Yom Kippur rule: Friday 30 March", yomKippur, 30, 3, 2007, 1},
      {"Yom Kippur rule: Sunday 16 September", yomKippur, 16, 9, 2007, 0},
      {"Thursday Yom Kippur: 2 October", "IsAvail=1 EndMethod=1 EndWeekDay=4", 2, 10, 2008, 0},
      {"second Sunday of March: 11th", "IsAvail=1 StartWeekNo=2 StartMonth=3 EndWeekNo=1 EndMonth=11", 11, 3, 2007, 1},
      {"first Sunday of November: 4th", "IsAvail=1 StartWeekNo=2 StartMonth=3 EndWeekNo=1 EndMonth=11", 4, 11, 2007, 0},
      // Southern: first Sunday of October to the first Sunday of April.
      {"southern: first Sunday of April", "IsAvail=1 StartWeekNo=1 StartMonth=10 EndWeekNo=1 EndMonth=4", 1, 4, 2007, 0},
      // 1 and 8 April 2007 are Sundays.
      {"first Sunday after 1 April: 8th", "IsAvail=1 StartMethod=1 StartWeekNo=1 StartDay=1 StartMonth=4", 8, 4, 2007, 1},
      {"last Sunday before 8 April: 1st", "IsAvail=1 StartMethod=1 StartWeekNo=5 StartDay=8 StartMonth=4", 1, 4, 2007, 1},
      // 29 February of a common year is 1 March: a Thursday, not after itself.
      {"first Thursday after 29 Feb 2007", "IsAvail=1 StartMethod=1 StartWeekNo=1 StartWeekDay=4 StartDay=29 StartMonth=2", 7, 3, 2007, 0},
      {"first Thursday after 29 Feb 2008", "IsAvail=1 StartMethod=1 StartWeekNo=1 StartWeekDay=4 StartDay=29 StartMonth=2", 6, 3, 2008, 1},
      {"December end: 29th, before the last Sunday", "IsAvail=1 EndMonth=12", 29, 12, 2007, 1},
      // Unusable values and methods take their defaults.
      {"unusable values: default start", "IsAvail=1 StartWeekDay=9 StartMonth=13 EndWeekDay=-1 EndMonth=0 StartWeekNo=0 StartMethod=2 StartDay=20 EndMethod=7", 25, 3, 2007, 1},
  };
  ScratchDir dir;  // one file each row writes anew: the rule is read on every call
  for (const auto& [id, keys, day, month, year, inForce] : rows) {
    if (*keys) dir.Write(kDaylightFile, Rule(keys));
    int hour = 10;
    ApplyDaylightSaving(day, month, year, &hour);
    EXPECT_EQ(hour, 10 + inForce) << id;
  }
  int hour = 23;  // the hour wraps at midnight
  ApplyDaylightSaving(1, 7, 2007, &hour);
  EXPECT_EQ(hour, 0);
}

// The fields in their order, for one comparison that shows every value.
std::vector<int> Ints(const DaylightFields& f) {
  static_assert(sizeof f == 14 * sizeof(int));
  const int* p = &f.enabled;
  return std::vector<int>(p, p + 14);
}

// The stored keys in their order (-99: missing).
std::string Keys() {
  std::string out;
  for (const char* key : {"IsAvail", "StartMethod", "StartWeekNo", "StartWeekDay", "StartMonth",
                          "StartDay", "EndMethod", "EndWeekNo", "EndWeekDay", "EndMonth"})
    out += std::to_string(IniReadInt(kDaylightSection, key, -99, kDaylightFile)) + " ";
  return out;
}

// Only the row of each side's stored method is loaded; a stored value with
// no list entry (or a method neither 0 nor 1) selects nothing. A failed
// check writes nothing; OK writes every key of the checked rows; disabling
// writes only IsAvail.
TEST(DaylightForm, LoadAndOk) {
  const std::pair<const char*, std::vector<int>> rows[] = {
      {"", {0, 0, 4, 0, 2, -1, -1, -1, -1, 0, 4, 0, 9, -1}},  // no file
      {"IsAvail=1 StartMethod=1 StartWeekNo=5 StartWeekDay=5 StartDay=2 StartMonth=4 EndMethod=1 EndWeekDay=6 EndMonth=3",
       {1, 1, -1, -1, -1, 1, 5, 1, 3, 1, -1, -1, -1, 6}},
      {"StartWeekNo=6 StartWeekDay=7 StartMonth=12 EndWeekNo=5 EndMonth=13", {0, 0, -1, -1, 11, -1, -1, -1, -1, 0, 4, 0, -1, -1}},
      {"StartMethod=2 EndMethod=-1", {0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}},
  };
  for (const auto& [keys, expected] : rows) {
    ScratchDir dir;
    if (*keys) dir.Write(kDaylightFile, Rule(keys));
    DaylightFields f;
    DaylightFormLoad(&f);
    EXPECT_EQ(Ints(f), expected) << keys;
  }
  // Method 1 on both sides: last Friday before 2 April to the last Sunday
  // before Yom Kippur.
  constexpr DaylightFields kValidMethod1 = {1, 1, 4, 0, 2, 1, 5, 1, 3, 1, 4, 0, 9, 0};
  ScratchDir dir;
  DaylightFields f = kValidMethod1;
  f.startDay = 30;  // 31 April
  f.startMonth1 = 3;
  DaylightFieldError error{};
  EXPECT_EQ(DaylightFormOk(&f, &error), 0);
  EXPECT_STREQ(error.message, "Invalid day was selected");
  EXPECT_EQ(dir.Read(kDaylightFile), "");
  f = kValidMethod1;
  ASSERT_EQ(DaylightFormOk(&f, &error), 1);
  // "Last" is week 5; EndMonth, unread under method 1, keeps its default.
  EXPECT_EQ(Keys(), "1 1 5 5 4 2 1 1 0 10 ");
  f.enabled = 0;
  f.startMethod = -1;  // whatever the rows hold is not checked
  ASSERT_EQ(DaylightFormOk(&f, &error), 1);
  EXPECT_EQ(Keys(), "0 1 5 5 4 2 1 1 0 10 ");
}

}  // namespace
