// The main window's portable rules: the location command's stores, the
// help page's path and text. (The Win32 tests hold the Date/Time Format
// dialog's rules on screen.)
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "placetime/cities.h"
#include "platform/ini.h"
#include "settings/settings.h"
#include "shell/help_page.h"
#include "shell/location_rules.h"
#include "support/scratch_dir.h"

namespace {

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

}  // namespace
