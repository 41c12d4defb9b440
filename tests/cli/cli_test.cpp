// tavlon-export: its options, its dates, and runs that must fail cleanly
// (one line, an exit code, no file) or succeed with the right file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "placetime/cities.h"
#include "cli/cli_harness.h"
#include "placetime/timezone.h"
#include "platform/datafile.h"

namespace {

struct ParseRow {
  const char* id;
  std::vector<const char*> args;
  int ok;
  const char* error;  // a part of the message
};

TEST(CliOptions, Parsing) {
  const ParseRow rows[] = {
      {"no options", {}, 1, ""},
      {"unknown option", {"--bogus"}, 0, "unknown option --bogus"},
      {"missing value", {"--from"}, 0, "--from needs a value"},
      {"inline value", {"--from=2007-01-01", "--to", "2007-01-31"}, 1, ""},
      {"bad sort", {"--anniversaries", "--sort", "size"}, 0, "--sort takes"},
      {"two modes", {"--holidays", "--anniversaries"}, 0, "choose one of"},
      {"years only with anniversaries", {"--from-year", "2007"}, 0, "go with --anniversaries"},
      {"year out of range", {"--anniversaries", "--from-year", "1582"}, 0, "not a year from 1583 to 3000"},
      {"the last year", {"--anniversaries", "--to-year", "3000"}, 1, ""},
      {"year not a number", {"--anniversaries", "--to-year", "20x7"}, 0, "not a year"},
      {"anniversaries take years, not dates", {"--anniversaries", "--from", "2007-01-01"}, 0, "--from-year"},
      {"flag with a value", {"--quiet=1"}, 0, "takes no value"},
      {"empty output name", {"-o", ""}, 0, "--output needs a file name"},
      {"list cities with a filter", {"--list-cities", "York"}, 1, ""},
      {"years in reverse", {"--anniversaries", "--from-year", "2008", "--to-year", "2007"}, 0,
       "--from-year 2008 is after --to-year 2007"},
      {"sort without a table", {"--anniversaries", "--sort", "names"}, 0, "--sort orders the text table"},
      {"output beside a table", {"--anniversaries", "--text", "t.txt", "-o", "a.ics"}, 0, "drop -o"},
      {"preview of an import", {"--holidays", "--preview"}, 0, "--preview shows a day's entry"},
  };
  for (const ParseRow& row : rows) {
    std::vector<const char*> argv = {"tavlon-export"};
    argv.insert(argv.end(), row.args.begin(), row.args.end());
    CliOptions options;
    std::string error;
    EXPECT_EQ(ParseCliArguments((int)argv.size(), argv.data(), &options, &error), row.ok) << row.id;
    EXPECT_NE(error.find(row.error), std::string::npos) << row.id << ": " << error;
  }
}

TEST(CliOptions, Dates) {
  ScratchDir dir;  // DateFormat 0
  const struct {
    const char* text;
    int ok;
    CalDate date;
  } rows[] = {
      {"2007-03-05", 1, {5, 3, 2007}}, {"5.3.2007", 1, {5, 3, 2007}},  {"31.2.2007", 0, {}},
      {"0.0.0", 0, {}},                {"2007-02-29", 0, {}},          {"2008-02-29", 1, {29, 2, 2008}},
      {"1582-12-31", 0, {}},           {"3001-01-01", 0, {}},          {"3000-12-31", 1, {31, 12, 3000}},
      {"2007-3-5", 0, {}},             {"5.3.99999999999", 0, {}},     {"", 0, {}},
  };
  for (const auto& row : rows) {
    CalDate date{};
    EXPECT_EQ(ParseCliDate(row.text, &date), row.ok) << row.text;
    if (row.ok) {
      EXPECT_EQ(date.day, row.date.day) << row.text;
      EXPECT_EQ(date.month, row.date.month) << row.text;
      EXPECT_EQ(date.year, row.date.year) << row.text;
    }
  }
}

int Events(const std::string& text) {
  int n = 0;
  for (std::size_t at = text.find("BEGIN:VEVENT"); at != std::string::npos; at = text.find("BEGIN:VEVENT", at + 1)) ++n;
  return n;
}

struct FailRow {
  const char* id;
  std::vector<const char*> args;
  int code;
  std::string message;
};

TEST(CliRun, BadInputGivesOneLineAndNoFile) {
  ScratchDir dir;
  UserCityList list{};
  AddUserCity(&list, "Queens", 4043, -7350, -5, 0);
  char cities[1024];
  ASSERT_TRUE(CitiesFilePath(cities, sizeof cities));
  ASSERT_EQ(SaveUserCities(&list, cities), 1);
  FreeUserCities(&list);
  dir.Write("exportcal.ini", "[CityZones]\r\nQueens=America/Queens\r\n");
  const std::string out = dir.File("out.ics");
  const std::string missing = dir.File("no-folder/out.ics");
  const std::string folder = dir.File("a-folder");
  std::filesystem::create_directory(folder);
  const std::string longEntry = "Birthday: " + std::string(256, 'x');
  const FailRow rows[] = {
      {"not a date", {"--from", "31.2.2007", "-o", out.c_str()}, kCliBadInput, "not a date"},
      {"out of range", {"--to", "3001-01-01", "-o", out.c_str()}, kCliBadInput, "not a date"},
      {"unknown city", {"--city", "Atlantis", "-o", out.c_str()}, kCliBadInput, "unknown city \"Atlantis\""},
      {"unwritable file", {"--from", "2007-01-01", "--to", "2007-01-02", "-o", missing.c_str()}, kCliFailed,
       "could not write "},
      {"a folder", {"--from", "2007-01-01", "--to", "2007-01-02", "-o", folder.c_str()}, kCliFailed,
       "could not write "},
      {"range in reverse", {"--from", "2007-01-31", "--to", "1.1.2007", "-o", out.c_str()}, kCliBadInput,
       "--from 2007-01-31 is after --to 1.1.2007"},
      {"missing settings folder", {"--config", missing.c_str(), "-o", out.c_str()}, kCliBadInput,
       "no such folder"},
      {"missing data folder", {"--data", missing.c_str(), "-o", out.c_str()}, kCliBadInput, "no such folder"},
      {"entry name too long", {"--anniversaries", "--entry", longEntry.c_str(), "-o", out.c_str()}, kCliBadInput,
       "entry \"Birthday: " + std::string(50, 'x') + "...\" has a name longer than 255 characters"},
      {"unknown entry kind", {"--anniversaries", "--entry", "Wedding: Dan", "-o", out.c_str()}, kCliBadInput,
       "is not \"Anniversary: name\""},
      {"entry not in the file", {"--anniversaries", "--entry", "Birthday: Nobody", "-o", out.c_str()},
       kCliBadInput, "no entry \"Birthday: Nobody\""},
      {"no city matches", {"--list-cities", "Xyzzy"}, kCliBadInput, "no city matches"},
      {"unknown zone of a user city", {"--city", "Queens", "-o", out.c_str()}, kCliBadInput,
       "\"America/Queens\", the time zone of Queens"},
      {"unknown --zone", {"--zone", "Mars/Olympus", "-o", out.c_str()}, kCliBadInput, "not a time zone"},
      {"bad --dst", {"--dst", "summer", "-o", out.c_str()}, kCliBadInput, "--dst takes zone, settings or off"},
      {"negative --alarm", {"--alarm", "-5", "-o", out.c_str()}, kCliBadInput, "--alarm takes minutes"},
      {"--alarm not a number", {"--alarm", "soon", "-o", out.c_str()}, kCliBadInput, "--alarm takes minutes"},
      {"bad --busy", {"--busy", "away", "-o", out.c_str()}, kCliBadInput, "--busy takes free"},
      {"--uid-prefix with a space", {"--uid-prefix", "my cal", "-o", out.c_str()}, kCliBadInput,
       "--uid-prefix takes"},
      {"add with an invalid date",
       {"anniversaries", "add", "--kind", "birthday", "--name", "Dan", "--date", "2007-02-30"}, kCliBadInput,
       "Day is invalid"},
      {"add with a blank name",
       {"anniversaries", "add", "--kind", "birthday", "--name", "  ", "--date", "2007-02-03"}, kCliBadInput,
       "Name must not be blank"},
      {"add without a kind", {"anniversaries", "add", "--name", "Dan", "--date", "2007-02-03"}, kCliBadInput,
       "--kind is needed"},
      {"add with a date of 1582",
       {"anniversaries", "add", "--kind", "yahrzeit", "--name", "Dan", "--date", "1.1.1582"}, kCliBadInput,
       "Year is invalid"},
      {"remove what is not there", {"anniversaries", "remove", "--id", "3"}, kCliBadInput,
       "Anniversary was not found"},
  };
  const auto entries = [&dir] {
    return std::distance(std::filesystem::directory_iterator(dir.path()), {});
  };
  const auto before = entries();
  for (const FailRow& row : rows) {
    // Without the tz database no zone is checked: the row does not apply.
    if (!TimeZoneDatabaseAvailable() && row.id == std::string("unknown zone of a user city")) continue;
    const CliResult result = RunTool(dir, row.args);
    EXPECT_EQ(result.code, row.code) << row.id;
    EXPECT_NE(result.err.find(row.message), std::string::npos) << row.id << ": " << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << row.id << ": " << result.err;
    EXPECT_EQ(result.out, "") << row.id;
  }
  EXPECT_EQ(entries(), before);  // no export, no anniversaries file
  // The system's reason, after the file it concerns.
  const std::string reason = RunTool(dir, rows[3].args).err;
#ifdef _WIN32
  // The system's own words, which differ between Windows and Wine.
  EXPECT_GT(reason.size(), ("tavlon-export: could not write " + missing + ": \n").size()) << reason;
#else
  EXPECT_NE(reason.find("could not write " + missing + ": No such file or directory"), std::string::npos) << reason;
#endif
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  SetSaveFailure("No space left on device");
  EXPECT_NE(RunTool(dir, {"--holidays", "-o", out.c_str()}).err.find(
                "could not write " + out + ": No space left on device"),
            std::string::npos);
  SetSaveFailure(nullptr);
}

TEST(CliRun, RangeAndSummary) {
  ScratchDir dir;
  const std::string out = dir.File("range.ics");
  const CliResult result = RunTool(dir, {"--from", "1.1.2007", "--to", "2007-01-31", "-o", out.c_str(), "--preview"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(Events(dir.Read("range.ics")), 31);
  // Daylight saving by zone where the build reads the tz database.
  const std::string zone = TimeZoneDatabaseAvailable() ? "America/New_York" : "daylight.ini";
  EXPECT_NE(result.out.find("Wrote 31 entries (2007-01-01 to 2007-01-31, New York, NY, Diaspora, daylight saving from " + zone + ")"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("Caption: 11 Tevet 5767 - 1 January 2007"), std::string::npos) << result.out;
}

// One end alone reaches to the other end of its year.
TEST(CliRun, OneEndOfTheRange) {
  ScratchDir dir;
  const std::string out = dir.File("end.ics");
  const struct {
    const char* option;
    const char* date;
    const char* summary;
  } rows[] = {
      {"--from", "2007-12-30", "Wrote 2 entries (2007-12-30 to 2007-12-31,"},
      {"--to", "2.1.2008", "Wrote 2 entries (2008-01-01 to 2008-01-02,"},
  };
  for (const auto& row : rows) {
    const CliResult result = RunTool(dir, {row.option, row.date, "-o", out.c_str()});
    ASSERT_EQ(result.code, kCliOk) << row.option << ": " << result.err;
    EXPECT_NE(result.out.find(row.summary), std::string::npos) << row.option << ": " << result.out;
  }
}

TEST(CliRun, HelpNamesEveryOptionAndTheFolders) {
  ScratchDir dir;
  const CliResult result = RunTool(dir, {"--help"});
  ASSERT_EQ(result.code, kCliOk);
  for (const char* option : {"--from", "--to", "-o, --output", "--daf-yomi", "--city", "--israel, --diaspora",
                             "--preview", "--holidays", "--anniversaries", "--from-year", "--to-year", "--entry",
                             "--text", "--sort", "--list-cities", "--config", "--data", "-q, --quiet",
                             "-h, --help", "--version", "--dst", "--zone", "--uid-prefix", "--busy",
                             "--alarm", "--shabbat-events", "--calendar-name", "anniversaries"})
    EXPECT_NE(result.out.find("\n  " + std::string(option) + " "), std::string::npos) << option;
  // One line each: no line is a continuation of the one before.
  EXPECT_EQ(result.out.find("\n                "), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("read from\n  " + dir.path().string() + "\n"), std::string::npos) << result.out;
}

TEST(CliRun, PreviewIsUtf8InReadingOrder) {
  ScratchDir dir;
  dir.Write("exportcal.ini", "[Flags]\r\nHebrewFlag=1\r\n");
  const std::string out = dir.File("he.ics");
  const CliResult result = RunTool(dir, {"--from", "2024-03-24", "--to", "2024-03-24", "-o", out.c_str(), "--preview"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_NE(result.out.find("Wrote 1 entry ("), std::string::npos) << result.out;
  // Purim (pey vav resch yod endmem), first letter first.
  EXPECT_NE(result.out.find("Caption: \xD7\xA4\xD7\x95\xD7\xA8\xD7\x99\xD7\x9D - 14 "), std::string::npos)
      << result.out;
}

// On standard output the calendar is alone: the preview goes to standard
// error, and no file is made anywhere.
TEST(CliRun, StandardOutput) {
  ScratchDir dir;
  const CliResult result =
      RunTool(dir, {"--from", "2007-03-04", "--to", "2007-03-04", "-o", "-", "--daf-yomi", "--preview"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(result.out.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
  EXPECT_EQ(result.out.substr(result.out.size() - 15), "END:VCALENDAR\r\n");
  EXPECT_EQ(Events(result.out), 1);
  EXPECT_NE(result.out.find("Daf Yomi: Cycle 12\\, Megilah 25"), std::string::npos) << result.out;
  EXPECT_NE(result.err.find("First entry, 2007-03-04:"), std::string::npos) << result.err;
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(CliRun, CustomFromTheCommandLine) {
  ScratchDir dir;
  const std::string out = dir.File("h.ics");
  // 22 Nisan 5767: a holiday only in the Diaspora.
  CliResult israel = RunTool(dir, {"--holidays", "--israel", "--from", "2007-04-10", "--to", "2007-04-10", "-o", out.c_str()});
  EXPECT_EQ(israel.code, kCliOk);
  EXPECT_NE(israel.err.find("No holidays to import"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(out));
  CliResult diaspora = RunTool(dir, {"--holidays", "--diaspora", "--from", "2007-04-10", "--to", "2007-04-10", "-o", out.c_str()});
  EXPECT_EQ(diaspora.code, kCliOk);
  EXPECT_NE(dir.Read("h.ics").find("SUMMARY:Pesach VIII (Diaspora)\r\n"), std::string::npos);
}

// The text table, to a file or to standard output, in the order asked.
TEST(CliRun, AnniversariesToText) {
  ScratchDir dir;
  ASSERT_NE(SaveAnniversaries({{"Dan", {5, 3, 1990}, 'B', 0}}), "");
  const std::string table = dir.File("a.txt");
  CliResult result = RunTool(dir, {"--anniversaries", "--entry", "birthday: DAN", "--from-year", "2007", "--text", table.c_str(),
                     "--sort", "names", "--quiet"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_NE(dir.Read("a.txt").find("Dan"), std::string::npos);

  result = RunTool(dir, {"--anniversaries", "--entry", "birthday: DAN", "--from-year", "2007", "--text", "-",
                         "--sort", "names", "--quiet"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(result.out, dir.Read("a.txt"));
  // By Gregorian date the Gregorian date leads: 8 Adar 5767 is 26 February 2007.
  result = RunTool(dir, {"--anniversaries", "--from-year", "2007", "--text", "-", "--sort", "gregorian"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(result.out.rfind("26 February 2007  ", 0), 0u) << result.out;
}

// Each record once, whatever names it twice; kinds in lower case in the
// file; a "#" that is part of a name; a damaged file said once and used
// as far as it goes, never rewritten.
TEST(CliRun, AnniversaryRecordsEachOnce) {
  ScratchDir dir;
  const std::string path = SaveAnniversaries(
      {{"Dan", {5, 3, 1990}, 'B', 0}, {"Dan", {6, 4, 1991}, 'B', 0}, {"Eve #2 Levi", {1, 9, 1980}, 'y', 0}});
  ASSERT_NE(path, "");
  const std::string ics = dir.File("a.ics");
  const struct {
    const char* id;
    std::vector<const char*> entries;
    int events;
  } rows[] = {
      {"all records", {}, 3},
      {"an entry twice", {"--entry", "Birthday: Dan", "--entry", "birthday: dan"}, 2},
      {"a lower-case kind", {"--entry", "Yahrzeit: Eve #2 Levi"}, 1},
  };
  for (const auto& row : rows) {
    std::vector<const char*> args = {"--anniversaries", "--from-year", "2007", "--to-year", "2007", "-o", ics.c_str()};
    args.insert(args.end(), row.entries.begin(), row.entries.end());
    const CliResult result = RunTool(dir, args);
    ASSERT_EQ(result.code, kCliOk) << row.id << ": " << result.err;
    EXPECT_EQ(Events(dir.Read("a.ics")), row.events) << row.id;
  }
  EXPECT_NE(dir.Read("a.ics").find("SUMMARY:Yahrzeit: Eve #2 Levi\r\n"), std::string::npos) << dir.Read("a.ics");

  // Cut inside the third record: the first two are read.
  std::string bytes = dir.Read("Merovan Anniversaries.bin");
  bytes.resize(bytes.size() - 10);
  dir.Write("Merovan Anniversaries.bin", bytes);
  const CliResult result = RunTool(dir, {"--anniversaries", "--to-year", "2007", "-o", ics.c_str()});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(Events(dir.Read("a.ics")), 2);
  EXPECT_EQ(result.err, "tavlon-export: the anniversaries file \"" + path +
                            "\" is damaged; using the 2 entries read before the damage\n");
  EXPECT_EQ(dir.Read("Merovan Anniversaries.bin"), bytes);
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

// The user's text keeps its own code page and order: a name in the user's
// code page, a Windows-1252 one (from the Windows program) and, where the
// code page holds it, a Hebrew name in reading order come out as typed,
// Hebrew names on.
TEST(CliRun, UserTextKeepsItsCodePage) {
  ScratchDir dir;
  dir.Write("exportcal.ini", "[Flags]\r\nHebrewFlag=1\r\n");
  std::vector<std::string> names = {Typed("Jos\xC3\xA9 M\xC3\xBCller"), "Ren\xE9"};
  std::vector<std::string> expected = {"Jos\xC3\xA9 M\xC3\xBCller", "Ren\xC3\xA9"};
#ifndef _WIN32
  names.push_back("\xD7\x93\xD7\x95\xD7\x93 \xD7\x9C\xD7\x95\xD7\x99");
  expected.push_back(names.back());
#endif
  std::vector<PersonRow> people;
  for (const std::string& name : names) people.push_back({name.c_str(), {5, 3, 1990}, 'B', 0});
  ASSERT_NE(SaveAnniversaries(people), "");
  const std::string ics = dir.File("u.ics");
  // 8 Adar 5767, the day the three birthdays fall on.
  CliResult result = RunTool(dir, {"--from", "2007-02-26", "--to", "2007-02-26", "-o", ics.c_str(), "--preview"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  const std::string file = Unfolded(dir.Read("u.ics"));
  for (const std::string& name : expected) {
    EXPECT_NE(file.find("\\n" + name + "\\n"), std::string::npos) << name << "\n" << file;
    EXPECT_NE(result.out.find("    " + name + "\n"), std::string::npos) << name << "\n" << result.out;
  }
  result = RunTool(dir, {"--anniversaries", "--from-year", "2007", "--to-year", "2007", "-o", ics.c_str()});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_NE(dir.Read("u.ics").find("SUMMARY:Birthday: Jos\xC3\xA9 M\xC3\xBCller\r\n"), std::string::npos);
  // The text table too, with the Hebrew month in reading order (aleph dalet resh).
  result = RunTool(dir, {"--anniversaries", "--from-year", "2007", "--to-year", "2007", "--text", "-", "--sort", "names"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_NE(result.out.find("8 \xD7\x90\xD7\x93\xD7\xA8 5767"), std::string::npos) << result.out;
  for (const std::string& name : expected) EXPECT_NE(result.out.find(name + "  "), std::string::npos) << name;

  // A custom month name in the settings, in the user's code page.
  dir.Write("exportcal.ini", "[Custom]\r\nCustomEnable=1\r\nMonthMarch=" + Typed("M\xC3\xA4rz") +
                                 "\r\n[OutlookExport]\r\nCaptionWithoutHoliday=%G\r\n");
  result = RunTool(dir, {"--from", "2007-03-07", "--to", "2007-03-07", "-o", ics.c_str()});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_NE(dir.Read("u.ics").find("SUMMARY:7 M\xC3\xA4rz 2007\r\n"), std::string::npos) << dir.Read("u.ics");
}

// City names as UTF-8 both ways, matched without regard to case and, when
// nothing else matches, to accents.
TEST(CliRun, CityNamesBeyondAscii) {
  ScratchDir dir;
  const std::string out = dir.File("c.ics");
  for (const std::string& city : {Typed("G\xC3\xB6teborg, Sweden"), Typed("g\xC3\xB6TEBORG, sweden"),
                                  std::string("Goteborg, Sweden")}) {
    const CliResult result =
        RunTool(dir, {"--city", city.c_str(), "--from", "2007-01-01", "--to", "2007-01-01", "-o", out.c_str()});
    ASSERT_EQ(result.code, kCliOk) << city << ": " << result.err;
    EXPECT_NE(result.out.find(", G\xC3\xB6teborg, Sweden, Diaspora, daylight saving from "), std::string::npos) << result.out;
  }
  const CliResult listed = RunTool(dir, {"--list-cities", "coru"});
  ASSERT_EQ(listed.code, kCliOk) << listed.err;
  EXPECT_EQ(listed.out.rfind("A Coru\xC3\xB1" "a, Spain, 43,22N, 8,24W, GMT+1", 0), 0u) << listed.out;
  const std::string dussel = Typed("D\xC3\xBCSSEL");
  EXPECT_NE(RunTool(dir, {"--list-cities", dussel.c_str()}).out.find("D\xC3\xBCsseldorf, "), std::string::npos);
}

}  // namespace
