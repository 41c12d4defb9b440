// tavlon-export: its options, its dates, and runs that must fail cleanly
// (one line, an exit code, no file) or succeed with the right file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "placetime/timezone.h"
#include "support/scratch_dir.h"

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
      {"year not a number", {"--anniversaries", "--to-year", "20x7"}, 0, "not a year"},
      {"anniversaries take years, not dates", {"--anniversaries", "--from", "2007-01-01"}, 0, "--from-year"},
      {"flag with a value", {"--quiet=1"}, 0, "takes no value"},
      {"empty output name", {"-o", ""}, 0, "--output needs a file name"},
      {"list cities with a filter", {"--list-cities", "York"}, 1, ""},
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

// Runs the command line with its output and messages caught in files.
struct CliResult {
  int code;
  std::string out, err;
};

CliResult RunTool(const ScratchDir& dir, std::vector<const char*> args) {
  std::vector<const char*> argv = {"tavlon-export", "--config", nullptr, "--data", nullptr};
  const std::string folder = dir.path().string();
  argv[2] = folder.c_str();
  argv[4] = folder.c_str();
  argv.insert(argv.end(), args.begin(), args.end());
  CliOptions options;
  std::string error;
  CliResult result;
  if (!ParseCliArguments((int)argv.size(), argv.data(), &options, &error)) {
    result.code = kCliBadInput;
    result.err = error;
    return result;
  }
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  result.code = RunCli(options, out, err, 0);
  for (auto [file, text] : {std::pair{out, &result.out}, std::pair{err, &result.err}}) {
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;) text->push_back((char)c);
    std::fclose(file);
  }
  return result;
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
  const char* message;
};

TEST(CliRun, BadInputGivesOneLineAndNoFile) {
  ScratchDir dir;
  const std::string out = dir.File("out.ics");
  const std::string missing = dir.File("no-folder/out.ics");
  const FailRow rows[] = {
      {"not a date", {"--from", "31.2.2007", "-o", out.c_str()}, kCliBadInput, "not a date"},
      {"out of range", {"--to", "3001-01-01", "-o", out.c_str()}, kCliBadInput, "not a date"},
      {"unknown city", {"--city", "Atlantis", "-o", out.c_str()}, kCliBadInput, "unknown city \"Atlantis\""},
      {"unwritable file", {"--from", "2007-01-01", "--to", "2007-01-02", "-o", missing.c_str()}, kCliFailed,
       "could not write"},
      {"unknown entry kind", {"--anniversaries", "--entry", "Wedding: Dan", "-o", out.c_str()}, kCliBadInput,
       "is not \"Anniversary: name\""},
      {"entry not in the file", {"--anniversaries", "--entry", "Birthday: Nobody", "-o", out.c_str()},
       kCliBadInput, "no entry \"Birthday: Nobody\""},
      {"no city matches", {"--list-cities", "Xyzzy"}, kCliBadInput, "no city matches"},
  };
  for (const FailRow& row : rows) {
    const CliResult result = RunTool(dir, row.args);
    EXPECT_EQ(result.code, row.code) << row.id;
    EXPECT_NE(result.err.find(row.message), std::string::npos) << row.id << ": " << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << row.id << ": " << result.err;
    EXPECT_FALSE(std::filesystem::exists(out)) << row.id;
  }
  int files = 0;
  for (auto& entry : std::filesystem::directory_iterator(dir.path())) files += entry.is_regular_file();
  EXPECT_EQ(files, 0);
}

TEST(CliRun, RangeInEitherOrderAndSummary) {
  ScratchDir dir;
  const std::string out = dir.File("range.ics");
  const CliResult result = RunTool(dir, {"--from", "2007-01-31", "--to", "1.1.2007", "-o", out.c_str(), "--preview"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(Events(dir.Read("range.ics")), 31);
  // Daylight saving by zone where the build reads the tz database.
  const std::string zone = TimeZoneDatabaseAvailable() ? "America/New_York" : "daylight.ini";
  EXPECT_NE(result.out.find("Wrote 31 entries (2007-01-01 to 2007-01-31, New York, NY, Diaspora, daylight saving from " + zone + ")"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("Caption: 11 Tevet 5767 - 1 January 2007"), std::string::npos) << result.out;
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

TEST(CliRun, StandardOutput) {
  ScratchDir dir;
  const CliResult result = RunTool(dir, {"--from", "2007-03-04", "--to", "2007-03-04", "-o", "-", "--daf-yomi"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(result.out.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
  EXPECT_EQ(Events(result.out), 1);
  EXPECT_NE(result.out.find("Daf Yomi: Cycle 12\\, Megilah 25"), std::string::npos) << result.out;
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

TEST(CliRun, AnniversariesToIcsAndText) {
  ScratchDir dir;
  AnniversaryList list;
  AnniversaryRecord record{};
  std::strcpy(record.name, "Dan");
  record.date = {5, 3, 1990};
  record.type = 'B';
  AnniversaryListPut(&list, &record);
  char path[1024];
  ASSERT_TRUE(AnniversaryFilePath(path, sizeof path));
  ASSERT_TRUE(AnniversaryListSave(&list, path));

  const std::string ics = dir.File("a.ics");
  CliResult result = RunTool(dir, {"--anniversaries", "--from-year", "2008", "--to-year", "2007", "-o", ics.c_str()});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  const std::string text = dir.Read("a.ics");
  EXPECT_EQ(Events(text), 2);
  EXPECT_NE(text.find("DTSTART;VALUE=DATE:20070226\r\n"), std::string::npos);
  EXPECT_NE(text.find("DTSTART;VALUE=DATE:20080315\r\n"), std::string::npos);
  EXPECT_NE(text.find("SUMMARY:Birthday: Dan\r\nDESCRIPTION:Birthday: Dan\r\n"), std::string::npos);

  const std::string table = dir.File("a.txt");
  result = RunTool(dir, {"--anniversaries", "--entry", "birthday: DAN", "--from-year", "2007", "--text", table.c_str(),
                     "--sort", "names", "--quiet"});
  ASSERT_EQ(result.code, kCliOk) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_NE(dir.Read("a.txt").find("Dan"), std::string::npos);
}

}  // namespace
