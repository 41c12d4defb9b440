// The main window's record as the window is created.
#include "shell/main_state.h"

#include <gtest/gtest.h>

#include <cstring>

#include "settings/settings.h"
#include "placetime/cities.h"
#include "platform/clock.h"
#include "support/scratch_dir.h"

namespace {

class MainState : public testing::Test {
 protected:
  void SetUp() override {
    ClockTime today{2026, 12, 6, 9, 30, 0, 0};
    SetClockOverride(&today, 0);
    FreeUserCities(UserCities());
  }
  void TearDown() override { SetClockOverride(nullptr, 0); }

  CalWindowState Create() {
    CalWindowState state;
    std::memset(&state, 0, sizeof state);
    MainStateInit(&state);
    return state;
  }
  ScratchDir dir_;
};

// No settings at all: New York with its place, Diaspora, 18 and 45
// minutes, Havdalah by minutes, 8 degrees.
TEST_F(MainState, EmptySettingsGiveTheDefaults) {
  dir_.Write(kSettingsFile, "");
  CalWindowState state = Create();
  EXPECT_EQ(state.leftToRight, 1);
  EXPECT_EQ(state.selectedDay.day, 6);
  EXPECT_EQ(state.selectedDay.month, 12);
  EXPECT_EQ(state.selectedDay.year, 2026);
  EXPECT_EQ(state.diaspora, 1);
  EXPECT_STREQ(state.cityName, "New York, NY");
  EXPECT_EQ(state.locationKnown, 1);
  EXPECT_EQ(state.latitude / 100, 40);    // 40 deg 4x min North
  EXPECT_EQ(state.longitude / 100, -74);  // 74 deg West
  EXPECT_EQ(state.timeZone, -5);
  EXPECT_EQ(state.candleLightingMinutes, 18);
  EXPECT_EQ(state.havdalahMinutes, 45);
  EXPECT_EQ(state.havdalahByMinutes, 1);
  EXPECT_DOUBLE_EQ(state.havdalahDegrees, 8.0);
}

TEST_F(MainState, SettingsAreRead) {
  dir_.Write(kSettingsFile,
             "[Flags]\r\nLeftToRight=0\r\n[Location]\r\nCityName=Jerusalem\r\n"
             "[ShabbatTimes]\r\nCandleLighting=40\r\nHavdalah=50\r\nHavdalahMin=0\r\n"
             "HavdalahDegrees=8.50\r\n");
  dir_.Write("exportcalshab.ini", "[Parasha]\r\nDiasporaFlag=0\r\n");
  CalWindowState state = Create();
  EXPECT_EQ(state.leftToRight, 0);
  EXPECT_EQ(state.diaspora, 0);
  EXPECT_STREQ(state.cityName, "Jerusalem");
  EXPECT_EQ(state.latitude / 100, 31);
  EXPECT_EQ(state.candleLightingMinutes, 40);
  EXPECT_EQ(state.havdalahMinutes, 50);
  EXPECT_EQ(state.havdalahByMinutes, 0);
  EXPECT_DOUBLE_EQ(state.havdalahDegrees, 8.5);
}

}  // namespace
