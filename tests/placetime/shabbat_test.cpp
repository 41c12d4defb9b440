// Shabbat times: the two note lines of a Friday and a Saturday, the time of
// one day (also across midnight), and the settings dialog's filling, checks
// and the keys written.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "calendar/caldate.h"
#include "settings/settings.h"
#include "placetime/shabbat.h"
#include "placetime/suntimes.h"
#include "platform/ini.h"
#include "support/scratch_dir.h"

namespace {

// Jerusalem with the default Shabbat settings.
CalWindowState Jerusalem() {
  CalWindowState s{};
  s.locationKnown = 1;
  s.latitude = 3124;
  s.longitude = 3500;
  s.timeZone = 2;
  s.elevation = 0;
  s.candleLightingMinutes = 18;
  s.havdalahMinutes = 45;
  s.havdalahByMinutes = 1;
  s.havdalahDegrees = 8.0;
  return s;
}

class Shabbat : public ::testing::Test {
 protected:
  void SetUp() override { SunCacheReset(); }
  void TearDown() override { SunCacheReset(); }
  ScratchDir dir_;  // no daylight.ini: no saving; no exportcal.ini: 24-hour times
};

struct LinesRow {
  const char* id;
  CalWindowState state;
  int day, month, year;
  const char* settings;  // exportcal.ini, or nullptr
  const char* expected;
};

TEST_F(Shabbat, Lines) {
  CalWindowState byDegrees = Jerusalem();
  byDegrees.havdalahByMinutes = 0;
  CalWindowState polar = Jerusalem();
  polar.latitude = 7117, polar.longitude = -15647, polar.timeZone = -9;

  const LinesRow rows[] = {
      {"Friday: candle lighting 16:51 - 18, end 16:52 + 45", Jerusalem(), 5, 1, 2007, nullptr,
       "Candle Lighting: 16:33\r\nEnd of shabbat: 17:37\r\n"},
      {"Saturday: the same pair", Jerusalem(), 6, 1, 2007, nullptr,
       "Candle Lighting: 16:33\r\nEnd of shabbat: 17:37\r\n"},
      {"Thursday: nothing", Jerusalem(), 4, 1, 2007, nullptr, ""},
      {"end by 8 degrees", byDegrees, 6, 1, 2007, nullptr,
       "Candle Lighting: 16:33\r\nEnd of shabbat: 17:29\r\n"},
      {"12-hour clock with am/pm", Jerusalem(), 5, 1, 2007, "[Settings]\r\nTimeFormat=1\r\n",
       "Candle Lighting: 4.33pm\r\nEnd of shabbat: 5.37pm\r\n"},
      {"polar night: labels with empty times", polar, 14, 12, 2007, nullptr,
       "Candle Lighting: \r\nEnd of shabbat: \r\n"},
  };
  for (const LinesRow& row : rows) {
    dir_.Write(kSettingsFile, row.settings ? row.settings : "");
    char out[kShabbatLinesSize];
    std::memset(out, 'x', sizeof out);
    ShabbatLines(row.day, row.month, row.year, out, &row.state);
    EXPECT_STREQ(out, row.expected) << row.id;
  }
  // A day beyond its month's end counts on: "31 November" 2007 is
  // Saturday 1 December.
  dir_.Write(kSettingsFile, "");
  char beyond[kShabbatLinesSize], saturday[kShabbatLinesSize];
  ShabbatLines(31, 11, 2007, beyond, &rows[0].state);
  ShabbatLines(1, 12, 2007, saturday, &rows[0].state);
  EXPECT_STREQ(beyond, saturday);
  EXPECT_NE(std::string(beyond).find("End of shabbat: 1"), std::string::npos) << beyond;
}

// Friday gives candle lighting, Saturday the end, other days and an
// unknown place nothing; the am/pm flag is passed on.
TEST_F(Shabbat, TimeOfDay) {
  CalWindowState state = Jerusalem();
  const CalDate thursday = {4, 1, 2007};
  const int d = AbsoluteFromGregorian(&thursday);
  dir_.Write(kSettingsFile, "[Settings]\r\nTimeFormat=1\r\n");
  std::string shown;
  for (int day = d; day < d + 4; ++day) {
    char out[256] = "-";
    shown += std::to_string(ShabbatTimeOfDay(&state, day, out, day == d + 1 ? 0 : 1)) + out + " ";
  }
  EXPECT_EQ(shown, "0- 14.33 15.37pm 0- ");
  state.locationKnown = 0;
  char out[256] = "-";
  EXPECT_EQ(ShabbatTimeOfDay(&state, d + 1, out, 1), 0);
  EXPECT_STREQ(out, "-");
}

// ---- the settings dialog ----

TEST_F(Shabbat, FillShowsTheSettings) {
  const ShabbatSettings settings = {20, 72, 0, 8.5};
  ShabbatTimesFields f;
  ShabbatTimesFill(&settings, &f);
  EXPECT_EQ(std::string(f.candle) + " " + f.havdalah + " " + f.degrees, "20 72 8.50");
  EXPECT_EQ(f.byMinutes, 0);
}

TEST_F(Shabbat, EachEditFieldFollowsItsRadioButton) {
  ShabbatTimesFields f{};
  f.byMinutes = 1;
  EXPECT_EQ(ShabbatControlEnabled(&f, kShabbatControlHavdalah), 1);
  EXPECT_EQ(ShabbatControlEnabled(&f, kShabbatControlDegrees), 0);
  f.byMinutes = 0;
  EXPECT_EQ(ShabbatControlEnabled(&f, kShabbatControlDegreesLabel), 1);
}

constexpr char kCandle[] = "Minutes for Candle Lighting must be a number";
constexpr char kHavdalah[] = "Minutes for End of Shabbat must be a number";
constexpr char kDegrees[] = "Degrees for End of Shabbat must be a floating-point number";

TEST_F(Shabbat, ChecksInOrder) {
  struct Row {
    const char* id;
    const char* candle;
    const char* havdalah;
    const char* degrees;
    int byMinutes;
    const char* message;  // nullptr: accepted
    int control;
    ShabbatSettings result;  // when accepted, from {1, 2, 1, 3.0}
  };
  constexpr Row rows[] = {
      {"by minutes", "18", "45", "junk", 1, nullptr, 0, {18, 45, 1, 3.0}},
      {"by degrees", "20", "junk", "8.5", 0, nullptr, 0, {20, 2, 0, 8.5}},
      {"0.01 degrees is the least", "18", "45", "0.01", 0, nullptr, 0, {18, 2, 0, 0.01}},
      {"leading number of the degrees text", "18", "45", "16.1 deg", 0, nullptr, 0,
       {18, 2, 0, 16.1}},
      {"empty candle", "", "45", "8", 1, kCandle, kShabbatControlCandle, {}},
      {"candle signed", "-5", "45", "8", 1, kCandle, kShabbatControlCandle, {}},
      {"candle comes first", "x", "x", "x", 1, kCandle, kShabbatControlCandle, {}},
      {"havdalah text", "18", "4 5", "8", 1, kHavdalah, kShabbatControlHavdalah, {}},
      {"degrees below 0.01", "18", "45", "0.009", 0, kDegrees, kShabbatControlDegrees, {}},
      {"degrees no number", "18", "45", "nan", 0, kDegrees, kShabbatControlDegrees, {}},
  };
  for (const Row& row : rows) {
    ShabbatTimesFields f{};
    std::strcpy(f.candle, row.candle);
    std::strcpy(f.havdalah, row.havdalah);
    std::strcpy(f.degrees, row.degrees);
    f.byMinutes = row.byMinutes;
    ShabbatSettings settings = {1, 2, 1, 3.0};
    ShabbatFieldError error{nullptr, kShabbatControlNone};
    const int ok = ValidateShabbatTimes(&f, &settings, &error);
    if (!row.message) {
      ASSERT_EQ(ok, 1) << row.id << ": " << (error.message ? error.message : "");
      EXPECT_EQ(settings.candleLightingMinutes, row.result.candleLightingMinutes) << row.id;
      EXPECT_EQ(settings.havdalahMinutes, row.result.havdalahMinutes) << row.id;
      EXPECT_EQ(settings.havdalahByMinutes, row.result.havdalahByMinutes) << row.id;
      EXPECT_DOUBLE_EQ(settings.havdalahDegrees, row.result.havdalahDegrees) << row.id;
      continue;
    }
    EXPECT_EQ(ok, 0) << row.id;
    EXPECT_STREQ(error.message, row.message) << row.id;
    EXPECT_EQ(error.control, row.control) << row.id;
    EXPECT_EQ(settings.candleLightingMinutes, 1) << row.id << ": untouched on failure";
    EXPECT_EQ(settings.havdalahByMinutes, 1) << row.id << ": untouched on failure";
  }
}

TEST_F(Shabbat, FieldsWithoutTerminatorAreReadWithinTheirSize) {
  ShabbatTimesFields f;
  std::memset(f.candle, '7', sizeof f.candle);       // 256 digits, no NUL
  std::memset(f.degrees, '1', sizeof f.degrees);
  std::memset(f.havdalah, '4', sizeof f.havdalah);
  f.byMinutes = 0;
  ShabbatSettings settings = {1, 2, 1, 3.0};
  ShabbatFieldError error{};
  EXPECT_EQ(ValidateShabbatTimes(&f, &settings, &error), 0);
  EXPECT_STREQ(error.message, kCandle);  // too large
}

TEST_F(Shabbat, SettingsWrittenAndReadBack) {
  ShabbatSettings defaults;
  ReadShabbatSettings(&defaults);
  EXPECT_EQ(defaults.candleLightingMinutes, 18);
  EXPECT_EQ(defaults.havdalahMinutes, 45);
  EXPECT_EQ(defaults.havdalahByMinutes, 1);
  EXPECT_DOUBLE_EQ(defaults.havdalahDegrees, 8.0);

  const ShabbatSettings s = {20, 72, 0, 8.5};
  WriteShabbatSettings(&s);
  EXPECT_NE(dir_.Read(kSettingsFile).find("HavdalahDegrees=8.50"), std::string::npos);
  ShabbatSettings back;
  ReadShabbatSettings(&back);
  EXPECT_EQ(back.candleLightingMinutes, 20);
  EXPECT_EQ(back.havdalahMinutes, 72);
  EXPECT_EQ(back.havdalahByMinutes, 0);
  EXPECT_DOUBLE_EQ(back.havdalahDegrees, 8.5);
}

// ---- Times across midnight, and an angle the dialog would refuse ----

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
    state.candleLightingMinutes = state.havdalahMinutes = 0;
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
