// Anniversaries: the two yearly rules against hand-worked dates, the
// occurrences over a range of years, the file (round trip, every
// truncation, damaged files and their .bak, failed saves), labels and
// packed selections.
//
// Year kinds behind the expected dates: 5750 common, 5760 complete leap,
// 5761 deficient, 5763 complete leap, 5764 complete, 5765 deficient leap,
// 5767 common, 5768 leap, 5769 common, 5771 leap. Anchors: 1 Tishri 5761 =
// 30 Sep 2000, 5764 = 27 Sep 2003, 5765 = 16 Sep 2004; Purim (14 Adar, in
// leap years 14 Adar II) 11 Mar 1990, 4 Mar 2007, 21 Mar 2008, 10 Mar
// 2009, 20 Mar 2011; 25 Kislev 8 Dec 2004.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "calendar/anniversary_make.h"
#include "platform/datafile.h"
#include "platform/message.h"
#include "support/message_recorder.h"
#include "support/scratch_dir.h"

namespace {

TEST(AnniversaryRules, HandWorkedDates) {
  constexpr struct {
    int type;  // 'Y' takes the yahrzeit rule, any other the anniversary rule
    CalDate event;
    int afterSunset;
    int targetYear;
    const char* hebrew;
    const char* gregorian;
  } rows[] = {
      {'B', {9, 11, 1999}, 0, 5761, "1.9.5761", "28.11.2000"},  // 30 Heshvan, short in 5761
      {'B', {9, 12, 1999}, 0, 5765, "1.10.5765", "13.12.2004"},  // 30 Kislev, short in 5765
      {'B', {5, 3, 1990}, 0, 5768, "8.13.5768", "15.3.2008"},    // Adar into Adar II
      {'B', {15, 3, 2008}, 0, 5769, "8.12.5769", "4.3.2009"},    // Adar II into Adar
      {'B', {7, 3, 2008}, 0, 5769, "1.1.5769", "26.3.2009"},     // 30 Adar I, common year
      {'B', {5, 3, 1990}, 1, 5767, "9.12.5767", "27.2.2007"},    // after sunset: the next day
      // 30 Heshvan and 30 Kislev by the first year after the death.
      {'Y', {9, 11, 1999}, 0, 5761, "29.8.5761", "27.11.2000"},
      {'Y', {9, 11, 1999}, 0, 5764, "30.8.5764", "25.11.2003"},
      {'Y', {5, 11, 2002}, 0, 5765, "1.9.5765", "14.11.2004"},
      {'Y', {9, 12, 1999}, 0, 5765, "29.9.5765", "12.12.2004"},
      {'Y', {5, 12, 2002}, 0, 5765, "1.10.5765", "13.12.2004"},
      {'Y', {15, 3, 2008}, 0, 5771, "8.13.5771", "14.3.2011"},   // Adar II stays
      {'Y', {7, 3, 2008}, 0, 5769, "30.11.5769", "24.2.2009"},   // 30 Adar I: 30 Shevat
      {'Y', {5, 3, 1990}, 0, 5768, "8.12.5768", "14.2.2008"},    // Adar into Adar I
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(1, (char)row.type) + " " + DateText(row.event) + " in " +
                 std::to_string(row.targetYear));
    const AnniversaryRecord record = Make("x", row.event, row.afterSunset, row.type);
    AnniversaryYearDate request{};
    AnniversaryEventHebrewDate(&record, &request.event);
    request.targetYear = row.targetYear;
    if (row.type == 'Y')
      YahrzeitHebrewDate(&request);
    else
      AnniversaryHebrewDate(&request);
    EXPECT_EQ(DateText(request.result), row.hebrew);
    CalDate day{};
    GregorianFromAbsolute(AbsoluteFromHebrew(&request.result), &day);
    EXPECT_EQ(DateText(day), row.gregorian);
  }
}

TEST(AnniversaryOccurrences, OverARangeOfYears) {
  const AnniversaryRecord birthday = Make("Miriam", {5, 3, 1990}, 0, 'B');
  const AnniversaryRecord evening = Make("Miriam", {5, 3, 1990}, 1, 'B');
  const AnniversaryRecord noa = Make("Noa", {5, 3, 2007}, 0, 'B');
  const struct {
    const char* id;
    AnniversaryRecord record;
    int from, to;
    AnniversaryGregorianDay way;
    std::vector<std::string> expected;  // "Gregorian = Hebrew"
  } rows[] = {
      {"after sunset, the day of the Hebrew date", evening, 2007, 2008, kAnniversaryDayOfHebrewDate,
       {"27.2.2007 = 9.12.5767", "16.3.2008 = 9.13.5768"}},
      {"after sunset, the evening it begins", evening, 2007, 2008, kAnniversaryEveOfHebrewDate,
       {"26.2.2007 = 9.12.5767", "15.3.2008 = 9.13.5768"}},
      // 1 Tishri 5767 is 23 Sep 2006: its Hebrew year is in the loop, its
      // Gregorian year is not.
      {"outside the Gregorian years", Make("Sarah", {30, 9, 1989}, 0, 'A'), 2007, 2007,
       kAnniversaryDayOfHebrewDate, {"13.9.2007 = 1.7.5768"}},
      {"the event's own year", noa, 2007, 2008, kAnniversaryDayOfHebrewDate, {"22.3.2008 = 15.13.5768"}},
      {"no day", Make("Miriam", {30, 2, 1990}, 0, 'B'), 2007, 2008, kAnniversaryDayOfHebrewDate, {}},
      {"a record year beyond the calendar", Make("Miriam", {5, 3, 2147483647}, 0, 'B'), 2007, 2008,
       kAnniversaryDayOfHebrewDate, {}},
      {"a range beyond 3000", birthday, 2999, 3001, kAnniversaryDayOfHebrewDate, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.id);
    std::vector<AnniversaryOccurrence> out;
    const int n = AnniversaryOccurrences(&row.record, row.from, row.to, row.way, &out);
    std::vector<std::string> got;
    for (const AnniversaryOccurrence& o : out)
      got.push_back(DateText(o.gregorian) + " = " + DateText(o.hebrew));
    EXPECT_EQ(n, static_cast<int>(out.size()));
    EXPECT_EQ(got, row.expected);
  }
}

// ---- The file ------------------------------------------------------------

std::string Names(const AnniversaryList& list) {
  std::string out;
  for (const AnniversaryRecord& r : list.records) out += std::to_string(r.id) + " " + r.name + ";";
  return out;
}

std::string Le(std::initializer_list<int> values) {
  std::string s;
  for (int v : values)
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(static_cast<unsigned>(v) >> (8 * i)));
  return s;
}

// One record as the file holds it, written out from the layout.
std::string RecordBytes(const std::string& name, int day, int month, int year, int afterSunset,
                        int type, int marker = 1) {
  return Le({marker, (int)name.size()}) + name + Le({day, month, year, afterSunset, type});
}

const std::string kMagic("\x89\x22\x33\xAB", 4);
// Three records of different name lengths, the second with another marker:
// record i ends at kEnds[i].
const std::string kThree = kMagic + RecordBytes("Ann", 1, 2, 2000, 0, 'A') +
                           RecordBytes("", 3, 4, 2001, 1, 'B', 7) +
                           RecordBytes("Chaim Levi", 5, 6, 2002, 0, 'Y') + Le({0});
constexpr std::size_t kEnds[] = {4 + 28 + 3, 4 + 28 + 3 + 28, 4 + 28 + 3 + 28 + 28 + 10};

TEST(AnniversaryFile, SaveLoadRoundTrip) {
  ScratchDir dir;
  const std::string path = dir.File(kAnniversaryFileName);
  AnniversaryList list{};
  AnniversaryRecord records[] = {
      Make("Yaakov", {31, 12, 3000}, 0, 'Y'),
      Make(std::string(255, 'n').c_str(), {1, 1, 1583}, 1, 'A'),
      Make("Miriam", {5, 3, 1990}, 1, 'B'),
  };
  records[0].id = 7;  // ids of an earlier session: a load numbers them afresh
  for (const AnniversaryRecord& r : records) AnniversaryListPut(&list, &r);
  // No file yet: an empty list, not a damaged one; a file that cannot be
  // read is no missing file (here its path runs through a file, which
  // Windows reports as missing).
  AnniversaryList loaded{};
  EXPECT_EQ(AnniversaryListLoad(&loaded, path.c_str()), 0);
  EXPECT_EQ(loaded.damaged, 0);
#ifndef _WIN32
  dir.Write("file", "");
  EXPECT_EQ(AnniversaryListLoad(&loaded, (dir.File("file") + "/x.bin").c_str()), 0);
  EXPECT_EQ(loaded.damaged, 1);
#endif
  ASSERT_EQ(AnniversaryListSave(&list, path.c_str()), 1);
  ASSERT_EQ(AnniversaryListLoad(&loaded, path.c_str()), 3);
  EXPECT_EQ(loaded.damaged, 0);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const AnniversaryRecord& got = loaded.records[i];
    EXPECT_EQ(got.id, i + 1);
    EXPECT_STREQ(got.name, records[i].name);
    EXPECT_EQ(DateText(got.date), DateText(records[i].date));
    EXPECT_EQ(got.afterSunset, records[i].afterSunset);
    EXPECT_EQ(got.type, records[i].type);
  }
  EXPECT_FALSE(std::filesystem::exists(path + ".bak"));
}

// A file cut anywhere gives the whole records before the cut, marked
// damaged; so does a bad magic or a name length out of range.
TEST(AnniversaryFile, TruncatedAndDamagedFiles) {
  AnniversaryList whole{};
  EXPECT_EQ(AnniversaryListParse((const unsigned char*)kThree.data(), kThree.size(), &whole), 1);
  EXPECT_EQ(whole.damaged, 0);
  EXPECT_EQ(Names(whole), "1 Ann;2 ;3 Chaim Levi;");
  EXPECT_EQ(whole.records[1].afterSunset, 1);
  EXPECT_EQ(DateText(whole.records[2].date) + char(whole.records[2].type), "5.6.2002Y");
  const char* prefixes[] = {"", "1 Ann;", "1 Ann;2 ;", "1 Ann;2 ;3 Chaim Levi;"};
  std::vector<std::pair<std::string, std::string>> rows;  // bytes, names
  for (std::size_t length = 0; length < kThree.size(); ++length) {
    int records = 0;
    for (std::size_t end : kEnds) records += length >= end ? 1 : 0;
    rows.push_back({kThree.substr(0, length), prefixes[records]});
  }
  const std::string ann = kMagic + RecordBytes("Ann", 1, 2, 2000, 0, 'A');
  rows.push_back({std::string("\x22\x89\x33\xAB", 4) + kThree.substr(4), ""});
  rows.push_back({ann + RecordBytes(std::string(256, 'x'), 1, 1, 2000, 0, 'B') + Le({0}), "1 Ann;"});
  rows.push_back({ann + Le({1, -1}) + std::string(40, 'x'), "1 Ann;"});
  for (const auto& row : rows) {
    SCOPED_TRACE(row.first.size());
    // A copy of exactly the bytes, so that a read past them is caught by
    // the sanitizers.
    std::vector<unsigned char> bytes(row.first.begin(), row.first.end());
    AnniversaryList list{};
    EXPECT_EQ(AnniversaryListParse(bytes.data(), bytes.size(), &list), 0);
    EXPECT_EQ(list.damaged, 1);
    EXPECT_EQ(Names(list), row.second);
  }
}

TEST(AnniversaryFile, DamagedFileIsKeptAsBakBeforeTheFirstSave) {
  ScratchDir dir;
  const std::string path = dir.File(kAnniversaryFileName);
  const std::string damaged = kThree.substr(0, kEnds[1] + 9);
  dir.Write(kAnniversaryFileName, damaged);
  AnniversaryList list{};
  EXPECT_EQ(AnniversaryListLoad(&list, path.c_str()), 2);
  EXPECT_EQ(list.damaged, 1);
  AnniversaryListRemove(&list, 1);
  ASSERT_EQ(AnniversaryListSave(&list, path.c_str()), 1);
  EXPECT_EQ(dir.Read(std::string(kAnniversaryFileName) + ".bak"), damaged);
  EXPECT_EQ(dir.Read(kAnniversaryFileName), kMagic + RecordBytes("", 3, 4, 2001, 1, 'B') + Le({0}));
  // A second save writes over its own good file only.
  AnniversaryListRemove(&list, 2);
  ASSERT_EQ(AnniversaryListSave(&list, path.c_str()), 1);
  EXPECT_EQ(dir.Read(std::string(kAnniversaryFileName) + ".bak"), damaged);
}

// A save that cannot write the new bytes, or cannot first keep a damaged
// file's copy, leaves the old file and says so.
TEST(AnniversaryFile, FailedSaveLeavesTheOldFileAndIsShown) {
  for (int damaged : {0, 1}) {
    SCOPED_TRACE(damaged);
    ScratchDir dir;
    const std::string path = dir.File(kAnniversaryFileName);
    const std::string old = damaged ? kThree.substr(0, kEnds[0] + 2) : kThree;
    dir.Write(kAnniversaryFileName, old);
    if (damaged) std::filesystem::create_directory(path + ".bak");
    AnniversaryList list{};
    AnniversaryListLoad(&list, path.c_str());
    AnniversaryListRemove(&list, 1);
    MessageRecorder recorder;
    SetSaveFailure(damaged ? nullptr : "No space left on device");
    EXPECT_EQ(AnniversaryListSave(&list, path.c_str()), 0);
    SetSaveFailure(nullptr);
    EXPECT_EQ(dir.Read(kAnniversaryFileName), old);
    EXPECT_EQ(list.damaged, damaged);
    ASSERT_EQ(recorder.shown.size(), 1u);
    EXPECT_EQ(recorder.shown[0].text, "The anniversaries could not be saved to \"" + path + "\"");
    EXPECT_EQ(recorder.shown[0].icon, MessageIconError);
  }
}

// ---- Labels and selections -----------------------------------------------

TEST(AnniversaryLabels, ParseAndFormat) {
  constexpr struct {
    const char* label;
    int nameSize;
    int known;
    const char* typeAndName;
  } rows[] = {
      {"Birthday: Miriam Levy", 256, 1, "BMiriam Levy"},
      {"YAHRZEIT: Aaron", 256, 1, "YAaron"},
      {"Birthday: Ruth: the younger", 256, 1, "BRuth: the younger"},
      {"Birthday: ", 256, 1, "B"},
      {"Birthday: Ruth", 4, 1, "BRut"},
      {"Birthdays: Ruth", 256, 0, " Ruth"},
      {"Birthday:Ruth", 256, 0, " "},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    char type = 'x';
    char name[256] = "stale";
    EXPECT_EQ(ParseAnniversaryLabel(row.label, &type, name, row.nameSize), row.known);
    EXPECT_EQ(type + std::string(name), row.typeAndName);
  }
  const std::string longest(255, 'n');
  for (int type : {'A', 'B', 'Y'}) {
    char label[300], parsedType = 0, name[256];
    ASSERT_EQ(FormatAnniversaryLabel(type, longest.c_str(), label, sizeof label), 1);
    EXPECT_EQ(ParseAnniversaryLabel(label, &parsedType, name, sizeof name), 1);
    EXPECT_EQ(parsedType + std::string(name), (char)type + longest);
  }
  char small[14];  // "Birthday: Ruth" needs 15
  EXPECT_EQ(FormatAnniversaryLabel('B', "Ruth", small, sizeof small), 0);
  EXPECT_STREQ(small, "");
}

// Every prefix of a selection gives the entries whose NUL lies inside it,
// never a byte more; nothing after the final zero counts.
TEST(AnniversarySelection, BuildAndWalk) {
  std::vector<char> selection;
  AnniversarySelectionAdd(&selection, 'B', "Miriam");
  AnniversarySelectionAdd(&selection, 'y', "Aaron");
  AnniversarySelectionAdd(&selection, 'A', "");
  const std::string expected("BMiriam\0yAaron\0A\0\0", 18);
  EXPECT_EQ(std::string(selection.begin(), selection.end()), expected);
  for (std::size_t length = 0; length <= expected.size() + 7; ++length) {
    SCOPED_TRACE(length);
    const std::string all = expected + std::string("YAaron\0", 7);
    std::vector<char> bytes(all.begin(), all.begin() + static_cast<long>(length));
    AnniversarySelectionCursor cursor = {bytes.data(), bytes.size(), 0};
    std::string got;
    char type = 0;
    const char* name = nullptr;
    while (AnniversarySelectionNext(&cursor, &type, &name)) got += type + std::string(name) + ";";
    EXPECT_EQ(got, std::string(length >= 8 ? "BMiriam;" : "") + (length >= 15 ? "yAaron;" : "") +
                       (length >= 17 ? "A;" : ""));
  }
}

}  // namespace
