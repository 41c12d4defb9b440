// Whole exports held against golden files: a fixed range under fixed
// settings must write the same bytes, line ends included, as the files in
// tests/data. Only the values that change from run to run are masked: the
// DTSTAMP time and the UID, each after its form has been checked.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "placetime/cities.h"
#include "support/scratch_dir.h"

namespace {

struct IniFile {
  const char* name;
  const char* text;  // lines end in CR LF
};

struct GoldenRow {
  const char* id;
  const char* golden;  // file name in tests/data
  std::vector<IniFile> files;
  std::vector<const char*> args;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Six people, two of them on the same Hebrew date, one after sunset.
void WriteAnniversaries() {
  const struct {
    const char* name;
    CalDate date;
    int afterSunset;
    int type;
  } people[] = {
      {"Dan Levi", {5, 3, 1990}, 0, 'B'},     {"Ruth Cohen", {1, 1, 1975}, 1, 'Y'},
      {"Miriam; Aharon", {18, 6, 1961}, 0, 'A'}, {"Eli, Sr.", {30, 3, 1984}, 0, 'B'},
      {"Noa", {5, 3, 1990}, 0, 'B'},          {"Yosef \\ Back", {12, 10, 1999}, 1, 'A'},
  };
  AnniversaryList list;
  for (const auto& p : people) {
    AnniversaryRecord r{};
    std::snprintf(r.name, sizeof r.name, "%s", p.name);
    r.date = p.date;
    r.afterSunset = p.afterSunset;
    r.type = p.type;
    AnniversaryListPut(&list, &r);
  }
  char path[1024];
  ASSERT_TRUE(AnniversaryFilePath(path, sizeof path));
  ASSERT_TRUE(AnniversaryListSave(&list, path));
}

// A place in the midnight sun and one high up, in the user's cities.
void WriteUserCities() {
  UserCityList list{};
  AddUserCity(&list, "Polar Town", 7800, 1500, 1, 100);
  AddUserCity(&list, "Highland", 4700, -1230, -7, 2400);
  char path[1024];
  ASSERT_TRUE(CitiesFilePath(path, sizeof path));
  ASSERT_EQ(SaveUserCities(&list, path), 1);
  FreeUserCities(&list);
}

// Runs tavlon-export with the scratch folder as settings and data folder.
int RunExport(const ScratchDir& dir, const std::vector<const char*>& args, std::string* err) {
  const std::string folder = dir.path().string();
  std::vector<const char*> argv = {"tavlon-export", "--config", folder.c_str(), "--data",
                                   folder.c_str(), "--quiet"};
  argv.insert(argv.end(), args.begin(), args.end());
  CliOptions options;
  if (!ParseCliArguments((int)argv.size(), argv.data(), &options, err)) return -1;
  std::FILE* out = std::tmpfile();
  std::FILE* errors = std::tmpfile();
  const int code = RunCli(options, out, errors, 0);
  std::rewind(errors);
  for (int c; (c = std::fgetc(errors)) != EOF;) err->push_back((char)c);
  std::fclose(out);
  std::fclose(errors);
  return code;
}

// 1 if `text` has the form of `pattern`: '9' a decimal digit, 'X' an
// upper-case hexadecimal digit, any other character itself.
int HasForm(const std::string& text, const char* pattern) {
  if (text.size() != std::strlen(pattern)) return 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const int ok = pattern[i] == '9'   ? c >= '0' && c <= '9'
                   : pattern[i] == 'X' ? (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')
                                       : c == pattern[i];
    if (!ok) return 0;
  }
  return 1;
}

// The text with each DTSTAMP and UID value replaced by "masked"; a value
// not of its form is left as it is (and so differs from the golden file).
std::string Masked(const std::string& text) {
  const struct {
    const char* name;
    const char* form;
  } masks[] = {{"DTSTAMP:", "99999999T999999Z"},
               {"UID:", "99999999-999999999-XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX@tavlon.invalid"}};
  std::string out;
  out.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find("\r\n", at);
    end = end == std::string::npos ? text.size() : end + 2;
    std::string line = text.substr(at, end - at);
    for (const auto& mask : masks) {
      const std::size_t n = std::strlen(mask.name);
      if (line.compare(0, n, mask.name) == 0 && line.size() >= n + 2 &&
          line.compare(line.size() - 2, 2, "\r\n") == 0 &&
          HasForm(line.substr(n, line.size() - n - 2), mask.form))
        line = std::string(mask.name) + "masked\r\n";
    }
    out += line;
    at = end;
  }
  return out;
}

// The first line where the two texts part, for the failure message.
std::string FirstDifference(const std::string& actual, const std::string& expected) {
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  const std::size_t start = actual.rfind('\n', at == 0 ? 0 : at - 1);
  const std::size_t from = start == std::string::npos ? 0 : start + 1;
  return "at byte " + std::to_string(at) + ", expected line \"" +
         expected.substr(from, expected.find('\r', from) - from) + "\", written \"" +
         actual.substr(from, actual.find('\r', from) - from) + "\"";
}

constexpr char kJerusalemSettings[] =
    "[Location]\r\nCityName=Jerusalem\r\n[Flags]\r\nHebrewFlag=1\r\n"
    "[Settings]\r\nTimeFormat=1\r\nDateFormat=1\r\n"
    "[Zmanim]\r\nTzait Hakochavim=deg85\r\nAlot Hashachar=AlotHashachar16\r\n"
    "Kriat Shema=KriatShemaMA\r\nTefila=TefilaMA\r\nMincha Gedola=MinchaGedolaMA\r\n"
    "Earliest Tallit=EarliestTallit10\r\n"
    "[ErevPesach]\r\nMethod=2\r\n"
    "[ShabbatTimes]\r\nCandleLighting=40\r\nHavdalahMin=0\r\nHavdalahDegrees=8.50\r\n"
    "[OutlookExport]\r\nLabel=3\r\n";

constexpr char kOddSettings[] =
    "[Location]\r\nCityName=Highland\r\n[Settings]\r\nTimeFormat=1\r\nDateFormat=1\r\n"
    "[Custom]\r\nCustomEnable=1\r\nMonthMarch=Mrz \xE4\r\nMonthApril=\r\n"
    "[Zmanim]\r\nTzait Hakochavim=NoSuchMethod\r\nChatzot=\"ChatzotMA\"\r\n"
    "Plag Hamincha=PlagHaMinchaMA\r\nMincha K'tana=minchaktanama\r\n"
    "[ErevPesach]\r\nMethod=101\r\n[ShabbatTimes]\r\nCandleLighting=22\r\nHavdalah=50\r\n"
    "[OutlookExport]\r\nCaptionWithoutHoliday=%g; %%J=%j, \\x\r\nCaptionWithHoliday=%H#%G %J %\r\n"
    "[OutlookZmanim]\r\nBirthdays=0\r\nEarliestTallit=0\r\n";

constexpr char kPolarSettings[] =
    "[Location]\r\nCityName=Polar Town\r\n[Settings]\r\nTimeFormat=1\r\n"
    "[ShabbatTimes]\r\nHavdalahMin=0\r\nHavdalahDegrees=7.08\r\n"
    "[Zmanim]\r\nTzait Hakochavim=Deg100\r\nAlot Hashachar=AlotHashachar90\r\n"
    "[ErevPesach]\r\nMethod=100\r\n[OutlookExport]\r\nLabel=2\r\n";

TEST(ExportGolden, WholeExportsAreUnchanged) {
  const GoldenRow rows[] = {
      {"New York, a leap year, every section, Daf Yomi, anniversaries",
       "golden_new_york_2008.ics",
       {{"exportcal.ini", "[Location]\r\nCityName=New York, NY\r\n"}},
       {"--daf-yomi", "--dst", "settings", "--from", "2008-01-01", "--to", "2008-12-31"}},
      {"Jerusalem, Hebrew names, Israel custom, 12-hour clock, chosen methods, daylight saving",
       "golden_jerusalem_2024.ics",
       {{"exportcal.ini", kJerusalemSettings},
        {"exportcalshab.ini", "[Parasha]\r\nDiasporaFlag=0\r\n"},
        {"daylight.ini",
         "[DaylightSaving]\r\nIsAvail=1\r\nStartMethod=1\r\nStartWeekNo=2\r\nStartWeekDay=5\r\n"
         "StartMonth=3\r\nStartDay=23\r\nEndMethod=1\r\n"}},
       {"--daf-yomi", "--from", "2024-01-01", "--to", "2024-12-31"}},
      {"custom month names, caption formats, an unknown method, a high city",
       "golden_odd_settings_2005.ics",
       {{"exportcal.ini", kOddSettings},
        {"daylight.ini",
         "[DaylightSaving]\r\nIsAvail=1\r\nStartWeekNo=2\r\nStartMonth=3\r\nEndWeekNo=1\r\n"
         "EndMonth=11\r\n"}},
       {"--from", "2005-03-01", "--to", "2005-05-15"}},
      {"the midnight sun: times that cannot be given", "golden_polar_2010.ics",
       {{"exportcal.ini", kPolarSettings}},
       {"--daf-yomi", "--from", "2010-03-20", "--to", "2010-06-10"}},
  };
  for (const GoldenRow& row : rows) {
    ScratchDir dir;
    for (const IniFile& file : row.files) dir.Write(file.name, file.text);
    WriteAnniversaries();
    WriteUserCities();
    const std::string out = dir.File("out.ics");
    std::vector<const char*> args = row.args;
    args.push_back("-o");
    args.push_back(out.c_str());
    std::string err;
    ASSERT_EQ(RunExport(dir, args, &err), kCliOk) << row.id << ": " << err;

    const std::string actual = Masked(dir.Read("out.ics"));
    const std::string goldenPath = std::string(TAVLON_TEST_DATA) + "/" + row.golden;
    const std::string expected = ReadFile(goldenPath);
    ASSERT_FALSE(expected.empty()) << row.id << ": no golden file " << goldenPath;
    if (actual != expected) {
      // The file written, masked, beside the test's temporary files.
      const std::string keep = ::testing::TempDir() + row.golden + ".actual";
      std::ofstream(keep, std::ios::binary) << actual;
      ADD_FAILURE() << row.id << ": differs " << FirstDifference(actual, expected)
                    << "; written to " << keep;
    }
  }
}

}  // namespace
