// Daylight saving: the rules of daylight.ini evaluated on dates around
// their start and end days, and the dialog's loading, enabling, checks and
// writing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "placetime/daylight.h"
#include "placetime/daylight_form.h"
#include "platform/ini.h"
#include "support/scratch_dir.h"

namespace {

std::string Rule(const std::string& keys) { return "[DaylightSaving]\r\n" + keys; }

// Default rule switched on: last Sunday of March to last Sunday of October.
const std::string kDefaultOn = Rule("IsAvail=1\r\n");
// Last Friday before 2 April to the last Sunday before Yom Kippur.
const std::string kYomKippurRule =
    Rule("IsAvail=1\r\nStartMethod=1\r\nStartWeekNo=5\r\nStartWeekDay=5\r\nStartDay=2\r\n"
         "StartMonth=4\r\nEndMethod=1\r\nEndWeekDay=0\r\n");
// Second Sunday of March to the first Sunday of November.
const std::string kSecondSundayRule =
    Rule("IsAvail=1\r\nStartMethod=0\r\nStartWeekNo=2\r\nStartWeekDay=0\r\nStartMonth=3\r\n"
         "EndMethod=0\r\nEndWeekNo=1\r\nEndMonth=11\r\n");
// Southern hemisphere: first Sunday of October to the first Sunday of April.
const std::string kSouthernRule =
    Rule("IsAvail=1\r\nStartWeekNo=1\r\nStartMonth=10\r\nEndWeekNo=1\r\nEndMonth=4\r\n");

TEST(DaylightSaving, RulesAroundTheirStartAndEndDays) {
  const std::string noAvail = Rule("StartMonth=1\r\nEndMonth=12\r\n");
  const std::string firstAfterSunday =  // 1 April 2007 is itself a Sunday
      Rule("IsAvail=1\r\nStartMethod=1\r\nStartWeekNo=1\r\nStartWeekDay=0\r\nStartDay=1\r\n"
           "StartMonth=4\r\n");
  const std::string lastBeforeSunday =  // 8 April 2007 is itself a Sunday
      Rule("IsAvail=1\r\nStartMethod=1\r\nStartWeekNo=5\r\nStartWeekDay=0\r\nStartDay=8\r\n"
           "StartMonth=4\r\n");
  const std::string leapDay =  // first Thursday after 29 February
      Rule("IsAvail=1\r\nStartMethod=1\r\nStartWeekNo=1\r\nStartWeekDay=4\r\nStartDay=29\r\n"
           "StartMonth=2\r\n");
  const std::string endDecember = Rule("IsAvail=1\r\nEndMonth=12\r\n");  // last Sunday: the 30th
  const std::string thursdayBeforeYomKippur = Rule("IsAvail=1\r\nEndMethod=1\r\nEndWeekDay=4\r\n");
  const std::string outOfRange =  // unusable values and methods take their defaults
      Rule("IsAvail=1\r\nStartWeekDay=9\r\nStartMonth=13\r\nEndWeekDay=-1\r\nEndMonth=0\r\n"
           "StartWeekNo=0\r\nStartMethod=2\r\nStartDay=20\r\nEndMethod=7\r\n");
  const struct {
    const char* id;
    const std::string* file;  // nullptr: no daylight.ini
    int day, month, year;
    int inForce;
  } rows[] = {
      {"no file: no saving", nullptr, 1, 7, 2007, 0},
      {"IsAvail missing: no saving", &noAvail, 1, 7, 2007, 0},
      {"default: Saturday before the last Sunday of March", &kDefaultOn, 24, 3, 2007, 0},
      {"default: last Sunday of March", &kDefaultOn, 25, 3, 2007, 1},
      {"default: Saturday before the last Sunday of October", &kDefaultOn, 27, 10, 2007, 1},
      {"default: last Sunday of October", &kDefaultOn, 28, 10, 2007, 0},
      {"Yom Kippur rule: Thursday 29 March", &kYomKippurRule, 29, 3, 2007, 0},
      {"Yom Kippur rule: Friday 30 March", &kYomKippurRule, 30, 3, 2007, 1},
      {"Yom Kippur rule: Saturday 15 September", &kYomKippurRule, 15, 9, 2007, 1},
      {"Yom Kippur rule: Sunday 16 September", &kYomKippurRule, 16, 9, 2007, 0},
      {"second Sunday: 11 March", &kSecondSundayRule, 11, 3, 2007, 1},
      {"second Sunday: 4 November", &kSecondSundayRule, 4, 11, 2007, 0},
      {"southern: first Sunday of April", &kSouthernRule, 1, 4, 2007, 0},
      {"southern: first Sunday of October", &kSouthernRule, 7, 10, 2007, 1},
      {"first after a Sunday is the next Sunday", &firstAfterSunday, 7, 4, 2007, 0},
      {"first after a Sunday: 8 April", &firstAfterSunday, 8, 4, 2007, 1},
      {"last before a Sunday is the Sunday before", &lastBeforeSunday, 1, 4, 2007, 1},
      {"last before a Sunday: 31 March", &lastBeforeSunday, 31, 3, 2007, 0},
      {"29 Feb of a common year is 1 March: not the Thursday itself", &leapDay, 7, 3, 2007, 0},
      {"29 Feb of a leap year: next Thursday", &leapDay, 6, 3, 2008, 1},
      {"December end: 29 December", &endDecember, 29, 12, 2007, 1},
      {"December end: 30 December", &endDecember, 30, 12, 2007, 0},
      {"a Thursday Yom Kippur ends the Thursday before", &thursdayBeforeYomKippur, 1, 10, 2008, 1},
      {"Thursday before Yom Kippur 2008 is 2 October", &thursdayBeforeYomKippur, 2, 10, 2008, 0},
      {"unusable values: default start", &outOfRange, 25, 3, 2007, 1},
      {"unusable values: default end", &outOfRange, 28, 10, 2007, 0},
  };
  for (const auto& row : rows) {
    ScratchDir dir;
    if (row.file) dir.Write(kDaylightFile, *row.file);
    int hour = 10;
    ApplyDaylightSaving(row.day, row.month, row.year, &hour);
    EXPECT_EQ(hour, 10 + row.inForce) << row.id;
  }
}

// The hour wraps at midnight; the rule is read on every call.
TEST(DaylightSaving, HourWrapsAtMidnight) {
  ScratchDir dir;
  int hour = 23;
  ApplyDaylightSaving(1, 7, 2007, &hour);
  EXPECT_EQ(hour, 23);
  dir.Write(kDaylightFile, kDefaultOn);
  ApplyDaylightSaving(1, 7, 2007, &hour);
  EXPECT_EQ(hour, 0);
  ApplyDaylightSaving(1, 7, 2007, &hour);
  EXPECT_EQ(hour, 1);
}

// ---- the dialog ----

// Valid "Enable" states: method 0 on both sides (last Sunday of March to
// the last Sunday of October), and method 1 on both sides (last Friday
// before 2 April to the last Sunday before Yom Kippur).
constexpr DaylightFields kValid = {1, 0, 4, 0, 2, -1, -1, -1, -1, 0, 4, 0, 9, -1};
constexpr DaylightFields kValidMethod1 = {1, 1, 4, 0, 2, 1, 5, 1, 3, 1, 4, 0, 9, 0};

// The fields in their order, for one comparison that shows every value.
std::vector<int> Ints(const DaylightFields& f) {
  static_assert(sizeof f == 14 * sizeof(int));
  const int* p = &f.enabled;
  return std::vector<int>(p, p + 14);
}

TEST(DaylightForm, LoadSelectsOnlyTheStoredMethodsRows) {
  struct Row {
    const char* id;
    const char* file;  // nullptr: none
    DaylightFields expected;
  };
  const Row rows[] = {
      {"no file: the defaults, disabled", nullptr,
       {0, 0, 4, 0, 2, -1, -1, -1, -1, 0, 4, 0, 9, -1}},
      {"method 1 on both sides",
       "[DaylightSaving]\r\nIsAvail=1\r\nStartMethod=1\r\nStartWeekNo=5\r\nStartWeekDay=5\r\n"
       "StartDay=2\r\nStartMonth=4\r\nEndMethod=1\r\nEndWeekDay=6\r\nEndMonth=3\r\n",
       {1, 1, -1, -1, -1, 1, 5, 1, 3, 1, -1, -1, -1, 6}},
      {"methods neither 0 nor 1 check no radio button",
       "[DaylightSaving]\r\nStartMethod=2\r\nEndMethod=-1\r\n",
       {0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}},
  };
  for (const Row& row : rows) {
    ScratchDir dir;
    if (row.file) dir.Write(kDaylightFile, row.file);
    DaylightFields f;
    DaylightFormLoad(&f);
    EXPECT_EQ(Ints(f), Ints(row.expected)) << row.id;
  }
}

TEST(DaylightForm, EnablingFollowsTheRadioButtons) {
  struct Row {
    const char* id;
    int enabled, startMethod, endMethod;
    int control;
    int expected;
  };
  constexpr Row rows[] = {
      {"disabled: Enable stays", 0, 0, 0, kDaylightControlEnable, 1},
      {"disabled: even the checked method's row", 0, 0, 0, kDaylightControlStartWeekNo, 0},
      {"enabled: method radios without a method", 1, -1, -1, kDaylightControlEndMethod1, 1},
      {"start 0: its row", 1, 0, 1, kDaylightControlStartOf, 1},
      {"start 1: its row", 1, 1, 0, kDaylightControlStartAfterBefore, 1},
      {"end 1: its row", 1, 0, 1, kDaylightControlEndYom, 1},
  };
  for (const Row& row : rows) {
    DaylightFields f = kValid;
    f.enabled = row.enabled;
    f.startMethod = row.startMethod;
    f.endMethod = row.endMethod;
    EXPECT_EQ(DaylightControlEnabled(&f, row.control), row.expected) << row.id;
  }
}

TEST(DaylightForm, ChecksInOrder) {
  struct Row {
    const char* id;
    DaylightFields start;
    void (*change)(DaylightFields*);
    const char* message;  // nullptr: valid
    int control;
  };
  const Row rows[] = {
      {"method 1 valid", kValidMethod1, [](DaylightFields*) {}, nullptr, 0},
      {"disabled: nothing is checked", kValid,
       [](DaylightFields* f) { f->enabled = 0, f->startMethod = f->endMethod = -1; }, nullptr, 0},
      {"start 0 week number", kValid,
       [](DaylightFields* f) { f->startWeekNo = -1, f->startWeekDay = -1, f->endMethod = -1; },
       "Start week no has to be selected", kDaylightControlStartWeekNo},
      {"start 1 First or Last", kValidMethod1,
       [](DaylightFields* f) { f->startFirstLast = -1, f->startDay = -1; },
       "Start week no has to be selected", kDaylightControlStartFirstLast},
      {"start 1 weekday", kValidMethod1,
       [](DaylightFields* f) { f->startWeekDay1 = -1, f->startDay = -1; },
       "Start weekday has to be selected", kDaylightControlStartWeekDay1},
      {"start 1 day", kValidMethod1,
       [](DaylightFields* f) { f->startDay = -1, f->startMonth1 = -1; },
       "Start day has to be selected", kDaylightControlStartDay},
      {"start 1 month", kValidMethod1, [](DaylightFields* f) { f->startMonth1 = -1; },
       "Start month has to be selected", kDaylightControlStartMonth1},
      {"31 April", kValidMethod1, [](DaylightFields* f) { f->startDay = 30, f->startMonth1 = 3; },
       "Invalid day was selected", kDaylightControlStartDay},
      {"29 February is accepted", kValidMethod1,
       [](DaylightFields* f) { f->startDay = 28, f->startMonth1 = 1; }, nullptr, 0},
      {"no start method", kValid,
       [](DaylightFields* f) { f->startMethod = -1, f->endMethod = -1; },
       "Method for start calculation must be selected", kDaylightControlStartMethod0},
      {"end 0 week number", kValid,
       [](DaylightFields* f) { f->endWeekNo = -1, f->endWeekDay = -1; },
       "End week no has to be selected", kDaylightControlEndWeekNo},
      {"end 1 weekday", kValidMethod1,
       [](DaylightFields* f) { f->endWeekDay1 = -1, f->endMonth = -1; },
       "End weekday has to be selected", kDaylightControlEndWeekDay1},
      {"no end method", kValid, [](DaylightFields* f) { f->endMethod = -1; },
       "Method for end calculation must be selected", kDaylightControlEndMethod0},
  };
  for (const Row& row : rows) {
    DaylightFields f = row.start;
    row.change(&f);
    DaylightFieldError error{nullptr, kDaylightControlNone};
    const int ok = DaylightValidate(&f, &error);
    if (!row.message) {
      EXPECT_EQ(ok, 1) << row.id << ": " << (error.message ? error.message : "");
      continue;
    }
    EXPECT_EQ(ok, 0) << row.id;
    EXPECT_STREQ(error.message, row.message) << row.id;
    EXPECT_EQ(error.control, row.control) << row.id;
  }
}

// The stored keys in their order (-99: missing): IsAvail, StartMethod,
// StartWeekNo, StartWeekDay, StartMonth, StartDay, EndMethod, EndWeekNo,
// EndWeekDay, EndMonth.
std::string Keys() {
  std::string out;
  for (const char* key : {"IsAvail", "StartMethod", "StartWeekNo", "StartWeekDay", "StartMonth",
                          "StartDay", "EndMethod", "EndWeekNo", "EndWeekDay", "EndMonth"})
    out += std::to_string(IniReadInt(kDaylightSection, key, -99, kDaylightFile)) + " ";
  return out;
}

TEST(DaylightForm, OkWritesEveryKey) {
  ScratchDir dir;
  DaylightFields f = kValidMethod1;  // last Friday before 2 April; last Sunday before YK
  DaylightFieldError error{};
  ASSERT_EQ(DaylightFormOk(&f, &error), 1);
  // "Last" is week 5; EndMonth, unread under method 1, keeps its default.
  EXPECT_EQ(Keys(), "1 1 5 5 4 2 1 1 0 10 ");
  // Method 0 on both sides: 2nd Sunday of March to the 1st of November;
  // First in the method 1 row is not looked at.
  f = kValid;
  f.startWeekNo = 1;
  f.endWeekNo = 0;
  f.endMonth = 10;
  f.startFirstLast = 0;
  ASSERT_EQ(DaylightFormOk(&f, &error), 1);
  EXPECT_EQ(Keys(), "1 0 2 0 3 1 0 1 0 11 ");
}

// Disabling writes only IsAvail; a failed check writes nothing.
TEST(DaylightForm, DisableWritesOnlyIsAvail) {
  ScratchDir dir;
  DaylightFields f = kValid;
  f.endMonth = -1;
  DaylightFieldError error{};
  EXPECT_EQ(DaylightFormOk(&f, &error), 0);
  EXPECT_STREQ(error.message, "End month has to be selected");
  EXPECT_EQ(dir.Read(kDaylightFile), "");

  dir.Write(kDaylightFile, kYomKippurRule);
  f.enabled = 0;
  f.startMethod = -1;  // whatever the rows hold is not checked
  ASSERT_EQ(DaylightFormOk(&f, &error), 1);
  EXPECT_EQ(Keys(), "0 1 5 5 4 2 1 -99 0 -99 ");
}

}  // namespace
