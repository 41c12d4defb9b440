// Anniversaries: the two yearly rules against hand-worked dates, the
// occurrences over a range of years (the one place for these rules), the
// list and its file (round trip, every truncation, damaged files and their
// .bak, failed saves), labels and packed selections.
//
// Year kinds behind the expected dates: 5750 common, 5760 complete leap
// (385), 5761 deficient (353), 5762 regular (354), 5763 complete leap
// (385), 5764 complete (355), 5765 deficient leap (383), 5767 common, 5768
// leap, 5769 common, 5771 leap. Anchors: 1 Tishri 5760 = 11 Sep 1999,
// 5761 = 30 Sep 2000, 5762 = 18 Sep 2001, 5763 = 7 Sep 2002, 5764 = 27 Sep
// 2003, 5765 = 16 Sep 2004; Purim (14 Adar, in leap years 14 Adar II)
// 11 Mar 1990, 4 Mar 2007, 21 Mar 2008, 10 Mar 2009, 20 Mar 2011; first
// day of Hanukkah (25 Kislev) 4 Dec 1999, 22 Dec 2000, 10 Dec 2001,
// 30 Nov 2002, 20 Dec 2003, 8 Dec 2004.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "calendar/anniversary_make.h"
#include "platform/message.h"
#include "platform/datafile.h"
#include "support/message_recorder.h"
#include "support/scratch_dir.h"

namespace {

// ---- Rules ---------------------------------------------------------------

struct RuleRow {
  const char* id;
  int type;            // 'B' takes the anniversary rule, 'Y' the yahrzeit rule
  CalDate event;       // Gregorian
  int afterSunset;
  CalDate eventHebrew;
  int targetYear;
  CalDate result;      // Hebrew
  CalDate resultDay;   // the Gregorian day of the result
};

constexpr RuleRow kRuleRows[] = {
    // Birthdays and anniversaries.
    {"B 30 Heshvan 5760 in 5761 (29-day Heshvan)", 'B', {9, 11, 1999}, 0, {30, 8, 5760}, 5761,
     {1, 9, 5761}, {28, 11, 2000}},
    {"B 30 Kislev 5760 in 5765 (29-day Kislev)", 'B', {9, 12, 1999}, 0, {30, 9, 5760}, 5765,
     {1, 10, 5765}, {13, 12, 2004}},
    {"B Adar (common) in a leap year: Adar II", 'B', {5, 3, 1990}, 0, {8, 12, 5750}, 5768,
     {8, 13, 5768}, {15, 3, 2008}},
    {"B Adar I in a common year: Adar", 'B', {14, 2, 2008}, 0, {8, 12, 5768}, 5769,
     {8, 12, 5769}, {4, 3, 2009}},
    {"B 30 Adar I in a common year: 1 Nisan", 'B', {7, 3, 2008}, 0, {30, 12, 5768}, 5769,
     {1, 1, 5769}, {26, 3, 2009}},
    {"B Adar II in a common year: Adar", 'B', {15, 3, 2008}, 0, {8, 13, 5768}, 5769,
     {8, 12, 5769}, {4, 3, 2009}},
    {"B after sunset: the next day's Hebrew date", 'B', {5, 3, 1990}, 1, {9, 12, 5750}, 5767,
     {9, 12, 5767}, {27, 2, 2007}},
    // Yahrzeits.
    {"Y 30 Heshvan, short first year, in 5761", 'Y', {9, 11, 1999}, 0, {30, 8, 5760}, 5761,
     {29, 8, 5761}, {27, 11, 2000}},
    {"Y 30 Heshvan, short first year, in 5764 (long)", 'Y', {9, 11, 1999}, 0, {30, 8, 5760},
     5764, {30, 8, 5764}, {25, 11, 2003}},
    {"Y 30 Heshvan, long first year, in 5765 (short): 1 Kislev", 'Y', {5, 11, 2002}, 0,
     {30, 8, 5763}, 5765, {1, 9, 5765}, {14, 11, 2004}},
    {"Y 30 Kislev, short first year, in 5765 (short)", 'Y', {9, 12, 1999}, 0, {30, 9, 5760},
     5765, {29, 9, 5765}, {12, 12, 2004}},
    {"Y 30 Kislev, long first year, in 5765 (short): 1 Tevet", 'Y', {5, 12, 2002}, 0,
     {30, 9, 5763}, 5765, {1, 10, 5765}, {13, 12, 2004}},
    {"Y Adar II in a leap year", 'Y', {15, 3, 2008}, 0, {8, 13, 5768}, 5771,
     {8, 13, 5771}, {14, 3, 2011}},
    {"Y 30 Adar I in a common year: 30 Shevat", 'Y', {7, 3, 2008}, 0, {30, 12, 5768}, 5769,
     {30, 11, 5769}, {24, 2, 2009}},
    {"Y Adar (common) in a leap year: Adar I", 'Y', {5, 3, 1990}, 0, {8, 12, 5750}, 5768,
     {8, 12, 5768}, {14, 2, 2008}},
};

TEST(AnniversaryRules, HandWorkedDates) {
  for (const RuleRow& row : kRuleRows) {
    SCOPED_TRACE(row.id);
    const AnniversaryRecord record = Make("x", row.event, row.afterSunset, row.type);
    AnniversaryYearDate request{};
    AnniversaryEventHebrewDate(&record, &request.event);
    EXPECT_EQ(DateText(request.event), DateText(row.eventHebrew));
    request.targetYear = row.targetYear;
    if (row.type == 'Y')
      YahrzeitHebrewDate(&request);
    else
      AnniversaryHebrewDate(&request);
    EXPECT_EQ(DateText(request.result), DateText(row.result));
    CalDate day{};
    GregorianFromAbsolute(AbsoluteFromHebrew(&request.result), &day);
    EXPECT_EQ(DateText(day), DateText(row.resultDay));
  }
}

// ---- Occurrences ---------------------------------------------------------

struct OccurrenceRow {
  const char* id;
  AnniversaryRecord record;
  int from, to;
  AnniversaryGregorianDay way;
  std::vector<std::string> expected;  // "Gregorian = Hebrew"
};

TEST(AnniversaryOccurrences, OverARangeOfYears) {
  const AnniversaryRecord birthday = Make("Miriam", {5, 3, 1990}, 0, 'B');
  const AnniversaryRecord evening = Make("Miriam", {5, 3, 1990}, 1, 'B');
  const std::vector<OccurrenceRow> rows = {
      {"the example of the rules", birthday, 2007, 2008, kAnniversaryDayOfHebrewDate,
       {"26.2.2007 = 8.12.5767", "15.3.2008 = 8.13.5768"}},
      {"after sunset, the day of the Hebrew date", evening, 2007, 2008,
       kAnniversaryDayOfHebrewDate, {"27.2.2007 = 9.12.5767", "16.3.2008 = 9.13.5768"}},
      {"after sunset, the evening it begins", evening, 2007, 2008, kAnniversaryEveOfHebrewDate,
       {"26.2.2007 = 9.12.5767", "15.3.2008 = 9.13.5768"}},
      // 1 Tishri 5767 is 23 Sep 2006: its Hebrew year is in the loop, its
      // Gregorian year is not.
      {"an occurrence outside the Gregorian years is dropped",
       Make("Sarah", {30, 9, 1989}, 0, 'A'), 2007, 2007, kAnniversaryDayOfHebrewDate,
       {"13.9.2007 = 1.7.5768"}},
      {"nothing in the event's own Hebrew year", Make("Noa", {5, 3, 2007}, 0, 'B'), 2007, 2007,
       kAnniversaryDayOfHebrewDate, {}},
      {"the year after the event", Make("Noa", {5, 3, 2007}, 0, 'B'), 2007, 2008,
       kAnniversaryDayOfHebrewDate, {"22.3.2008 = 15.13.5768"}},
      {"a record date that is no day", Make("Miriam", {30, 2, 1990}, 0, 'B'), 2007, 2008,
       kAnniversaryDayOfHebrewDate, {}},
      {"a record year beyond the calendar", Make("Miriam", {5, 3, 2147483647}, 0, 'B'), 2007,
       2008, kAnniversaryDayOfHebrewDate, {}},
      {"a range beyond 3000", birthday, 2999, 3001, kAnniversaryDayOfHebrewDate, {}},
  };
  for (const OccurrenceRow& row : rows) {
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

TEST(AnniversaryOccurrences, EveryYearOfAWideRangeOnce) {
  // A Tishri birthday falls once in every Gregorian year after the event.
  const AnniversaryRecord r = Make("Sarah", {30, 9, 1989}, 0, 'A');
  std::vector<AnniversaryOccurrence> out;
  ASSERT_EQ(AnniversaryOccurrences(&r, 1583, 3000, kAnniversaryDayOfHebrewDate, &out),
            3000 - 1990 + 1);
  for (std::size_t i = 0; i < out.size(); ++i) {
    EXPECT_EQ(out[i].gregorian.year, 1990 + static_cast<int>(i));
    EXPECT_EQ(out[i].hebrew.day, 1);
    EXPECT_EQ(out[i].hebrew.month, 7);
  }
}

// ---- The list ------------------------------------------------------------

std::vector<std::string> Names(const AnniversaryList& list) {
  std::vector<std::string> out;
  for (const AnniversaryRecord& r : list.records) out.push_back(std::to_string(r.id) + " " + r.name);
  return out;
}

TEST(AnniversaryList, IdsPutGetRemove) {
  AnniversaryList list{};
  EXPECT_EQ(AnniversaryListNextId(&list), 1);
  AnniversaryRecord a = Make("Ann", {1, 1, 2000}, 0, 'A');
  EXPECT_EQ(AnniversaryListPut(&list, &a), 1);
  AnniversaryRecord b = Make("Ben", {2, 1, 2000}, 0, 'B');
  EXPECT_EQ(AnniversaryListPut(&list, &b), 2);
  AnniversaryRecord c = Make("Cal", {3, 1, 2000}, 0, 'Y');
  EXPECT_EQ(AnniversaryListPut(&list, &c), 3);

  AnniversaryRecord replaced = Make("Bella", {4, 1, 2000}, 1, 'B');
  replaced.id = 2;
  EXPECT_EQ(AnniversaryListPut(&list, &replaced), 2);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"1 Ann", "2 Bella", "3 Cal"}));

  AnniversaryRecord foreign = Make("Dov", {5, 1, 2000}, 0, 'A');
  foreign.id = 10;
  EXPECT_EQ(AnniversaryListPut(&list, &foreign), 10);
  EXPECT_EQ(AnniversaryListNextId(&list), 11);

  AnniversaryRecord got{};
  EXPECT_EQ(AnniversaryListGet(&list, 2, &got), 1);
  EXPECT_STREQ(got.name, "Bella");
  EXPECT_EQ(AnniversaryListGet(&list, 4, &got), 0);
  EXPECT_EQ(AnniversaryListRemove(&list, 1), 1);
  EXPECT_EQ(AnniversaryListRemove(&list, 1), 0);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"2 Bella", "3 Cal", "10 Dov"}));
}

// ---- The file ------------------------------------------------------------

void PutLe(std::string* s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s->push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// One record as the file holds it, written out from the layout.
std::string RecordBytes(const std::string& name, int day, int month, int year, int afterSunset,
                        int type, std::uint32_t marker = 1) {
  std::string s;
  PutLe(&s, marker);
  PutLe(&s, static_cast<std::uint32_t>(name.size()));
  s += name;
  PutLe(&s, static_cast<std::uint32_t>(day));
  PutLe(&s, static_cast<std::uint32_t>(month));
  PutLe(&s, static_cast<std::uint32_t>(year));
  PutLe(&s, static_cast<std::uint32_t>(afterSunset));
  PutLe(&s, static_cast<std::uint32_t>(type));
  return s;
}

const std::string kMagic("\x89\x22\x33\xAB", 4);
const std::string kEnd(4, '\0');

int ParseString(const std::string& bytes, AnniversaryList* list) {
  return AnniversaryListParse(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                              list);
}

TEST(AnniversaryFile, SaveLoadRoundTrip) {
  ScratchDir dir;
  const std::string path = dir.File("Merovan Anniversaries.bin");
  const std::string longest(255, 'n');
  AnniversaryList list{};
  AnniversaryRecord records[] = {
      Make("Yaakov", {31, 12, 3000}, 0, 'Y'),
      Make(longest.c_str(), {1, 1, 1583}, 1, 'A'),
      Make("Miriam", {5, 3, 1990}, 1, 'B'),
  };
  // Ids of an earlier session: a load numbers them afresh.
  records[0].id = 7;
  records[1].id = 3;
  records[2].id = 5;
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
  AnniversaryListFree(&list);

  ASSERT_EQ(AnniversaryListLoad(&list, path.c_str()), 3);
  EXPECT_EQ(list.damaged, 0);
  ASSERT_EQ(list.records.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const AnniversaryRecord& got = list.records[i];
    EXPECT_EQ(got.id, i + 1);
    EXPECT_STREQ(got.name, records[i].name);
    EXPECT_EQ(DateText(got.date), DateText(records[i].date));
    EXPECT_EQ(got.afterSunset, records[i].afterSunset);
    EXPECT_EQ(got.type, records[i].type);
  }
  EXPECT_EQ(std::strlen(list.records[1].name), 255u);
  EXPECT_FALSE(std::filesystem::exists(path + ".bak"));
}

// Three records of different name lengths: record i ends at kEnds[i].
const std::string kThree = kMagic + RecordBytes("Ann", 1, 2, 2000, 0, 'A') +
                           RecordBytes("", 3, 4, 2001, 1, 'B', 7) +
                           RecordBytes("Chaim Levi", 5, 6, 2002, 0, 'Y') + kEnd;
constexpr std::size_t kEnds[] = {4 + 28 + 3, 4 + 28 + 3 + 28, 4 + 28 + 3 + 28 + 28 + 10};

TEST(AnniversaryFile, AnyNonzeroMarkerAndEveryTruncation) {
  AnniversaryList whole{};
  ASSERT_EQ(kThree.size(), kEnds[2] + 4);
  EXPECT_EQ(ParseString(kThree, &whole), 1);
  EXPECT_EQ(whole.damaged, 0);
  EXPECT_EQ(Names(whole), (std::vector<std::string>{"1 Ann", "2 ", "3 Chaim Levi"}));
  EXPECT_EQ(whole.records[1].type, 'B');
  EXPECT_EQ(whole.records[1].afterSunset, 1);
  EXPECT_EQ(DateText(whole.records[2].date), "5.6.2002");
  for (std::size_t length = 0; length < kThree.size(); ++length) {
    SCOPED_TRACE(length);
    std::size_t whole = 0;
    for (std::size_t end : kEnds) whole += length >= end ? 1 : 0;
    // A copy of exactly `length` bytes, so that a read past the cut is
    // caught by the sanitizers.
    std::vector<unsigned char> cut(kThree.begin(), kThree.begin() + static_cast<long>(length));
    AnniversaryList list{};
    EXPECT_EQ(AnniversaryListParse(cut.data(), cut.size(), &list), 0);
    EXPECT_EQ(list.damaged, 1);
    EXPECT_EQ(list.records.size(), whole);
  }
}

TEST(AnniversaryFile, DamagedHeadersAndLengths) {
  struct Row {
    const char* id;
    std::string bytes;
    std::vector<std::string> names;
  };
  std::vector<Row> rows;
  std::string flipped = kThree;
  flipped[3] = static_cast<char>(flipped[3] ^ 0x01);
  rows.push_back({"magic byte flipped", flipped, {}});
  rows.push_back({"another magic", std::string("\x22\x89\x33\xAB", 4) + kThree.substr(4), {}});
  std::string over = kMagic + RecordBytes("Ann", 1, 2, 2000, 0, 'A') +
                     RecordBytes(std::string(256, 'x'), 1, 1, 2000, 0, 'B') + kEnd;
  rows.push_back({"name length 256 stops", over, {"1 Ann"}});
  std::string negative = kMagic + RecordBytes("Ann", 1, 2, 2000, 0, 'A');
  PutLe(&negative, 1);
  PutLe(&negative, 0xFFFFFFFFu);
  negative += std::string(40, 'x');
  rows.push_back({"name length -1 stops", negative, {"1 Ann"}});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    AnniversaryList list{};
    EXPECT_EQ(ParseString(row.bytes, &list), 0);
    EXPECT_EQ(list.damaged, 1);
    EXPECT_EQ(Names(list), row.names);
  }
}

TEST(AnniversaryFile, DamagedFileIsKeptAsBakBeforeTheFirstSave) {
  ScratchDir dir;
  const std::string path = dir.File("Merovan Anniversaries.bin");
  const std::string damaged = kThree.substr(0, kEnds[1] + 9);
  dir.Write("Merovan Anniversaries.bin", damaged);

  AnniversaryList list{};
  EXPECT_EQ(AnniversaryListLoad(&list, path.c_str()), 2);
  EXPECT_EQ(list.damaged, 1);
  AnniversaryRecord added = Make("Dina", {7, 8, 2003}, 0, 'B');
  AnniversaryListPut(&list, &added);
  ASSERT_EQ(AnniversaryListSave(&list, path.c_str()), 1);
  EXPECT_EQ(dir.Read("Merovan Anniversaries.bin.bak"), damaged);
  EXPECT_EQ(dir.Read("Merovan Anniversaries.bin"),
            kMagic + RecordBytes("Ann", 1, 2, 2000, 0, 'A') + RecordBytes("", 3, 4, 2001, 1, 'B') +
                RecordBytes("Dina", 7, 8, 2003, 0, 'B') + kEnd);

  // A second save of the same list writes over its own good file only.
  AnniversaryListRemove(&list, 1);
  ASSERT_EQ(AnniversaryListSave(&list, path.c_str()), 1);
  EXPECT_EQ(dir.Read("Merovan Anniversaries.bin.bak"), damaged);
  AnniversaryListFree(&list);
}

TEST(AnniversaryFile, FailedSaveLeavesTheOldFileAndIsShown) {
  ScratchDir dir;
  const std::string path = dir.File("Merovan Anniversaries.bin");
  dir.Write("Merovan Anniversaries.bin", kThree);

  AnniversaryList list{};
  ASSERT_EQ(AnniversaryListLoad(&list, path.c_str()), 3);
  AnniversaryListRemove(&list, 2);
  MessageRecorder recorder;
  SetSaveFailure("No space left on device");  // the new bytes cannot be written
  EXPECT_EQ(AnniversaryListSave(&list, path.c_str()), 0);
  SetSaveFailure(nullptr);
  EXPECT_EQ(dir.Read("Merovan Anniversaries.bin"), kThree);
  ASSERT_EQ(recorder.shown.size(), 1u);
  EXPECT_EQ(recorder.shown[0].text, "The anniversaries could not be saved to \"" + path + "\"");
  EXPECT_EQ(recorder.shown[0].title, "Error");
  EXPECT_EQ(recorder.shown[0].icon, MessageIconError);
}

TEST(AnniversaryFile, NoSaveOverADamagedFileWithoutItsCopy) {
  ScratchDir dir;
  const std::string path = dir.File("Merovan Anniversaries.bin");
  const std::string damaged = kThree.substr(0, kEnds[0] + 2);
  dir.Write("Merovan Anniversaries.bin", damaged);
  std::filesystem::create_directory(path + ".bak");  // the copy cannot be written

  AnniversaryList list{};
  AnniversaryListLoad(&list, path.c_str());
  MessageRecorder recorder;
  EXPECT_EQ(AnniversaryListSave(&list, path.c_str()), 0);
  EXPECT_EQ(dir.Read("Merovan Anniversaries.bin"), damaged);
  EXPECT_EQ(recorder.shown.size(), 1u);
  EXPECT_EQ(list.damaged, 1);
}

// ---- Labels and selections -----------------------------------------------

TEST(AnniversaryLabels, Parse) {
  struct Row {
    const char* label;
    char type;
    const char* name;
    int known;
  };
  constexpr Row rows[] = {
      {"Birthday: Miriam Levy", 'B', "Miriam Levy", 1},
      {"YAHRZEIT: Aaron", 'Y', "Aaron", 1},
      {"Birthday: Ruth: the younger", 'B', "Ruth: the younger", 1},
      {"Birthdays: Ruth", ' ', "Ruth", 0},
      {"Birthday:Ruth", ' ', "", 0},
      {"Birthday: ", 'B', "", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    char type = 'x';
    char name[256] = "stale";
    EXPECT_EQ(ParseAnniversaryLabel(row.label, &type, name, sizeof name), row.known);
    EXPECT_EQ(type, row.type);
    EXPECT_STREQ(name, row.name);
  }
}

TEST(AnniversaryLabels, FormatAndParseBack) {
  const std::string longest(255, 'n');
  for (int type : {'A', 'B', 'Y'}) {
    char label[300];
    ASSERT_EQ(FormatAnniversaryLabel(type, longest.c_str(), label, sizeof label), 1);
    char parsedType = 0;
    char name[256];
    EXPECT_EQ(ParseAnniversaryLabel(label, &parsedType, name, sizeof name), 1);
    EXPECT_EQ(parsedType, type);
    EXPECT_EQ(name, longest);
  }
  char small[10];
  EXPECT_EQ(FormatAnniversaryLabel('B', "Ruth", small, sizeof small), 0);  // "Birthday: Ruth" is 14
  EXPECT_STREQ(small, "");
  char shortName[4];
  char type = 0;
  EXPECT_EQ(ParseAnniversaryLabel("Birthday: Ruth", &type, shortName, sizeof shortName), 1);
  EXPECT_STREQ(shortName, "Rut");
}

TEST(AnniversarySelection, BuildAndWalk) {
  std::vector<char> selection;
  AnniversarySelectionAdd(&selection, 'B', "Miriam");
  AnniversarySelectionAdd(&selection, 'y', "Aaron");
  AnniversarySelectionAdd(&selection, 'A', "");
  const std::string expected("BMiriam\0yAaron\0A\0\0", 18);
  EXPECT_EQ(std::string(selection.begin(), selection.end()), expected);

  // Every prefix: the entries whose NUL lies inside it, never a byte more.
  const std::size_t ends[] = {8, 15, 17};
  for (std::size_t length = 0; length <= expected.size(); ++length) {
    SCOPED_TRACE(length);
    std::vector<char> bytes(expected.begin(), expected.begin() + static_cast<long>(length));
    AnniversarySelectionCursor cursor = {bytes.data(), bytes.size(), 0};
    std::vector<std::string> got;
    char type = 0;
    const char* name = nullptr;
    while (AnniversarySelectionNext(&cursor, &type, &name)) got.push_back(type + std::string(name));
    std::vector<std::string> want;
    const char* all[] = {"BMiriam", "yAaron", "A"};
    for (int i = 0; i < 3; ++i)
      if (length >= ends[i]) want.push_back(all[i]);
    EXPECT_EQ(got, want);
  }
}

TEST(AnniversarySelection, StopsAtTheFinalZero) {
  const char bytes[] = "BMiriam\0\0YAaron\0";  // an entry after the final zero
  AnniversarySelectionCursor cursor = {bytes, sizeof bytes, 0};
  char type = 0;
  const char* name = nullptr;
  EXPECT_EQ(AnniversarySelectionNext(&cursor, &type, &name), 1);
  EXPECT_EQ(AnniversarySelectionNext(&cursor, &type, &name), 0);
}

}  // namespace
