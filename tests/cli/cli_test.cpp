// tavlon-export: its dates, runs that must fail cleanly (one line, an exit
// code, no file), runs that must give the right output, summer times from
// the city's zone, and the anniversaries. (tests/cli/*.py read the files
// with calendar apps' parsers.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "cli/cli_harness.h"
#include "placetime/timezone.h"
#include "platform/datafile.h"

namespace {

TEST(CliOptions, Dates) {
  ScratchDir dir;  // DateFormat 0: day first
  const struct {
    const char* text;
    CalDate date;  // day 0: refused
  } kRows[] = {
      {"2007-03-05", {5, 3, 2007}}, {"5.3.2007", {5, 3, 2007}}, {"2008-02-29", {29, 2, 2008}},
      {"3000-12-31", {31, 12, 3000}}, {"31.2.2007", {}},        {"2007-02-29", {}},
      {"1582-12-31", {}},             {"3001-01-01", {}},       {"2007-3-5", {}},
      {"5.3.99999999999", {}},        {"0.0.0", {}},            {"", {}},
  };
  for (const auto& row : kRows) {
    CalDate date{};
    EXPECT_EQ(ParseCliDate(row.text, &date), row.date.day != 0) << row.text;
    EXPECT_EQ(std::make_tuple(date.day, date.month, date.year),
              std::make_tuple(row.date.day, row.date.month, row.date.year)) << row.text;
  }
}

// Text as the user's code page has it: UTF-8 on POSIX; on Windows the ANSI
// code page, Windows-1252 under the test's Wine (Latin-1 letters only here).
std::string Typed(const std::string& utf8) {
#ifdef _WIN32
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = (unsigned char)utf8[i];
    out += c == 0xC3 ? (char)(0xC0 | ((unsigned char)utf8[++i] & 0x3F)) : (char)c;
  }
  return out;
#else
  return utf8;
#endif
}

// Each run, with "-o FILE" first unless it is the anniversaries command,
// gives its exit code and the parts of standard output, standard error and
// the file (unfolded) given. A failure is one line on standard error and
// nothing else; a run given no part of the file makes none.
TEST(CliRun, Runs) {
  ScratchDir dir;
  ASSERT_TRUE(SaveCities({{"Queens", 4043, -7350, -5, 0}}));
  const std::string path = dir.File("out.ics"), missing = dir.File("no-folder/out.ics"), folder = dir.File("a-folder");
  std::filesystem::create_directory(folder);
  const std::string longEntry = "Birthday: " + std::string(256, 'x');
  const std::string zone = TimeZoneDatabaseAvailable() ? "America/New_York" : "daylight.ini";
  const std::string shouted = Typed("g\xC3\xB6TEBORG, sweden");
  const std::string sweden = "Wrote 1 entry (2007-01-01 to 2007-01-01, G\xC3\xB6teborg, Sweden, Diaspora, daylight";
  const std::string hebrew = "[Flags]\r\nHebrewFlag=1\r\n";
  const std::string marz = "[Custom]\r\nCustomEnable=1\r\nMonthMarch=" + Typed("M\xC3\xA4rz") +
                           "\r\n[OutlookExport]\r\nCaptionWithoutHoliday=%G\r\n";
  const struct {
    std::string ini;  // exportcal.ini besides the zone of Queens
    std::vector<const char*> args;
    int code;
    std::vector<std::string> out, err, file;
  } kRows[] = {
      {"", {"--bogus"}, kCliBadInput, {}, {"unknown option --bogus"}, {}},
      {"", {"--from"}, kCliBadInput, {}, {"--from needs a value"}, {}},
      {"", {"--quiet=1"}, kCliBadInput, {}, {"takes no value"}, {}},
      {"", {"-o", ""}, kCliBadInput, {}, {"--output needs a file name"}, {}},
      {"", {"--holidays", "--anniversaries"}, kCliBadInput, {}, {"choose one of"}, {}},
      {"", {"--holidays", "--preview"}, kCliBadInput, {}, {"--preview shows a day's entry"}, {}},
      {"", {"--from-year", "2007"}, kCliBadInput, {}, {"go with --anniversaries"}, {}},
      {"", {"--anniversaries", "--from-year", "1582"}, kCliBadInput, {}, {"not a year from 1583 to 3000"}, {}},
      {"", {"--anniversaries", "--to-year", "20x7"}, kCliBadInput, {}, {"not a year"}, {}},
      {"", {"--anniversaries", "--from-year", "2008", "--to-year", "2007"}, kCliBadInput, {},
       {"--from-year 2008 is after --to-year 2007"}, {}},
      {"", {"--anniversaries", "--from", "2007-01-01"}, kCliBadInput, {}, {"--from-year"}, {}},
      {"", {"--anniversaries", "--sort", "size"}, kCliBadInput, {}, {"--sort takes"}, {}},
      {"", {"--anniversaries", "--sort", "names"}, kCliBadInput, {}, {"--sort orders the text table"}, {}},
      {"", {"--anniversaries", "--text", "t.txt"}, kCliBadInput, {}, {"drop -o"}, {}},
      {"", {"--from", "31.2.2007"}, kCliBadInput, {}, {"not a date"}, {}},
      {"", {"--from", "2007-01-31", "--to", "1.1.2007"}, kCliBadInput, {}, {"--from 2007-01-31 is after --to 1.1.2007"}, {}},
      {"", {"--city", "Atlantis"}, kCliBadInput, {}, {"unknown city \"Atlantis\""}, {}},
      {"", {"--config", missing.c_str()}, kCliBadInput, {}, {"no such folder"}, {}},
      {"", {"--anniversaries", "--entry", longEntry.c_str()}, kCliBadInput, {},
       {"entry \"Birthday: " + std::string(50, 'x') + "...\" has a name longer than 255 characters"}, {}},
      {"", {"--anniversaries", "--entry", "Birthday: Nobody"}, kCliBadInput, {}, {"no entry \"Birthday: Nobody\""}, {}},
      {"", {"--list-cities", "Xyzzy"}, kCliBadInput, {}, {"no city matches"}, {}},
      {"", {"--zone", "Mars/Olympus"}, kCliBadInput, {}, {"not a time zone"}, {}},
      {"", {"--dst", "summer"}, kCliBadInput, {}, {"--dst takes zone, settings or off"}, {}},
      {"", {"--alarm", "-5"}, kCliBadInput, {}, {"--alarm takes minutes"}, {}},
      {"", {"anniversaries", "add", "--kind", "birthday", "--name", "Dan", "--date", "2007-02-30"}, kCliBadInput, {},
       {"Day is invalid"}, {}},
      {"", {"anniversaries", "add", "--kind", "birthday", "--name", "  ", "--date", "2007-02-03"}, kCliBadInput, {},
       {"Name must not be blank"}, {}},
      {"", {"anniversaries", "add", "--name", "Dan", "--date", "2007-02-03"}, kCliBadInput, {}, {"--kind is needed"}, {}},
      {"", {"anniversaries", "remove", "--id", "3"}, kCliBadInput, {}, {"Anniversary was not found"}, {}},
      {"", {"--to", "2007-01-02", "-o", folder.c_str()}, kCliFailed, {}, {"could not write "}, {}},
      {"", {"--to", "2007-01-02", "-o", missing.c_str()}, kCliFailed, {}, {"could not write " + missing}, {}},
      {"", {"--city", "Queens"}, kCliBadInput, {}, {"\"America/Queens\", the time zone of Queens"}, {}},
      {"", {"--from=1.1.2007", "--to", "2007-01-31", "--preview"}, kCliOk,
       {"Wrote 31 entries (2007-01-01 to 2007-01-31, New York, NY, Diaspora, daylight saving from " + zone + ")",
        "Caption: 11 Tevet 5767 - 1 January 2007"}, {}, {"DTSTART;VALUE=DATE:20070131\r\n"}},
      // One end alone reaches to the other end of its year.
      {"", {"--from", "2007-12-30"}, kCliOk, {"Wrote 2 entries (2007-12-30 to 2007-12-31,"}, {}, {"END:VCALENDAR\r\n"}},
      // Purim (pey vav resch yod endmem), first letter first.
      {hebrew, {"--from", "2024-03-24", "--to", "2024-03-24", "--preview"}, kCliOk,
       {"Wrote 1 entry (", "Caption: \xD7\xA4\xD7\x95\xD7\xA8\xD7\x99\xD7\x9D - 14 "}, {}, {"SUMMARY:\xD7\xA4"}},
      // On standard output the calendar is alone: the preview goes to standard error.
      {"", {"--from", "2007-03-04", "--to", "2007-03-04", "-o", "-", "--daf-yomi", "--preview"}, kCliOk,
       {"BEGIN:VCALENDAR\r\n", "Daf Yomi: Cycle 12\\, Megilah 25", "END:VEVENT\r\nEND:VCALENDAR\r\n"},
       {"First entry, 2007-03-04:"}, {}},
      // 22 Nisan 5767: a holiday only in the Diaspora.
      {"", {"--holidays", "--israel", "--from", "2007-04-10", "--to", "2007-04-10"}, kCliOk, {},
       {"No holidays to import"}, {}},
      // City names as UTF-8 both ways, matched without regard to case and,
      // when nothing else matches, to accents.
      {"", {"--city", shouted.c_str(), "--to", "2007-01-01"}, kCliOk, {sweden}, {}, {"END:VCALENDAR"}},
      {"", {"--city", "Goteborg, Sweden", "--to", "2007-01-01"}, kCliOk, {sweden}, {}, {"END:VCALENDAR"}},
      {"", {"--list-cities", "coru"}, kCliOk, {"A Coru\xC3\xB1" "a, Spain, 43,22N, 8,24W, GMT+1"}, {}, {}},
      {"", {"--anniversaries", "--to-year", "3000"}, kCliOk, {}, {}, {"END:VCALENDAR"}},  // the last year
      // A custom month name in the settings, in the user's code page.
      {marz, {"--from", "2007-03-07", "--to", "2007-03-07"}, kCliOk, {}, {}, {"SUMMARY:7 M\xC3\xA4rz 2007\r\n"}},
  };
  const auto entries = [&dir] { return std::distance(std::filesystem::directory_iterator(dir.path()), {}); };
  for (const auto& row : kRows) {
    // Without the tz database no zone is checked: the Queens row does not apply.
    if (!TimeZoneDatabaseAvailable() && row.args.back() == std::string("Queens")) continue;
    dir.Write("exportcal.ini", "[CityZones]\r\nQueens=America/Queens\r\n" + row.ini);
    std::filesystem::remove(path);
    const auto before = entries();
    std::vector<const char*> args = row.args;
    if (args[0] != std::string("anniversaries")) args.insert(args.begin(), {"-o", path.c_str()});
    const CliResult result = RunTool(dir, args);
    const std::string id = row.args[0] + std::string(" ") + (row.args.size() > 1 ? row.args[1] : "");
    ASSERT_EQ(result.code, row.code) << id << ": " << result.err;
    for (const auto& part : row.out) EXPECT_NE(result.out.find(part), std::string::npos) << id << ": " << result.out;
    for (const auto& part : row.err) EXPECT_NE(result.err.find(part), std::string::npos) << id << ": " << result.err;
    if (!row.out.empty()) {
      EXPECT_EQ(result.out.find(row.out[0]), 0u) << id << ": " << result.out;
    }
    if (row.code != kCliOk) {
      EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << id << ": " << result.err;
      EXPECT_EQ(result.out, "") << id;
    }
    const std::string file = Unfolded(dir.Read("out.ics"));
    for (const auto& part : row.file) EXPECT_NE(file.find(part), std::string::npos) << id;
    if (row.file.empty()) {
      EXPECT_EQ(entries(), before) << id;  // no export, no anniversaries file
    }
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  // The system's reason follows the file it concerns.
  SetSaveFailure("No space left on device");
  EXPECT_NE(RunTool(dir, {"--holidays", "-o", path.c_str()}).err.find("could not write " + path + ": No space left on device"),
            std::string::npos);
  SetSaveFailure(nullptr);
  const CliResult help = RunTool(dir, {"--help"});
  EXPECT_NE(help.out.find("read from\n  " + dir.path().string() + "\n"), std::string::npos) << help.out;
  EXPECT_EQ(help.out.find("\n                "), std::string::npos) << "an option's text on two lines";
}

// Each record once, whatever names it twice; kinds in lower case in the
// file; a "#" that is part of a name; the text table in the order asked.
// Names keep their code page and order: one in the user's code page, a
// Windows-1252 one (from the Windows program) and, where the code page
// holds it, a Hebrew one in reading order come out as typed. A damaged file
// is said once and used as far as it goes, never rewritten.
TEST(CliRun, AnniversaryRecords) {
  ScratchDir dir;
  dir.Write("exportcal.ini", "[Flags]\r\nHebrewFlag=1\r\n");
  const std::string jose = Typed("Jos\xC3\xA9 M\xC3\xBCller");
  std::vector<PersonRow> people = {{"Dan", {5, 3, 1990}, 'B', 0}, {"Dan", {6, 4, 1991}, 'B', 0},
                                   {"Eve #2 Levi", {1, 9, 1980}, 'y', 0}, {jose.c_str(), {5, 3, 1990}, 'B', 0},
                                   {"Ren\xE9", {5, 3, 1990}, 'B', 0}};
  std::vector<std::string> names = {"Jos\xC3\xA9 M\xC3\xBCller", "Ren\xC3\xA9"};  // as UTF-8
#ifndef _WIN32
  names.push_back("\xD7\x93\xD7\x95\xD7\x93 \xD7\x9C\xD7\x95\xD7\x99");
  people.push_back({names.back().c_str(), {5, 3, 1990}, 'B', 0});
#endif
  const std::string path = SaveAnniversaries(people);
  ASSERT_NE(path, "");
  const int all = (int)people.size();
  const struct {
    std::vector<const char*> entries;
    int events;
    const char* summary;
  } kRows[] = {
      {{}, all, "SUMMARY:Birthday: Dan\r\n"},
      {{"--entry", "Birthday: Dan", "--entry", "birthday: dan"}, 2, "SUMMARY:Birthday: Dan\r\n"},
      {{"--entry", "Yahrzeit: Eve #2 Levi"}, 1, "SUMMARY:Yahrzeit: Eve #2 Levi\r\n"},
  };
  for (const auto& row : kRows) {
    std::vector<const char*> args = {"--anniversaries", "--from-year", "2007", "--to-year", "2007", "-o", "-"};
    args.insert(args.end(), row.entries.begin(), row.entries.end());
    const CliResult result = RunTool(dir, args);
    ASSERT_EQ(result.code, kCliOk) << row.events << ": " << result.err;
    EXPECT_EQ(Count(result.out, "BEGIN:VEVENT"), row.events);
    EXPECT_NE(result.out.find(row.summary), std::string::npos) << row.summary;
  }
  const std::string entries = RunTool(dir, {"--anniversaries", "--to-year", "2007", "-o", "-"}).out;
  // 8 Adar 5767 (26 February 2007), the day the birthdays fall on.
  const CliResult day = RunTool(dir, {"--from", "2007-02-26", "--to", "2007-02-26", "-o", "-", "--preview"});
  ASSERT_EQ(day.code, kCliOk) << day.err;
  const std::string file = Unfolded(day.out);
  // The text table with the Hebrew month in reading order (aleph dalet resh).
  const std::string table = dir.File("a.txt");
  CliResult result = RunTool(dir, {"--anniversaries", "--to-year", "2007", "--text", table.c_str(), "--sort", "names", "--quiet"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(RunTool(dir, {"--anniversaries", "--to-year", "2007", "--text", "-", "--sort", "names"}).out, dir.Read("a.txt"));
  EXPECT_NE(dir.Read("a.txt").find("8 \xD7\x90\xD7\x93\xD7\xA8 5767"), std::string::npos) << dir.Read("a.txt");
  for (const std::string& name : names) {
    EXPECT_NE(file.find("\\n" + name + "\\n"), std::string::npos) << name << "\n" << file;
    EXPECT_NE(day.err.find("    " + name + "\n"), std::string::npos) << name << "\n" << day.err;
    EXPECT_NE(entries.find("SUMMARY:Birthday: " + name + "\r\n"), std::string::npos) << name;
    EXPECT_NE(dir.Read("a.txt").find(name + "  "), std::string::npos) << name;
  }
  // By Gregorian date the Gregorian date leads.
  result = RunTool(dir, {"--anniversaries", "--to-year", "2007", "--text", "-", "--sort", "gregorian"});
  EXPECT_EQ(result.out.rfind("26 ", 0), 0u) << result.out;

  // Cut inside the last record: the others are read.
  std::string bytes = dir.Read("Merovan Anniversaries.bin");
  bytes.resize(bytes.size() - 10);
  dir.Write("Merovan Anniversaries.bin", bytes);
  result = RunTool(dir, {"--anniversaries", "--to-year", "2007", "-o", "-"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(Count(result.out, "BEGIN:VEVENT"), all - 1);
  EXPECT_EQ(result.err, "tavlon-export: the anniversaries file \"" + path + "\" is damaged; using the " +
                            std::to_string(all - 1) + " entries read before the damage\n");
  EXPECT_EQ(dir.Read("Merovan Anniversaries.bin"), bytes);
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
    std::vector<const char*> args = {"--city", row.city, "--from", row.date, "--to", row.date, "-o", "-"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const CliResult result = RunTool(dir, args);
    ASSERT_EQ(result.code, kCliOk) << row.city << ": " << result.err;
    const int minutes = CandleMinutes(Unfolded(result.out));
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
  EXPECT_EQ(RunTool(dir, {"--anniversaries", "--entry", ruth.c_str(), "--to-year", "2007", "-o", "-"}).code, kCliOk);

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
