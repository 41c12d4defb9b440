// tavlon-export for calendar apps: summer times from the city's zone, and
// the anniversaries command. (tests/cli/*.py read the files with calendar
// apps' parsers.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
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
      // New York's place among the user's cities: with a zone, and without
      // one (the settings' rule then, none here).
      {"Queens", "2026-07-03", "", {}, 20 * 60 + 12},
      {"Brooklyn", "2026-07-03", "", {}, 19 * 60 + 12},
  };
  for (const auto& row : kRows) {
    ScratchDir dir;
    dir.Write("daylight.ini", row.daylight);
    dir.Write("exportcal.ini", "[CityZones]\r\nQueens=America/New_York\r\n");
    ASSERT_TRUE(SaveCities({{"Queens", 4043, -7401, -5, 0}, {"Brooklyn", 4043, -7401, -5, 0}}));
    std::vector<const char*> args = {"--city", row.city, "--from", row.date, "--to", row.date};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const CliResult result = Export(dir, args);
    ASSERT_EQ(result.code, kCliOk) << row.city << ": " << result.err;
    const int minutes = CandleMinutes(result.out);
    EXPECT_LE(std::abs(minutes - row.expected), 1) << row.city << " " << row.date << " " << row.daylight
                                                   << ": " << minutes / 60 << ":" << minutes % 60;
  }
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
  EXPECT_STREQ(list.records[1].name, "Ruth M\xFCller");
  AnniversaryListFree(&list);
  std::string listed = "1\tBirthday\tDan Levi\t5.3.1990\n2\tYahrzeit\tRuth M\xC3\xBCller\t1.1.1975 after sunset\n";
#ifndef _WIN32
  listed += "3\tBirthday\t\xD7\x93\xD7\x95\xD7\x93\t1.1.2000\n";
#endif
  EXPECT_EQ(RunTool(dir, {"anniversaries", "list"}).out, listed);

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
