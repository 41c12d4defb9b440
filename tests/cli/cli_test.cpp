// tavlon-export's runs and anniversaries (tests/cli/*.py parse its files).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_harness.h"
#include "placetime/timezone.h"
#include "platform/datafile.h"

namespace {

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
  // Queens with a zone unknown; the Bronx and Brooklyn at New York's place, one with its zone.
  ASSERT_TRUE(SaveCities({{"Queens", 4043, -7350, -5, 0}, {"Bronx", 4043, -7401, -5, 0}, {"Brooklyn", 4043, -7401, -5, 0}}));
  const std::string path = dir.File("out.ics"), missing = dir.File("no-folder/out.ics"), folder = dir.File("a-folder");
  std::filesystem::create_directory(folder);
  const std::string longEntry = "Birthday: " + std::string(256, 'x');
  const std::string zone = TimeZoneDatabaseAvailable() ? "America/New_York" : "daylight.ini";
  const std::string shouted = Typed("g\xC3\xB6TEBORG, sweden");
  const std::string sweden = "Wrote 1 entry (2007-01-01 to 2007-01-01, G\xC3\xB6teborg, Sweden, Diaspora, daylight";
  const char* friday = "2026-07-03";
  const char* kNoRule = "[DaylightSaving]\r\nIsAvail=0\r\n";
  const std::string marz = "[Custom]\r\nCustomEnable=1\r\nMonthMarch=" + Typed("M\xC3\xA4rz") +
                           "\r\n[OutlookExport]\r\nCaptionWithoutHoliday=%G\r\n";
  const struct {
    std::string ini;  // exportcal.ini besides the zones of the user's cities
    std::vector<const char*> args;
    int code;
    std::vector<std::string> out, err, file;
    const char* daylight = nullptr;  // daylight.ini, if any
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
      {"", {"--to="}, kCliBadInput, {}, {"--to: \"\" is not a date"}, {}},
      {"", {"--from", "2007-02-29"}, kCliBadInput, {}, {"not a date"}, {}},
      {"", {"--from", "1582-12-31"}, kCliBadInput, {}, {"not a date"}, {}},
      {"", {"--to", "3001-01-01"}, kCliBadInput, {}, {"not a date"}, {}},
      {"", {"--from", "2007-3-5"}, kCliBadInput, {}, {"not a date"}, {}},
      {"", {"--from", "5.3.99999999999"}, kCliBadInput, {}, {"not a date"}, {}},
      {"", {"--from", "0.0.0"}, kCliBadInput, {}, {"not a date"}, {}},
      {"", {"--from", "5.3.2008", "--to", "2008-03-05"}, kCliOk, {"Wrote 1 entry (2008-03-05 to 2008-03-05,"}, {}, {"END"}},
      {"", {"--from", "2008-02-29", "--to", "29.2.2008"}, kCliOk, {"Wrote 1 entry (2008-02-29 to 2008-02-29,"}, {}, {"END"}},
      {"", {"--from", "3000-12-31"}, kCliOk, {"Wrote 1 entry (3000-12-31 to 3000-12-31,"}, {}, {"END"}},
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
      {"[Flags]\r\nHebrewFlag=1\r\n", {"--from", "2024-03-24", "--to", "2024-03-24", "--preview"}, kCliOk,
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
      // Candle lighting on 3 July 2026, sunset by NOAA's solar equations less 18 minutes, in the
      // clock the city keeps: New York's summer time from its zone, unless a rule in daylight.ini
      // or the options say otherwise; Chicago's summer time is New York's standard time.
      {"", {"--from", friday, "--to", friday}, kCliOk, {}, {}, {"Candle Lighting: 20:12"}},
      {"", {"--from", friday, "--to", friday}, kCliOk, {}, {}, {"Candle Lighting: 19:12"}, kNoRule},
      {"", {"--from", friday, "--to", friday, "--dst", "zone"}, kCliOk, {}, {}, {"Candle Lighting: 20:12"}, kNoRule},
      {"", {"--from", friday, "--to", friday, "--dst", "off"}, kCliOk, {}, {}, {"Candle Lighting: 19:12"}},
      {"", {"--from", friday, "--to", friday, "--zone", "America/Chicago"}, kCliOk, {}, {}, {"Candle Lighting: 19:12"}},
      {"", {"--from", friday, "--to", friday, "--city", "Bronx"}, kCliOk, {}, {}, {"Candle Lighting: 20:12"}},
      {"", {"--from", friday, "--to", friday, "--city", "Brooklyn"}, kCliOk, {},
       {"Brooklyn has no time zone: daylight saving follows daylight.ini"}, {"Candle Lighting: 19:12"}},
      // A custom month name in the settings, in the user's code page.
      {marz, {"--from", "2007-03-07", "--to", "2007-03-07"}, kCliOk, {}, {}, {"SUMMARY:7 M\xC3\xA4rz 2007\r\n"}},
  };
  const auto entries = [&dir] { return std::distance(std::filesystem::directory_iterator(dir.path()), {}); };
  for (const auto& row : kRows) {
    // Without the tz database no zone is checked or followed: those rows do not apply.
    const std::string id = row.args[0] + std::string(" ") + (row.args.size() > 1 ? row.args[1] : "");
    if (!TimeZoneDatabaseAvailable() && (row.args.back() == std::string("Queens") || id == "--from " + std::string(friday)))
      continue;
    dir.Write("exportcal.ini", "[CityZones]\r\nQueens=America/Queens\r\nBronx=America/New_York\r\n" + row.ini);
    std::filesystem::remove(path);
    std::filesystem::remove(dir.File("daylight.ini"));
    if (row.daylight) dir.Write("daylight.ini", row.daylight);
    const auto before = entries();
    std::vector<const char*> args = row.args;
    if (args[0] != std::string("anniversaries")) args.insert(args.begin(), {"-o", path.c_str()});
    const CliResult result = RunTool(dir, args);
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

// Records of the Windows program (a kind in lower case, names in
// Windows-1252 or as typed) beside those the anniversaries command adds
// (as typed where Windows-1252 cannot hold them, never as question marks):
// each exported once, every name in its own letters and order. A damaged
// file is said once and used as far as it goes, never rewritten.
TEST(CliRun, Anniversaries) {
  ScratchDir dir;
  dir.Write("exportcal.ini", "[Flags]\r\nHebrewFlag=1\r\n");
  const std::string jose = Typed("Jos\xC3\xA9 M\xC3\xBCller"), ruth = Typed("Ruth M\xC3\xBCller");
  const std::string path = SaveAnniversaries({{"Dan", {5, 3, 1990}, 'B', 0}, {"Dan", {6, 4, 1991}, 'B', 0},
                                              {"Eve #2 Levi", {1, 9, 1980}, 'y', 0},
                                              {jose.c_str(), {5, 3, 1990}, 'B', 0}, {"Ren\xE9", {5, 3, 1990}, 'B', 0}});
  ASSERT_NE(path, "");
  std::vector<std::string> names = {"Jos\xC3\xA9 M\xC3\xBCller", "Ren\xC3\xA9"};  // as UTF-8, born 5 March 1990
  std::vector<std::vector<const char*>> added = {
      {"anniversaries", "add", "--kind", "yahrzeit", "--name", ruth.c_str(), "--date", "5.6.1975", "--after-sunset"}};
#ifndef _WIN32
  names.push_back("\xD7\x93\xD7\x95\xD7\x93 \xD7\x9C\xD7\x95\xD7\x99");
  added.push_back({"anniversaries", "add", "--kind", "Birthday", "--name", names.back().c_str(), "--date", "1990-03-05"});
#endif
  for (const auto& step : added) ASSERT_EQ(RunTool(dir, step).code, kCliOk) << step[5];
  const int all = 5 + (int)added.size();
  const std::string listed = RunTool(dir, {"anniversaries", "list"}).out;
  EXPECT_EQ(Count(listed, "\n"), all);
  EXPECT_NE(listed.find("6\tYahrzeit\tRuth M\xC3\xBCller\t5.6.1975 after sunset\n"), std::string::npos) << listed;
  AnniversaryList list{};  // the program's own reader: the added name in Windows-1252
  ASSERT_EQ(AnniversaryListLoad(&list, path.c_str()), all);
  EXPECT_STREQ(list.records[5].name, "Ruth M\xFCller");
  AnniversaryListFree(&list);

  const std::string yahrzeit = "Yahrzeit: " + ruth;
  const struct {
    std::vector<const char*> entries;
    int events;
    const char* summary;
  } kRows[] = {
      {{}, all, "SUMMARY:Birthday: Dan\r\n"},
      {{"--entry", "Birthday: Dan", "--entry", "birthday: dan"}, 2, "SUMMARY:Birthday: Dan\r\n"},
      {{"--entry", "Yahrzeit: Eve #2 Levi"}, 1, "SUMMARY:Yahrzeit: Eve #2 Levi\r\n"},
      {{"--entry", yahrzeit.c_str()}, 1, "SUMMARY:Yahrzeit: Ruth M\xC3\xBCller\r\n"},
  };
  std::string entries;
  for (const auto& row : kRows) {
    std::vector<const char*> args = {"--anniversaries", "--from-year", "2007", "--to-year", "2007", "-o", "-"};
    args.insert(args.end(), row.entries.begin(), row.entries.end());
    const CliResult result = RunTool(dir, args);
    ASSERT_EQ(result.code, kCliOk) << row.summary << ": " << result.err;
    EXPECT_EQ(Count(result.out, "BEGIN:VEVENT"), row.events) << row.summary;
    EXPECT_NE(result.out.find(row.summary), std::string::npos) << row.summary;
    if (row.entries.empty()) entries = result.out;
  }
  // 8 Adar 5767 (26 February 2007), the day the birthdays fall on.
  const CliResult day = RunTool(dir, {"--from", "2007-02-26", "--to", "2007-02-26", "-o", "-", "--preview"});
  ASSERT_EQ(day.code, kCliOk) << day.err;
  const std::string file = Unfolded(day.out);
  // The text table with the Hebrew month in reading order (aleph dalet resh).
  const std::string table = dir.File("a.txt");
  CliResult result = RunTool(dir, {"--anniversaries", "--to-year", "2007", "--text", table.c_str(), "--sort", "names", "-q"});
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

  const std::vector<const char*> kRemovals[] = {{"anniversaries", "remove", "--kind", "YAHRZEIT", "--name", "eve #2 levi"},
                                                {"anniversaries", "remove", "--id", "1"}};
  for (const auto& step : kRemovals) ASSERT_EQ(RunTool(dir, step).code, kCliOk) << step[3];
  EXPECT_EQ(Count(RunTool(dir, {"anniversaries", "list"}).out, "\n"), all - 2);

  // Cut inside the last record: the others are read.
  std::string bytes = dir.Read("Merovan Anniversaries.bin");
  bytes.resize(bytes.size() - 10);
  dir.Write("Merovan Anniversaries.bin", bytes);
  result = RunTool(dir, {"--anniversaries", "--to-year", "2007", "-o", "-"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(Count(result.out, "BEGIN:VEVENT"), all - 3);
  EXPECT_EQ(result.err, "tavlon-export: the anniversaries file \"" + path + "\" is damaged; using the " +
                            std::to_string(all - 3) + " entries read before the damage\n");
  EXPECT_EQ(dir.Read("Merovan Anniversaries.bin"), bytes);
}

}  // namespace
