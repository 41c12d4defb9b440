// tavlon-export for calendar apps: summer times from the city's zone,
// stable UIDs, the calendar's name, timed Shabbat events and the
// anniversaries command.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "cli/cli_harness.h"
#include "placetime/cities.h"
#include "placetime/timezone.h"

namespace {

// An export into a file of the scratch folder; `out` is the file's text.
CliResult Export(const ScratchDir& dir, std::vector<const char*> args) {
  const std::string path = dir.File("export.ics");
  std::filesystem::remove(path);
  args.insert(args.end(), {"--quiet", "-o", path.c_str()});
  CliResult result = RunTool(dir, args);
  result.out = dir.Read("export.ics");
  return result;
}

// Minutes after midnight of "Candle Lighting: HH:MM" in the text, or -1.
int CandleMinutes(const std::string& text) {
  const std::size_t at = text.find("Candle Lighting: ");
  if (at == std::string::npos) return -1;
  return std::atoi(text.c_str() + at + 17) * 60 + std::atoi(text.c_str() + at + 20);
}

std::vector<std::string> Values(const std::string& text, const std::string& name) {
  std::vector<std::string> values;
  const std::string unfolded = Unfolded(text);
  for (std::size_t at = unfolded.find("\r\n" + name); at != std::string::npos;
       at = unfolded.find("\r\n" + name, at + 1)) {
    const std::size_t start = at + 2 + name.size();
    values.push_back(unfolded.substr(start, unfolded.find("\r\n", start) - start));
  }
  return values;
}

TEST(CalendarApp, CandleLightingInTheCitysClock) {
  if (!TimeZoneDatabaseAvailable()) GTEST_SKIP() << "no tz database in this build";
  // Sunset by NOAA's solar equations for the table's coordinates, less the
  // default 18 minutes, in the clock the city keeps that day.
  const struct {
    const char* id;
    const char* city;
    const char* date;
    const char* daylight;  // daylight.ini, or null
    std::vector<const char*> args;
    int expected;  // minutes after midnight
  } rows[] = {
      {"New York in summer", "New York, NY", "2026-07-03", nullptr, {}, 20 * 60 + 12},
      {"New York in winter", "New York, NY", "2026-01-02", nullptr, {}, 16 * 60 + 22},
      {"Jerusalem in summer", "Jerusalem", "2026-07-03", nullptr, {}, 19 * 60 + 30},
      {"Sydney in its summer", "Sydney", "2026-01-02", nullptr, {}, 19 * 60 + 51},
      {"Sydney in its winter", "Sydney", "2026-07-03", nullptr, {}, 16 * 60 + 39},
      {"a rule in daylight.ini is kept", "New York, NY", "2026-07-03",
       "[DaylightSaving]\r\nIsAvail=0\r\n", {}, 19 * 60 + 12},
      {"--dst zone over daylight.ini", "New York, NY", "2026-07-03",
       "[DaylightSaving]\r\nIsAvail=0\r\n", {"--dst", "zone"}, 20 * 60 + 12},
      {"--dst off", "New York, NY", "2026-07-03", nullptr, {"--dst", "off"}, 19 * 60 + 12},
      // Chicago's summer clock is New York's standard time.
      {"--zone for a city", "New York, NY", "2026-07-03", nullptr, {"--zone", "America/Chicago"},
       19 * 60 + 12},
  };
  for (const auto& row : rows) {
    ScratchDir dir;
    if (row.daylight) dir.Write("daylight.ini", row.daylight);
    std::vector<const char*> args = {"--city", row.city, "--from", row.date, "--to", row.date};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const CliResult result = Export(dir, args);
    ASSERT_EQ(result.code, kCliOk) << row.id << ": " << result.err;
    const int minutes = CandleMinutes(Unfolded(result.out));
    EXPECT_LE(std::abs(minutes - row.expected), 1)
        << row.id << ": " << minutes / 60 << ":" << minutes % 60;
  }
}

TEST(CalendarApp, UserCityZone) {
  if (!TimeZoneDatabaseAvailable()) GTEST_SKIP() << "no tz database in this build";
  ScratchDir dir;
  UserCityList list{};
  AddUserCity(&list, "Queens", 4043, -7350, -5, 0);
  AddUserCity(&list, "Brooklyn", 4041, -7357, -5, 0);
  char path[1024];
  ASSERT_TRUE(CitiesFilePath(path, sizeof path));
  ASSERT_EQ(SaveUserCities(&list, path), 1);
  FreeUserCities(&list);
  dir.Write("exportcal.ini", "[CityZones]\r\nQueens=America/New_York\r\n");
  const std::vector<const char*> day = {"--from", "2026-07-03", "--to", "2026-07-03", "-o"};
  const std::string queens = dir.File("queens.ics"), brooklyn = dir.File("brooklyn.ics");
  std::vector<const char*> args = {"--city", "Queens"};
  args.insert(args.end(), day.begin(), day.end());
  args.push_back(queens.c_str());
  CliResult result = RunTool(dir, args);
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_NE(result.out.find("daylight saving from America/New_York"), std::string::npos)
      << result.out;
  EXPECT_EQ(result.err, "") << result.err;
  // No zone: the settings' rule (none here), with a note.
  args = {"--city", "Brooklyn"};
  args.insert(args.end(), day.begin(), day.end());
  args.push_back(brooklyn.c_str());
  result = RunTool(dir, args);
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(result.err,
            "tavlon-export: Brooklyn has no time zone: daylight saving follows daylight.ini\n");
  EXPECT_NE(result.out.find("daylight saving from daylight.ini"), std::string::npos);
  EXPECT_EQ(CandleMinutes(Unfolded(dir.Read("brooklyn.ics"))) + 60,
            CandleMinutes(Unfolded(dir.Read("queens.ics"))));
}

TEST(CalendarApp, StableUidsAndTheCalendarName) {
  ScratchDir dir;
  const auto uids = [&dir](std::vector<const char*> args) {
    const CliResult result = Export(dir, args);
    EXPECT_EQ(result.code, kCliOk) << result.err;
    return std::make_pair(Values(result.out, "UID:"), result.out);
  };
  const std::vector<const char*> year = {"--from", "2026-01-01", "--to", "2026-12-31"};
  const auto [first, firstText] = uids(year);
  const auto [second, secondText] = uids(year);
  ASSERT_EQ(first.size(), 365u);
  EXPECT_EQ(std::set<std::string>(first.begin(), first.end()).size(), 365u);
  EXPECT_EQ(first, second);
  EXPECT_EQ(first[0], "day-20260101@tavlon.invalid");
  EXPECT_EQ(Values(firstText, "X-WR-CALNAME:"),
            std::vector<std::string>{"Tavlon: New York\\, NY (Diaspora)"});
  EXPECT_EQ(Values(firstText, "NAME:"), Values(firstText, "X-WR-CALNAME:"));

  std::vector<const char*> israel = year;
  israel.insert(israel.end(), {"--israel", "--uid-prefix", "israel", "--calendar-name",
                               "Luach; Israel"});
  const auto [prefixed, prefixedText] = uids(israel);
  ASSERT_EQ(prefixed.size(), 365u);
  EXPECT_EQ(prefixed[0], "israel-day-20260101@tavlon.invalid");
  EXPECT_EQ(Values(prefixedText, "X-WR-CALNAME:"), std::vector<std::string>{"Luach\\; Israel"});

  // Holidays: one UID per holiday and day, none shared with the day entries.
  const auto [holidays, holidayText] = uids({"--holidays", "--from", "2026-01-01", "--to",
                                             "2026-12-31"});
  EXPECT_EQ(std::set<std::string>(holidays.begin(), holidays.end()).size(), holidays.size());
  EXPECT_NE(std::find(holidays.begin(), holidays.end(), "holiday-Purim-20260303@tavlon.invalid"),
            holidays.end())
      << holidayText.substr(0, 2000);
}

TEST(CalendarApp, ShabbatEvents) {
  if (!TimeZoneDatabaseAvailable()) GTEST_SKIP() << "no tz database in this build";
  ScratchDir dir;
  const CliResult result =
      Export(dir, {"--from", "2026-07-01", "--to", "2026-07-07", "--shabbat-events", "--alarm", "30"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  const std::vector<std::string> starts = Values(result.out, "DTSTART;TZID=");
  ASSERT_EQ(starts.size(), 2u) << result.out;
  // The times of the day entries: candle lighting 20:12 (above), the end
  // of Shabbat 45 minutes after Saturday's sunset.
  EXPECT_EQ(starts[0].substr(0, 26), "America/New_York:20260703T");
  EXPECT_EQ(starts[1].substr(0, 26), "America/New_York:20260704T");
  const int hhmm = std::atoi(starts[0].substr(26, 4).c_str());
  EXPECT_EQ(CandleMinutes(Unfolded(result.out)), hhmm / 100 * 60 + hhmm % 100) << starts[0];
  EXPECT_EQ(Values(result.out, "TZID:"), std::vector<std::string>{"America/New_York"});
  EXPECT_EQ(Values(result.out, "TRIGGER:").size(), 9u);
  // Without the Shabbat times in the notes there are no timed events.
  dir.Write("exportcal.ini", "[OutlookZmanim]\r\nShabbatTimes=0\r\n");
  const CliResult without =
      Export(dir, {"--from", "2026-07-01", "--to", "2026-07-07", "--shabbat-events"});
  EXPECT_EQ(Values(without.out, "DTSTART;TZID=").size(), 0u);
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
  CliResult result = RunTool(dir, {"anniversaries", "add", "--kind", "Birthday", "--name", "Dan Levi",
                            "--date", "1990-03-05"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  result = RunTool(dir, {"anniversaries", "add", "--kind", "yahrzeit", "--name", kRuth,
                     "--date", "1.1.1975", "--after-sunset"});
  ASSERT_EQ(result.code, kCliOk) << result.err;

  // The program's own reader finds both, the name in Windows-1252.
  char path[1024];
  ASSERT_TRUE(AnniversaryFilePath(path, sizeof path));
  AnniversaryList list{};
  ASSERT_EQ(AnniversaryListLoad(&list, path), 2);
  EXPECT_EQ(list.damaged, 0);
  EXPECT_STREQ(list.records[0].name, "Dan Levi");
  EXPECT_EQ(list.records[0].type, 'B');
  EXPECT_STREQ(list.records[1].name, "Ruth M\xFCller");
  EXPECT_EQ(list.records[1].type, 'Y');
  EXPECT_EQ(list.records[1].afterSunset, 1);
  AnniversaryListFree(&list);

  result = RunTool(dir, {"anniversaries", "list"});
  EXPECT_EQ(result.out,
            "1\tBirthday\tDan Levi\t5.3.1990\n2\tYahrzeit\tRuth M\xC3\xBCller\t1.1.1975 after sunset\n");

  // A birthday of 5 March 1990 (8 Adar 5750) falls on 26 February 2007
  // (8 Adar 5767) and 15 March 2008 (8 Adar II 5768).
  result = Export(dir, {"--anniversaries", "--entry", "Birthday: Dan Levi", "--from-year", "2007",
                        "--to-year", "2008"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(Values(result.out, "DTSTART;VALUE=DATE:"),
            (std::vector<std::string>{"20070226", "20080315"}));
  EXPECT_EQ(Values(result.out, "UID:"),
            (std::vector<std::string>{"Birthday-Dan.20Levi-20070226@tavlon.invalid",
                                      "Birthday-Dan.20Levi-20080315@tavlon.invalid"}));

  // The typed name finds the record kept in Windows-1252.
  const std::string ruth = std::string("Yahrzeit: ") + kRuth;
  result = Export(dir, {"--anniversaries", "--entry", ruth.c_str(), "--from-year", "2007",
                        "--to-year", "2007"});
  EXPECT_EQ(result.code, kCliOk) << result.err;
#ifndef _WIN32
  // A name Windows-1252 cannot hold is kept as typed, not as question marks.
  result = RunTool(dir, {"anniversaries", "add", "--kind", "birthday", "--name",
                           "\xD7\x93\xD7\x95\xD7\x93", "--date", "2000-01-01"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  result = RunTool(dir, {"anniversaries", "list"});
  EXPECT_NE(result.out.find("3\tBirthday\t\xD7\x93\xD7\x95\xD7\x93\t1.1.2000\n"), std::string::npos)
      << result.out;
  result = RunTool(dir, {"anniversaries", "remove", "--id", "3"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
#endif

  result = RunTool(dir, {"anniversaries", "remove", "--kind", "birthday", "--name", "dan levi"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  result = RunTool(dir, {"anniversaries", "remove", "--id", "1"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(dir.Read("Merovan Anniversaries.bin").size(), 8u);  // magic and end marker
}

}  // namespace
