// Whole exports held against golden files: a fixed range under fixed
// settings writes the same bytes, line ends included, as tests/data holds.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/cli_harness.h"

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

// The text with each DTSTAMP value, the time of the export, replaced by
// "masked" when it has its form (yyyymmddThhmmssZ); a value of another form
// stays, and so differs from the golden file.
std::string Masked(std::string text) {
  const std::string name = "\r\nDTSTAMP:";
  for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
    const std::size_t start = at + name.size();
    int ok = text.compare(start + 8, 1, "T") == 0 && text.compare(start + 15, 3, "Z\r\n") == 0;
    for (std::size_t i = 0; ok && i < 15; ++i) ok = i == 8 || std::isdigit((unsigned char)text[start + i]);
    if (ok) text.replace(start, 16, "masked");
  }
  return text;
}

// The line where the two texts part, for the failure message.
std::string FirstDifference(const std::string& actual, const std::string& expected) {
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  const std::size_t from = at == 0 ? 0 : expected.rfind('\n', at - 1) + 1;  // npos + 1 is 0
  return "at byte " + std::to_string(at) + ", expected line \"" +
         expected.substr(from, expected.find('\r', from) - from) + "\"";
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
    // Six people, two of them on the same Hebrew date, two after sunset.
    ASSERT_NE(SaveAnniversaries({{"Dan Levi", {5, 3, 1990}, 'B', 0}, {"Ruth Cohen", {1, 1, 1975}, 'Y', 1},
                                 {"Miriam; Aharon", {18, 6, 1961}, 'A', 0}, {"Eli, Sr.", {30, 3, 1984}, 'B', 0},
                                 {"Noa", {5, 3, 1990}, 'B', 0}, {"Yosef \\ Back", {12, 10, 1999}, 'A', 1}}),
              "");
    // A place in the midnight sun and one high up, in the user's cities.
    ASSERT_TRUE(SaveCities({{"Polar Town", 7800, 1500, 1, 100}, {"Highland", 4700, -1230, -7, 2400}}));
    const std::string out = dir.File("out.ics");
    std::vector<const char*> args = row.args;
    args.insert(args.end(), {"--quiet", "-o", out.c_str()});
    const CliResult result = RunTool(dir, args);
    ASSERT_EQ(result.code, kCliOk) << row.id << ": " << result.err;

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
