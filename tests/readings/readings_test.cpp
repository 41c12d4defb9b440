// The Torah-reading schedule: year types, the Shabbat readings with their
// flags and haphtarot, the weekday readings, the Omer count, Yizkor, the
// completeness of the schedules and the "Readings and Holidays" setting.
// Dates and their portions were worked out by hand from the rules and
// checked against published calendars of those years.
#include <gtest/gtest.h>

#include <cstring>
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
constexpr int E = kEmpty;

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
  int reading[3];    // keys of the expected reading texts, E for none
  int flags[3];
  int haphtarah[3];  // keys of the expected haphtarah texts
};

constexpr ShabbatRow kShabbatRows[] = {
    {"Behar-Behukkothai, type 3 Diaspora", 27, kIyar, 5778, kDiaspora,
     {31, 32, E}, {1, 2, 0}, {32, E, E}},
    {"Behukkothai alone, type 3 Israel", 27, kIyar, 5778, kIsrael,
     {32, E, E}, {1, 0, 0}, {32, E, E}},
    // Chanukah VI on Rosh Hodesh: Miketz, Chanukah, Rosh Hodesh; the
    // Chanukah haphtarah first, then the Rosh Hodesh verses (16 before 32).
    {"Chanukah on RH", 30, kKislev, 5782, kDiaspora,
     {9, 105, 60}, {1 | 64, 0, 16 | 32}, {154, 152, 153}},
    {"Chanukah I", 25, kKislev, 5770, kDiaspora, {8, 100, E}, {1 | 64, 0, 0}, {154, E, E}},
    {"Chanukah VIII", 2, kTevet, 5770, kDiaspora, {9, 109, E}, {128, 0, 0}, {155, E, E}},
    {"Machar Chodesh", 29, kIyar, 5783, kDiaspora, {33, E, E}, {1 | 8, 0, 0}, {151, E, E}},
    // Shekalim on Rosh Hodesh Adar: Terumah (code 5, a common year) adds the
    // Rosh Hodesh verses after the haphtarah of Shekalim.
    {"Shekalim on RH", 1, kAdar, 5785, kDiaspora, {18, 61, 60}, {0, 2, 16}, {61, 152, E}},
    {"HaHodesh", 25, kAdar, 5783, kDiaspora, {21, 22, 64}, {0, 1, 2}, {64, E, E}},
    // On Rosh Hodesh its haphtarah alone, wherever its flags sit; on the
    // day before it Machar Chodesh, in Israel's calendar too.
    {"Tazria-Metsora on RH", 1, kIyar, 5762, kIsrael, {26, 27, 60}, {0, 0, 4}, {150, E, E}},
    {"Kedoshim on RH", 1, kIyar, 5763, kIsrael, {29, 60, E}, {0, 4, 0}, {150, E, E}},
    {"Kedoshim before RH Iyar", 29, kNisan, 5776, kIsrael, {29, E, E}, {1 | 8, 0, 0}, {151, E, E}},
    // First and last verses go after the portion's own haphtarah.
    {"Reeh on RH Elul", 30, kAv, 5775, kIsrael, {46, 60, E}, {1, 16 | 32, 0}, {46, 152, 153}},
    {"Reeh before RH Elul", 29, kAv, 5761, kIsrael, {46, E, E}, {1 | 32, 0, 0}, {46, 153, E}},
    {"Aharemoth alone", 26, kNisan, 5784, kDiaspora, {28, E, E}, {1 | 256, 0, 0}, {156, E, E}},
    {"Kedoshim, type 9", 3, kIyar, 5784, kDiaspora, {29, E, E}, {1024, 0, 0}, {158, E, E}},
    {"Aharemoth-Kedoshim", 12, kIyar, 5785, kDiaspora, {28, 29, E}, {0, 512, 0}, {157, E, E}},
    {"Pinhas", 21, kTammuz, 5784, kDiaspora, {40, E, E}, {4096, 0, 0}, {161, E, E}},
    {"Matoth-Maseh", 28, kTammuz, 5784, kDiaspora, {41, 42, E}, {1, 8192, 0}, {162, E, E}},
    {"Matoth-Maseh, type 0", 28, kTammuz, 5777, kDiaspora,
     {41, 42, E}, {1, 8192 | 2, 0}, {42, 162, E}},
    {"Pinhas apart", 16, kTammuz, 5768, kDiaspora, {40, E, E}, {2048, 0, 0}, {159, E, E}},
    {"Maseh on RH Av", 1, kAv, 5768, kDiaspora, {42, 60, E}, {8192, 16, 0}, {162, 152, E}},
    {"Shuva", 3, kTishri, 5785, kDiaspora, {52, 66, E}, {0, 16384, 0}, {163, E, E}},
    {"Hol Hamoed Sukkot", 20, kTishri, 5777, kIsrael, {82, E, E}, {0, 0, 0}, {82, E, E}},
    {"Shemini Atzeret", 22, kTishri, 5784, kDiaspora, {85, 170, 171}, {0, 0, 0}, {172, E, E}},
    {"Pesach VIII", 22, kNisan, 5778, kDiaspora, {92, E, E}, {0, 0, 0}, {92, E, E}},
};

TEST(TorahShabbat, ReadingsFlagsAndHaphtarot) {
  for (const ShabbatRow& row : kShabbatRows) {
    SCOPED_TRACE(row.id);
    ScratchDir dir;
    UseCustom(dir, row.custom);
    ASSERT_EQ(Weekday(row.day, row.month, row.year), 6);
    ReadingsOfDay out;
    ASSERT_EQ(ReadingsForDate(row.day, row.month, row.year, &out, nullptr), 1);
    for (int slot = 0; slot < 3; ++slot) {
      EXPECT_EQ(out.reading[slot], Reading(row.reading[slot])) << "reading " << slot + 1;
      EXPECT_EQ(out.flags[slot], row.flags[slot]) << "flags " << slot + 1;
      EXPECT_EQ(out.haphtarah[slot], Haphtarah(row.haphtarah[slot])) << "haphtarah " << slot + 1;
    }
  }
}

// ---- weekdays ------------------------------------------------------------------------

struct WeekdayRow {
  const char* id;
  int day, month, year, custom;
  int reading[3];
  int haphtarah;
};

constexpr WeekdayRow kWeekdayRows[] = {
    {"Rosh Hodesh alone", 1, kHeshvan, 5784, kDiaspora, {111, E, E}, E},
    {"Chanukah VI on Rosh Hodesh", 1, kTevet, 5784, kDiaspora, {106, 111, E}, E},
    {"Chanukah IV, no haphtarah", 28, kKislev, 5784, kDiaspora, {103, E, E}, E},
    {"Chanukah VIII after a short Kislev", 3, kTevet, 5784, kDiaspora, {109, E, E}, E},
    {"Pesach IV on a Sunday", 18, kNisan, 5783, kDiaspora, {116, E, E}, 116},
    {"Pesach IV midweek", 18, kNisan, 5785, kDiaspora, {115, E, E}, 115},
    {"Simchat Torah", 23, kTishri, 5785, kDiaspora, {53, 54, 55}, 53},
    {"no Simchat Torah on 23 Tishri in Israel", 23, kTishri, 5785, kIsrael, {E, E, E}, E},
    {"Shemini Atzeret", 22, kTishri, 5785, kDiaspora, {85, E, E}, 172},
    {"Shemini Atzeret, Israel", 22, kTishri, 5785, kIsrael, {85, 170, 171}, 172},
    {"Rosh HaShanah II", 2, kTishri, 5785, kDiaspora, {71, E, E}, 71},
    {"Tisha B'Av moved to Sunday", 10, kAv, 5782, kDiaspora, {99, E, E}, 99},
    {"Fast of Esther three days early", 11, kAdar2, 5784, kDiaspora, {86, E, E}, 86},
    {"an ordinary day", 5, kHeshvan, 5784, kDiaspora, {E, E, E}, E},
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
      if (row.reading[slot] != kEmpty) {
        EXPECT_STRNE(out.reading[slot], "");
      }
      EXPECT_EQ(out.flags[slot], 0);
    }
    EXPECT_EQ(out.haphtarah[0], Haphtarah(row.haphtarah));
    EXPECT_STREQ(out.haphtarah[1], "");
    EXPECT_STREQ(out.haphtarah[2], "");
  }
}

// ---- the Omer --------------------------------------------------------------------------

TEST(TorahOmer, Count) {
  struct Row {
    int day, month, year;
    const char* omer;
  };
  constexpr Row kRows[] = {
      {15, kNisan, 5784, ""},          {16, kNisan, 5784, "1 L'Omer"},
      {18, kIyar, 5784, "33 L'Omer"},  {5, kSivan, 5784, "49 L'Omer"},
      {6, kSivan, 5785, ""},           {29, kAdar, 5785, ""},
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
      {10, kTishri, kIsrael, 1},   {22, kTishri, kIsrael, 1},  {22, kNisan, kDiaspora, 1},
      {22, kNisan, kIsrael, 0},    {21, kNisan, kDiaspora, 0}, {21, kNisan, kIsrael, 1},
      {7, kSivan, kDiaspora, 1},   {7, kSivan, kIsrael, 0},    {6, kSivan, kDiaspora, 0},
      {6, kSivan, kIsrael, 1},     {23, kTishri, kDiaspora, 0}, {22, kIyar, kDiaspora, 0},
  };
  for (const Row& row : kRows) {
    ScratchDir dir;
    UseCustom(dir, row.custom);
    EXPECT_EQ(IsYizkorDay(row.day, row.month), row.yizkor)
        << row.day << "/" << row.month << (row.custom ? " Diaspora" : " Israel");
  }
}

// ---- whole years ------------------------------------------------------------------------------

// Every Shabbat of every year falls inside its schedule and reads a
// portion or a holiday with its Haphtarah, in both customs.
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
        ASSERT_STRNE(out.haphtarah[0], "")
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
      {"[Parasha]\r\nDiasporaFlag=7\r\n", 1},
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
