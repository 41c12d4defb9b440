// tavlon-export for calendar apps: summer times from the city's zone,
// stable UIDs, the calendar's name, timed Shabbat events and the
// anniversaries command.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "cli/cli_harness.h"
#include "placetime/timezone.h"

namespace {

// An export into a file of the scratch folder; `out` is the file's text.
CliResult Export(const ScratchDir& dir, std::vector<const char*> args) {
  const std::string path = dir.File("export.ics");
  std::filesystem::remove(path);
  args.insert(args.end(), {"--quiet", "-o", path.c_str()});
  CliResult result = RunTool(dir, args);
  result.out = Unfolded(dir.Read("export.ics"));
  return result;
}

// Minutes after midnight of "Candle Lighting: HH:MM" in the text, or -1.
int CandleMinutes(const std::string& text) {
  const std::size_t at = text.find("Candle Lighting: ");
  if (at == std::string::npos) return -1;
  return std::atoi(text.c_str() + at + 17) * 60 + std::atoi(text.c_str() + at + 20);
}

std::vector<std::string> Values(const std::string& unfolded, const std::string& name) {
  std::vector<std::string> values;
  for (std::size_t at = unfolded.find("\r\n" + name); at != std::string::npos;
       at = unfolded.find("\r\n" + name, at + 1)) {
    const std::size_t start = at + 2 + name.size();
    values.push_back(unfolded.substr(start, unfolded.find("\r\n", start) - start));
  }
  return values;
}

// Sunset by NOAA's solar equations for the table's coordinates, less the
// default 18 minutes, in the clock the city keeps that day.
TEST(CalendarApp, CandleLightingInTheCitysClock) {
  if (!TimeZoneDatabaseAvailable()) GTEST_SKIP() << "no tz database in this build";
  constexpr char kNoRule[] = "[DaylightSaving]\r\nIsAvail=0\r\n";
  const struct {
    const char* city;
    const char* date;
    const char* daylight;  // daylight.ini, or ""
    std::vector<const char*> args;
    int expected;  // minutes after midnight
  } kRows[] = {
      {"New York, NY", "2026-07-03", "", {}, 20 * 60 + 12},
      {"New York, NY", "2026-01-02", "", {}, 16 * 60 + 22},
      {"Sydney", "2026-01-02", "", {}, 19 * 60 + 51},
      {"Sydney", "2026-07-03", "", {}, 16 * 60 + 39},
      {"New York, NY", "2026-07-03", kNoRule, {}, 19 * 60 + 12},  // a rule in daylight.ini is kept
      {"New York, NY", "2026-07-03", kNoRule, {"--dst", "zone"}, 20 * 60 + 12},
      {"New York, NY", "2026-07-03", "", {"--dst", "off"}, 19 * 60 + 12},
      // Chicago's summer clock is New York's standard time.
      {"New York, NY", "2026-07-03", "", {"--zone", "America/Chicago"}, 19 * 60 + 12},
  };
  for (const auto& row : kRows) {
    ScratchDir dir;
    dir.Write("daylight.ini", row.daylight);
    std::vector<const char*> args = {"--city", row.city, "--from", row.date, "--to", row.date};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const CliResult result = Export(dir, args);
    ASSERT_EQ(result.code, kCliOk) << row.city << ": " << result.err;
    const int minutes = CandleMinutes(result.out);
    EXPECT_LE(std::abs(minutes - row.expected), 1) << row.city << " " << row.date << " " << row.daylight
                                                   << ": " << minutes / 60 << ":" << minutes % 60;
  }
}

// A user's city with a zone keeps its summer time; without one the
// settings' rule (none here) applies, with a note.
TEST(CalendarApp, UserCityZone) {
  if (!TimeZoneDatabaseAvailable()) GTEST_SKIP() << "no tz database in this build";
  ScratchDir dir;
  ASSERT_TRUE(SaveCities({{"Queens", 4043, -7350, -5, 0}, {"Brooklyn", 4041, -7357, -5, 0}}));
  dir.Write("exportcal.ini", "[CityZones]\r\nQueens=America/New_York\r\n");
  const std::string file = dir.File("city.ics");
  int candles[2];
  for (int i = 0; i < 2; ++i) {
    const CliResult result =
        RunTool(dir, {"--city", i ? "Brooklyn" : "Queens", "--to", "2026-07-03", "--from", "2026-07-03", "-o", file.c_str()});
    ASSERT_EQ(result.code, kCliOk) << result.err;
    EXPECT_NE(result.out.find(i ? "daylight saving from daylight.ini" : "daylight saving from America/New_York"),
              std::string::npos) << result.out;
    EXPECT_EQ(result.err, i ? "tavlon-export: Brooklyn has no time zone: daylight saving follows daylight.ini\n" : "");
    candles[i] = CandleMinutes(Unfolded(dir.Read("city.ics")));
  }
  EXPECT_EQ(candles[1] + 60, candles[0]);
}

TEST(CalendarApp, StableUidsAndTheCalendarName) {
  ScratchDir dir;
  const std::vector<const char*> year = {"--from", "2026-01-01", "--to", "2026-12-31"};
  const std::string first = Export(dir, year).out;
  const std::vector<std::string> uids = Values(first, "UID:");
  ASSERT_EQ(uids.size(), 365u);
  EXPECT_EQ(std::set<std::string>(uids.begin(), uids.end()).size(), 365u);
  EXPECT_EQ(Values(Export(dir, year).out, "UID:"), uids);
  EXPECT_EQ(uids[0], "day-20260101@tavlon.invalid");
  EXPECT_EQ(Values(first, "X-WR-CALNAME:"), std::vector<std::string>{"Tavlon: New York\\, NY (Diaspora)"});
  EXPECT_EQ(Values(first, "NAME:"), Values(first, "X-WR-CALNAME:"));

  std::vector<const char*> israel = year;
  israel.insert(israel.end(), {"--israel", "--uid-prefix", "israel", "--calendar-name", "Luach; Israel"});
  const std::string prefixed = Export(dir, israel).out;
  EXPECT_EQ(Values(prefixed, "UID:")[0], "israel-day-20260101@tavlon.invalid");
  EXPECT_EQ(Values(prefixed, "X-WR-CALNAME:"), std::vector<std::string>{"Luach\\; Israel"});

  // Holidays: one UID per holiday and day, none shared with the day entries.
  const std::vector<std::string> holidays = Values(Export(dir, {"--holidays", "--from", "2026-01-01", "--to", "2026-12-31"}).out, "UID:");
  EXPECT_EQ(std::set<std::string>(holidays.begin(), holidays.end()).size(), holidays.size());
  EXPECT_EQ(std::set<std::string>(holidays.begin(), holidays.end()).count("holiday-Purim-20260303@tavlon.invalid"), 1u);
}

TEST(CalendarApp, ShabbatEvents) {
  if (!TimeZoneDatabaseAvailable()) GTEST_SKIP() << "no tz database in this build";
  ScratchDir dir;
  const CliResult result = Export(dir, {"--from", "2026-07-01", "--to", "2026-07-07", "--shabbat-events", "--alarm", "30"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  const std::vector<std::string> starts = Values(result.out, "DTSTART;TZID=");
  ASSERT_EQ(starts.size(), 2u) << result.out;
  // At the times of the day entries: candle lighting on Friday, the end of Shabbat on Saturday.
  EXPECT_EQ(starts[0].substr(0, 26), "America/New_York:20260703T");
  EXPECT_EQ(starts[1].substr(0, 26), "America/New_York:20260704T");
  const int hhmm = std::atoi(starts[0].substr(26, 4).c_str());
  EXPECT_EQ(CandleMinutes(result.out), hhmm / 100 * 60 + hhmm % 100) << starts[0];
  EXPECT_EQ(Values(result.out, "TZID:"), std::vector<std::string>{"America/New_York"});
  EXPECT_EQ(Values(result.out, "TRIGGER:").size(), 9u);  // the seven days and the two events
  // Without the Shabbat times in the notes there are no timed events.
  dir.Write("exportcal.ini", "[OutlookZmanim]\r\nShabbatTimes=0\r\n");
  EXPECT_EQ(Values(Export(dir, {"--from", "2026-07-01", "--to", "2026-07-07", "--shabbat-events"}).out,
                   "DTSTART;TZID=").size(), 0u);
}

// A name as the command line brings it: UTF-8, or the ANSI code page
// (Windows-1252 here) on Windows.
#ifdef _WIN32
constexpr char kRuth[] = "Ruth M\xFCller";
#else
constexpr char kRuth[] = "Ruth M\xC3\xBCller";
#endif

TEST(CalendarApp, AnniversariesFromTheCommandLine) {
  ScratchDir dir;
  const std::vector<const char*> kSteps[] = {
      {"anniversaries", "add", "--kind", "Birthday", "--name", "Dan Levi", "--date", "1990-03-05"},
      {"anniversaries", "add", "--kind", "yahrzeit", "--name", kRuth, "--date", "1.1.1975", "--after-sunset"},
#ifndef _WIN32
      // A name Windows-1252 cannot hold is kept as typed, not as question marks.
      {"anniversaries", "add", "--kind", "birthday", "--name", "\xD7\x93\xD7\x95\xD7\x93", "--date", "2000-01-01"},
#endif
  };
  for (const auto& step : kSteps) ASSERT_EQ(RunTool(dir, step).code, kCliOk) << step[5];
  // The program's own reader finds them, the name in Windows-1252.
  char path[1024];
  ASSERT_TRUE(AnniversaryFilePath(path, sizeof path));
  AnniversaryList list{};
  ASSERT_EQ(AnniversaryListLoad(&list, path), (int)std::size(kSteps));
  EXPECT_EQ(list.damaged, 0);
  EXPECT_STREQ(list.records[1].name, "Ruth M\xFCller");
  EXPECT_EQ(list.records[1].type, 'Y');
  EXPECT_EQ(list.records[1].afterSunset, 1);
  AnniversaryListFree(&list);
  std::string listed = "1\tBirthday\tDan Levi\t5.3.1990\n2\tYahrzeit\tRuth M\xC3\xBCller\t1.1.1975 after sunset\n";
#ifndef _WIN32
  listed += "3\tBirthday\t\xD7\x93\xD7\x95\xD7\x93\t1.1.2000\n";
#endif
  EXPECT_EQ(RunTool(dir, {"anniversaries", "list"}).out, listed);

  // A birthday of 5 March 1990 (8 Adar 5750) falls on 26 February 2007
  // (8 Adar 5767) and 15 March 2008 (8 Adar II 5768).
  CliResult result = Export(dir, {"--anniversaries", "--entry", "Birthday: Dan Levi", "--from-year", "2007", "--to-year", "2008"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(Values(result.out, "DTSTART;VALUE=DATE:"), (std::vector<std::string>{"20070226", "20080315"}));
  EXPECT_EQ(Values(result.out, "UID:"), (std::vector<std::string>{"Birthday-Dan.20Levi-20070226@tavlon.invalid",
                                                                   "Birthday-Dan.20Levi-20080315@tavlon.invalid"}));
  // The typed name finds the record kept in Windows-1252.
  const std::string ruth = std::string("Yahrzeit: ") + kRuth;
  EXPECT_EQ(Export(dir, {"--anniversaries", "--entry", ruth.c_str(), "--to-year", "2007"}).code, kCliOk);

  const std::vector<const char*> kRemovals[] = {
      {"anniversaries", "remove", "--kind", "birthday", "--name", "dan levi"},
      {"anniversaries", "remove", "--id", "1"},
#ifndef _WIN32
      {"anniversaries", "remove", "--id", "1"},
#endif
  };
  for (const auto& step : kRemovals) ASSERT_EQ(RunTool(dir, step).code, kCliOk) << step[3];
  EXPECT_EQ(dir.Read("Merovan Anniversaries.bin").size(), 8u);  // magic and end marker
}

}  // namespace
