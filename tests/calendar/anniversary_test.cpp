// Anniversaries: dates worked by hand from the year kinds and anchors such
// as Purim and 1 Tishri; the dialogs' decisions (their wiring runs under Wine).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "calendar/anniversary.h"
#include "calendar/anniversary_forms.h"
#include "calendar/anniversary_text.h"
#include "calendar/callang.h"
#include "platform/datafile.h"
#include "platform/message.h"
#include "settings/settings.h"
#include "support/message_recorder.h"
#include "support/scratch_dir.h"

namespace {

AnniversaryRecord Make(const char* name, CalDate date, int afterSunset, int type) {
  AnniversaryRecord r{0, "", date, afterSunset, type};
  std::snprintf(r.name, sizeof r.name, "%s", name);
  return r;
}

std::string DateText(const CalDate& d) {
  return std::to_string(d.day) + "." + std::to_string(d.month) + "." + std::to_string(d.year);
}

// The occurrences in a range of Gregorian years ("Gregorian = Hebrew").
TEST(AnniversaryOccurrences, HandWorkedDates) {
  // The date, after sunset, type, years from and to, on the evening the
  // Hebrew date begins; the occurrences.
  constexpr std::tuple<CalDate, int, char, int, int, int, const char*> rows[] = {
      // Birthdays: a missing 30th is the 1st of the next month; Adar of a
      // common year and Adar II follow into the Adar before Nisan.
      {{5, 3, 1990}, 0, 'B', 2008, 2008, 0, "15.3.2008 = 8.13.5768"},
      {{7, 3, 2008}, 0, 'B', 2009, 2009, 0, "26.3.2009 = 1.1.5769"},
      // Yahrzeits: 30 Heshvan and 30 Kislev by the first year after the
      // death; Adar II stays, Adar of a common year goes into Adar I.
      {{9, 11, 1999}, 0, 'Y', 2000, 2000, 0, "27.11.2000 = 29.8.5761"},
      {{5, 11, 2002}, 0, 'Y', 2004, 2004, 0, "14.11.2004 = 1.9.5765"},
      {{5, 12, 2002}, 0, 'Y', 2004, 2004, 0, "13.12.2004 = 1.10.5765"},
      {{15, 3, 2008}, 0, 'Y', 2011, 2011, 0, "14.3.2011 = 8.13.5771"},
      {{7, 3, 2008}, 0, 'Y', 2009, 2009, 0, "24.2.2009 = 30.11.5769"},
      {{5, 3, 1990}, 0, 'Y', 2008, 2008, 0, "14.2.2008 = 8.12.5768"},
      {{5, 3, 1990}, 1, 'B', 2007, 2008, 0, "27.2.2007 = 9.12.5767, 16.3.2008 = 9.13.5768"},
      {{5, 3, 1990}, 1, 'B', 2007, 2008, 1, "26.2.2007 = 9.12.5767, 15.3.2008 = 9.13.5768"},
      // 1 Tishri 5767 is 23 Sep 2006: its Hebrew year is in the loop, its
      // Gregorian year is not.
      {{30, 9, 1989}, 0, 'A', 2007, 2007, 0, "13.9.2007 = 1.7.5768"},
      {{5, 3, 2007}, 0, 'B', 2007, 2008, 0, "22.3.2008 = 15.13.5768"},  // not in its own year
      {{5, 3, 2147483647}, 0, 'B', 2007, 2008, 0, ""},
      {{5, 3, 1990}, 0, 'B', 2999, 3001, 0, ""},
  };
  for (const auto& [date, afterSunset, type, from, to, eve, expected] : rows) {
    SCOPED_TRACE(DateText(date) + " " + type + " " + std::to_string(from));
    const AnniversaryRecord record = Make("x", date, afterSunset, type);
    std::vector<AnniversaryOccurrence> out;
    const int n = AnniversaryOccurrences(&record, from, to, AnniversaryGregorianDay(eve), &out);
    std::string got;
    for (const AnniversaryOccurrence& o : out)
      got += (got.empty() ? "" : ", ") + DateText(o.gregorian) + " = " + DateText(o.hebrew);
    EXPECT_EQ(n, static_cast<int>(out.size()));
    EXPECT_EQ(got, expected);
  }
}

std::string Le(std::initializer_list<int> values) {
  std::string s;
  for (int v : values)
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(static_cast<unsigned>(v) >> (8 * i)));
  return s;
}

// One record as the file holds it, written out from the layout.
std::string RecordBytes(const std::string& name, int day, int afterSunset, int type, int marker = 1) {
  return Le({marker, (int)name.size()}) + name + Le({day, 4, 2001, afterSunset, type});
}

const std::string kMagic("\x89\x22\x33\xAB", 4);
// Three records of different name lengths, the second with another marker:
// record i ends at kEnds[i].
const std::string kThree = kMagic + RecordBytes("Ann", 1, 0, 'A') + RecordBytes("", 2, 1, 'B', 7) +
                           RecordBytes("Chaim Levi", 3, 0, 'Y') + Le({0});
constexpr std::size_t kEnds[] = {4 + 28 + 3, 4 + 28 + 3 + 28, 4 + 28 + 3 + 28 + 28 + 10};

std::string Records(const AnniversaryList& list) {
  std::string out;
  for (const AnniversaryRecord& r : list.records)
    out += std::to_string(r.id) + " " + r.name + " " + DateText(r.date) + " " + char(r.type) +
           std::to_string(r.afterSunset) + ";";
  return out;
}

// A damaged file is kept as .bak before the first save over it; a save that
// cannot keep that copy, or write the new bytes, leaves the old file and says so.
TEST(AnniversaryFile, LoadAndSave) {
  ScratchDir dir;
  const std::string path = dir.File(kAnniversaryFileName), bak = path + ".bak";
  AnniversaryList list{};
  EXPECT_EQ(AnniversaryListLoad(&list, path.c_str()), 0);
  EXPECT_EQ(list.damaged, 0);
#ifndef _WIN32  // a path through a file: unreadable here, missing on Windows
  dir.Write("file", "");
  EXPECT_EQ(AnniversaryListLoad(&list, (dir.File("file") + "/x.bin").c_str()), 0);
  EXPECT_EQ(list.damaged, 1);
#endif
  const std::string damaged = kThree.substr(0, kEnds[1] + 9);
  dir.Write(kAnniversaryFileName, damaged);
  EXPECT_EQ(AnniversaryListLoad(&list, path.c_str()), 2);
  EXPECT_EQ(list.damaged, 1);
  AnniversaryListRemove(&list, 1);
  const std::string longest(255, 'n');
  AnniversaryRecord added = Make(longest.c_str(), {31, 12, 3000}, 0, 'Y');
  added.id = 7;  // an id of an earlier session: a load numbers them afresh
  AnniversaryListPut(&list, &added);
  MessageRecorder recorder;
  std::filesystem::create_directory(bak);
  EXPECT_EQ(AnniversaryListSave(&list, path.c_str()), 0);
  EXPECT_EQ(dir.Read(kAnniversaryFileName), damaged);
  std::filesystem::remove(bak);
  ASSERT_EQ(AnniversaryListSave(&list, path.c_str()), 1);
  EXPECT_EQ(dir.Read(kAnniversaryFileName + std::string(".bak")), damaged);
  const std::string saved = dir.Read(kAnniversaryFileName);
  SetSaveFailure("No space left on device");
  EXPECT_EQ(AnniversaryListSave(&list, path.c_str()), 0);
  SetSaveFailure(nullptr);
  EXPECT_EQ(dir.Read(kAnniversaryFileName), saved);
  ASSERT_EQ(recorder.shown.size(), 2u);
  EXPECT_EQ(recorder.shown[1].text, "The anniversaries could not be saved to \"" + path + "\"");
  AnniversaryList loaded{};
  ASSERT_EQ(AnniversaryListLoad(&loaded, path.c_str()), 2);
  EXPECT_EQ(loaded.damaged, 0);
  EXPECT_EQ(Records(loaded), "1  2.4.2001 B1;2 " + longest + " 31.12.3000 Y0;");
  ASSERT_EQ(AnniversaryListSave(&loaded, path.c_str()), 1);  // over its own good file only
  EXPECT_EQ(dir.Read(kAnniversaryFileName + std::string(".bak")), damaged);
}

// A file cut anywhere gives the whole records before the cut, marked
// damaged; so does a bad magic or a name length out of range.
TEST(AnniversaryFile, TruncatedAndDamagedFiles) {
  const std::string prefixes[] = {"", "1 Ann 1.4.2001 A0;", "1 Ann 1.4.2001 A0;2  2.4.2001 B1;",
                                  "1 Ann 1.4.2001 A0;2  2.4.2001 B1;3 Chaim Levi 3.4.2001 Y0;"};
  std::vector<std::pair<std::string, std::string>> rows = {{kThree, prefixes[3]}};  // bytes, records
  for (std::size_t length = 0; length < kThree.size(); ++length) {
    int records = 0;
    for (std::size_t end : kEnds) records += length >= end ? 1 : 0;
    rows.push_back({kThree.substr(0, length), prefixes[records]});
  }
  const std::string ann = kMagic + RecordBytes("Ann", 1, 0, 'A');
  rows.push_back({std::string("\x22\x89\x33\xAB", 4) + kThree.substr(4), ""});
  rows.push_back({ann + RecordBytes(std::string(256, 'x'), 1, 0, 'B') + Le({0}), prefixes[1]});
  rows.push_back({ann + Le({1, -1}) + std::string(40, 'x'), prefixes[1]});
  for (const auto& row : rows) {
    SCOPED_TRACE(row.first.size());
    // An exact-size copy: a read past it is caught by the sanitizers.
    std::vector<unsigned char> bytes(row.first.begin(), row.first.end());
    AnniversaryList list{};
    const int whole = row.first == kThree ? 1 : 0;
    EXPECT_EQ(AnniversaryListParse(bytes.data(), bytes.size(), &list), whole);
    EXPECT_EQ(list.damaged, 1 - whole);
    EXPECT_EQ(Records(list), row.second);
  }
}

TEST(AnniversaryLabels, Parse) {
  constexpr std::tuple<const char*, int, int, const char*> rows[] = {  // label, name size, known, type and name
      {"YAHRZEIT: Aaron", 256, 1, "YAaron"},
      {"Birthday: Ruth", 4, 1, "BRut"},
      {"Birthdays: Ruth", 256, 0, " Ruth"},
  };
  for (const auto& [label, nameSize, known, typeAndName] : rows) {
    char type = 'x';
    char name[256] = "stale";
    EXPECT_EQ(ParseAnniversaryLabel(label, &type, name, nameSize), known) << label;
    EXPECT_EQ(type + std::string(name), typeAndName);
  }
}

// A documents folder with an anniversary file: "Miriam Levy" born 8 Adar
// 5750, "de Vries" died after sunset on 9 Adar 5750, "Sarah Cohen"
// married 1 Tishri 5750, and two records of no use here.
class AnniversaryForms : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_NE(CallangInitialize(), 0); }
  void SetUp() override {
    AnniversaryList list{};
    for (const AnniversaryRecord& r :
         {Make("Miriam Levy", {5, 3, 1990}, 0, 'B'), Make("de Vries", {5, 3, 1990}, 1, 'Y'),
          Make("Sarah Cohen", {30, 9, 1989}, 0, 'A'), Make("Miriam Levy", {5, 3, 1990}, 0, 'Y'),
          Make("Odd", {5, 3, 1990}, 0, 'Z')})
      AnniversaryListPut(&list, &r);
    ASSERT_EQ(AnniversaryListSave(&list, path_.c_str()), 1);
  }
  ScratchDir dir_;
  const std::string path_ = dir_.File(kAnniversaryFileName);
};

TEST_F(AnniversaryForms, ResultLinesAndMessages) {
  // Years from and to, the record selected; the lines (one line alone: a message).
  const std::tuple<const char*, const char*, int, std::vector<std::string>> rows[] = {
      {"2008", "2007", 1, {"26.2.2007 (8 Adar 5767)", "15.3.2008 (8 Adar II 5768)"}},
      // The Gregorian day of the Hebrew date, not the evening before.
      {"2007", "2008", 2, {"27.2.2007 (9 Adar 5767)", "15.2.2008 (9 Adar I 5768)"}},
      {"1583", "1583", 6, {"Anniversary was not found"}},  // the years passed
      {"1582", "2008", 1, {"Year in \"from\" must be in range 1583-3000"}},
      {"2007", "3001", 1, {"Year in \"to\" must be in range 1583-3000"}},
      {"2007", "2008", 5, {"Invalid anniversary type"}},
  };
  for (const auto& [from, to, selected, expected] : rows) {
    std::vector<std::string> lines = {"stale"};
    EXPECT_EQ(AnniversaryResultLines(from, to, selected, path_.c_str(), &lines), expected.size() > 1 ? 1 : 0);
    EXPECT_EQ(lines, expected) << from << "-" << to;
  }
}

TEST_F(AnniversaryForms, EditChecksInOrder) {
  // Settings, name, date, type; the message or the date accepted, the control.
  constexpr std::tuple<const char*, const char*, const char*, int, const char*, int> rows[] = {
      {"", "", "5.3.1990", 'B', "Name must not be blank", kAnniControlName},
      {"", "M", "5.3.1990x", 'B', "Date is invalid", kAnniControlDate},
      {"", "M", "5.13.1582", 'B', "Year is invalid", kAnniControlDate},
      {"", "M", "5.13.1990", 'B', "Month is invalid", kAnniControlDate},
      {"", "M", "29.2.1990", 'B', "Day is invalid", kAnniControlDate},
      {"", "M", "5.3.1990", 0, "A radio button has to be selected", kAnniControlTypeAnniversary},
      {"", "M", " 29.2.2008 ", 'Y', "29.2.2008", kAnniControlNone},
      {"[Settings]\r\nDateFormat=1\r\n", "M", "12/31/3000", 'Y', "31.12.3000", kAnniControlNone},
  };
  for (const auto& [ini, name, date, type, result, control] : rows) {
    SCOPED_TRACE(date);
    dir_.Write(kSettingsFile, ini);
    EditAnniversaryFields f{};
    std::strcpy(f.name, name);
    std::strcpy(f.date, date);
    f.afterSunset = 1;
    f.type = type;
    AnniversaryRecord record = Make("untouched", {1, 1, 2000}, 0, 'A');
    record.id = 42;
    AnniversaryFieldError error{};
    const int ok = EditAnniversaryValidate(&f, &record, &error);
    EXPECT_EQ(ok ? DateText(record.date) : error.message, result);
    EXPECT_EQ(ok ? kAnniControlNone : error.control, control);
    EXPECT_EQ(std::to_string(record.id) + record.name + std::to_string(record.afterSunset) +
                  char(record.type),
              ok ? "42M1Y" : "42untouched0A");
  }
}

// The Hebrew-date dialog's lists follow the month and year chosen, the day
// reduced to the month's last.
TEST_F(AnniversaryForms, EditDateListsFollowTheYear) {
  // Opened on (0: go on from the row before), month chosen (0: none), year
  // typed ("": none), accepted; year, month, day, days, months.
  constexpr std::tuple<CalDate, int, const char*, int, const char*> rows[] = {
      {{9, 11, 1999}, 10, "", 1, "5760 10 29 29 13"},  // 30 Heshvan, then Tevet: 29 days
      {{0, 0, 0}, 11, "", 1, "5760 11 29 30 13"},      // the day stays 29
      {{15, 3, 2008}, 0, "5769", 1, "5769 12 8 29 12"},  // Adar II becomes Adar
      {{0, 0, 0}, 0, "5771", 1, "5771 12 8 30 13"},      // and stays Adar (I)
      {{7, 3, 2008}, 0, "5359", 0, "5768 12 30 30 13"},  // 30 Adar I
      {{0, 0, 0}, 0, "5360", 1, "5360 12 29 29 12"},
  };
  HebrewDateForm form{};
  for (const auto& [open, month, year, accepted, state] : rows) {
    if (open.year) HebrewDateFormOpen(&form, &open, 0);
    if (month) HebrewDateFormSelectMonth(&form, month);
    EXPECT_EQ(year[0] ? HebrewDateFormYearTyped(&form, year) : 1, accepted);
    EXPECT_EQ(std::to_string(form.year) + " " + std::to_string(form.month) + " " +
                  std::to_string(form.day) + " " + std::to_string(form.dayCount) + " " +
                  std::to_string(form.monthCount),
              state);
  }
}

TEST_F(AnniversaryForms, EditDateChecksAndConversion) {
  // Day, month, year; the message or the Gregorian date accepted; after sunset, the control.
  constexpr std::tuple<int, int, const char*, const char*, int, int> rows[] = {
      {0, 12, "5750", "A day must be selected", 0, kAnniControlHebrewDay},
      {8, 0, "5750", "A month must be selected", 0, kAnniControlHebrewMonth},
      {8, 12, "", "A valid year number must be entered", 0, kAnniControlHebrewYear},
      {8, 12, "5359", "Year must be in range 5360-5860", 0, kAnniControlHebrewYear},
      {8, 12, "5750", "4.3.1990", 1, kAnniControlNone},  // after sunset: the evening before
      {8, 13, "5768", "15.3.2008", 0, kAnniControlNone},
  };
  for (const auto& [day, month, year, result, afterSunset, control] : rows) {
    SCOPED_TRACE(result);
    HebrewDateFields f{day, month, {}};
    std::strcpy(f.year, year);
    CalDate g = {-1, -1, -1};
    AnniversaryFieldError error{};
    const int ok = HebrewDateValidate(&f, afterSunset, &g, &error);
    EXPECT_EQ(ok ? DateText(g) : error.message, result);
    EXPECT_EQ(ok ? kAnniControlNone : error.control, control);
    EXPECT_TRUE(ok || g.day == -1);  // a failure leaves the date alone
  }
}

std::vector<char> Selection(const std::vector<std::pair<char, const char*>>& entries) {
  std::vector<char> s;
  for (const auto& e : entries) AnniversarySelectionAdd(&s, e.first, e.second);
  return s;
}

// Whole files compared byte for byte, entries chosen in other cases than
// the records'; an after-sunset entry is written on the evening before.
TEST_F(AnniversaryForms, TextFiles) {
  const std::vector<char> chosen =
      Selection({{'y', "DE VRIES"}, {'B', "miriam levy"}, {'A', "Sarah Cohen"}});
  const std::vector<char> none = Selection({{'B', "Nobody"}, {'Y', "Sarah Cohen"}});
  const std::string out = dir_.File("dates.txt"), folder = dir_.File("folder");
  std::filesystem::create_directory(folder);  // a file cannot take its place
  const struct {
    const std::vector<char>* selection;
    int ok;
    std::string path, expected;
  } rows[] = {
      {&chosen, 1, out,
       "de Vries             Yahrzeit            26 February 2007    9 Adar 5767         \r\n"
       "Miriam Levy          Birthday            26 February 2007    8 Adar 5767         \r\n"
       "Sarah Cohen          Anniversary         13 September 2007   1 Tishri 5768       \r\n"},
      {&none, 1, out, ""},
      {&chosen, 0, folder, ""},
  };
  for (const auto& row : rows) {
    std::filesystem::remove(out);
    MessageRecorder recorder;
    EXPECT_EQ(ExportAnniversariesToText(row.selection->data(), row.selection->size(), 2007, 2007,
                                        row.path.c_str(), kAnniversarySortName),
              row.ok);
    EXPECT_EQ(std::filesystem::is_regular_file(out), row.ok == 1);
    EXPECT_EQ(dir_.Read("dates.txt"), row.expected);
    ASSERT_EQ(recorder.shown.size(), 1u);
    EXPECT_EQ(recorder.shown[0].text, (row.ok ? "Data was exported to file \""
                                              : "Data could not be exported to file \"") +
                                          row.path + "\"");
  }
  EXPECT_FALSE(std::filesystem::exists(folder + ".tmp"));
  EXPECT_TRUE(std::filesystem::is_empty(folder));
}

}  // namespace
