// The export runs: a range of days to a file (counted, cancelled),
// the holiday-only entries and the anniversary entries.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "calendar/callang.h"
#include "export/export_run.h"
#include "support/scratch_dir.h"

namespace {

int Absolute(int d, int m, int y) {
  const CalDate date = {d, m, y};
  return AbsoluteFromGregorian(&date);
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class ExportRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(CallangInitialize(), 0);
    ReadExportSettings(&settings);
    state = CalWindowState{};
    state.diaspora = 1;
  }
  ScratchDir dir;
  ExportSettings settings;
  CalWindowState state;
};

TEST_F(ExportRun, OneEventPerDayAndProgressToTheEnd) {
  struct Seen {
    int calls = 0;
    int lastDone = -1;
    int total = 0;
  } seen;
  auto progress = [](void* context, int done, int total, const CalDate*) {
    auto* s = static_cast<Seen*>(context);
    ++s->calls;
    s->lastDone = done;
    s->total = total;
    return 1;
  };
  const std::string path = dir.File("year.ics");
  ASSERT_EQ(RunExportToIcs(Absolute(1, 1, 2008), Absolute(31, 12, 2008), &state, &settings,
                           path.c_str(), progress, &seen),
            kExportWritten);
  const std::string text = dir.Read("year.ics");
  EXPECT_EQ(Count(text, "BEGIN:VEVENT"), 366);
  EXPECT_EQ(Count(text, "SUMMARY:Purim - 14 Adar II 5768\r\n"), 1);
  EXPECT_EQ(seen.total, 366);
  EXPECT_EQ(seen.lastDone, 366);
  EXPECT_EQ(seen.calls, 367);
}

TEST_F(ExportRun, CancelledRunLeavesNoFile) {
  auto stopAtTen = [](void*, int done, int, const CalDate*) { return done < 10 ? 1 : 0; };
  dir.Write("keep.ics", "previous");
  const std::string path = dir.File("keep.ics");
  EXPECT_EQ(RunExportToIcs(Absolute(1, 1, 2008), Absolute(31, 1, 2008), &state, &settings,
                           path.c_str(), stopAtTen, nullptr),
            kExportCancelled);
  EXPECT_EQ(dir.Read("keep.ics"), "previous");
}

struct HolidayRow {
  const char* id;
  CalDate first, last;
  int diaspora;
  int label;
  std::vector<std::string> captions;
};

TEST_F(ExportRun, HolidayEntries) {
  const HolidayRow rows[] = {
      {"Erev Pesach alone is no holiday", {2, 4, 2007}, {2, 4, 2007}, 0, 0, {}},
      {"Isru Chag in Israel is no holiday", {10, 4, 2007}, {10, 4, 2007}, 0, 0, {}},
      {"22 Nisan in the Diaspora", {10, 4, 2007}, {10, 4, 2007}, 1, 0, {"Pesach VIII (Diaspora)"}},
      {"label marker", {4, 3, 2007}, {4, 3, 2007}, 1, 2, {"Purim#2"}},
      {"Sukkot week in Israel", {26, 9, 2007}, {5, 10, 2007}, 0, 0,
       {"Sukkot I", "Hol Hamoed", "Hol Hamoed", "Hol Hamoed", "Hol Hamoed", "Hol Hamoed",
        "Hoshanah Rabbah", "Shemini Atzeret/Simchat Torah"}},
  };
  for (const HolidayRow& row : rows) {
    std::vector<ExportEntry> entries;
    const int n = HolidayImportEntries(AbsoluteFromGregorian(&row.first),
                                       AbsoluteFromGregorian(&row.last), row.diaspora, row.label,
                                       &entries);
    ASSERT_EQ(n, (int)row.captions.size()) << row.id;
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(entries[i].caption, row.captions[i]) << row.id;
      EXPECT_EQ(entries[i].notes, "") << row.id;
    }
  }
}

TEST_F(ExportRun, HolidayLabelIsNotWrittenToTheFile) {
  std::vector<ExportEntry> entries;
  HolidayImportEntries(Absolute(4, 3, 2007), Absolute(4, 3, 2007), 1, 2, &entries);
  const std::string path = dir.File("h.ics");
  ASSERT_EQ(WriteEntriesToIcs(entries, path.c_str(), nullptr, nullptr), kExportWritten);
  const std::string text = dir.Read("h.ics");
  EXPECT_NE(text.find("SUMMARY:Purim\r\n"), std::string::npos);
  EXPECT_EQ(text.find("DESCRIPTION"), std::string::npos);
}

TEST(CaptionTitle, OnlyTheFinalMarkerGoes) {
  const struct {
    const char* caption;
    const char* title;
  } rows[] = {
      {"Purim#3", "Purim"},          {"Purim#12", "Purim"},         {"Room #4 party#2", "Room #4 party"},
      {"C# and F#", "C# and F#"},    {"Price #", "Price #"},        {"#7", ""},
      {"No marker", "No marker"},    {"", ""},
  };
  for (const auto& row : rows)
    EXPECT_EQ(std::string(row.caption, CaptionTitleLength(row.caption)), row.title) << row.caption;
}

TEST_F(ExportRun, AnniversaryEntriesInSelectionOrder) {
  AnniversaryList list;
  auto add = [&list](const char* name, CalDate date, int type) {
    AnniversaryRecord r{};
    std::strcpy(r.name, name);
    r.date = date;
    r.type = type;
    AnniversaryListPut(&list, &r);
  };
  add("Dan", {5, 3, 1990}, 'B');     // 8 Adar 5750
  add("Ruth", {1, 1, 2007}, 'Y');    // 11 Tevet 5767
  add("Other", {1, 1, 2000}, 'A');   // not chosen
  char path[1024];
  ASSERT_TRUE(AnniversaryFilePath(path, sizeof path));
  ASSERT_TRUE(AnniversaryListSave(&list, path));

  std::vector<char> selection;
  AnniversarySelectionAdd(&selection, 'y', "RUTH");  // letters and names without case
  AnniversarySelectionAdd(&selection, 'B', "Dan");
  std::vector<ExportEntry> entries;
  ASSERT_EQ(AnniversaryImportEntries(selection.data(), selection.size(), 2007, 2008, &entries), 3);
  // Ruth's yahrzeit: nothing in 5767, the year of death; 11 Tevet 5768 is
  // 20 December 2007, 5769 falls in 2009. Then Dan: 8 Adar 5767 and 8 Adar
  // II 5768.
  const struct {
    CalDate date;
    const char* text;
  } expected[] = {{{20, 12, 2007}, "Yahrzeit: Ruth"},
                  {{26, 2, 2007}, "Birthday: Dan"},
                  {{15, 3, 2008}, "Birthday: Dan"}};
  for (int i = 0; i < 3; ++i) {
    const ExportEntry& e = entries[i];
    EXPECT_EQ(Utf8FromText(e.caption.c_str(), kCodePageLatin), expected[i].text) << i;
    EXPECT_EQ(Utf8FromText(e.notes.c_str(), kCodePageLatin), expected[i].text) << i;
    EXPECT_EQ(e.date.day, expected[i].date.day) << i;
    EXPECT_EQ(e.date.month, expected[i].date.month) << i;
    EXPECT_EQ(e.date.year, expected[i].date.year) << i;
  }
}

}  // namespace
