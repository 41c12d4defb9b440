// Zmanim: every method of the table evaluated on a hand-worked day, the
// definition language's values and its six error texts, the lines and
// their selection, the chametz limits by each method, Erev Pesach, and
// the whole block of a day record on real sun times, polar days included.
// Each row writes its own settings file; with no daylight.ini no saving is
// applied, so sun times are local standard time.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "placetime/zmanim.h"
#include "support/scratch_dir.h"

namespace {

// Jerusalem (3124, 3500, zone 2), 1 January 2007: sunrise 6:39 (399),
// sunset 16:48 (1008), as the sun-time rules work them out. The day is 609
// minutes; its twelfth, the proportional hour, is 50.75 minutes.
constexpr ZmanDay kJerusalem = {1, 1, 2007, 3124, 3500, 2, 0, 6, 39, 16, 48};
// Sunrise 6:00 (360) and sunset 18:00 (1080): proportional hour 60. The
// place and date are Jerusalem's, for the depression terms.
constexpr ZmanDay kEvenDay = {1, 1, 2007, 3124, 3500, 2, 0, 6, 0, 18, 0};
// Helsinki (6010, 2458, zone 2), 21 June 2007: sunrise 2:54, sunset 21:49,
// but the sun goes down only about 6.4 degrees at midnight, so every
// depression of 6.5 degrees or more fails.
constexpr ZmanDay kHelsinki = {21, 6, 2007, 6010, 2458, 2, 0, 2, 54, 21, 49};
// 14 Nisan 5767 was Monday 2 April 2007; the sun at 6:00 and 18:00.
constexpr ZmanDay kErevPesach2007 = {2, 4, 2007, 3124, 3500, 2, 0, 6, 0, 18, 0};

// Records each text the definition language reports.
class DiagnosticRecorder {
 public:
  DiagnosticRecorder() { SetZmanimDiagnosticHook(&Record, this); }
  ~DiagnosticRecorder() { SetZmanimDiagnosticHook(nullptr, nullptr); }
  std::vector<std::string> texts;

 private:
  static void Record(const char* text, void* context) {
    static_cast<DiagnosticRecorder*>(context)->texts.push_back(text);
  }
};

// A scratch settings folder holding `ini` as exportcal.ini ("" for none).
struct RowSettings {
  explicit RowSettings(const std::string& ini) {
    if (!ini.empty()) dir.Write(kSettingsFile, ini);
  }
  ScratchDir dir;
};

// The 11 selection flags with only zman `index` set.
std::vector<int> OnlyZman(int index) {
  std::vector<int> flags(kZmanCount, 0);
  flags[index] = 1;
  return flags;
}

std::string Lines(const ZmanDay& day, const int* flags) {
  char out[2048];
  std::memset(out, 'x', sizeof out);
  ZmanimLines(&day, out, sizeof out, flags);
  return out;
}

// ---- The table, method by method -----------------------------------------

struct MethodRow {
  int zman;
  const char* name;
  const char* key;
  const char* time;  // Jerusalem, 1 January 2007
};

// The first method of each zman is the one the whole day block below shows.
// Proportional hours of 50.75: 3 -> 152 (152.25), 4 -> 203, 6 -> 304
// (304.5), 6.5 -> 329 (329.875), 9.5 -> 482 (482.125), 10.75 -> 545
// (545.5625). Depression intervals after sunset there, from the sun-time
// formula worked separately: 16.1 -> 77, 11 -> 52, 10.2 -> 48, 5.95 -> 27,
// 6.5 -> 29, 7.0 -> 32, 7.08 -> 32, 7.5 -> 35, 8.5 -> 40 (the published
// example: 17:28), 8.75 -> 41, 10.0 -> 47.
constexpr MethodRow kMethodRows[] = {
    {0, "Alot Hashachar", "AlotHashachar90", "05:09"},  // 399-90
    {0, "Alot Hashachar", "AlotHashachar16", "05:22"},  // 399-77
    {1, "Earliest Tallit", "EarliestTallit10", "05:51"},  // 399-48
    {3, "Kriat Shema", "KriatShemaMA", "08:35"},  // 399+152-36
    {4, "Tefila", "TefilaMA", "09:38"},  // 399+203-24
    {5, "Chatzot", "ChatzotMA", "11:43"},
    {6, "Mincha Gedola", "MinchaGedolaMA", "12:14"},  // 399+329+6
    {7, "Mincha K'tana", "MinchaKtanaMA", "15:23"},  // 399+482+42
    {8, "Plag Hamincha", "PlagHaMinchaMA", "16:41"},  // 399+545+57
    {10, "Tzait Hakochavim", "Deg595", "17:15"},  // 1008+27
    {10, "Tzait Hakochavim", "Deg65", "17:17"},
    {10, "Tzait Hakochavim", "Deg70", "17:20"},
    {10, "Tzait Hakochavim", "Deg708", "17:20"},
    {10, "Tzait Hakochavim", "Deg75", "17:23"},
    {10, "Tzait Hakochavim", "Deg85", "17:28"},
    {10, "Tzait Hakochavim", "Deg875", "17:29"},
    {10, "Tzait Hakochavim", "Deg100", "17:35"},
};

TEST(ZmanimTable, EveryMethodByItsKeyOnAHandWorkedDay) {
  for (const MethodRow& row : kMethodRows) {
    RowSettings setup(std::string("[Zmanim]\r\n") + row.name + "=" + row.key + "\r\n");
    const std::vector<int> flags = OnlyZman(row.zman);
    EXPECT_EQ(Lines(kJerusalem, flags.data()), std::string(row.name) + ": " + row.time + "\r\n")
        << row.key;
  }
}

// ---- The definition language -----------------------------------------------

struct LanguageRow {
  const char* id;
  const char* definition;
  int ok;
  int hour, minute;     // when ok
  const char* report;   // the one text reported, nullptr for none
};

TEST(ZmanimLanguage, ValuesAndErrors) {
  // Evaluated on kEvenDay: sunrise 360, sunset 1080, proportional hour 60;
  // Jerusalem on 1 January 2007 for depressions (8.5 degrees: 40 minutes).
  constexpr LanguageRow rows[] = {
      {"keywords in any case", "SunRise + PROPORTIONAL_hour(3)", 1, 9, 0, nullptr},
      {"plag by a decimal", "sunrise + proportional_hour(10.75)", 1, 16, 45, nullptr},
      {"decimal with no digits after the point", "sunrise + proportional_hour(7.)", 1, 13, 0,
       nullptr},
      // 60 * 0.35 is 21 only when "0.35" becomes the double nearest 0.35;
      // a parse that lands one unit lower gives 20.999... and truncates to 20.
      {"decimal read exactly", "proportional_hour(0.35)", 1, 0, 21, nullptr},
      {"left to right, no grouping", "100 - 50 - 20", 1, 0, 30, nullptr},
      {"tabs and spaces separate", "\tsunrise\t+  1 ", 1, 6, 1, nullptr},
      {"a total before midnight truncates", "sunrise - 400", 1, 0, -40, nullptr},
      // The six texts, each as the first and only report.
      {"decimal outside parentheses", "sunset + 7.5", 0, 0, 0,
       "ZmanimParseIt: Identifer or number expected"},
      {"integer beyond 32 bits", "2147483648", 0, 0, 0,
       "ZmanimParseIt: Identifer or number expected"},
      {"unknown word", "sunset + nightfall", 0, 0, 0, "ZmanimParseIt: Unknown identifer"},
      {"function without parentheses", "sunset + degrees_below_horizon 8", 0, 0, 0,
       "ZmanimParseIt: ( expected"},
      {"empty parentheses", "proportional_hour()", 0, 0, 0, "ZmanimParseIt: Number expected"},
      {"unclosed parenthesis", "sunrise + proportional_hour(3", 0, 0, 0,
       "ZmanimParseIt: ) expected"},
      {"missing operator", "sunset 72", 0, 0, 0, "ZmanimParseIt: + or - expected"},
      {"only the first error", "sunset 72 )", 0, 0, 0, "ZmanimParseIt: + or - expected"},
      // Failures that are no syntax error report nothing.
      {"total beyond 32 bits", "2147483647 + 1", 0, 0, 0, nullptr},
      {"proportional hours beyond 32 bits", "proportional_hour(99999999.5)", 0, 0, 0, nullptr},
      {"depression past the nadir", "sunset + degrees_below_horizon(91)", 0, 0, 0, nullptr},
  };
  RowSettings setup("");
  for (const LanguageRow& row : rows) {
    DiagnosticRecorder recorder;
    int hour = 99, minute = 99;
    EXPECT_EQ(EvaluateZmanDefinition(&kEvenDay, row.definition, &hour, &minute), row.ok)
        << row.id;
    if (row.ok) {
      EXPECT_EQ(hour, row.hour) << row.id;
      EXPECT_EQ(minute, row.minute) << row.id;
    }
    const std::vector<std::string> expected =
        row.report ? std::vector<std::string>{row.report} : std::vector<std::string>{};
    EXPECT_EQ(recorder.texts, expected) << row.id;
  }
}

// ---- Lines -------------------------------------------------------------------

struct LinesRow {
  const char* id;
  const char* ini;
  const ZmanDay* day;
  std::vector<int> flags;  // empty: none given
  const char* expected;
  int lines;
};

TEST(ZmanimLines, SelectionMethodsAndFormats) {
  const std::vector<int> shemaAndPlag = {0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0};
  const std::vector<int> dawnAndNight = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  const LinesRow rows[] = {
      {"GRO shema and plag on an even day", "", &kEvenDay, shemaAndPlag,
       "Kriat Shema: 09:00\r\nPlag Hamincha: 16:45\r\n", 2},
      {"unknown key leaves the zman out", "[Zmanim]\r\nKriat Shema=KriatShemaXY\r\n",
       &kEvenDay, shemaAndPlag, "Plag Hamincha: 16:45\r\n", 1},
      {"twelve-hour clock with am and pm", "[Settings]\r\nTimeFormat=1\r\n", &kJerusalem,
       shemaAndPlag, "Kriat Shema: 9.11am\r\nPlag Hamincha: 3.44pm\r\n", 2},
      {"a failing depression shows no time",
       "[Zmanim]\r\nAlot Hashachar=AlotHashachar16\r\nTzait Hakochavim=Deg70\r\n", &kHelsinki,
       dawnAndNight, "Alot Hashachar: --:--\r\nTzait Hakochavim: --:--\r\n", 2},
  };
  for (const LinesRow& row : rows) {
    RowSettings setup(row.ini);
    char out[2048];
    std::memset(out, 'x', sizeof out);
    const int lines =
        ZmanimLines(row.day, out, sizeof out, row.flags.empty() ? nullptr : row.flags.data());
    EXPECT_STREQ(out, row.expected) << row.id;
    EXPECT_EQ(lines, row.lines) << row.id;
  }
}

TEST(ZmanimLines, TimesOutsideTheDayShowTheClock) {
  // Sunset 23:30 + 72 is 24:42, on the clock 00:42 of the next day; a
  // sunrise of 0:30 - 72 is -42 minutes, 23:18 of the day before.
  constexpr ZmanDay late = {21, 6, 2007, 6010, 2458, 2, 0, 0, 30, 23, 30};
  RowSettings setup("");
  const std::vector<int> flags = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  EXPECT_EQ(Lines(late, flags.data()), "Alot Hashachar: 23:18\r\nTzait Hakochavim: 00:42\r\n");
  int hour = 0, minute = 0;
  ASSERT_EQ(ZmanByName(&late, "Tzait Hakochavim", &hour, &minute), 1);
  EXPECT_EQ(hour, 24);  // the value itself is not wrapped
  EXPECT_EQ(minute, 42);
}

TEST(ZmanimLines, OutputIsCutToTheBuffer) {
  RowSettings setup("");
  for (int size : {1, 24, 40}) {
    char out[64];
    std::memset(out, '#', sizeof out);
    ZmanimLines(&kJerusalem, out, size, nullptr);
    const std::string full = "Alot Hashachar: 05:27\r\nEarliest Tallit: 05:47\r\n";
    EXPECT_EQ(std::string(out), full.substr(0, (std::size_t)size - 1)) << size;
    for (int i = size; i < (int)sizeof out; ++i) ASSERT_EQ(out[i], '#') << size << " at " << i;
  }
}

// ---- ZmanByName ----------------------------------------------------------------

TEST(ZmanimByName, ConfiguredMethodOrMinusOne) {
  struct Row {
    const char* id;
    const char* ini;
    const ZmanDay* day;
    const char* name;
    int ok, hour, minute;
  };
  constexpr Row rows[] = {
      {"configured method", "[Zmanim]\r\nKriat Shema=KriatShemaMA\r\n", &kJerusalem,
       "Kriat Shema", 1, 8, 35},
      {"unknown stored key", "[Zmanim]\r\nKriat Shema=Bogus\r\n", &kJerusalem, "Kriat Shema",
       0, -1, -1},
      {"failing definition", "[Zmanim]\r\nAlot Hashachar=AlotHashachar16\r\n", &kHelsinki,
       "Alot Hashachar", 0, -1, -1},
  };
  for (const Row& row : rows) {
    RowSettings setup(row.ini);
    int hour = 99, minute = 99;
    EXPECT_EQ(ZmanByName(row.day, row.name, &hour, &minute), row.ok) << row.id;
    EXPECT_EQ(hour, row.hour) << row.id;
    EXPECT_EQ(minute, row.minute) << row.id;
  }
}

// ---- Chametz ---------------------------------------------------------------------

TEST(ZmanimChametz, EveryMethodAndType) {
  // Even day: R 360, S 1080, S-R 720. Alot 72 gives A 288, Sunset 72 gives
  // Z 1152, Z-A 864; Alot 90 gives A 270, Z-A 882.
  constexpr char kAlot90[] = "[Zmanim]\r\nAlot Hashachar=AlotHashachar90\r\n";
  constexpr char kDawnByDegrees[] = "[Zmanim]\r\nAlot Hashachar=AlotHashachar16\r\n";
  constexpr char kNightByDegrees[] = "[Zmanim]\r\nTzait Hakochavim=Deg70\r\n";
  const struct {
    const char* id;
    const char* ini;
    const ZmanDay* day;
    int type, method;
    const char* expected;
  } rows[] = {
      {"GRA burning", "", &kEvenDay, 2, 1, "11:00"},   // 360 + 720*5/12
      {"MA eating", "", &kEvenDay, 1, 2, "09:36"},     // 288 + 864*4/12 = 576
      {"MA burning", "", &kEvenDay, 2, 2, "10:48"},    // 288 + 360 = 648
      {"100 eating", "", &kEvenDay, 1, 100, "10:48"},  // 360 + 288
      {"101 eating", "", &kEvenDay, 1, 101, "08:48"},  // 288 + 240
      {"MA eating, dawn at 90", kAlot90, &kEvenDay, 1, 2, "09:24"},   // 270 + 294
      // Jerusalem, 1 January: R 399, S 1008, S-R 609: 4/12 -> 203, 5/12 -> 253 (253.75).
      {"GRA burning, truncated", "", &kJerusalem, 2, 1, "10:52"},  // 399 + 253 = 652
      {"unknown type", "", &kEvenDay, 3, 1, "Invalid iType: 3"},
      {"unknown method", "", &kEvenDay, 1, 3, "Invalid iMethod: 3"},
      // Helsinki in June: no 16.1 degree dawn, no 7 degree nightfall.
      {"MA without dawn", kDawnByDegrees, &kHelsinki, 1, 2, "--:--"},
      // 101 starts at dawn but takes the day from sunrise to sunset: A 102
      // (Alot 72) + 1135*4/12 (378.33).
      {"101 needs no nightfall", kNightByDegrees, &kHelsinki, 1, 101, "08:00"},
  };
  for (const auto& row : rows) {
    RowSettings setup(row.ini);
    char text[kZmanTimeSize];
    std::memset(text, 'x', sizeof text);
    ChametzTime(row.day, row.type, row.method, text, sizeof text);
    EXPECT_STREQ(text, row.expected) << row.id;
  }
}

TEST(ZmanimChametz, IsErevPesach) {
  EXPECT_EQ(IsErevPesach(2, 4, 2007), 1);   // 14 Nisan 5767
  EXPECT_EQ(IsErevPesach(19, 4, 2008), 1);  // 14 Nisan 5768
  EXPECT_EQ(IsErevPesach(3, 4, 2007), 0);   // 15 Nisan, first day of Pesach
  EXPECT_EQ(IsErevPesach(2, 5, 2007), 0);   // 14 Iyar, Pesach Sheni
}

TEST(ZmanimChametz, ErevPesachLines) {
  struct Row {
    const char* id;
    const char* ini;
    const ZmanDay* day;
    int written;
    const char* lines;  // appended after "Before"
    const char* eating;
    const char* burning;
  };
  static constexpr ZmanDay kDayAfter = {3, 4, 2007, 3124, 3500, 2, 0, 6, 0, 18, 0};
  const Row rows[] = {
      {"default method", "", &kErevPesach2007, 1,
       "\r\nsof zman achilat chametz: 10:00\r\nsof zman sreifat chametz: 11:00\r\n", "10:00",
       "11:00"},
      {"text method reads as 0", "[ErevPesach]\r\nMethod=Vilna\r\n", &kErevPesach2007, 1,
       "\r\nsof zman achilat chametz: Invalid iMethod: 0\r\n"
       "sof zman sreifat chametz: Invalid iMethod: 0\r\n",
       "Invalid iMethod: 0", "Invalid iMethod: 0"},
      {"not Erev Pesach", "[ErevPesach]\r\nMethod=2\r\n", &kDayAfter, 0, "", "keep", "keep"},
  };
  for (const Row& row : rows) {
    RowSettings setup(row.ini);
    char out[512] = "Before";
    char eating[kZmanTimeSize] = "keep";
    char burning[kZmanTimeSize] = "keep";
    EXPECT_EQ(ErevPesachLines(row.day, out, sizeof out, eating, burning), row.written) << row.id;
    EXPECT_EQ(std::string(out), std::string("Before") + row.lines) << row.id;
    EXPECT_STREQ(eating, row.eating) << row.id;
    EXPECT_STREQ(burning, row.burning) << row.id;
    // The two buffers are optional.
    char again[512] = "";
    ErevPesachLines(row.day, again, sizeof again, nullptr, nullptr);
    EXPECT_STREQ(again, row.lines) << row.id;
  }
}

// ---- The day record's block ------------------------------------------------------

CalWindowState City(int latitude, int longitude, int timeZone, int elevation) {
  CalWindowState state{};
  state.locationKnown = 1;
  state.latitude = latitude;
  state.longitude = longitude;
  state.timeZone = timeZone;
  state.elevation = elevation;
  return state;
}

IncludeFlags AllZmanFlags(int shaaZmanit, int erevPesach) {
  IncludeFlags flags{};
  for (int i = kFirstZmanFlag; i < kIncludeShaaZmanit; ++i) flags.flag[i] = 1;
  flags.flag[kIncludeShaaZmanit] = shaaZmanit;
  flags.flag[kIncludeErevPesach] = erevPesach;
  return flags;
}

std::string DayText(int day, int month, int year, const CalWindowState& state,
                    const IncludeFlags& flags) {
  char out[2048];
  std::memset(out, 'x', sizeof out);
  const int length = ZmanimDayText(day, month, year, out, sizeof out, &state, &flags);
  EXPECT_EQ(length, (int)std::strlen(out));
  return out;
}

const CalWindowState kJerusalemCity = City(3124, 3500, 2, 0);
// Tromso (69 40' N): midnight sun in June, polar night in December.
const CalWindowState kTromsoCity = City(6940, 1857, 1, 0);
// Alert (82 30' N): midnight sun on 22 April 2024, 14 Nisan 5784.
const CalWindowState kAlertCity = City(8230, -6220, -5, 0);

TEST(ZmanimDayText, WholeBlocksOnRealSunTimes) {
  struct Row {
    const char* id;
    int day, month, year;
    const CalWindowState* city;
    IncludeFlags flags;
    const char* expected;
  };
  IncludeFlags onlyErevPesach{};
  onlyErevPesach.flag[kIncludeErevPesach] = 1;
  IncludeFlags onlyShaa{};
  onlyShaa.flag[kIncludeShaaZmanit] = 1;
  IncludeFlags dawnAndShaa{};
  dawnAndShaa.flag[kIncludeAlotHaShachar] = 1;
  dawnAndShaa.flag[kIncludeShaaZmanit] = 1;
  IncludeFlags otherFlags{};
  for (int i = 0; i < kFirstZmanFlag; ++i) otherFlags.flag[i] = 1;

  const Row rows[] = {
      // Day of 609 minutes: sha'a zmanit 50 (50.75).
      {"Jerusalem in January", 1, 1, 2007, &kJerusalemCity, AllZmanFlags(1, 1),
       "Alot Hashachar: 05:27\r\nEarliest Tallit: 05:47\r\nHanetz Hachama: 06:39\r\n"
       "Kriat Shema: 09:11\r\nTefila: 10:02\r\nChatzot: 11:43\r\nMincha Gedola: 12:08\r\n"
       "Mincha K'tana: 14:41\r\nPlag Hamincha: 15:44\r\nShkiat Hachama: 16:48\r\n"
       "Tzait Hakochavim: 18:00\r\nSha'a Zmanit: 50 minutes\r\n"},
      // 5:45 to 17:50: 725 minutes, a twelfth of 60 (60.4).
      {"an hour exactly", 19, 3, 2007, &kJerusalemCity, onlyShaa, "Sha'a Zmanit: 1 hour\r\n"},
      // 5:37 to 17:54: 737 minutes, a twelfth of 61 (61.4).
      {"one minute over", 25, 3, 2007, &kJerusalemCity, onlyShaa,
       "Sha'a Zmanit: 1 hour, 1 minute\r\n"},
      {"the other include flags do not count", 1, 1, 2007, &kJerusalemCity, otherFlags, ""},
      // 14 Nisan 5767, sunrise 5:27 (327), sunset 18:00 (1080): 753 minutes;
      // 4/12 -> 251, 5/12 -> 313 (313.75).
      {"Erev Pesach", 2, 4, 2007, &kJerusalemCity, onlyErevPesach,
       "\r\nsof zman achilat chametz: 09:38\r\nsof zman sreifat chametz: 10:40\r\n"},
      {"polar day", 21, 6, 2007, &kTromsoCity, dawnAndShaa,
       "Alot Hashachar: --:--\r\nSha'a Zmanit: --:--\r\n"},
      {"midnight sun on Erev Pesach", 22, 4, 2024, &kAlertCity, onlyErevPesach,
       "\r\nsof zman achilat chametz: --:--\r\nsof zman sreifat chametz: --:--\r\n"},
  };
  for (const Row& row : rows) {
    RowSettings setup("");
    EXPECT_EQ(DayText(row.day, row.month, row.year, *row.city, row.flags), row.expected)
        << row.id;
  }
}

// Nothing without a location; the methods are read on each call.
TEST(ZmanimDayText, NothingWithoutALocationAndMethodsReadOnEachCall) {
  RowSettings setup("");
  CalWindowState state = kJerusalemCity;
  state.locationKnown = 0;
  EXPECT_EQ(DayText(2, 4, 2007, state, AllZmanFlags(1, 1)), "");
  IncludeFlags shema{};
  shema.flag[kIncludeKriatShema] = 1;
  EXPECT_EQ(DayText(1, 1, 2007, kJerusalemCity, shema), "Kriat Shema: 09:11\r\n");
  setup.dir.Write(kSettingsFile, "[Zmanim]\r\nKriat Shema=KriatShemaMA\r\n");
  EXPECT_EQ(DayText(1, 1, 2007, kJerusalemCity, shema), "Kriat Shema: 08:35\r\n");
}

}  // namespace
