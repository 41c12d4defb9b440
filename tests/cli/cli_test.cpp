// tavlon-export: its options and dates, runs that must fail cleanly (one
// line, an exit code, no file) and runs that must give the right output.
#include <gtest/gtest.h>

#include <algorithm>
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

TEST(CliRun, BadInputGivesOneLineAndNoFile) {
  ScratchDir dir;
  ASSERT_TRUE(SaveCities({{"Queens", 4043, -7350, -5, 0}}));
  dir.Write("exportcal.ini", "[CityZones]\r\nQueens=America/Queens\r\n");
  const std::string out = dir.File("out.ics");
  const std::string missing = dir.File("no-folder/out.ics");
  const std::string folder = dir.File("a-folder");
  std::filesystem::create_directory(folder);
  const std::string longEntry = "Birthday: " + std::string(256, 'x');
  const struct {
    std::vector<const char*> args;
    int code;
    std::string message;
  } kRows[] = {
      {{"--bogus"}, kCliBadInput, "unknown option --bogus"},
      {{"--from"}, kCliBadInput, "--from needs a value"},
      {{"--quiet=1"}, kCliBadInput, "takes no value"},
      {{"-o", ""}, kCliBadInput, "--output needs a file name"},
      {{"--holidays", "--anniversaries"}, kCliBadInput, "choose one of"},
      {{"--holidays", "--preview"}, kCliBadInput, "--preview shows a day's entry"},
      {{"--from-year", "2007"}, kCliBadInput, "go with --anniversaries"},
      {{"--anniversaries", "--from-year", "1582"}, kCliBadInput, "not a year from 1583 to 3000"},
      {{"--anniversaries", "--to-year", "20x7"}, kCliBadInput, "not a year"},
      {{"--anniversaries", "--from-year", "2008", "--to-year", "2007"}, kCliBadInput,
       "--from-year 2008 is after --to-year 2007"},
      {{"--anniversaries", "--from", "2007-01-01"}, kCliBadInput, "--from-year"},
      {{"--anniversaries", "--sort", "size"}, kCliBadInput, "--sort takes"},
      {{"--anniversaries", "--sort", "names"}, kCliBadInput, "--sort orders the text table"},
      {{"--anniversaries", "--text", "t.txt"}, kCliBadInput, "drop -o"},
      {{"--from", "31.2.2007"}, kCliBadInput, "not a date"},
      {{"--from", "2007-01-31", "--to", "1.1.2007"}, kCliBadInput, "--from 2007-01-31 is after --to 1.1.2007"},
      {{"--city", "Atlantis"}, kCliBadInput, "unknown city \"Atlantis\""},
      {{"--config", missing.c_str()}, kCliBadInput, "no such folder"},
      {{"--anniversaries", "--entry", longEntry.c_str()}, kCliBadInput,
       "entry \"Birthday: " + std::string(50, 'x') + "...\" has a name longer than 255 characters"},
      {{"--anniversaries", "--entry", "Birthday: Nobody"}, kCliBadInput, "no entry \"Birthday: Nobody\""},
      {{"--list-cities", "Xyzzy"}, kCliBadInput, "no city matches"},
      {{"--zone", "Mars/Olympus"}, kCliBadInput, "not a time zone"},
      {{"--dst", "summer"}, kCliBadInput, "--dst takes zone, settings or off"},
      {{"--alarm", "-5"}, kCliBadInput, "--alarm takes minutes"},
      {{"anniversaries", "add", "--kind", "birthday", "--name", "Dan", "--date", "2007-02-30"}, kCliBadInput,
       "Day is invalid"},
      {{"anniversaries", "add", "--kind", "birthday", "--name", "  ", "--date", "2007-02-03"}, kCliBadInput,
       "Name must not be blank"},
      {{"anniversaries", "add", "--name", "Dan", "--date", "2007-02-03"}, kCliBadInput, "--kind is needed"},
      {{"anniversaries", "remove", "--id", "3"}, kCliBadInput, "Anniversary was not found"},
      {{"--from", "2007-01-01", "--to", "2007-01-02", "-o", folder.c_str()}, kCliFailed, "could not write "},
      {{"--from", "2007-01-01", "--to", "2007-01-02", "-o", missing.c_str()}, kCliFailed, "could not write " + missing},
      {{"--city", "Queens"}, kCliBadInput, "\"America/Queens\", the time zone of Queens"},
  };
  const auto entries = [&dir] { return std::distance(std::filesystem::directory_iterator(dir.path()), {}); };
  const auto before = entries();
  for (const auto& row : kRows) {
    // Without the tz database no zone is checked: the Queens row does not apply.
    if (!TimeZoneDatabaseAvailable() && row.message.find("Queens") != std::string::npos) continue;
    std::vector<const char*> args = row.args;
    if (args[0] != std::string("anniversaries")) args.insert(args.begin(), {"-o", out.c_str()});
    const CliResult result = RunTool(dir, args);
    EXPECT_EQ(result.code, row.code) << row.message;
    EXPECT_NE(result.err.find(row.message), std::string::npos) << row.message << ": " << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << row.message << ": " << result.err;
    EXPECT_EQ(result.out, "") << row.message;
    EXPECT_EQ(entries(), before) << row.message;  // no export, no anniversaries file
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  // The system's reason follows the file it concerns.
  SetSaveFailure("No space left on device");
  EXPECT_NE(RunTool(dir, {"--holidays", "-o", out.c_str()}).err.find("could not write " + out + ": No space left on device"),
            std::string::npos);
  SetSaveFailure(nullptr);
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

// Each row runs with its exportcal.ini and, unless it names -o, "-o FILE";
// `file` holds parts of the file written (unfolded), none when no file may
// be made.
TEST(CliRun, OutputOfGoodRuns) {
  ScratchDir dir;
  const std::string zone = TimeZoneDatabaseAvailable() ? "America/New_York" : "daylight.ini";
  const std::string shouted = Typed("g\xC3\xB6TEBORG, sweden");
  const std::string marz = "[Custom]\r\nCustomEnable=1\r\nMonthMarch=" + Typed("M\xC3\xA4rz") +
                           "\r\n[OutlookExport]\r\nCaptionWithoutHoliday=%G\r\n";
  const std::string hebrew = "[Flags]\r\nHebrewFlag=1\r\n";
  const std::string sweden = "Wrote 1 entry (2007-01-01 to 2007-01-01, G\xC3\xB6teborg, Sweden, Diaspora, daylight saving from ";
  const struct {
    std::string ini;
    std::vector<const char*> args;
    std::vector<std::string> out, err, file;
  } kRows[] = {
      {"", {"--from=1.1.2007", "--to", "2007-01-31", "--preview"},
       {"Wrote 31 entries (2007-01-01 to 2007-01-31, New York, NY, Diaspora, daylight saving from " + zone + ")",
        "Caption: 11 Tevet 5767 - 1 January 2007"}, {}, {"DTSTART;VALUE=DATE:20070131\r\n"}},
      // One end alone reaches to the other end of its year.
      {"", {"--from", "2007-12-30"}, {"Wrote 2 entries (2007-12-30 to 2007-12-31,"}, {}, {"END:VCALENDAR\r\n"}},
      // Purim (pey vav resch yod endmem), first letter first.
      {hebrew, {"--from", "2024-03-24", "--to", "2024-03-24", "--preview"},
       {"Wrote 1 entry (", "Caption: \xD7\xA4\xD7\x95\xD7\xA8\xD7\x99\xD7\x9D - 14 "}, {}, {"SUMMARY:\xD7\xA4"}},
      // On standard output the calendar is alone: the preview goes to standard error.
      {"", {"--from", "2007-03-04", "--to", "2007-03-04", "-o", "-", "--daf-yomi", "--preview"},
       {"BEGIN:VCALENDAR\r\n", "Daf Yomi: Cycle 12\\, Megilah 25", "END:VEVENT\r\nEND:VCALENDAR\r\n"},
       {"First entry, 2007-03-04:"}, {}},
      // 22 Nisan 5767: a holiday only in the Diaspora.
      {"", {"--holidays", "--israel", "--from", "2007-04-10", "--to", "2007-04-10"}, {}, {"No holidays to import"}, {}},
      // City names as UTF-8 both ways, matched without regard to case and,
      // when nothing else matches, to accents.
      {"", {"--city", shouted.c_str(), "--to", "2007-01-01"}, {sweden}, {}, {"END:VCALENDAR"}},
      {"", {"--city", "Goteborg, Sweden", "--to", "2007-01-01"}, {sweden}, {}, {"END:VCALENDAR"}},
      {"", {"--anniversaries", "--to-year", "3000"}, {}, {}, {"END:VCALENDAR"}},  // the last year
      {"", {"--list-cities", "coru"}, {"A Coru\xC3\xB1" "a, Spain, 43,22N, 8,24W, GMT+1"}, {}, {}},
      // A custom month name in the settings, in the user's code page.
      {marz, {"--from", "2007-03-07", "--to", "2007-03-07"}, {}, {}, {"SUMMARY:7 M\xC3\xA4rz 2007\r\n"}},
  };
  const std::string path = dir.File("out.ics");
  for (const auto& row : kRows) {
    dir.Write("exportcal.ini", row.ini);
    std::filesystem::remove(path);
    const auto before = std::distance(std::filesystem::directory_iterator(dir.path()), {});
    std::vector<const char*> args = row.args;
    if (std::find(args.begin(), args.end(), std::string("-o")) == args.end()) args.insert(args.end(), {"-o", path.c_str()});
    const CliResult result = RunTool(dir, args);
    const std::string id = row.args[0] + std::string(" ") + row.args[1];
    ASSERT_EQ(result.code, kCliOk) << id << ": " << result.err;
    for (const std::string& part : row.out) EXPECT_NE(result.out.find(part), std::string::npos) << id << ": " << result.out;
    for (const std::string& part : row.err) EXPECT_NE(result.err.find(part), std::string::npos) << id << ": " << result.err;
    if (!row.out.empty()) {
      EXPECT_EQ(result.out.find(row.out[0]), 0u) << id << ": " << result.out;
    }
    const std::string file = Unfolded(dir.Read("out.ics"));
    for (const std::string& part : row.file) EXPECT_NE(file.find(part), std::string::npos) << id;
    if (row.file.empty()) {
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), before) << id;
    }
  }
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
  const std::string ics = dir.File("a.ics");
  const CliResult day = RunTool(dir, {"--from", "2007-02-26", "--to", "2007-02-26", "-o", ics.c_str(), "--preview"});
  ASSERT_EQ(day.code, kCliOk) << day.err;
  const std::string file = Unfolded(dir.Read("a.ics"));
  // The text table with the Hebrew month in reading order (aleph dalet resh).
  const std::string table = dir.File("a.txt");
  CliResult result = RunTool(dir, {"--anniversaries", "--to-year", "2007", "--text", table.c_str(), "--sort", "names", "--quiet"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(RunTool(dir, {"--anniversaries", "--to-year", "2007", "--text", "-", "--sort", "names"}).out, dir.Read("a.txt"));
  EXPECT_NE(dir.Read("a.txt").find("8 \xD7\x90\xD7\x93\xD7\xA8 5767"), std::string::npos) << dir.Read("a.txt");
  for (const std::string& name : names) {
    EXPECT_NE(file.find("\\n" + name + "\\n"), std::string::npos) << name << "\n" << file;
    EXPECT_NE(day.out.find("    " + name + "\n"), std::string::npos) << name << "\n" << day.out;
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

}  // namespace
