// Holiday evaluation: the weekday rules on known years, published holiday
// dates in both customs, texts bounded by the caller's buffer, small
// hand-made tables, and every day of 5344-5860 searched three ways against
// the dates of the definitions and of the numbered holidays.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include "calendar/caldate.h"
#include "calendar/callang.h"
#include "calendar/holidays.h"
#include "settings/settings.h"
#include "support/scratch_dir.h"

namespace {

constexpr int kIsrael = 0;
constexpr int kDiaspora = 1;

std::string Text(const CalDate& d) {
  return std::to_string(d.day) + "." + std::to_string(d.month) + "." + std::to_string(d.year);
}

int Day(int day, int month, int year) {
  const CalDate date = {day, month, year};
  return AbsoluteFromGregorian(&date);
}

const CallangEntry* Definition(const char* key) {
  const CallangTable* table = CallangGlobalTable();
  for (int i = 0; i < table->count; ++i)
    if (std::strcmp(table->entries[i].key, key) == 0) return &table->entries[i];
  return nullptr;
}

class HolidayTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_NE(CallangInitialize(), 0); }
  ScratchDir dir_;  // an empty settings folder: English names
};

// Worked by hand: the weekday of the written date, then the rule.
TEST_F(HolidayTest, DefinitionDatesFollowTheWeekdayRules) {
  constexpr struct {
    const char* key;
    int year;
    const char* expected;  // Hebrew
  } rows[] = {
      {"HolidayPurim", 5768, "14.13.5768"},       // Adar II in a leap year
      {"HolidayPurimKatan", 5767, "14.0.5767"},   // no Adar I in a common year
      {"HolidayTishaBAv", 5772, "10.5.5772"},     // 9 Av a Saturday
      {"HolidayTaanithEsther", 5784, "11.13.5784"},  // 13 Adar II a Saturday
      // Yom Hashoah leaves Sunday from 5757.
      {"HolidayYomHashoah", 5753, "27.1.5753"},
      {"HolidayYomHashoah", 5757, "28.1.5757"},
      // The Iyar days leave Saturday always, Sunday and Monday from 5764.
      {"HolidayYomHaAtzmaut", 5761, "3.2.5761"},
      {"HolidayYomHaAtzmaut", 5757, "5.2.5757"},
      {"HolidayYomHazikaron", 5764, "5.2.5764"},
      // 25 Kislev + 7 runs into Tevet by the length of Kislev.
      {"HolidayHanukkahVIII", 5785, "2.10.5785"},
      {"HolidayHanukkahVIII", 5784, "3.10.5784"},
      // The Saturday strictly before 15 Nisan.
      {"HolidayShabbatHagadol", 5761, "14.1.5761"},
      {"HolidayShabbatHagadol", 5784, "12.1.5784"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.key) + " " + std::to_string(row.year));
    const CallangEntry* entry = Definition(row.key);
    ASSERT_NE(entry, nullptr);
    CalDate date = {-1, -1, -1};
    HolidayDateInYear(entry, row.year, &date);
    EXPECT_EQ(Text(date), row.expected);
  }
}

TEST_F(HolidayTest, PublishedDaysGiveTheirNamesAndKeys) {
  constexpr struct {
    CalDate gregorian;
    int diaspora;
    const char* text;  // "" for a day without holidays
    const char* key;
  } rows[] = {
      {{6, 10, 2024}, kDiaspora, "Tzom Gedaliah", "HolidayTzomGedaliah"},  // moved to Sunday
      {{24, 10, 2024}, kDiaspora, "Shemini Atzeret", "HolidaySheminiAtzeretDiaspora"},
      {{24, 10, 2024}, kIsrael, "Shemini Atzeret/Simchat Torah", "HolidaySheminiAtzeretSimchatToraIsrael"},
      {{25, 10, 2024}, kDiaspora, "Simchat Torah (Diaspora)", "HolidaySimchatToraDiaspora"},
      {{25, 10, 2024}, kIsrael, "Isru Chag", "HolidaySukkotIsruChagIsrael"},
      {{25, 3, 2024}, kIsrael, "Shushan Purim", "HolidayShushanPurim"},
      {{7, 4, 2001}, kDiaspora, "Shabbat Hagadol - Erev Pesach", "HolidayShabbatHagadol"},
      {{22, 3, 2024}, kDiaspora, "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Text(row.gregorian) + (row.diaspora ? " Diaspora" : " Israel"));
    char key[kHolidayKeySize] = "stale";
    char text[256] = "stale";
    const int day = AbsoluteFromGregorian(&row.gregorian);
    EXPECT_EQ(HolidaysOfDay(day, row.diaspora, key, text, sizeof text), row.text[0] ? 1 : 0);
    EXPECT_STREQ(text, row.text);
    EXPECT_STREQ(key, row.key);
    // Without a text buffer: whether any holiday matched.
    EXPECT_EQ(HolidaysOfDay(day, row.diaspora, key, nullptr, 0), row.text[0] ? 1 : 0);
    EXPECT_STREQ(key, row.key);
  }
}

// The text stays inside the caller's buffer and is cut between names; the
// key is found even when no name fits. Hebrew names come in visual order,
// the new name in front, joined by " _ "; the setting is read on each call.
TEST_F(HolidayTest, TextIsCutAtANameBoundary) {
  // Windows-1255, visual order: "Erev Pesach" and "Shabbat Hagadol".
  const std::string erevPesach = "\xE7\xF1\xF4 \xE1\xF8\xF2";
  const std::string hagadol = "\xEC\xE5\xE3\xE2\xE4 \xFA\xE1\xF9";
  const struct {
    int hebrew;
    int size;
    std::string text;
  } rows[] = {
      {0, 30, "Shabbat Hagadol - Erev Pesach"},  // 29 characters and the NUL
      {0, 29, "Shabbat Hagadol"},
      {1, 20, erevPesach + " _ " + hagadol},
      {1, 9, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.hebrew) + ", " + std::to_string(row.size));
    dir_.Write(kSettingsFile, row.hebrew ? "[Flags]\r\nHebrewFlag=1\r\n" : "");
    char key[kHolidayKeySize + 8];
    char text[64];
    std::memset(key, '#', sizeof key);
    std::memset(text, '#', sizeof text);
    EXPECT_EQ(HolidaysOfDay(Day(7, 4, 2001), kDiaspora, key, text, row.size), row.text.empty() ? 0 : 1);
    EXPECT_EQ(std::string(text), row.text);
    EXPECT_EQ(std::string(text + row.size, sizeof text - row.size), std::string(sizeof text - row.size, '#'));
    EXPECT_STREQ(key, "HolidayShabbatHagadol");
    EXPECT_EQ(std::string(key + kHolidayKeySize, 8), std::string(8, '#'));
  }
}

// ---- Small tables made by hand -------------------------------------------

CallangEntry MakeEntry(const char* key, const char* english, int day, int month, int offset = 0,
                       int special = 0) {
  CallangEntry entry{};
  std::strncpy(entry.key, key, sizeof entry.key - 1);
  std::strncpy(entry.englishName, english, sizeof entry.englishName - 1);
  std::strncpy(entry.hebrewName, "alef", sizeof entry.hebrewName - 1);
  entry.day = day;
  entry.month = month;
  entry.offset = offset;
  entry.special = special;
  return entry;
}

// Large: one lives in static storage per test.
CallangTable& TableOf(std::initializer_list<CallangEntry> entries) {
  static CallangTable table;
  std::memset(&table, 0, sizeof table);
  for (const CallangEntry& entry : entries) table.entries[table.count++] = entry;
  return table;
}

TEST_F(HolidayTest, RegionAndHolidayWordsAreCaseSensitiveSubstrings) {
  const CallangTable& table = TableOf({
      MakeEntry("FeastOfTrumpets", "no Holiday in the key", 1, 7),
      MakeEntry("MyHolidayAll", "everywhere", 1, 7),
      MakeEntry("HolidayIsraelOnly", "Israel", 1, 7),
      MakeEntry("HolidayDiasporaOnly", "Diaspora", 1, 7),
      MakeEntry("Holidaydiasporaisrael", "lower case", 1, 7),
      MakeEntry("holidayLower", "no Holiday either", 1, 7),
  });
  for (int diaspora : {kIsrael, kDiaspora}) {
    char key[kHolidayKeySize];
    char text[256];
    EXPECT_EQ(HolidaysOfDayIn(&table, Day(3, 10, 2024), diaspora, key, text, sizeof text), 1);
    EXPECT_EQ(std::string(text), std::string("everywhere - ") + (diaspora ? "Diaspora" : "Israel") + " - lower case");
    EXPECT_STREQ(key, "MyHolidayAll");
  }
}

TEST_F(HolidayTest, OffsetsCountDayByDay) {
  const struct {
    CallangEntry entry;
    int year;
    const char* expected;
  } rows[] = {
      // A written 30th of a 29-day Kislev: the first step goes to 1 Tevet.
      {MakeEntry("HolidayA", "a", 30, 9, 1), 5784, "1.10.5784"},
      {MakeEntry("HolidayB", "b", 29, 6, 1), 5785, "1.7.5785"},  // the year does not wrap
      {MakeEntry("HolidayC", "c", 30, kCallangAdarPurimKatan, 1), 5784, "1.13.5784"},
      // The weekday rule after the offset: 24 Tishri 5785 is a Saturday.
      {MakeEntry("HolidayD", "d", 22, 7, 2, kCallangFastDay), 5785, "25.7.5785"},
  };
  for (const auto& row : rows) {
    CalDate date = {-1, -1, -1};
    HolidayDateInYear(&row.entry, row.year, &date);
    EXPECT_EQ(Text(date), row.expected) << row.entry.key;
  }
}

// Numbers a definition may carry (up to 2^31 - 1) neither hang nor
// overflow, and name no day of the year.
TEST_F(HolidayTest, ExtremeNumbersNameNoDay) {
  const CallangTable& table = TableOf({
      MakeEntry("HolidayFar", "far", 1, 7, INT_MAX, kCallangFastDay),
      MakeEntry("HolidayHuge", "huge", INT_MAX, 1, 0, kCallangShabbatHaggadol),
      MakeEntry("HolidayNoMonth", "no month", 5, 0),
  });
  for (int d = Day(3, 10, 2024); d < Day(23, 9, 2025); ++d) {
    char text[256];
    ASSERT_EQ(HolidaysOfDayIn(&table, d, kDiaspora, nullptr, text, sizeof text), 0) << text;
  }
}

// ---- The numbered holidays -----------------------------------------------

TEST(HolidayByIndex, KnownDates) {
  constexpr struct {
    int n, year;
    const char* expected;
  } rows[] = {
      {29, 5784, "11.13.5784"},  // Ta'anit Esther, Purim a Sunday: Thursday
      {34, 5781, "16.12.5781"},  // Shushan Purim, 15 Adar a Saturday
      {36, 5757, "27.1.5757"},   // Yom Hashoah keeps Sunday here
      {44, 5785, "-7.-7.-7"},    // outside 0-43 the date is left alone
      {-1, 5785, "-7.-7.-7"},
  };
  for (const auto& row : rows) {
    CalDate date = {-7, -7, -7};
    HolidayDateByIndex(row.n, row.year, &date);
    EXPECT_EQ(Text(date), row.expected) << row.n;
  }
}

// The definition each number stands for in the Diaspora, and where Israel
// differs (nullptr: no such day, as Israel keeps one festival day where the
// Diaspora keeps two).
constexpr const char* kIndexKeys[kHolidayIndexCount] = {
    "HolidayRoshHashanahI", "HolidayYomKippur", "HolidaySukkotI", "HolidaySukkotIIDiaspora",
    "HolidaySukkotIIIHolHamoed", "HolidaySukkotIVHolHamoed", "HolidaySukkotVHolHamoed",
    "HolidaySukkotVIHolHamoed", "HolidaySukkotVII", "HolidaySheminiAtzeretDiaspora",
    "HolidaySimchatToraDiaspora", "HolidayPesachI", "HolidayPesachIIDiaspora",
    "HolidayPesachIIIHolHamoed", "HolidayPesachIVHolHamoed", "HolidayPesachVHolHamoed",
    "HolidayPesachVIHolHamoed", "HolidayPesachVII", "HolidayHanukkahI", "HolidayHanukkahII",
    "HolidayHanukkahIII", "HolidayHanukkahIV", "HolidayHanukkahV", "HolidayHanukkahVI",
    "HolidayHanukkahVII", "HolidayHanukkahVIII", "HolidayShavuotDiasporaI", "HolidayTuBShevat",
    "HolidayPurim", "HolidayTaanithEsther", "HolidayTishaBAv", "HolidayTzomGedaliah",
    "HolidayTzomTevet", "HolidayTzomTammuz", "HolidayShushanPurim", "HolidayLagBOmer",
    "HolidayYomHashoah", "HolidayYomHaAtzmaut", "HolidayYomYerushalayim",
    "HolidayShavuotDiasporaII", "HolidayPesachVIIIDiaspora", "HolidayShabbatHagadol",
    "HolidayRoshHashanahII", "HolidayYomHazikaron",
};
constexpr struct {
  int n;
  const char* key;
} kIsraelKeys[] = {
    {3, "HolidaySukkotIIHolHamoedIsrael"}, {9, "HolidaySheminiAtzeretSimchatToraIsrael"},
    {10, nullptr}, {12, "HolidayPesachIIIsraelHolHamoed"}, {26, "HolidayShavuotIsrael"},
    {39, nullptr}, {40, nullptr},
};

const char* IndexKey(int n, int diaspora) {
  if (!diaspora)
    for (const auto& row : kIsraelKeys)
      if (row.n == n) return row.key;
  return kIndexKeys[n];
}

// Every day of every year of the Rosh Hashanah table, in both customs: the
// daily search (the quick one over the process-wide table, the plain one
// over a table of one's own, whose English names are the keys) against the
// records dated one by one with HolidayDateInYear; the numbered holidays
// against the same records and against HolidayIndicesOnDate.
TEST_F(HolidayTest, EveryDayAgreesWithTheDatesOfTheRecords) {
  const CallangTable* global = CallangGlobalTable();
  static CallangTable byKey;
  byKey = *global;
  for (int i = 0; i < byKey.count; ++i) std::strcpy(byKey.entries[i].englishName, byKey.entries[i].key);
  int holidays = 0;
  for (int year = 5344; year <= 5860; ++year) {
    CalDate numbered[kHolidayIndexCount];
    for (int n = 0; n < kHolidayIndexCount; ++n) HolidayDateByIndex(n, year, &numbered[n]);
    for (int diaspora : {kIsrael, kDiaspora}) {
      SCOPED_TRACE(std::to_string(year) + (diaspora ? " Diaspora" : " Israel"));
      std::map<std::string, std::string> keys, names;  // by Hebrew date, joined
      std::map<std::string, std::string> dateOfKey;
      for (int i = 0; i < global->count; ++i) {
        const std::string key = global->entries[i].key;
        if (key.find("Holiday") == std::string::npos) continue;
        if (key.find(diaspora ? "Israel" : "Diaspora") != std::string::npos) continue;
        CalDate date;
        HolidayDateInYear(&global->entries[i], year, &date);
        const std::string at = dateOfKey[key] = Text(date);
        keys[at] += (keys[at].empty() ? "" : " - ") + key;
        names[at] += (names[at].empty() ? "" : " - ") + std::string(global->entries[i].englishName);
      }
      // Yom Hashoah's move from Sunday (from 5757) belongs to the
      // definitions only; the numbered holiday keeps Sunday.
      for (int n = 0; n < kHolidayIndexCount; ++n) {
        const char* key = IndexKey(n, diaspora);
        const int hashoahOnSunday =
            n == 36 && year >= 5757 && AbsoluteFromHebrew(&numbered[n]) % 7 == 0;
        if (!key || hashoahOnSunday) continue;
        ASSERT_EQ(Text(numbered[n]), dateOfKey[key]) << "n = " << n;
      }
      const CalDate first = {1, 7, year}, next = {1, 7, year + 1};
      for (int d = AbsoluteFromHebrew(&first); d < AbsoluteFromHebrew(&next); ++d) {
        CalDate h;
        HebrewFromAbsolute(d, &h);
        const std::string at = Text(h);
        const std::string firstKey = keys[at].substr(0, keys[at].find(' '));
        char key[kHolidayKeySize], text[1024];
        const int found = keys[at].empty() ? 0 : 1;
        ASSERT_EQ(HolidaysOfDayIn(&byKey, d, diaspora, key, text, sizeof text), found) << at;
        ASSERT_EQ(text, keys[at]) << at;
        ASSERT_EQ(HolidaysOfDay(d, diaspora, key, text, sizeof text), found) << at;
        ASSERT_EQ(key, firstKey) << at;
        ASSERT_EQ(text, names[at]) << at;
        ASSERT_EQ(HolidaysOfDate(d, &h, diaspora, key, text, sizeof text), found) << at;
        ASSERT_EQ(text, names[at]) << at;
        holidays += found;
        std::uint64_t mask = 0;
        for (int n = 0; n < kHolidayIndexCount; ++n)
          if (numbered[n].day == h.day && numbered[n].month == h.month) mask |= std::uint64_t{1} << n;
        ASSERT_EQ(HolidayIndicesOnDate(&h, d), mask) << at;
      }
    }
  }
  EXPECT_GT(holidays, 517 * 2 * 40);  // the comparison saw holidays at all
}

}  // namespace
