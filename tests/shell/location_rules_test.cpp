// The location command's stores: the record and [Location] CityName.
#include "shell/location_rules.h"

#include <gtest/gtest.h>

#include "placetime/cities.h"
#include "platform/ini.h"
#include "settings/settings.h"
#include "support/scratch_dir.h"

namespace {

// Values of the built-in table (Auckland 36 deg 53 min S, 174 deg 45 min E,
// GMT+12) and of a user record that overrides Jerusalem.
TEST(LocationCommandApply, RecordAndSettingTakeTheChoice) {
  struct Row {
    const char* name;
    int known, latitude, longitude, timeZone, elevation;
  };
  constexpr Row kRows[] = {
      {"Auckland", 1, -3653, 17445, 12, 0},
      {"Jerusalem", 1, 3147, 3513, 2, 800},  // the user's record first
      {"Atlantis", 0, 0, 0, 0, 0},
  };
  FreeUserCities(UserCities());
  AddUserCity(UserCities(), "Jerusalem", 3147, 3513, 2, 800);
  for (const Row& row : kRows) {
    ScratchDir dir;
    CalWindowState state{};
    state.latitude = 4043;  // New York's, from before
    state.longitude = -7401;
    state.timeZone = -5;
    state.locationKnown = 1;
    EXPECT_EQ(LocationCommandApply(&state, row.name), 1) << row.name;
    EXPECT_STREQ(state.cityName, row.name);
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

}  // namespace
