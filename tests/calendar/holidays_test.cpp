// Holiday evaluation: the weekday rules on known years, published holiday
// dates, the Israel and Diaspora customs, joined and bounded texts, small
// hand-made tables, and the numbered holidays against the definitions over
// every Hebrew year 5344-5860.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "calendar/caldate.h"
#include "calendar/callang.h"
#include "calendar/holidays.h"
#include "settings/settings.h"
#include "support/scratch_dir.h"

namespace {

constexpr int kIsrael = 0;
constexpr int kDiaspora = 1;

int AbsoluteOfGregorian(int day, int month, int year) {
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

// ---------------------------------------------------------------------------
// The date of one definition in one year: the weekday rules, worked by hand
// from the calendar (the weekday of the written date, then the rule).

struct DefinitionDate {
  const char* id;
  const char* key;
  int year;
  CalDate expected;  // Hebrew
};

constexpr DefinitionDate kDefinitionDates[] = {
    // AdarPurim is Adar in a common year, Adar II in a leap year.
    {"Purim 5768 (leap)", "HolidayPurim", 5768, {14, 13, 5768}},
    {"Purim Katan 5768 (leap): Adar I", "HolidayPurimKatan", 5768, {14, 12, 5768}},
    {"Purim Katan 5767 (common): no month", "HolidayPurimKatan", 5767, {14, 0, 5767}},
    // FastDay: a fast on Saturday moves to Sunday.
    {"Tisha BeAv 5772: 9 Av a Saturday", "HolidayTishaBAv", 5772, {10, 5, 5772}},
    // TaanitEsther: 13 Adar on Saturday goes back to Thursday the 11th.
    {"Ta'anit Esther 5784 (leap), 13 Adar II a Saturday", "HolidayTaanithEsther", 5784, {11, 13, 5784}},
    // YomHashoah: Friday and Saturday back to Thursday; Sunday to Monday
    // only from 5757.
    {"Yom Hashoah 5753: 27 Nisan a Sunday, before 5757", "HolidayYomHashoah", 5753, {27, 1, 5753}},
    {"Yom Hashoah 5757: 27 Nisan a Sunday", "HolidayYomHashoah", 5757, {28, 1, 5757}},
    // Yom Hazikaron / Ha-Atzmaut: back from Friday/Saturday; the Sunday and
    // Monday moves only from 5764.
    {"Yom Ha-Atzmaut 5761: 5 Iyar a Saturday", "HolidayYomHaAtzmaut", 5761, {3, 2, 5761}},
    {"Yom Hazikaron 5764: 4 Iyar a Sunday", "HolidayYomHazikaron", 5764, {5, 2, 5764}},
    {"Yom Ha-Atzmaut 5757: 5 Iyar a Monday, before 5764", "HolidayYomHaAtzmaut", 5757, {5, 2, 5757}},
    // 25 Kislev + 7 runs into Tevet by the length of Kislev.
    {"Hanukkah VIII 5785 (Kislev of 30 days)", "HolidayHanukkahVIII", 5785, {2, 10, 5785}},
    {"Hanukkah VIII 5784 (Kislev of 29 days)", "HolidayHanukkahVIII", 5784, {3, 10, 5784}},
    // ShabbatHaggadol: the Saturday strictly before 15 Nisan.
    {"Shabbat Hagadol 5761: 14 Nisan a Saturday", "HolidayShabbatHagadol", 5761, {14, 1, 5761}},
    {"Shabbat Hagadol 5784: 15 Nisan a Tuesday", "HolidayShabbatHagadol", 5784, {12, 1, 5784}},
};

TEST_F(HolidayTest, DefinitionDatesFollowTheWeekdayRules) {
  for (const DefinitionDate& row : kDefinitionDates) {
    const CallangEntry* entry = Definition(row.key);
    ASSERT_NE(entry, nullptr) << row.id;
    CalDate date = {-1, -1, -1};
    HolidayDateInYear(entry, row.year, &date);
    EXPECT_EQ(date.day, row.expected.day) << row.id;
    EXPECT_EQ(date.month, row.expected.month) << row.id;
    EXPECT_EQ(date.year, row.expected.year) << row.id;
  }
}

// ---------------------------------------------------------------------------
// Whole days from published calendars: the text and key HolidaysOfDay gives.

struct PublishedDay {
  const char* id;
  CalDate gregorian;
  int diaspora;
  const char* text;  // "" for a day without holidays
  const char* key;
};

constexpr PublishedDay kPublishedDays[] = {
    {"Rosh Hashanah 5785", {3, 10, 2024}, kDiaspora, "Rosh Hashanah I", "HolidayRoshHashanahI"},
    {"Tzom Gedaliah 5785 (Sunday)", {6, 10, 2024}, kDiaspora, "Tzom Gedaliah", "HolidayTzomGedaliah"},
    {"22 Tishri 5785, Diaspora", {24, 10, 2024}, kDiaspora, "Shemini Atzeret", "HolidaySheminiAtzeretDiaspora"},
    {"22 Tishri 5785, Israel", {24, 10, 2024}, kIsrael, "Shemini Atzeret/Simchat Torah",
     "HolidaySheminiAtzeretSimchatToraIsrael"},
    {"23 Tishri 5785, Diaspora", {25, 10, 2024}, kDiaspora, "Simchat Torah (Diaspora)",
     "HolidaySimchatToraDiaspora"},
    {"23 Tishri 5785, Israel", {25, 10, 2024}, kIsrael, "Isru Chag", "HolidaySukkotIsruChagIsrael"},
    {"Shushan Purim 5784", {25, 3, 2024}, kIsrael, "Shushan Purim", "HolidayShushanPurim"},
    {"Shabbat Hagadol and Erev Pesach 5761", {7, 4, 2001}, kDiaspora,
     "Shabbat Hagadol - Erev Pesach", "HolidayShabbatHagadol"},
    {"22 Nisan 5784, Diaspora", {30, 4, 2024}, kDiaspora, "Pesach VIII (Diaspora)",
     "HolidayPesachVIIIDiaspora"},
    {"22 Nisan 5784, Israel", {30, 4, 2024}, kIsrael, "Isru Chag", "HolidayPesachIsruChagIsrael"},
};

TEST_F(HolidayTest, PublishedDaysGiveTheirNamesAndKeys) {
  for (const PublishedDay& row : kPublishedDays) {
    char key[kHolidayKeySize] = "stale";
    char text[256] = "stale";
    const int result = HolidaysOfDay(AbsoluteFromGregorian(&row.gregorian), row.diaspora, key,
                                     text, sizeof text);
    EXPECT_EQ(result, row.text[0] != '\0' ? 1 : 0) << row.id;
    EXPECT_STREQ(text, row.text) << row.id;
    EXPECT_STREQ(key, row.key) << row.id;
  }
}

// ---------------------------------------------------------------------------
// The text stays inside the caller's buffer and is cut between names. Hebrew
// names come in visual order, the new name in front, joined by " _ "; the
// setting is read on each call.

// Windows-1255, visual order: "Erev Pesach" and "Shabbat Hagadol" reversed.
constexpr char kErevPesachVisual[] = "\xE7\xF1\xF4" " " "\xE1\xF8\xF2";
constexpr char kShabbatHagadolVisual[] = "\xEC\xE5\xE3\xE2\xE4" " " "\xFA\xE1\xF9";

TEST_F(HolidayTest, TextIsCutAtANameBoundary) {
  const int erevPesach5761 = AbsoluteOfGregorian(7, 4, 2001);
  const struct {
    int hebrew;
    int size;
    std::string text;
  } rows[] = {
      {0, 30, "Shabbat Hagadol - Erev Pesach"},  // 29 characters and the NUL
      {0, 29, "Shabbat Hagadol"},
      {0, 15, ""},
      {1, 20, std::string(kErevPesachVisual) + " _ " + kShabbatHagadolVisual},
      {1, 19, kShabbatHagadolVisual},
      {1, 9, ""},
  };
  for (const auto& row : rows) {
    dir_.Write(kSettingsFile, row.hebrew ? "[Flags]\r\nHebrewFlag=1\r\n" : "");
    char key[kHolidayKeySize + 8];
    char text[64];
    std::memset(key, '#', sizeof key);
    std::memset(text, '#', sizeof text);
    const int result = HolidaysOfDay(erevPesach5761, kDiaspora, key, text, row.size);
    const std::string id = (row.hebrew ? "Hebrew, " : "English, ") + std::to_string(row.size);
    EXPECT_EQ(result, row.text.empty() ? 0 : 1) << id;
    EXPECT_EQ(std::string(text), row.text) << id;
    for (int i = row.size; i < (int)sizeof text; ++i) ASSERT_EQ(text[i], '#') << id << " byte " << i;
    // The key is found even when no name fits.
    EXPECT_STREQ(key, "HolidayShabbatHagadol") << id;
    for (int i = kHolidayKeySize; i < (int)sizeof key; ++i) ASSERT_EQ(key[i], '#') << id;
  }
}

TEST_F(HolidayTest, KeyWithoutTextBuffer) {
  char key[kHolidayKeySize] = "stale";
  EXPECT_EQ(HolidaysOfDay(AbsoluteOfGregorian(24, 3, 2024), kDiaspora, key, nullptr, 0), 1);
  EXPECT_STREQ(key, "HolidayPurim");
  EXPECT_EQ(HolidaysOfDay(AbsoluteOfGregorian(22, 3, 2024), kDiaspora, key, nullptr, 0), 0);
  EXPECT_STREQ(key, "");
}

// ---------------------------------------------------------------------------
// Small tables made by hand.

CallangEntry MakeEntry(const char* key, const char* english, int day, int month, int offset = 0,
                       int special = 0) {
  CallangEntry entry;
  std::memset(&entry, 0, sizeof entry);
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
  // All on 1 Tishri 5785 (3 October 2024).
  const CallangTable& table = TableOf({
      MakeEntry("FeastOfTrumpets", "no Holiday in the key", 1, 7),
      MakeEntry("MyHolidayAll", "everywhere", 1, 7),
      MakeEntry("HolidayIsraelOnly", "Israel", 1, 7),
      MakeEntry("HolidayDiasporaOnly", "Diaspora", 1, 7),
      MakeEntry("Holidaydiasporaisrael", "lower case: everywhere", 1, 7),
      MakeEntry("holidayLower", "no Holiday either", 1, 7),
      MakeEntry("HolidayIsraelDiaspora", "nowhere", 1, 7),
  });
  const int day = AbsoluteOfGregorian(3, 10, 2024);
  const struct {
    int diaspora;
    const char* text;
  } rows[] = {
      {kIsrael, "everywhere - Israel - lower case: everywhere"},
      {kDiaspora, "everywhere - Diaspora - lower case: everywhere"},
  };
  for (const auto& row : rows) {
    char key[kHolidayKeySize];
    char text[256];
    EXPECT_EQ(HolidaysOfDayIn(&table, day, row.diaspora, key, text, sizeof text), 1);
    EXPECT_STREQ(text, row.text) << row.diaspora;
    EXPECT_STREQ(key, "MyHolidayAll") << row.diaspora;
  }
}

TEST_F(HolidayTest, OffsetsCountDayByDay) {
  const struct {
    const char* id;
    CallangEntry entry;
    int year;
    CalDate expected;
  } rows[] = {
      // A written 30th of a 29-day Kislev: the first step goes to 1 Tevet.
      {"30 Kislev + 1, short Kislev", MakeEntry("HolidayA", "a", 30, 9, 1), 5784, {1, 10, 5784}},
      {"1 Tishri + 59 (Heshvan of 29)", MakeEntry("HolidayC", "c", 1, 7, 59), 5784, {1, 9, 5784}},
      {"29 Elul + 1 does not wrap the year", MakeEntry("HolidayE", "e", 29, 6, 1), 5785, {1, 7, 5785}},
      // Adar I has 30 days: its 30th + 1 is 1 Adar II.
      {"30 Adar I + 1", MakeEntry("HolidayF", "f", 30, kCallangAdarPurimKatan, 1), 5784,
       {1, 13, 5784}},
      // FastDay applies after the offset: 22 Tishri + 2 is 24 Tishri 5785,
      // a Saturday.
      {"offset, then FastDay", MakeEntry("HolidayG", "g", 22, 7, 2, kCallangFastDay), 5785,
       {25, 7, 5785}},
  };
  for (const auto& row : rows) {
    CalDate date = {-1, -1, -1};
    HolidayDateInYear(&row.entry, row.year, &date);
    EXPECT_EQ(date.day, row.expected.day) << row.id;
    EXPECT_EQ(date.month, row.expected.month) << row.id;
    EXPECT_EQ(date.year, row.expected.year) << row.id;
  }
}

TEST_F(HolidayTest, ExtremeNumbersNameNoDay) {
  // Numbers a definition may carry (up to 2^31 - 1) must neither hang nor
  // overflow, and give no day of the year.
  const CallangTable& table = TableOf({
      MakeEntry("HolidayFar", "far", 1, 7, INT_MAX, kCallangFastDay),
      MakeEntry("HolidayHuge", "huge", INT_MAX, 1, 0, kCallangShabbatHaggadol),
      MakeEntry("HolidayNoMonth", "no month", 5, 0),
  });
  const CalDate first = {1, 7, 5785};
  const CalDate next = {1, 7, 5786};
  for (int d = AbsoluteFromHebrew(&first); d < AbsoluteFromHebrew(&next); ++d) {
    char text[256];
    ASSERT_EQ(HolidaysOfDayIn(&table, d, kDiaspora, nullptr, text, sizeof text), 0) << text;
  }
}

// ---------------------------------------------------------------------------
// The numbered holidays.

struct IndexedDate {
  const char* id;
  int n;
  int year;
  CalDate expected;
};

constexpr IndexedDate kIndexedDates[] = {
    {"Ta'anit Esther 5784, Purim a Sunday", 29, 5784, {11, 13, 5784}},
    {"Shushan Purim 5781: 15 Adar a Saturday", 34, 5781, {16, 12, 5781}},
    // Yom Hashoah's Sunday move belongs to the definitions only.
    {"Yom Hashoah 5757: no Sunday rule here", 36, 5757, {27, 1, 5757}},
    // Outside 0-43 the date is left alone.
    {"n = 44", 44, 5785, {-7, -7, -7}},
    {"n = -1", -1, 5785, {-7, -7, -7}},
};

TEST(HolidayByIndex, KnownDates) {
  for (const IndexedDate& row : kIndexedDates) {
    CalDate date = {-7, -7, -7};
    HolidayDateByIndex(row.n, row.year, &date);
    EXPECT_EQ(date.day, row.expected.day) << row.id;
    EXPECT_EQ(date.month, row.expected.month) << row.id;
    EXPECT_EQ(date.year, row.expected.year) << row.id;
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

constexpr int kYomHashoahIndex = 36;

// Yom Hashoah's move from Sunday to Monday (from 5757) belongs to the
// definitions only; the numbered holiday keeps Sunday. The two agree in
// every other year. (Yom Hazikaron and Yom Ha-Atzmaut carry the same rules
// on both sides, so they are compared in every year.)
bool RulesAgree(int n, int year) {
  if (n != kYomHashoahIndex || year < 5757) return true;
  const CalDate written = {27, 1, year};
  return AbsoluteFromHebrew(&written) % 7 != 0;
}

TEST_F(HolidayTest, NumberedHolidaysMatchTheDefinitionsEveryYear) {
  // The definitions with each key as its English name, so that the joined
  // text of a day lists the keys that matched it.
  static CallangTable byKey;
  byKey = *CallangGlobalTable();
  ASSERT_EQ(byKey.count, 114);
  for (int i = 0; i < byKey.count; ++i)
    std::strcpy(byKey.entries[i].englishName, byKey.entries[i].key);

  int compared = 0;
  for (int diaspora : {kIsrael, kDiaspora}) {
    const char* otherRegion = diaspora ? "Israel" : "Diaspora";
    for (int year = 5344; year <= 5860; ++year) {
      const CalDate first = {1, 7, year};
      const CalDate next = {1, 7, year + 1};
      std::map<std::string, std::vector<int>> daysOfKey;
      for (int d = AbsoluteFromHebrew(&first); d < AbsoluteFromHebrew(&next); ++d) {
        char text[1024];
        if (!HolidaysOfDayIn(&byKey, d, diaspora, nullptr, text, sizeof text)) continue;
        const std::string all = text;
        for (std::size_t start = 0;;) {
          const std::size_t cut = all.find(" - ", start);
          const std::string key = all.substr(start, cut == std::string::npos ? cut : cut - start);
          ASSERT_EQ(key.find(otherRegion), std::string::npos) << key << " in " << year;
          daysOfKey[key].push_back(d);
          if (cut == std::string::npos) break;
          start = cut + 3;
        }
      }
      for (int n = 0; n < kHolidayIndexCount; ++n) {
        const char* key = IndexKey(n, diaspora);
        if (key == nullptr || !RulesAgree(n, year)) continue;
        CalDate date;
        HolidayDateByIndex(n, year, &date);
        const std::vector<int> expected = {AbsoluteFromHebrew(&date)};
        ASSERT_EQ(daysOfKey[key], expected)
            << "n = " << n << " " << key << ", year " << year << (diaspora ? ", Diaspora" : ", Israel");
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 517 * 2 * 40);
}

}  // namespace
