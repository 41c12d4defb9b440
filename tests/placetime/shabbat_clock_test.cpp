// Shabbat times that cross midnight read as a clock shows them, and an
// end-of-Shabbat angle the dialog would refuse is not used.
#include <gtest/gtest.h>

#include <string>

#include "calendar/caldate.h"
#include "placetime/shabbat.h"
#include "placetime/suntimes.h"
#include "support/scratch_dir.h"

namespace {

CalWindowState Jerusalem() {
  CalWindowState s{};
  s.locationKnown = 1;
  s.latitude = 3124;
  s.longitude = 3500;
  s.timeZone = 2;
  s.havdalahByMinutes = 1;
  s.havdalahDegrees = 8.0;
  return s;
}

int Absolute(int d, int m, int y) {
  const CalDate date = {d, m, y};
  return AbsoluteFromGregorian(&date);
}

// "HH:MM" as minutes after midnight.
int Minutes(const char* text) { return ((text[0] - '0') * 10 + text[1] - '0') * 60 + (text[3] - '0') * 10 + text[4] - '0'; }

TEST(ShabbatClock, TimesAcrossMidnight) {
  const int friday = Absolute(9, 3, 2007), saturday = friday + 1;
  const struct {
    const char* format;  // [Settings] TimeFormat
    int endOfShabbat;    // else candle lighting
    const char* expected;
  } rows[] = {
      {"0", 1, "00:01"}, {"1", 1, "0.01am"}, {"0", 0, "23:59"}, {"1", 0, "11.59pm"},
  };
  for (const auto& row : rows) {
    ScratchDir dir;
    SunCacheReset();
    // Sunset on each day: the times with no minutes added or taken.
    CalWindowState state = Jerusalem();
    char text[256] = "";
    ASSERT_EQ(ShabbatTimeOfDay(&state, row.endOfShabbat ? saturday : friday, text, 1), 1);
    const int sunset = Minutes(text);
    // One minute past midnight after Saturday's sunset; one minute before
    // the midnight before Friday's.
    if (row.endOfShabbat) state.havdalahMinutes = 24 * 60 - sunset + 1;
    else state.candleLightingMinutes = sunset + 1;
    dir.Write("exportcal.ini", std::string("[Settings]\r\nTimeFormat=") + row.format + "\r\n");
    ASSERT_EQ(ShabbatTimeOfDay(&state, row.endOfShabbat ? saturday : friday, text, 1), 1);
    EXPECT_STREQ(text, row.expected) << row.format << " " << row.endOfShabbat;
  }
}

TEST(ShabbatClock, AngleTheDialogRefuses) {
  const struct {
    const char* value;
    double degrees;
  } rows[] = {{"0", 8.0}, {"0.009", 8.0}, {"-4", 8.0}, {"none", 8.0}, {"0.01", 0.01}, {"8.50", 8.5}};
  for (const auto& row : rows) {
    ScratchDir dir;
    dir.Write("exportcal.ini", std::string("[ShabbatTimes]\r\nHavdalahMin=0\r\nHavdalahDegrees=") + row.value + "\r\n");
    ShabbatSettings settings;
    ReadShabbatSettings(&settings);
    EXPECT_DOUBLE_EQ(settings.havdalahDegrees, row.degrees) << row.value;
  }
}

}  // namespace
