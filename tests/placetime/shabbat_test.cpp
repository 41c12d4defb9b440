// Shabbat times: the note lines, one day's time, the settings and dialog.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>

#include "calendar/caldate.h"
#include "settings/settings.h"
#include "placetime/shabbat.h"
#include "placetime/suntimes.h"
#include "support/scratch_dir.h"

namespace {

// Jerusalem with the default Shabbat settings (no day, custom or name needed).
const CalWindowState kJerusalem = {1, {}, 0, "", 1, 3124, 3500, 2, 0, 18, 45, 1, 8.0};

constexpr char kTwelveHours[] = "[Settings]\r\nTimeFormat=1\r\n";

// Friday 5 January 2007: sunset 16:51, Saturday's 16:52 (no daylight.ini:
// no saving).
TEST(Shabbat, Lines) {
  CalWindowState polar = kJerusalem;
  polar.latitude = 7117;  // Utqiagvik
  polar.longitude = -15647;
  polar.timeZone = -9;
  const std::tuple<const char*, CalWindowState, int, int, int, const char*> rows[] = {
      {"Friday", kJerusalem, 5, 1, 2007, "Candle Lighting: 16:33\r\nEnd of shabbat: 17:37\r\n"},
      {"Saturday: the same pair", kJerusalem, 6, 1, 2007, "Candle Lighting: 16:33\r\nEnd of shabbat: 17:37\r\n"},
      {"Thursday: nothing", kJerusalem, 4, 1, 2007, ""},
      {"polar night: labels alone", polar, 14, 12, 2007, "Candle Lighting: \r\nEnd of shabbat: \r\n"},
  };
  ScratchDir dir;
  for (const auto& [id, state, day, month, year, expected] : rows) {
    SunCacheReset();
    char out[kShabbatLinesSize];
    std::memset(out, 'x', sizeof out);
    ShabbatLines(day, month, year, out, &state);
    EXPECT_STREQ(out, expected) << id;
  }
  // A day beyond its month's end counts on: "31 November" 2007 is
  // Saturday 1 December.
  char beyond[kShabbatLinesSize], saturday[kShabbatLinesSize];
  ShabbatLines(31, 11, 2007, beyond, &kJerusalem);
  ShabbatLines(1, 12, 2007, saturday, &kJerusalem);
  EXPECT_STREQ(beyond, saturday);
  EXPECT_NE(std::strstr(beyond, "End of shabbat: 1"), nullptr) << beyond;
}

// An unknown place has no time; the am/pm flag is passed on. Minutes that
// carry a time past midnight (or before it) show the clock of the next (or
// the previous) day.
TEST(Shabbat, TimeOfDay) {
  ScratchDir dir;
  SunCacheReset();
  dir.Write(kSettingsFile, kTwelveHours);
  CalWindowState state = kJerusalem;
  const CalDate thursday = {4, 1, 2007};
  const int d = AbsoluteFromGregorian(&thursday);
  char out[256] = "-";
  ASSERT_EQ(ShabbatTimeOfDay(&state, d + 2, out, 0), 1);
  EXPECT_STREQ(out, "5.37");
  state.locationKnown = 0;
  EXPECT_EQ(ShabbatTimeOfDay(&state, d + 1, out, 1), 0);
  EXPECT_STREQ(out, "5.37");
  // Sunset 16:51 on Friday and 16:52 on Saturday (the times with no
  // minutes added or taken).
  state = kJerusalem;
  state.candleLightingMinutes = 16 * 60 + 52;
  state.havdalahMinutes = 7 * 60 + 9;
  for (const auto& [format, friday, saturday] : {std::tuple{"0", "23:59", "00:01"}, {"1", "11.59pm", "0.01am"}}) {
    dir.Write(kSettingsFile, std::string("[Settings]\r\nTimeFormat=") + format + "\r\n");
    char text[256] = "";
    ASSERT_EQ(ShabbatTimeOfDay(&state, d + 1, text, 1), 1);
    EXPECT_STREQ(text, friday);
    ASSERT_EQ(ShabbatTimeOfDay(&state, d + 2, text, 1), 1);
    EXPECT_STREQ(text, saturday);
  }
}

constexpr char kCandle[] = "Minutes for Candle Lighting must be a number";
constexpr char kHavdalah[] = "Minutes for End of Shabbat must be a number";
constexpr char kDegrees[] = "Degrees for End of Shabbat must be a floating-point number";

std::string Shown(const ShabbatSettings& s) {
  char text[64];
  std::snprintf(text, sizeof text, "%d %d %d %.2f", s.candleLightingMinutes, s.havdalahMinutes, s.havdalahByMinutes,
                s.havdalahDegrees);
  return text;
}

// The checks in order; a refusal leaves the settings as they were, and so
// do fields too long for their number or without a NUL.
TEST(Shabbat, DialogChecksInOrder) {
  // Candle (nullptr: every field 256 digits, no NUL), havdalah, degrees,
  // the minutes radio button; the message (nullptr: accepted), its field,
  // the settings from "1 2 1 3.00".
  constexpr std::tuple<const char*, const char*, const char*, int, const char*, int, const char*> rows[] = {
      {"18", "45", "junk", 1, nullptr, 0, "18 45 1 3.00"},
      {"20", "junk", "8.5", 0, nullptr, 0, "20 2 0 8.50"},
      {"18", "45", "0.01", 0, nullptr, 0, "18 2 0 0.01"},
      {"18", "45", "16.1 deg", 0, nullptr, 0, "18 2 0 16.10"},
      {"-5", "45", "8", 1, kCandle, kShabbatControlCandle, "1 2 1 3.00"},
      {"x", "x", "x", 1, kCandle, kShabbatControlCandle, "1 2 1 3.00"},
      {"18", "4 5", "8", 1, kHavdalah, kShabbatControlHavdalah, "1 2 1 3.00"},
      {"18", "45", "0.009", 0, kDegrees, kShabbatControlDegrees, "1 2 1 3.00"},
      {"18", "45", "nan", 0, kDegrees, kShabbatControlDegrees, "1 2 1 3.00"},
      {nullptr, nullptr, nullptr, 0, kCandle, kShabbatControlCandle, "1 2 1 3.00"},
  };
  for (const auto& [candle, havdalah, degrees, byMinutes, message, control, result] : rows) {
    ShabbatTimesFields f;
    std::memset(&f, '7', sizeof f);
    if (candle) {
      std::strcpy(f.candle, candle);
      std::strcpy(f.havdalah, havdalah);
      std::strcpy(f.degrees, degrees);
    }
    f.byMinutes = byMinutes;
    ShabbatSettings settings = {1, 2, 1, 3.0};
    ShabbatFieldError error{nullptr, kShabbatControlNone};
    const std::string id = candle ? std::string(candle) + "|" + havdalah + "|" + degrees : "no NUL";
    EXPECT_EQ(ValidateShabbatTimes(&f, &settings, &error), message ? 0 : 1) << id;
    EXPECT_STREQ(error.message, message) << id;
    EXPECT_EQ(error.control, control) << id;
    EXPECT_EQ(Shown(settings), result) << id;
  }
  // Each edit field follows its radio button.
  ShabbatTimesFields f{};
  f.byMinutes = 1;
  EXPECT_EQ(ShabbatControlEnabled(&f, kShabbatControlHavdalah) * 10 + ShabbatControlEnabled(&f, kShabbatControlDegrees), 10);
  f.byMinutes = 0;
  EXPECT_EQ(ShabbatControlEnabled(&f, kShabbatControlHavdalahLabel) * 10 + ShabbatControlEnabled(&f, kShabbatControlDegreesLabel), 1);
}

// The settings read with their defaults, and an angle the dialog would
// refuse reads as the default.
TEST(Shabbat, SettingsRead) {
  for (const auto& [keys, degrees] : {std::pair{"", "8.00"}, {"HavdalahDegrees=0.01", "0.01"}, {"HavdalahDegrees=0.009", "8.00"},
                                      {"HavdalahDegrees=-4", "8.00"}, {"HavdalahDegrees=none", "8.00"}}) {
    ScratchDir dir;
    dir.Write(kSettingsFile, std::string("[ShabbatTimes]\r\n") + keys + "\r\n");
    ShabbatSettings s;
    ReadShabbatSettings(&s);
    EXPECT_EQ(Shown(s), std::string("18 45 1 ") + degrees) << keys;
  }
}

}  // namespace
