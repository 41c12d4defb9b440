// Zmanim on hand-worked days and on real sun times, and the "Configure
// Zmanim" dialogs. With no daylight.ini sun times are local standard time.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "settings/settings.h"
#include "placetime/zmanim.h"
#include "placetime/zmanim_form.h"
#include "platform/ini.h"
#include "support/scratch_dir.h"

namespace {

// Jerusalem (3124, 3500, zone 2), 1 January 2007: sunrise 6:39 (399),
// sunset 16:48 (1008), as the sun-time rules work them out. The day is 609
// minutes; its twelfth, the proportional hour, is 50.75 minutes.
constexpr ZmanDay kJerusalem = {1, 1, 2007, 3124, 3500, 2, 0, 6, 39, 16, 48};
// Sunrise 6:00 (360) and sunset 18:00 (1080): proportional hour 60. The
// place and date are Jerusalem's, for the depression terms.
constexpr ZmanDay kEvenDay = {1, 1, 2007, 3124, 3500, 2, 0, 6, 0, 18, 0};
// Helsinki, 21 June 2007: sunrise 2:54, sunset 21:49, but the sun goes
// down only about 6.4 degrees at midnight: every depression of 6.5
// degrees or more fails.
constexpr ZmanDay kHelsinki = {21, 6, 2007, 6010, 2458, 2, 0, 2, 54, 21, 49};

std::string Lines(const ZmanDay& day, const std::vector<int>& flags) {
  char out[2048];
  std::memset(out, 'x', sizeof out);
  ZmanimLines(&day, out, sizeof out, flags.empty() ? nullptr : flags.data());
  return out;
}

std::vector<int> Only(std::initializer_list<int> zmanim) {
  std::vector<int> flags(kZmanCount, 0);
  for (int z : zmanim) flags[z] = 1;
  return flags;
}

// The value in minutes ("= 540") or the texts the language reports, on
// the even day.
std::string Evaluated(const char* definition) {
  std::string shown;
  SetZmanimDiagnosticHook([](const char* text, void* to) { static_cast<std::string*>(to)->append(text); }, &shown);
  int hour = 99, minute = 99;
  if (EvaluateZmanDefinition(&kEvenDay, definition, &hour, &minute)) shown += "= " + std::to_string(hour * 60 + minute);
  SetZmanimDiagnosticHook(nullptr, nullptr);
  return shown;
}

TEST(Zmanim, DefinitionLanguage) {
  ScratchDir dir;
  constexpr std::pair<const char*, const char*> kRows[] = {
      {"SunRise + PROPORTIONAL_hour(3)", "= 540"},  // keywords in any case
      // 60 * 0.35 is 21 only when "0.35" is read as the double nearest it.
      {"proportional_hour(0.35)", "= 21"},
      {"100 - 50 - 20", "= 30"},   // left to right
      {"sunrise - 400", "= -40"},  // not wrapped
      {"sunset + 7.5", "ZmanimParseIt: Identifer or number expected"},
      {"sunset + nightfall", "ZmanimParseIt: Unknown identifer"},
      {"sunset + degrees_below_horizon 8", "ZmanimParseIt: ( expected"},
      {"proportional_hour()", "ZmanimParseIt: Number expected"},
      {"sunrise + proportional_hour(3", "ZmanimParseIt: ) expected"},
      {"sunset 72 )", "ZmanimParseIt: + or - expected"},  // only the first error
      // Failures that are no syntax error report nothing.
      {"2147483647 + 1", ""},
      {"proportional_hour(99999999.5)", ""},
      {"sunset + degrees_below_horizon(91)", ""},
  };
  for (const auto& [definition, expected] : kRows)
    EXPECT_EQ(Evaluated(definition), expected) << definition;
}

// Methods by their keys on the hand-worked day: proportional hours of
// 50.75 are 3 -> 152, 4 -> 203; depressions after sunset there, from the
// sun-time formula worked separately, 16.1 -> 77, 8.5 -> 40 (the published
// example: 17:28).
TEST(Zmanim, LinesAndByName) {
  // Sunset 23:30 + 72 is 00:42 on the clock; a sunrise of 0:30 - 72 is 23:18.
  constexpr ZmanDay kLate = {21, 6, 2007, 6010, 2458, 2, 0, 0, 30, 23, 30};
  // Settings after "[Zmanim]", the day, the zmanim shown, the lines.
  const std::tuple<const char*, const ZmanDay*, std::vector<int>, const char*> rows[] = {
      {"Alot Hashachar=AlotHashachar16", &kJerusalem, Only({0}), "Alot Hashachar: 05:22\r\n"},  // 399-77
      {"Kriat Shema=KriatShemaMA", &kJerusalem, Only({3}), "Kriat Shema: 08:35\r\n"},            // 399+152-36
      {"Tefila=TefilaMA", &kJerusalem, Only({4}), "Tefila: 09:38\r\n"},                          // 399+203-24
      {"Tzait Hakochavim=Deg85", &kJerusalem, Only({10}), "Tzait Hakochavim: 17:28\r\n"},
      {"", &kEvenDay, Only({3, 8}), "Kriat Shema: 09:00\r\nPlag Hamincha: 16:45\r\n"},
      {"Alot Hashachar=AlotHashachar16\r\nTzait Hakochavim=Deg70", &kHelsinki, Only({0, 10}),
       "Alot Hashachar: --:--\r\nTzait Hakochavim: --:--\r\n"},
      {"", &kLate, Only({0, 10}), "Alot Hashachar: 23:18\r\nTzait Hakochavim: 00:42\r\n"},
  };
  for (const auto& [ini, day, flags, expected] : rows) {
    ScratchDir dir;
    dir.Write(kSettingsFile, std::string("[Zmanim]\r\n") + ini + "\r\n");
    EXPECT_EQ(Lines(*day, flags), expected) << ini;
  }
  // Cut to the buffer, never past it.
  ScratchDir dir;
  const std::string full = "Alot Hashachar: 05:27\r\nEarliest Tallit: 05:47\r\n";
  for (int size : {1, 24, 40}) {
    char out[64];
    std::memset(out, 'x', sizeof out);
    ZmanimLines(&kJerusalem, out, size, nullptr);
    EXPECT_EQ(std::string(out, sizeof out), full.substr(0, size - 1) + '\0' + std::string(64 - size, 'x')) << size;
  }
  // By name: the value itself is not wrapped; -1 and -1 when there is none.
  int hour = 99, minute = 99;
  EXPECT_EQ(ZmanByName(&kLate, "tzait hakochavim", &hour, &minute), 1);
  EXPECT_EQ(hour * 100 + minute, 2442);
  dir.Write(kSettingsFile, "[Zmanim]\r\nKriat Shema=Bogus\r\n");
  EXPECT_EQ(ZmanByName(&kJerusalem, "Kriat Shema", &hour, &minute), 0);
  EXPECT_EQ(hour * 100 + minute, -101);
}

TEST(Zmanim, ChametzByEveryMethodAndType) {
  // Even day: R 360, S 1080, S-R 720. Alot 72 gives A 288, nightfall 72
  // gives Z 1152, Z-A 864.
  constexpr char kDawnByDegrees[] = "[Zmanim]\r\nAlot Hashachar=AlotHashachar16\r\n";
  constexpr char kNightByDegrees[] = "[Zmanim]\r\nTzait Hakochavim=Deg70\r\n";
  // What, the settings, the day, type, method, the time.
  const std::tuple<const char*, const char*, const ZmanDay*, int, int, const char*> kRows[] = {
      {"GRA burning", "", &kEvenDay, 2, 1, "11:00"},   // 360 + 720*5/12
      {"MA eating", "", &kEvenDay, 1, 2, "09:36"},     // 288 + 864*4/12
      {"101 eating", "", &kEvenDay, 1, 101, "08:48"},  // 288 + 240
      {"GRA burning, truncated", "", &kJerusalem, 2, 1, "10:52"},    // 399 + 253.75
      {"unknown type", "", &kEvenDay, 3, 1, "Invalid iType: 3"},
      {"unknown method", "", &kEvenDay, 1, 3, "Invalid iMethod: 3"},
      {"MA without dawn", kDawnByDegrees, &kHelsinki, 1, 2, "--:--"},
      // 101 starts at dawn but takes the day from sunrise to sunset: A 102
      // (Alot 72) + 1135*4/12 (378.33).
      {"101 needs no nightfall", kNightByDegrees, &kHelsinki, 1, 101, "08:00"},
  };
  for (const auto& [id, ini, day, type, method, expected] : kRows) {
    ScratchDir dir;
    dir.Write(kSettingsFile, ini);
    char text[kZmanTimeSize];
    std::memset(text, 'x', sizeof text);
    ChametzTime(day, type, method, text, sizeof text);
    EXPECT_STREQ(text, expected) << id;
  }
}

// A known place; no day, custom or Shabbat settings needed.
CalWindowState City(int latitude, int longitude, int timeZone) {
  return {1, {}, 0, "", 1, latitude, longitude, timeZone, 0, 0, 0, 0, 0.0};
}

IncludeFlags Flags(std::initializer_list<int> included) {
  IncludeFlags flags{};
  for (int i : included) flags.flag[i] = 1;
  return flags;
}

std::string DayText(int day, int month, int year, const CalWindowState& state, const IncludeFlags& flags) {
  char out[2048];
  std::memset(out, 'x', sizeof out);
  const int length = ZmanimDayText(day, month, year, out, sizeof out, &state, &flags);
  EXPECT_EQ(length, (int)std::strlen(out));
  return out;
}

TEST(Zmanim, DayBlocksOnRealSunTimes) {
  const CalWindowState jerusalem = City(3124, 3500, 2);
  const CalWindowState tromso = City(6940, 1857, 1);   // midnight sun in June
  const CalWindowState alert = City(8230, -6220, -5);  // midnight sun on 14 Nisan 5784
  IncludeFlags all = Flags({kIncludeShaaZmanit, kIncludeErevPesach});
  for (int i = kFirstZmanFlag; i < kIncludeShaaZmanit; ++i) all.flag[i] = 1;
  const IncludeFlags shaa = Flags({kIncludeShaaZmanit});
  const std::tuple<const char*, int, int, int, const CalWindowState*, IncludeFlags, const char*> rows[] = {
      // Day of 609 minutes: sha'a zmanit 50 (50.75).
      {"Jerusalem in January", 1, 1, 2007, &jerusalem, Flags({kIncludeTzaitHakochavim, kIncludeShaaZmanit}),
       "Tzait Hakochavim: 18:00\r\nSha'a Zmanit: 50 minutes\r\n"},
      {"5:37 to 17:54, a twelfth of 61.4", 25, 3, 2007, &jerusalem, shaa, "Sha'a Zmanit: 1 hour, 1 minute\r\n"},
      {"polar day", 21, 6, 2007, &tromso, Flags({kIncludeAlotHaShachar, kIncludeShaaZmanit}),
       "Alot Hashachar: --:--\r\nSha'a Zmanit: --:--\r\n"},
      // 14 Nisan 5767, 5:27 (327) to 18:00 (1080): 4/12 -> 251, 5/12 -> 313.
      {"Erev Pesach", 2, 4, 2007, &jerusalem, Flags({kIncludeErevPesach}),
       "\r\nsof zman achilat chametz: 09:38\r\nsof zman sreifat chametz: 10:40\r\n"},
      {"Pesach Sheni", 2, 5, 2007, &jerusalem, Flags({kIncludeErevPesach}), ""},
      {"midnight sun on Erev Pesach", 22, 4, 2024, &alert, Flags({kIncludeErevPesach}),
       "\r\nsof zman achilat chametz: --:--\r\nsof zman sreifat chametz: --:--\r\n"},
  };
  for (const auto& [id, day, month, year, city, flags, expected] : rows) {
    ScratchDir dir;
    EXPECT_EQ(DayText(day, month, year, *city, flags), expected) << id;
  }
  // Nothing without a location; the methods are read on each call.
  ScratchDir dir;
  CalWindowState nowhere = jerusalem;
  nowhere.locationKnown = 0;
  EXPECT_EQ(DayText(2, 4, 2007, nowhere, all), "");
  const IncludeFlags shema = Flags({kIncludeKriatShema});
  EXPECT_EQ(DayText(1, 1, 2007, jerusalem, shema), "Kriat Shema: 09:11\r\n");
  dir.Write(kSettingsFile, "[Zmanim]\r\nKriat Shema=KriatShemaMA\r\n");
  EXPECT_EQ(DayText(1, 1, 2007, jerusalem, shema), "Kriat Shema: 08:35\r\n");
}

std::string Stored(const char* section, const char* key) {
  char value[256];
  IniReadString(section, key, "<missing>", value, sizeof value, kSettingsFile);
  return value;
}

// Rows of the form: 0 Alot Hashachar, 1 Earliest Tallit (two methods), 2
// Kriat Shema, 3 Tefila ... 8 Tzait Hakochavim (nine methods). Opening
// writes nothing. OK takes the chametz value only from a list the template
// has, with a selection; the zman keys only from a template with the lists.
TEST(ZmanimForm, OpensOnTheStoredChoicesAndWritesOnlyItsLists) {
  // The settings, a row and its selection, the chametz selection.
  for (const auto& [ini, row, selected, chametz] : {std::tuple{"", 8, 0, 0},
                                                    {"[Zmanim]\r\nAlot Hashachar=AlotHashachar16\r\n", 0, 2, 0},
                                                    {"[Zmanim]\r\nTzait Hakochavim=Deg100\r\n", 8, 8, 0},
                                                    {"[ErevPesach]\r\nMethod=2\r\n", 0, 0, 1},
                                                    {"[ErevPesach]\r\nMethod=100\r\n", 0, 0, 0}}) {  // no item for 100
    ScratchDir dir;
    dir.Write(kSettingsFile, ini);
    ZmanimForm form;
    ZmanimFormOpen(&form, 1, 1);
    EXPECT_EQ(form.rows[row].selected * 10 + form.chametzSelected, selected * 10 + chametz) << ini;
    EXPECT_EQ(dir.Read(kSettingsFile), ini) << "opening writes nothing";
  }
  // Zman lists, chametz list, its selection; Method and Alot Hashachar after OK.
  for (const auto& [zmanLists, chametzList, chametz, stored] : {std::tuple{0, 1, 1, "2 <missing>"},
                                                                {1, 0, 1, "<missing> AlotHashachar72"},
                                                                {1, 1, kZmanimNoSelection, "<missing> AlotHashachar72"},
                                                                {1, 1, 0, "1 AlotHashachar72"}}) {
    ScratchDir dir;
    ZmanimForm form;
    ZmanimFormOpen(&form, zmanLists, chametzList);
    form.chametzSelected = chametz;
    ZmanimFieldError error{};
    EXPECT_EQ(ZmanimFormApply(&form, &error), 1) << stored;
    EXPECT_EQ(Stored("ErevPesach", "Method") + " " + Stored("Zmanim", "Alot Hashachar"), stored);
  }
}

}  // namespace
