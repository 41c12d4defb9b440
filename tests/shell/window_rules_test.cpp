// The main window's portable rules: its record at creation, the location
// command, the Date/Time Format dialog, the help page's path and text, and
// the title screen's bands and font.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "placetime/cities.h"
#include "platform/clock.h"
#include "platform/ini.h"
#include "settings/settings.h"
#include "shell/datetime_format.h"
#include "shell/help_page.h"
#include "shell/location_rules.h"
#include "shell/main_state.h"
#include "shell/title_screen.h"
#include "support/scratch_dir.h"

namespace {

TEST(MainState, RecordFromTheSettingsOrTheDefaults) {
  const struct {
    const char* ini;
    const char* shabbatIni;
    int leftToRight, diaspora, latitudeDegrees, candle;
  } kRows[] = {
      {"", "", 1, 1, 40, 18},  // New York
      {"[Flags]\r\nLeftToRight=0\r\n[Location]\r\nCityName=Jerusalem\r\n[ShabbatTimes]\r\nCandleLighting=40\r\n",
       "[Parasha]\r\nDiasporaFlag=0\r\n", 0, 0, 31, 40},
  };
  const ClockTime today{2026, 12, 6, 9, 30, 0, 0};
  SetClockOverride(&today, 0);
  FreeUserCities(UserCities());
  for (const auto& row : kRows) {
    ScratchDir dir;
    dir.Write(kSettingsFile, row.ini);
    dir.Write("exportcalshab.ini", row.shabbatIni);
    CalWindowState state{};
    MainStateInit(&state);
    EXPECT_EQ(state.selectedDay.day, 6) << row.ini;
    EXPECT_EQ(state.leftToRight, row.leftToRight) << row.ini;
    EXPECT_EQ(state.diaspora, row.diaspora) << row.ini;
    EXPECT_EQ(state.locationKnown, 1) << row.ini;
    EXPECT_EQ(state.latitude / 100, row.latitudeDegrees) << row.ini;
    EXPECT_EQ(state.candleLightingMinutes, row.candle) << row.ini;
  }
  SetClockOverride(nullptr, 0);
}

// The user's record comes before the table's; an unknown city keeps none
// of the values of the one before it. The choice is stored either way.
TEST(LocationCommandApply, RecordAndSettingTakeTheChoice) {
  const struct {
    const char* name;
    int known, latitude, longitude, timeZone, elevation;
  } kRows[] = {
      {"Auckland", 1, -3653, 17445, 12, 0},  // 36 deg 53 min S, 174 deg 45 min E
      {"Jerusalem", 1, 3147, 3513, 2, 800},
      {"Atlantis", 0, 0, 0, 0, 0},
  };
  FreeUserCities(UserCities());
  AddUserCity(UserCities(), "Jerusalem", 3147, 3513, 2, 800);
  for (const auto& row : kRows) {
    ScratchDir dir;
    CalWindowState state{};
    state.latitude = 4043;
    state.timeZone = -5;
    state.elevation = 10;
    EXPECT_EQ(LocationCommandApply(&state, row.name), 1) << row.name;
    EXPECT_EQ(state.locationKnown, row.known) << row.name;
    EXPECT_EQ(state.latitude, row.latitude) << row.name;
    EXPECT_EQ(state.longitude, row.longitude) << row.name;
    EXPECT_EQ(state.timeZone, row.timeZone) << row.name;
    EXPECT_EQ(state.elevation, row.elevation) << row.name;
    char stored[256];
    IniReadString(kLocationSection, kCityNameKey, "", stored, sizeof stored, kSettingsFile);
    EXPECT_STREQ(stored, row.name);
  }
  FreeUserCities(UserCities());
}

// A stored value other than 0 or 1 leaves its group without a choice; OK
// with a group left empty keeps the dialog open and the file as it was.
TEST(DateTimeFormat, OpenAndOk) {
  const struct {
    const char* ini;
    DateTimeFormatFields opened;  // dayFirst, monthFirst, hour12, hour24
  } kOpen[] = {
      {"", {1, 0, 0, 1}},
      {"[Settings]\r\nDateFormat=1\r\nTimeFormat=1\r\n", {0, 1, 1, 0}},
      {"[Settings]\r\nDateFormat=-1\r\nTimeFormat=2\r\n", {0, 0, 0, 0}},
  };
  for (const auto& row : kOpen) {
    ScratchDir dir;
    dir.Write(kSettingsFile, row.ini);
    DateTimeFormatFields fields{9, 9, 9, 9};
    DateTimeFormatOpen(&fields);
    EXPECT_EQ((std::vector<int>{fields.dayFirst, fields.monthFirst, fields.hour12, fields.hour24}),
              (std::vector<int>{row.opened.dayFirst, row.opened.monthFirst, row.opened.hour12, row.opened.hour24}))
        << row.ini;
  }
  constexpr char kStart[] = "[Settings]\r\nDateFormat=5\r\nTimeFormat=7\r\n";
  const struct {
    DateTimeFormatFields fields;
    int result, dateFormat, timeFormat;
  } kOk[] = {{{0, 0, 1, 0}, 0, 5, 7}, {{0, 1, 0, 0}, 0, 5, 7}, {{0, 1, 1, 0}, 1, 1, 1}, {{1, 0, 0, 1}, 1, 0, 0}};
  for (const auto& row : kOk) {
    ScratchDir dir;
    dir.Write(kSettingsFile, kStart);
    EXPECT_EQ(DateTimeFormatOk(&row.fields), row.result) << row.dateFormat << row.timeFormat;
    EXPECT_EQ(GetDateFormat(), row.dateFormat);
    EXPECT_EQ(GetTimeFormat(), row.timeFormat);
    if (row.result == 0) {
      EXPECT_EQ(dir.Read(kSettingsFile), kStart);
    }
  }
}

// One backslash between folder and name; a path that does not fit is
// refused, never cut.
TEST(HelpPage, PathAndText) {
  const std::string longest(kHelpFolderLimit, 'x');
  const struct {
    std::string folder;
    int size, ok;
    std::string path;
  } kRows[] = {
      {"C:\\Temp", 300, 1, "C:\\Temp\\Cal.htm"},
      {"C:\\Temp\\", 300, 1, "C:\\Temp\\Cal.htm"},
      {"", 300, 1, "Cal.htm"},
      {longest, 265, 1, longest + "\\Cal.htm"},  // the folder, the backslash, the name, the NUL
      {longest, 264, 0, ""},
  };
  for (const auto& row : kRows) {
    char path[300] = "stale";
    EXPECT_EQ(HelpPagePath(row.folder.c_str(), path, row.size), row.ok) << row.folder << " in " << row.size;
    EXPECT_EQ(path, row.path) << row.folder << " in " << row.size;
  }
  // The page is written as it is carried: byte for byte the file in the tree.
  std::ifstream in(std::string(TAVLON_SOURCE_DIR) + "/resources/help.htm", std::ios::binary);
  ASSERT_TRUE(in) << "resources/help.htm not found";
  EXPECT_EQ(std::string(HelpPageText(), HelpPageLength()),
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

// Whatever the height, the bands follow each other without gap or overlap,
// no two differ by more than a row, and they fade from full blue to black.
TEST(TitleScreen, BandsCoverEveryHeightExactly) {
  for (int height = 0; height <= 4096; ++height) {
    TitleBand bands[kTitleBandCount];
    TitleBandLayout(height, bands);
    int top = 0;
    for (int i = 0; i < kTitleBandCount; ++i) {
      ASSERT_EQ(bands[i].top, top) << "height " << height << ", band " << i;
      ASSERT_EQ(bands[i].blue, 255 - i) << "band " << i;
      ASSERT_EQ(bands[i].height - height / kTitleBandCount, bands[i].height > height / kTitleBandCount)
          << "height " << height << ", band " << i;
      top += bands[i].height;
    }
    ASSERT_EQ(top, height);
  }
}

// 16 points at p pixels per inch: 16 * p / 72 pixels, rounded, not cut.
TEST(TitleScreen, FontIsSixteenPointsRounded) {
  const int kRows[][2] = {{72, -16}, {96, -21}, {120, -27}};
  for (const auto& row : kRows) EXPECT_EQ(TitleFontHeight(row[0]), row[1]) << row[0] << " ppi";
}

}  // namespace
