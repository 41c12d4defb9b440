// The Torah-reading schedule: year types, the Shabbat readings with their
// flags and haphtarot, the weekday readings, the Omer count, Yizkor, the
// completeness of the schedules and the "Readings and Holidays" setting.
// Dates and their portions were worked out by hand from the rules and
// checked against published calendars of those years.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "calendar/caldate.h"
#include "readings/reading_schedules.h"
#include "readings/reading_texts.h"
#include "readings/readings.h"
#include "readings/readings_form.h"
#include "support/scratch_dir.h"

namespace {

constexpr int kIsrael = 0;
constexpr int kDiaspora = 1;
constexpr int N = kNoReadingKey;
constexpr int kEmpty = -1;  // an expected text that is empty

constexpr int kNisan = 1, kIyar = 2, kSivan = 3, kTammuz = 4, kAv = 5, kElul = 6;
constexpr int kTishri = 7, kHeshvan = 8, kKislev = 9, kTevet = 10, kAdar = 12, kAdar2 = 13;

void UseCustom(const ScratchDir& dir, int diaspora) {
  dir.Write(kReadingSettingsFile,
            diaspora ? "[Parasha]\r\nDiasporaFlag=1\r\n" : "[Parasha]\r\nDiasporaFlag=0\r\n");
}

std::string Reading(int key) {
  if (key == kEmpty) return "";
  char out[kReadingTextSize];
  ReadingText(key, out, sizeof out);
  return out;
}

std::string Haphtarah(int key) {
  if (key == kEmpty) return "";
  char out[kReadingTextSize];
  HaphtarahText(key, out, sizeof out);
  return out;
}

int Weekday(int day, int month, int year) {
  const CalDate date = {day, month, year};
  return AbsoluteFromHebrew(&date) % 7;
}

// ---- year types --------------------------------------------------------------

struct YearTypeRow {
  int year;
  int type;  // from 1 Tishri's weekday, the year's length and 15 Nisan's weekday
};

// Each year from the Gregorian dates of its Rosh Hashanah, of the next one
// and of its 15 Nisan.
constexpr YearTypeRow kYearTypeRows[] = {
    {5777, 0},   // Mon 3 Oct 2016, 353 days, Tue 11 Apr 2017
    {5781, 1},   // Sat 19 Sep 2020, 353, Sun 28 Mar 2021
    {5786, 2},   // Tue 23 Sep 2025, 354, Thu 2 Apr 2026
    {5769, 2},   // Tue 30 Sep 2008, 354, Thu 9 Apr 2009
    {5778, 3},   // Thu 21 Sep 2017, 354, Sat 31 Mar 2018
    {5772, 3},   // Thu 29 Sep 2011, 354, Sat 7 Apr 2012
    {5783, 4},   // Mon 26 Sep 2022, 355, Thu 6 Apr 2023
    {5780, 4},   // Mon 30 Sep 2019, 355, Thu 9 Apr 2020
    {5785, 5},   // Thu 3 Oct 2024, 355, Sun 13 Apr 2025
    {5770, 6},   // Sat 19 Sep 2009, 355, Tue 30 Mar 2010
    {5767, 6},   // Sat 23 Sep 2006, 355, Tue 3 Apr 2007
    {5749, 7},   // Mon 12 Sep 1988, 383, Thu 20 Apr 1989
    {5768, 8},   // Thu 13 Sep 2007, 383, Sun 20 Apr 2008
    {5784, 9},   // Sat 16 Sep 2023, 383, Tue 23 Apr 2024
    {5782, 10},  // Tue 7 Sep 2021, 384, Sat 16 Apr 2022
    {5779, 11},  // Mon 10 Sep 2018, 385, Sat 20 Apr 2019
    {5774, 12},  // Thu 5 Sep 2013, 385, Tue 15 Apr 2014
    {5763, 13},  // Sat 7 Sep 2002, 385, Thu 17 Apr 2003
};

TEST(TorahYearType, KnownYears) {
  for (const YearTypeRow& row : kYearTypeRows) EXPECT_EQ(YearType(row.year), row.type) << row.year;
}

// The first Saturday on or after 23 Tishri is the Shabbat of Bereshith.
TEST(TorahYearType, FirstShabbatAfterSimchatTorah) {
  struct Row {
    int year;
    int day;  // of Tishri (23-29) or, past 29, of Heshvan as day - 30 + 1
  };
  constexpr Row kRows[] = {
      {5784, 29},  // 23 Tishri a Sunday: Sat 14 Oct 2023
      {5782, 26},  // a Wednesday: Sat 2 Oct 2021
      {5783, 27},  // a Tuesday: Sat 22 Oct 2022
      {5785, 24},  // a Friday: Sat 26 Oct 2024
      {5777, 27},  // a Tuesday: Sat 29 Oct 2016
  };
  for (const Row& row : kRows) {
    const CalDate date = {row.day, kTishri, row.year};
    EXPECT_EQ(FirstShabbatAfterSimchatTorah(row.year), AbsoluteFromHebrew(&date)) << row.year;
  }
}

// No year of the range the program accepts, and beyond, lacks a type.
TEST(TorahYearType, EveryYearHasAType) {
  int seen[kYearTypeCount] = {};
  for (int year = 5344; year <= 5860; ++year) {
    const int type = YearType(year);
    ASSERT_GE(type, 0) << year;
    ASSERT_LT(type, kYearTypeCount) << year;
    ++seen[type];
  }
  for (int type = 0; type < kYearTypeCount; ++type) EXPECT_GT(seen[type], 0) << "type " << type;
}

// ---- Shabbat readings ----------------------------------------------------------

struct ShabbatRow {
  const char* id;
  int day, month, year, custom;
  ReadingKeys keys;
  int reading[3];    // keys of the expected reading texts, kEmpty for none
  int flags[3];
  int haphtarah[3];  // keys of the expected haphtarah texts
};

constexpr ShabbatRow kShabbatRows[] = {
    {"type 0 week 24: Hol Hamoed Pesach", 19, kNisan, 5777, kDiaspora,
     {1, 90, N, N}, {90, kEmpty, kEmpty}, {0, 0, 0}, {90, kEmpty, kEmpty}},
    {"type 3 Diaspora: Behar and Behukkothai together", 27, kIyar, 5778, kDiaspora,
     {1, 31, 32, N}, {31, 32, kEmpty}, {1, 2, 0}, {32, kEmpty, kEmpty}},
    {"type 3 Israel: Behukkothai alone", 27, kIyar, 5778, kIsrael,
     {1, 32, N, N}, {32, kEmpty, kEmpty}, {1, 0, 0}, {32, kEmpty, kEmpty}},
    {"type 3 Israel: Behar a week earlier", 20, kIyar, 5778, kIsrael,
     {1, 31, N, N}, {31, kEmpty, kEmpty}, {0, 0, 0}, {31, kEmpty, kEmpty}},
    {"type 3 Diaspora: still Emor", 20, kIyar, 5778, kDiaspora,
     {1, 30, N, N}, {30, kEmpty, kEmpty}, {0, 0, 0}, {30, kEmpty, kEmpty}},
    // Chanukah VI on Rosh Hodesh: Miketz, Chanukah, Rosh Hodesh; the
    // Chanukah haphtarah first, then the Rosh Hodesh verses (16 before 32).
    {"Chanukah on Rosh Hodesh", 30, kKislev, 5782, kDiaspora,
     {1, 9, 105, 60}, {9, 105, 60}, {1 | 64, 0, 16 | 32}, {154, 152, 153}},
    {"first Shabbat of Chanukah", 25, kKislev, 5770, kDiaspora,
     {1, 8, 100, N}, {8, 100, kEmpty}, {1 | 64, 0, 0}, {154, kEmpty, kEmpty}},
    {"second Shabbat of Chanukah, its eighth day", 2, kTevet, 5770, kDiaspora,
     {1, 9, 109, N}, {9, 109, kEmpty}, {128, 0, 0}, {155, kEmpty, kEmpty}},
    {"Machar Chodesh: Bemidbar on 29 Iyar", 29, kIyar, 5783, kDiaspora,
     {1, 33, N, N}, {33, kEmpty, kEmpty}, {1 | 8, 0, 0}, {151, kEmpty, kEmpty}},
    {"Machar Chodesh in Israel too", 29, kIyar, 5783, kIsrael,
     {1, 33, N, N}, {33, kEmpty, kEmpty}, {1 | 8, 0, 0}, {151, kEmpty, kEmpty}},
    // Shekalim on Rosh Hodesh Adar: Terumah (code 5, a common year) adds the
    // Rosh Hodesh verses after the haphtarah of Shekalim.
    {"Shekalim on Rosh Hodesh", 1, kAdar, 5785, kDiaspora,
     {1, 18, 61, 60}, {18, 61, 60}, {0, 2, 16}, {61, 152, kEmpty}},
    {"Vayakhel-Pekude with HaHodesh", 25, kAdar, 5783, kDiaspora,
     {1, 21, 22, 64}, {21, 22, 64}, {0, 1, 2}, {64, kEmpty, kEmpty}},
    {"Pekude alone", 6, kAdar2, 5784, kDiaspora,
     {1, 22, N, N}, {22, kEmpty, kEmpty}, {128, 0, 0}, {155, kEmpty, kEmpty}},
    {"Tazria-Metsora", 5, kIyar, 5785, kDiaspora,
     {1, 26, 27, N}, {26, 27, kEmpty}, {0, 2, 0}, {27, kEmpty, kEmpty}},
    // On Rosh Hodesh its haphtarah alone, wherever its flags sit; on the
    // day before it Machar Chodesh, in Israel's calendar too.
    {"Tazria-Metsora on Rosh Hodesh Iyar", 1, kIyar, 5762, kIsrael,
     {1, 26, 27, 60}, {26, 27, 60}, {0, 0, 4}, {150, kEmpty, kEmpty}},
    {"Kedoshim on Rosh Hodesh Iyar", 1, kIyar, 5763, kIsrael,
     {1, 29, 60, N}, {29, 60, kEmpty}, {0, 4, 0}, {150, kEmpty, kEmpty}},
    {"Kedoshim on the day before Rosh Hodesh Iyar", 29, kNisan, 5776, kIsrael,
     {1, 29, N, N}, {29, kEmpty, kEmpty}, {1 | 8, 0, 0}, {151, kEmpty, kEmpty}},
    // First and last verses go after the portion's own haphtarah.
    {"Reeh on Rosh Hodesh Elul", 30, kAv, 5775, kIsrael,
     {1, 46, 60, N}, {46, 60, kEmpty}, {1, 16 | 32, 0}, {46, 152, 153}},
    {"Reeh on the day before Rosh Hodesh Elul", 29, kAv, 5761, kIsrael,
     {1, 46, N, N}, {46, kEmpty, kEmpty}, {1 | 32, 0, 0}, {46, 153, kEmpty}},
    {"Aharemoth alone", 26, kNisan, 5784, kDiaspora,
     {1, 28, N, N}, {28, kEmpty, kEmpty}, {1 | 256, 0, 0}, {156, kEmpty, kEmpty}},
    {"Kedoshim alone in type 9", 3, kIyar, 5784, kDiaspora,
     {1, 29, N, N}, {29, kEmpty, kEmpty}, {1024, 0, 0}, {158, kEmpty, kEmpty}},
    {"Aharemoth-Kedoshim", 12, kIyar, 5785, kDiaspora,
     {1, 28, 29, N}, {28, 29, kEmpty}, {0, 512, 0}, {157, kEmpty, kEmpty}},
    {"Hukath-Balak in the Diaspora", 12, kTammuz, 5783, kDiaspora,
     {1, 38, 39, N}, {38, 39, kEmpty}, {0, 2, 0}, {39, kEmpty, kEmpty}},
    {"Balak alone in Israel", 12, kTammuz, 5783, kIsrael,
     {1, 39, N, N}, {39, kEmpty, kEmpty}, {0, 0, 0}, {39, kEmpty, kEmpty}},
    {"Pinhas, Matoth-Maseh together", 21, kTammuz, 5784, kDiaspora,
     {1, 40, N, N}, {40, kEmpty, kEmpty}, {4096, 0, 0}, {161, kEmpty, kEmpty}},
    {"Matoth-Maseh", 28, kTammuz, 5784, kDiaspora,
     {1, 41, 42, N}, {41, 42, kEmpty}, {1, 8192, 0}, {162, kEmpty, kEmpty}},
    {"Matoth-Maseh in type 0: Maseh's own haphtarah first", 28, kTammuz, 5777, kDiaspora,
     {1, 41, 42, N}, {41, 42, kEmpty}, {1, 8192 | 2, 0}, {42, 162, kEmpty}},
    {"Pinhas, Matoth and Maseh apart", 16, kTammuz, 5768, kDiaspora,
     {1, 40, N, N}, {40, kEmpty, kEmpty}, {2048, 0, 0}, {159, kEmpty, kEmpty}},
    {"Matoth alone", 23, kTammuz, 5768, kDiaspora,
     {1, 41, N, N}, {41, kEmpty, kEmpty}, {1 | 4096, 0, 0}, {161, kEmpty, kEmpty}},
    {"Maseh alone on Rosh Hodesh Av", 1, kAv, 5768, kDiaspora,
     {1, 42, 60, N}, {42, 60, kEmpty}, {8192, 16, 0}, {162, 152, kEmpty}},
    {"Nitsabim-Vayeleh: Nitsabim's haphtarah", 25, kElul, 5784, kDiaspora,
     {1, 50, 51, N}, {50, 51, kEmpty}, {2, 0, 0}, {50, kEmpty, kEmpty}},
    {"Shabbat Shuva with Haazinu", 3, kTishri, 5785, kDiaspora,
     {1, 52, N, N}, {52, 66, kEmpty}, {0, 16384, 0}, {163, kEmpty, kEmpty}},
    {"Hol Hamoed Sukkot on the 17th", 17, kTishri, 5785, kDiaspora,
     {1, 77, N, N}, {77, kEmpty, kEmpty}, {0, 0, 0}, {77, kEmpty, kEmpty}},
    {"Hol Hamoed Sukkot on the 19th", 19, kTishri, 5786, kDiaspora,
     {1, 80, N, N}, {80, kEmpty, kEmpty}, {0, 0, 0}, {80, kEmpty, kEmpty}},
    {"Hol Hamoed Sukkot on the 20th", 20, kTishri, 5777, kIsrael,
     {1, 82, N, N}, {82, kEmpty, kEmpty}, {0, 0, 0}, {82, kEmpty, kEmpty}},
    {"Shemini Atzeret on Shabbat, Diaspora", 22, kTishri, 5784, kDiaspora,
     {1, 172, N, N}, {85, 170, 171}, {0, 0, 0}, {172, kEmpty, kEmpty}},
    {"Shemini Atzeret on Shabbat, Israel", 22, kTishri, 5784, kIsrael,
     {1, 172, N, N}, {85, 170, 171}, {0, 0, 0}, {172, kEmpty, kEmpty}},
    {"Pesach VIII on Shabbat, Diaspora", 22, kNisan, 5778, kDiaspora,
     {1, 92, N, N}, {92, kEmpty, kEmpty}, {0, 0, 0}, {92, kEmpty, kEmpty}},
    {"Shemini in Israel the same day", 22, kNisan, 5778, kIsrael,
     {1, 25, N, N}, {25, kEmpty, kEmpty}, {0, 0, 0}, {25, kEmpty, kEmpty}},
};

TEST(TorahShabbat, ReadingsFlagsAndHaphtarot) {
  for (const ShabbatRow& row : kShabbatRows) {
    SCOPED_TRACE(row.id);
    ScratchDir dir;
    UseCustom(dir, row.custom);
    ASSERT_EQ(Weekday(row.day, row.month, row.year), 6);
    ReadingsOfDay out;
    ReadingKeys keys;
    ASSERT_EQ(ReadingsForDate(row.day, row.month, row.year, &out, &keys), 1);
    EXPECT_EQ(keys.shabbat, row.keys.shabbat);
    EXPECT_EQ(keys.a, row.keys.a);
    EXPECT_EQ(keys.b, row.keys.b);
    EXPECT_EQ(keys.c, row.keys.c);
    for (int slot = 0; slot < 3; ++slot) {
      EXPECT_EQ(out.reading[slot], Reading(row.reading[slot])) << "reading " << slot + 1;
      EXPECT_EQ(out.flags[slot], row.flags[slot]) << "flags " << slot + 1;
      EXPECT_EQ(out.haphtarah[slot], Haphtarah(row.haphtarah[slot])) << "haphtarah " << slot + 1;
    }
  }
}

// The fixed texts behind a few keys, so an example cannot pass on two
// empty strings.
TEST(TorahShabbat, TextsOfTheChanukahRoshHodeshExample) {
  ScratchDir dir;
  UseCustom(dir, kDiaspora);
  ReadingsOfDay out;
  ASSERT_EQ(ReadingsForDate(30, kKislev, 5782, &out, nullptr), 1);
  EXPECT_STREQ(out.reading[0], "Mikkets, Genesis 41, 1-44, 17");
  EXPECT_EQ(std::string(out.reading[1]).rfind("Chanukkah VI,", 0), 0u) << out.reading[1];
  EXPECT_STREQ(out.reading[2], "Rosh Hodesh, Numbers 28, 9-15");
  for (const char* text : out.haphtarah) EXPECT_STRNE(text, "");
}

// ---- weekdays ------------------------------------------------------------------------

struct WeekdayRow {
  const char* id;
  int day, month, year, custom;
  int reading[3];
  int haphtarah;
};

constexpr WeekdayRow kWeekdayRows[] = {
    {"Rosh Hodesh alone", 1, kHeshvan, 5784, kDiaspora, {111, kEmpty, kEmpty}, kEmpty},
    {"its first day, 30 Tishri", 30, kTishri, 5784, kIsrael, {111, kEmpty, kEmpty}, kEmpty},
    {"Chanukah VI on Rosh Hodesh", 1, kTevet, 5784, kDiaspora, {106, 111, kEmpty}, kEmpty},
    {"Chanukah VII on Rosh Hodesh", 1, kTevet, 5786, kDiaspora, {108, 111, kEmpty}, kEmpty},
    {"Chanukah IV, no haphtarah", 28, kKislev, 5784, kDiaspora, {103, kEmpty, kEmpty}, kEmpty},
    {"Chanukah VII in Tevet", 2, kTevet, 5784, kIsrael, {107, kEmpty, kEmpty}, kEmpty},
    {"Chanukah VIII after a short Kislev", 3, kTevet, 5784, kDiaspora, {109, kEmpty, kEmpty}, kEmpty},
    {"Pesach IV on a Sunday", 18, kNisan, 5783, kDiaspora, {116, kEmpty, kEmpty}, 116},
    {"Pesach V on a Monday", 19, kNisan, 5783, kDiaspora, {119, kEmpty, kEmpty}, 119},
    {"Pesach IV midweek", 18, kNisan, 5785, kDiaspora, {115, kEmpty, kEmpty}, 115},
    {"Pesach V midweek", 19, kNisan, 5785, kIsrael, {118, kEmpty, kEmpty}, 118},
    {"Simchat Torah", 23, kTishri, 5785, kDiaspora, {53, 54, 55}, 53},
    {"no Simchat Torah on 23 Tishri in Israel", 23, kTishri, 5785, kIsrael,
     {kEmpty, kEmpty, kEmpty}, kEmpty},
    {"Shemini Atzeret", 22, kTishri, 5785, kDiaspora, {85, 170, 171}, 172},
    {"Shemini Atzeret, Israel", 22, kTishri, 5785, kIsrael, {85, 170, 171}, 172},
    {"Sukkot II", 16, kTishri, 5785, kDiaspora, {75, kEmpty, kEmpty}, 75},
    {"Rosh HaShanah II", 2, kTishri, 5785, kDiaspora, {71, kEmpty, kEmpty}, 71},
    {"Tisha B'Av moved to Sunday", 10, kAv, 5782, kDiaspora, {99, kEmpty, kEmpty}, 99},
    {"Fast of Esther three days early", 11, kAdar2, 5784, kDiaspora, {86, kEmpty, kEmpty}, 86},
    {"Shavuot II", 7, kSivan, 5785, kDiaspora, {95, kEmpty, kEmpty}, 95},
    {"an ordinary day", 5, kHeshvan, 5784, kDiaspora, {kEmpty, kEmpty, kEmpty}, kEmpty},
};

TEST(TorahWeekday, Readings) {
  for (const WeekdayRow& row : kWeekdayRows) {
    SCOPED_TRACE(row.id);
    ScratchDir dir;
    UseCustom(dir, row.custom);
    ASSERT_NE(Weekday(row.day, row.month, row.year), 6);
    ReadingsOfDay out;
    ReadingKeys keys = {7, 7, 7, 7};
    EXPECT_EQ(ReadingsForDate(row.day, row.month, row.year, &out, &keys), 0);
    EXPECT_EQ(keys.shabbat + keys.a + keys.b + keys.c, 0);
    for (int slot = 0; slot < 3; ++slot) {
      EXPECT_EQ(out.reading[slot], Reading(row.reading[slot])) << "reading " << slot + 1;
      EXPECT_EQ(out.flags[slot], 0);
    }
    EXPECT_EQ(out.haphtarah[0], Haphtarah(row.haphtarah));
    EXPECT_STREQ(out.haphtarah[1], "");
    EXPECT_STREQ(out.haphtarah[2], "");
  }
}

TEST(TorahWeekday, RoshHodeshText) {
  ScratchDir dir;
  ReadingsOfDay out;
  EXPECT_EQ(ReadingsForDate(1, kHeshvan, 5784, &out, nullptr), 0);
  EXPECT_STREQ(out.reading[0], "Rosh Hodesh, Numbers 28, 1-15");
  EXPECT_STREQ(out.haphtarah[0], "");
}

// ---- the Omer --------------------------------------------------------------------------

TEST(TorahOmer, Count) {
  struct Row {
    int day, month, year;
    const char* omer;
  };
  constexpr Row kRows[] = {
      {15, kNisan, 5784, ""},         {16, kNisan, 5784, "1 L'Omer"},
      {30, kNisan, 5784, "15 L'Omer"}, {18, kIyar, 5784, "33 L'Omer"},
      {5, kSivan, 5784, "49 L'Omer"},  {6, kSivan, 5784, ""},
      {16, kNisan, 5785, "1 L'Omer"},  {5, kSivan, 5785, "49 L'Omer"},
      {6, kSivan, 5785, ""},           {14, kNisan, 5785, ""},
      {1, kTishri, 5785, ""},          {29, kAdar, 5785, ""},
  };
  ScratchDir dir;
  for (const Row& row : kRows) {
    ReadingsOfDay out;
    ReadingsForDate(row.day, row.month, row.year, &out, nullptr);
    EXPECT_STREQ(out.omer, row.omer) << row.day << "/" << row.month << "/" << row.year;
  }
}

// ---- Yizkor ------------------------------------------------------------------------------

TEST(TorahYizkor, Days) {
  struct Row {
    int day, month, custom, yizkor;
  };
  constexpr Row kRows[] = {
      {10, kTishri, kDiaspora, 1}, {10, kTishri, kIsrael, 1},  {22, kTishri, kDiaspora, 1},
      {22, kTishri, kIsrael, 1},   {22, kNisan, kDiaspora, 1}, {22, kNisan, kIsrael, 0},
      {21, kNisan, kDiaspora, 0},  {21, kNisan, kIsrael, 1},   {7, kSivan, kDiaspora, 1},
      {7, kSivan, kIsrael, 0},     {6, kSivan, kDiaspora, 0},  {6, kSivan, kIsrael, 1},
      {23, kTishri, kDiaspora, 0}, {10, kNisan, kDiaspora, 0}, {22, kIyar, kDiaspora, 0},
      {7, kTishri, kIsrael, 0},
  };
  for (const Row& row : kRows) {
    ScratchDir dir;
    UseCustom(dir, row.custom);
    EXPECT_EQ(IsYizkorDay(row.day, row.month), row.yizkor)
        << row.day << "/" << row.month << (row.custom ? " Diaspora" : " Israel");
  }
}

// Without a settings file the custom is the Diaspora's.
TEST(TorahYizkor, DiasporaByDefault) {
  ScratchDir dir;
  EXPECT_EQ(IsYizkorDay(22, kNisan), 1);
  EXPECT_EQ(IsYizkorDay(21, kNisan), 0);
}

// ---- whole years ------------------------------------------------------------------------------

// Every Shabbat of every year falls inside its schedule and reads a
// portion or a holiday, in both customs.
TEST(TorahScheduleCoverage, EveryShabbatHasAReading) {
  for (int custom : {kDiaspora, kIsrael}) {
    ScratchDir dir;
    UseCustom(dir, custom);
    for (int year = 5344; year <= 5860; ++year) {
      const CalDate first = {1, kTishri, year};
      const CalDate next = {1, kTishri, year + 1};
      const int end = AbsoluteFromHebrew(&next);
      int d = AbsoluteFromHebrew(&first);
      d += 6 - d % 7;
      for (; d < end; d += 7) {
        CalDate date;
        HebrewFromAbsolute(d, &date);
        ReadingsOfDay out;
        ReadingKeys keys;
        ASSERT_EQ(ReadingsForDate(date.day, date.month, date.year, &out, &keys), 1)
            << date.day << "/" << date.month << "/" << date.year << " custom " << custom;
        ASSERT_NE(keys.a, N) << date.day << "/" << date.month << "/" << date.year;
        ASSERT_STRNE(out.reading[0], "")
            << date.day << "/" << date.month << "/" << date.year << " custom " << custom;
      }
    }
  }
}

// Each list runs from Bereshith to the Shabbat before the next year's
// Bereshith: its last entry is read on the Shabbat before 23 Tishri.
TEST(TorahScheduleCoverage, ListsEndWhereTheNextCycleBegins) {
  for (int type = 0; type < kYearTypeCount; ++type) {
    for (int custom : {kDiaspora, kIsrael}) {
      const ReadingSchedule* schedule = ScheduleOfYearType(type, custom);
      ASSERT_NE(schedule, nullptr) << type;
      EXPECT_EQ(schedule->entry[0].a, 0) << type;
      int year = 5700;
      while (YearType(year) != type) ++year;
      const int weeks = (FirstShabbatAfterSimchatTorah(year + 1) - FirstShabbatAfterSimchatTorah(year)) / 7;
      EXPECT_EQ(schedule->listed, weeks) << "type " << type << " custom " << custom;
    }
  }
  EXPECT_EQ(ScheduleOfYearType(kYearTypeCount, kDiaspora), nullptr);
  EXPECT_EQ(ScheduleOfYearType(-1, kIsrael), nullptr);
}

// Every key a Shabbat or a weekday can read has a text in the custom where
// it is read; every haphtarah of a Shabbat's main reading and of every flag
// has one in both.
TEST(TorahScheduleCoverage, EveryKeyHasAText) {
  constexpr int kFlagKeys[] = {150, 151, 152, 153, 154, 155, 156, 157, 158, 159, 161, 162, 163};
  constexpr int kWeekdayKeys[] = {70,  71,  72,  73,  74,  75,  76,  78,  79,  81,  83,  85,
                                  86,  87,  88,  97,  94,  98,  99,  100, 101, 102, 103,
                                  104, 105, 106, 107, 108, 109, 89,  112, 113, 115, 116, 118,
                                  119, 120, 91,  111};
  for (int custom : {kDiaspora, kIsrael}) {
    SCOPED_TRACE(custom ? "Diaspora" : "Israel");
    ScratchDir dir;
    UseCustom(dir, custom);
    std::set<int> readings = {60, 66, 77, 80, 82, 100, 101, 102, 103, 104, 105, 107, 109};
    std::set<int> haphtarot(std::begin(kFlagKeys), std::end(kFlagKeys));
    for (int type = 0; type < kYearTypeCount; ++type) {
      const ReadingSchedule* schedule = ScheduleOfYearType(type, custom);
      for (int i = 0; i < schedule->listed; ++i) {
        const ScheduleEntry& e = schedule->entry[i];
        for (int key : {(int)e.a, (int)e.b, (int)e.c})
          if (key != N && key != kKeyHolHamoedSukkot && key != kKeySheminiAtzeretShabbat)
            readings.insert(key);
        if (e.a == kKeySheminiAtzeretShabbat) {
          readings.insert(85);
          if (custom == kIsrael) readings.insert({170, 171});
        }
        if (e.a != kKeyHolHamoedSukkot) haphtarot.insert(e.a);
      }
    }
    readings.insert(std::begin(kWeekdayKeys), std::end(kWeekdayKeys));
    // Second days of the festivals, kept in the Diaspora only.
    if (custom == kDiaspora) readings.insert({53, 54, 55, 93, 95});
    if (custom == kIsrael) readings.insert({170, 171});
    for (int key : readings) EXPECT_NE(Reading(key), "") << "reading " << key;
    for (int key : haphtarot) EXPECT_NE(Haphtarah(key), "") << "haphtarah " << key;
  }
}

// A date past the end of its month counts on, so 27 Tishri 5777 (type 0,
// 50 Shabbatot from Bereshith on 27 Tishri) plus 49 weeks is the cycle's
// last Shabbat, and plus 50 weeks one past its end, where the padding
// entry must not be read as Bereshith.
TEST(TorahScheduleCoverage, WeekPastTheEndReadsNothing) {
  ScratchDir dir;
  ASSERT_EQ(YearType(5777), 0);
  ReadingsOfDay out;
  ReadingKeys keys;
  ASSERT_EQ(ReadingsForDate(27 + 7 * 49, kTishri, 5777, &out, &keys), 1);
  EXPECT_EQ(keys.a, kKeyHolHamoedSukkot);
  EXPECT_EQ(ReadingsForDate(27 + 7 * 50, kTishri, 5777, &out, &keys), 0);
  EXPECT_EQ(keys.shabbat + keys.a + keys.b + keys.c, 0);
  for (int slot = 0; slot < 3; ++slot) {
    EXPECT_STREQ(out.reading[slot], "");
    EXPECT_STREQ(out.haphtarah[slot], "");
  }
  EXPECT_EQ(ReadingsForDate(27 + 7 * 400, kTishri, 5777, &out, &keys), 0);
}

// No date, however odd, reads or writes outside the record: every text
// stays terminated within its buffer.
TEST(TorahScheduleCoverage, OddDatesStayInBounds) {
  ScratchDir dir;
  for (int year : {5344, 5600, 5785, 5860}) {
    for (int month = -1; month <= 15; ++month) {
      for (int day = -2; day <= 40; ++day) {
        ReadingsOfDay out;
        std::memset(&out, 'x', sizeof out);
        ReadingsForDate(day, month, year, &out, nullptr);
        for (int slot = 0; slot < 3; ++slot) {
          ASSERT_LT(strnlen(out.reading[slot], kReadingTextSize), (size_t)kReadingTextSize);
          ASSERT_LT(strnlen(out.haphtarah[slot], kReadingTextSize), (size_t)kReadingTextSize);
        }
        ASSERT_LT(strnlen(out.omer, kReadingTextSize), (size_t)kReadingTextSize);
      }
    }
  }
}

// ---- the "Readings and Holidays" dialog ---------------------------------------------------------------

TEST(TorahReadingsForm, LoadOpenAndOk) {
  struct Row {
    const char* file;  // exportcalshab.ini, nullptr for none
    int loaded;        // the window's copy
  };
  constexpr Row kRows[] = {
      {nullptr, 1},
      {"[Parasha]\r\nDiasporaFlag=0\r\n", 0},
      {"[Parasha]\r\nDiasporaFlag=1\r\n", 1},
      {"[Parasha]\r\nDiasporaFlag=7\r\n", 1},
      {"[parasha]\r\ndiasporaflag=0\r\n", 0},
  };
  for (const Row& row : kRows) {
    ScratchDir dir;
    if (row.file) dir.Write(kReadingSettingsFile, row.file);
    CalWindowState state{};
    state.diaspora = 5;
    ReadingsLoadCustom(&state);
    EXPECT_EQ(state.diaspora, row.loaded) << (row.file ? row.file : "no file");
    ReadingsFields fields{};
    ReadingsFormOpen(&state, &fields);
    EXPECT_EQ(fields.diaspora, row.loaded);
  }
}

TEST(TorahReadingsForm, OkWritesTheFlag) {
  ScratchDir dir;
  dir.Write(kReadingSettingsFile, "[ParashSettings]\r\nLanguage=1\r\n");
  CalWindowState state{};
  state.diaspora = 1;
  ReadingsFields fields = {0};
  ASSERT_EQ(ReadingsFormOk(&fields, &state), 1);
  EXPECT_EQ(state.diaspora, 0);
  EXPECT_EQ(ReadingsDiasporaFlag(), 0);
  EXPECT_NE(dir.Read(kReadingSettingsFile).find("DiasporaFlag=0"), std::string::npos);
  EXPECT_NE(dir.Read(kReadingSettingsFile).find("Language=1"), std::string::npos);

  fields.diaspora = 1;
  ASSERT_EQ(ReadingsFormOk(&fields, &state), 1);
  EXPECT_EQ(state.diaspora, 1);
  EXPECT_NE(dir.Read(kReadingSettingsFile).find("DiasporaFlag=1"), std::string::npos);
  // The schedule follows at once: 21 Nisan is Yizkor in Israel only.
  EXPECT_EQ(IsYizkorDay(21, kNisan), 0);
}

}  // namespace
