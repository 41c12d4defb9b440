// The quick searches of the day's holidays against the plain rules they
// stand for: the holidays of the definition table, day by day over a cycle
// of 19 years and in both customs, against every record dated with
// HolidayDateInYear; the numbered holidays of every day of 1000 years
// against HolidayDateByIndex; and month names looked up through buffers
// that are reused for other keys.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "calendar/caldate.h"
#include "calendar/callang.h"
#include "calendar/holidays.h"
#include "support/scratch_dir.h"

namespace {

int SameDate(const CalDate& a, const CalDate& b) {
  return a.day == b.day && a.month == b.month && a.year == b.year;
}

// The key of the first record falling on the day and the English names of
// all of them, each record of the table dated on its own.
void PlainHolidays(int absoluteDay, int diaspora, std::string* key, std::string* text) {
  CalDate today;
  HebrewFromAbsolute(absoluteDay, &today);
  const CallangTable* table = CallangGlobalTable();
  key->clear();
  text->clear();
  for (int i = 0; i < table->count; ++i) {
    const CallangEntry& entry = table->entries[i];
    const std::string entryKey = entry.key;
    if (entryKey.find("Holiday") == std::string::npos) continue;
    if (entryKey.find(diaspora ? "Israel" : "Diaspora") != std::string::npos) continue;
    CalDate date;
    HolidayDateInYear(&entry, today.year, &date);
    if (!SameDate(date, today)) continue;
    if (key->empty()) *key = entryKey;
    *text += (text->empty() ? "" : " - ") + std::string(entry.englishName);
  }
}

class HolidaySearch : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_NE(CallangInitialize(), 0); }
  ScratchDir dir_;  // an empty settings folder: English names
};

TEST_F(HolidaySearch, EveryDayOfACycleAgreesWithTheRecordsDates) {
  // 5755-5773 hold the years in which Yom Hashoah leaves Sunday (5757) and
  // the Iyar days begin to move off Sunday and Monday (5764).
  const CalDate first = {1, 7, 5755};
  const CalDate last = {29, 6, 5773};
  int holidays = 0;
  for (int day = AbsoluteFromHebrew(&first); day <= AbsoluteFromHebrew(&last); ++day) {
    for (int diaspora = 0; diaspora < 2; ++diaspora) {
      std::string plainKey, plainText;
      PlainHolidays(day, diaspora, &plainKey, &plainText);
      char key[kHolidayKeySize];
      char text[256];
      const int found = HolidaysOfDay(day, diaspora, key, text, sizeof text);
      ASSERT_EQ(found, plainText.empty() ? 0 : 1) << "day " << day << ", custom " << diaspora;
      ASSERT_EQ(std::string(key), plainKey) << "day " << day << ", custom " << diaspora;
      ASSERT_EQ(std::string(text), plainText) << "day " << day << ", custom " << diaspora;
      CalDate hebrew;
      HebrewFromAbsolute(day, &hebrew);
      ASSERT_EQ(HolidaysOfDate(day, &hebrew, diaspora, key, text, sizeof text), found) << day;
      ASSERT_EQ(std::string(text), plainText) << "day " << day << ", custom " << diaspora;
      holidays += found;
    }
  }
  EXPECT_GT(holidays, 19 * 2 * 30);  // the comparison saw holidays at all
}

TEST(HolidayIndices, EveryDayOfAThousandYears) {
  for (int year = 5400; year < 6400; ++year) {
    CalDate dates[kHolidayIndexCount];
    for (int n = 0; n < kHolidayIndexCount; ++n) HolidayDateByIndex(n, year, &dates[n]);
    const CalDate tishri = {1, 7, year};
    const CalDate nextTishri = {1, 7, year + 1};
    for (int day = AbsoluteFromHebrew(&tishri); day < AbsoluteFromHebrew(&nextTishri); ++day) {
      CalDate date;
      HebrewFromAbsolute(day, &date);
      std::uint64_t expected = 0;
      for (int n = 0; n < kHolidayIndexCount; ++n)
        if (SameDate(dates[n], date)) expected |= std::uint64_t{1} << n;
      ASSERT_EQ(HolidayIndicesOnDate(&date, day), expected)
          << date.day << "." << date.month << "." << date.year;
    }
  }
}

TEST(CallangNames, ReusedKeyBuffersFindTheirOwnRecords) {
  ASSERT_NE(CallangInitialize(), 0);
  const struct {
    const char* key;
    const char* name;  // nullptr: no record
  } rows[] = {{"MonthFullMarch", "March"}, {"MONTHFULLMARCH", "March"},
              {"MonthShortMarch", "Mar"},  {"MonthAdarI", "Adar I"},
              {"MonthAdar", "Adar"},       {"MonthFull", nullptr}};
  char key[64];
  for (int round = 0; round < 3; ++round) {
    if (round == 2) {
      ASSERT_NE(CallangInitialize(), 0);  // the table filled again
    }
    for (const auto& row : rows) {
      std::strcpy(key, row.key);
      char name[256] = "untouched";
      const int found = CallangLookupName(key, name);
      EXPECT_EQ(found, row.name ? 1 : 0) << row.key << ", round " << round;
      EXPECT_STREQ(name, row.name ? row.name : "untouched") << row.key << ", round " << round;
    }
  }
}

}  // namespace
