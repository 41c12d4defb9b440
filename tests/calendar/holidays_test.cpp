// Holidays: weekday rules, published days in both customs, and every day
// of 5344-5860 searched 3 ways.
#include <gtest/gtest.h>

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

class HolidayTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_NE(CallangInitialize(), 0); }
  ScratchDir dir_;  // an empty settings folder: English names
};

// Worked by hand: the weekday of the written date, then the rule; a
// definition found by its key, or a numbered holiday (key nullptr) by n.
TEST_F(HolidayTest, DatesInAYear) {
  const CallangTable* table = CallangGlobalTable();
  constexpr struct {
    const char* key;
    int n, year;
    const char* expected;  // Hebrew
  } rows[] = {
      {"HolidayTishaBAv", 0, 5772, "10.5.5772"},        // 9 Av a Saturday
      {"HolidayTaanithEsther", 0, 5784, "11.13.5784"},  // 13 Adar II a Saturday
      {nullptr, 29, 5784, "11.13.5784"},                // and Purim a Sunday
      {nullptr, 34, 5781, "16.12.5781"},                // Shushan Purim, 15 Adar a Saturday
      // Yom Hashoah leaves Sunday from 5757; the numbered one keeps it.
      {"HolidayYomHashoah", 0, 5757, "28.1.5757"},
      {nullptr, 36, 5757, "27.1.5757"},
      // The Iyar days leave Saturday always, Sunday and Monday from 5764.
      {"HolidayYomHaAtzmaut", 0, 5761, "3.2.5761"},
      {"HolidayYomHazikaron", 0, 5764, "5.2.5764"},
      // 25 Kislev + 7 runs into Tevet by the length of Kislev.
      {"HolidayHanukkahVIII", 0, 5785, "2.10.5785"},
      {"HolidayHanukkahVIII", 0, 5784, "3.10.5784"},
      {nullptr, 23, 5785, "30.9.5785"},  // Hanukkah VI on the 30th of a long Kislev
      // The Saturday strictly before 15 Nisan.
      {"HolidayShabbatHagadol", 0, 5761, "14.1.5761"},
      {"HolidayShabbatHagadol", 0, 5784, "12.1.5784"},
      {nullptr, 41, 5784, "12.1.5784"},
      {nullptr, 44, 5785, "-7.-7.-7"},  // outside 0-43 the date is left alone
  };
  for (const auto& row : rows) {
    CalDate date = {-7, -7, -7};
    if (!row.key) HolidayDateByIndex(row.n, row.year, &date);
    for (int i = 0; row.key && i < table->count; ++i)
      if (std::strcmp(table->entries[i].key, row.key) == 0)
        HolidayDateInYear(&table->entries[i], row.year, &date);
    EXPECT_EQ(Text(date), row.expected) << (row.key ? row.key : "") << row.n << " " << row.year;
  }
}

// Published days give their names and keys. The text stays inside the
// caller's buffer and is cut between names; the key is found even when no
// name fits. Hebrew names come in visual order, the new name in front,
// joined by " _ "; the setting is read on each call.
TEST_F(HolidayTest, PublishedDaysGiveTheirNamesAndKeys) {
  // Windows-1255, visual order: "Erev Pesach" and "Shabbat Hagadol".
  const std::string erevPesach = "\xE7\xF1\xF4 \xE1\xF8\xF2";
  const std::string hagadol = "\xEC\xE5\xE3\xE2\xE4 \xFA\xE1\xF9";
  const CalDate hagadol5761 = {7, 4, 2001};  // and Erev Pesach
  const struct {
    CalDate gregorian;
    int diaspora, hebrew, size;
    std::string text;  // "" for a day without holidays, or when no name fits
    const char* key;
  } rows[] = {
      {{6, 10, 2024}, kDiaspora, 0, 64, "Tzom Gedaliah", "HolidayTzomGedaliah"},  // moved to Sunday
      {{24, 10, 2024}, kDiaspora, 0, 64, "Shemini Atzeret", "HolidaySheminiAtzeretDiaspora"},
      {{24, 10, 2024}, kIsrael, 0, 64, "Shemini Atzeret/Simchat Torah", "HolidaySheminiAtzeretSimchatToraIsrael"},
      {{25, 10, 2024}, kIsrael, 0, 64, "Isru Chag", "HolidaySukkotIsruChagIsrael"},
      {{22, 3, 2024}, kDiaspora, 0, 64, "", ""},
      {hagadol5761, kDiaspora, 0, 30, "Shabbat Hagadol - Erev Pesach", "HolidayShabbatHagadol"},  // 29 and the NUL
      {hagadol5761, kDiaspora, 0, 29, "Shabbat Hagadol", "HolidayShabbatHagadol"},
      {hagadol5761, kDiaspora, 1, 20, erevPesach + " _ " + hagadol, "HolidayShabbatHagadol"},
      {hagadol5761, kDiaspora, 1, 9, "", "HolidayShabbatHagadol"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Text(row.gregorian) + (row.diaspora ? " Diaspora " : " Israel ") + std::to_string(row.size));
    dir_.Write(kSettingsFile, row.hebrew ? "[Flags]\r\nHebrewFlag=1\r\n" : "");
    char key[kHolidayKeySize + 8];
    char text[64];
    std::memset(key, '#', sizeof key);
    std::memset(text, '#', sizeof text);
    const int day = AbsoluteFromGregorian(&row.gregorian);
    EXPECT_EQ(HolidaysOfDay(day, row.diaspora, key, text, row.size), row.text.empty() ? 0 : 1);
    EXPECT_EQ(std::string(key) + "|" + text, std::string(row.key) + "|" + row.text);
    EXPECT_EQ(std::string(text + row.size, text + sizeof text), std::string(64 - row.size, '#'));
    EXPECT_EQ(std::string(key + kHolidayKeySize, 8), std::string(8, '#'));
  }
}

// Every day of the Rosh Hashanah table's years, in both customs: the quick
// search over the process-wide table and the plain one over a copy of it
// against the records dated one by one; the day's numbered holidays.
TEST_F(HolidayTest, EveryDayAgreesWithTheDatesOfTheRecords) {
  const CallangTable* table = CallangGlobalTable();
  static CallangTable copy;
  copy = *table;
  int holidays = 0;
  for (int year = 5344; year <= 5860; ++year) {
    CalDate numbered[kHolidayIndexCount];
    for (int n = 0; n < kHolidayIndexCount; ++n) HolidayDateByIndex(n, year, &numbered[n]);
    for (int diaspora : {kIsrael, kDiaspora}) {
      std::map<std::string, std::string> found;  // by Hebrew date: the first key | all names
      for (int i = 0; i < table->count; ++i) {
        const CallangEntry& entry = table->entries[i];
        const std::string key = entry.key;
        if (key.find("Holiday") == std::string::npos ||
            key.find(diaspora ? "Israel" : "Diaspora") != std::string::npos)
          continue;
        CalDate date;
        HolidayDateInYear(&entry, year, &date);
        std::string& at = found[Text(date)];
        at = at.empty() ? key + "|" + entry.englishName : at + " - " + entry.englishName;
      }
      const CalDate first = {1, 7, year}, next = {1, 7, year + 1};
      for (int d = AbsoluteFromHebrew(&first); d < AbsoluteFromHebrew(&next); ++d) {
        CalDate h;
        HebrewFromAbsolute(d, &h);
        const std::string at = Text(h), expected = found.count(at) ? "1" + found[at] : "0|";
        for (int way = 0; way < 3; ++way) {
          char key[kHolidayKeySize], text[1024];
          const int result = way == 0   ? HolidaysOfDay(d, diaspora, key, text, sizeof text)
                             : way == 1 ? HolidaysOfDayIn(&copy, d, diaspora, key, text, sizeof text)
                                        : HolidaysOfDate(d, &h, diaspora, key, text, sizeof text);
          ASSERT_EQ(std::to_string(result) + key + "|" + text, expected) << at << " " << way;
        }
        holidays += expected[0] == '1' ? 1 : 0;
        std::uint64_t mask = 0;
        for (int n = 0; n < kHolidayIndexCount; ++n)
          if (numbered[n].day == h.day && numbered[n].month == h.month) mask |= 1ull << n;
        ASSERT_EQ(HolidayIndicesOnDate(&h, d), mask) << at;
      }
    }
  }
  EXPECT_GT(holidays, 517 * 2 * 40);  // the comparison saw holidays at all
}

}  // namespace
