// The export windows' decisions: the first failing check of each OK with
// its message and control, and what OK takes and what it leaves as stored.
#include "shell/export_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/export_ids.h"

namespace {

constexpr char kBusy[] = "An entry for busy status must be selected";
constexpr char kNumber[] = "A number must be entered";
constexpr char kStart[] = "Start date is invalid";
constexpr char kEnd[] = "End date is invalid";
constexpr char kPlain[] = "Caption without holiday must not contain more than two parameters";

// A dialog that passes every check with the Outlook target: busy status
// "Tentative" (1), a 10-minute reminder, label 7.
RangeFields GoodFields() {
  // start, end, extra, captions (two parameters and a percent sign), handheld, outlook, ics, busy, reminder...
  return {"5.3.2007", "1.3.2007", 0, "%J %% %G", "%H - %J", 0, 1, 0, 2, 1, "10", 7};
}

// As stored: the file target, busy 2, a 30-minute reminder, label 4.
RangeBlock StoredBlock(int exportType) {
  RangeBlock b{};
  b.extraLabel = "Include Daf Yomi";
  b.settings.exportType = exportType;
  b.settings.busyStatus = 2;
  b.settings.reminderSet = 1;
  b.settings.reminderMinutes = 30;
  b.settings.label = 4;
  return b;
}

// 'R' the range dialog, 'H' the holiday import; a stored type of 7 or 9 is
// a hand-edited one that selects no target.
TEST(ExportDialogOk, FirstFailingCheckWithItsControl) {
  struct Row {
    char dialog;
    const char* name;
    int storedType;
    void (*change)(RangeFields*);
    const char* message;
    int control;
  };
  const Row kRows[] = {
      {'R', "no such day", 2, [](RangeFields* f) { f->start = "31.2.2007"; }, kStart, IDC_RANGE_START},
      {'R', "both dates bad: the start named", 2, [](RangeFields* f) { f->start = "5.3"; f->end = "1.1.3001"; }, kStart,
       IDC_RANGE_START},
      {'R', "end after 3000", 2, [](RangeFields* f) { f->end = "1.1.3001"; }, kEnd, IDC_RANGE_END},
      {'R', "both captions bad: the first named", 2,
       [](RangeFields* f) { f->captionPlain = f->captionHoliday = "%G%j%H"; }, kPlain, IDC_RANGE_CAPTION_PLAIN},
      {'R', "three parameters with holiday", 2, [](RangeFields* f) { f->captionHoliday = "%h%h%h"; },
       "Caption with holiday must not contain more than two parameters", IDC_RANGE_CAPTION_HOLIDAY},
      {'R', "no busy status", 2, [](RangeFields* f) { f->busyIndex = -1; }, kBusy, IDC_RANGE_BUSY},
      {'R', "reminder without minutes", 2, [](RangeFields* f) { f->minutes = ""; }, kNumber, IDC_RANGE_MINUTES},
      {'R', "minutes beyond an int", 2, [](RangeFields* f) { f->minutes = "2147483648"; }, kNumber,
       IDC_RANGE_MINUTES},
      {'R', "no target", 7, [](RangeFields* f) { f->outlook = 0; }, kNoTargetMessage, IDC_RANGE_OUTLOOK},
      {'R', "no target, handheld: no control to focus", 7, [](RangeFields* f) { f->handheld = 1; },
       kNoTargetMessage, 0},
      {'H', "no target", 9, [](RangeFields* f) { f->outlook = 0; }, kNoTargetMessage, IDC_RANGE_OUTLOOK},
      // Unlike the range dialog, the holiday import needs a busy status for either target.
      {'H', "busy status with the ICS file", 2, [](RangeFields* f) { f->outlook = 0; f->ics = 1; f->busyIndex = -1; },
       kBusy, IDC_RANGE_BUSY},
      {'H', "minutes not a number", 2, [](RangeFields* f) { f->minutes = "1O"; }, kNumber, IDC_RANGE_MINUTES},
  };
  for (const Row& row : kRows) {
    RangeFields f = GoodFields();
    row.change(&f);
    RangeBlock range = StoredBlock(row.storedType);
    HolidayImportBlock holidays{};
    holidays.exportType = row.storedType;
    ExportFieldError error{};
    EXPECT_EQ(row.dialog == 'R' ? RangeDialogOk(f, &range, &error) : HolidayImportOk(f, &holidays, &error), 0)
        << row.name;
    EXPECT_STREQ(error.message, row.message) << row.name;
    EXPECT_EQ(error.control, row.control) << row.name;
    EXPECT_EQ(row.dialog == 'R' ? range.settings.exportType : holidays.exportType, row.storedType)
        << row.name << ": block changed";
  }
}

// Options OK does not read keep what was stored: every Outlook option with
// the file target, the minutes without a reminder.
TEST(RangeDialogOk, TakesTheFieldsAndKeepsWhatItDoesNotRead) {
  struct Row {
    const char* name;
    void (*change)(RangeFields*);
    int type, busy, reminderSet, minutes, label;
  };
  const Row kRows[] = {
      {"Outlook", [](RangeFields*) {}, kExportTypeOutlook, 1, 1, 10, 7},
      {"ICS file", [](RangeFields* f) { f->outlook = 0; f->ics = 1; f->busyIndex = -1; f->minutes = "x"; },
       kExportTypeICalendar, 2, 1, 30, 4},
      {"reminder off", [](RangeFields* f) { f->reminder = 0; f->minutes = ""; }, kExportTypeOutlook, 1, 0, 30, 7},
      {"no label selected", [](RangeFields* f) { f->label = -1; }, kExportTypeOutlook, 1, 1, 10, 0},
  };
  for (const Row& row : kRows) {
    RangeFields f = GoodFields();
    row.change(&f);
    RangeBlock block = StoredBlock(kExportTypeICalendar);
    ExportFieldError error{};
    ASSERT_EQ(RangeDialogOk(f, &block, &error), 1) << row.name << ": " << error.message;
    EXPECT_EQ(block.settings.exportType, row.type) << row.name;
    EXPECT_EQ(block.settings.busyStatus, row.busy) << row.name;
    EXPECT_EQ(block.settings.reminderSet, row.reminderSet) << row.name;
    EXPECT_EQ(block.settings.reminderMinutes, row.minutes) << row.name;
    EXPECT_EQ(block.settings.label, row.label) << row.name;
  }
}

// Years in reverse, the text file target sorted by Gregorian months.
AnniversaryImportFields GoodAnniversaryFields() {
  // selected, from, to, outlook, text, ics, busy, reminder, minutes, file name, sort Hebrew, Gregorian, names
  return {{"Birthday: Sarah", "Yahrzeit: Moshe ben Avraham"}, "2010", " 2008 ", 0, 1, 0, 0, 0, "", "dates.txt", 0, 1, 0};
}

TEST(AnniversaryImportOk, FirstFailingCheckWithItsControl) {
  using Fields = AnniversaryImportFields;
  const struct {
    const char* name;
    void (*change)(Fields*);
    const char* message;
    int control;
  } kRows[] = {
      {"nothing selected", [](Fields* f) { f->selected.clear(); f->from = "x"; },
       "At least one entry has to be selected in the list", IDC_BIRTH_LIST},
      {"from not a number", [](Fields* f) { f->from = "20x0"; f->to = ""; }, "Start year must be a number",
       IDC_BIRTH_FROM},
      {"from too early", [](Fields* f) { f->from = "1582"; }, "Start year must be in range 1583-3000", IDC_BIRTH_FROM},
      {"to beyond an int", [](Fields* f) { f->to = "99999999999"; }, "End year must be a number", IDC_BIRTH_TO},
      {"to too late", [](Fields* f) { f->to = "3001"; }, "End year must be in range 1583-3000", IDC_BIRTH_TO},
      {"no target", [](Fields* f) { f->text = 0; }, "\"Outlook\" or \"Text file\" must be selected", IDC_BIRTH_TEXT},
      {"Outlook without busy status", [](Fields* f) { f->outlook = 1; f->busyIndex = -1; }, kBusy, IDC_BIRTH_BUSY},
      {"Outlook reminder without minutes", [](Fields* f) { f->outlook = 1; f->reminder = 1; }, kNumber,
       IDC_BIRTH_MINUTES},
      {"blank file name", [](Fields* f) { f->fileName = "   "; f->sortGregorian = 0; }, "Filename must not be blank",
       IDC_BIRTH_SORT_HEBREW},
      {"no sort order", [](Fields* f) { f->sortGregorian = 0; },
       "\"Hebrew months\", \"Gregorian months\" or \"Names\" must be selected", IDC_BIRTH_SORT_HEBREW},
  };
  for (const auto& row : kRows) {
    Fields f = GoodAnniversaryFields();
    row.change(&f);
    AnniversaryImportBlock block{};
    ExportFieldError error{};
    EXPECT_EQ(AnniversaryImportOk(f, &block, &error), 0) << row.name;
    EXPECT_STREQ(error.message, row.message) << row.name;
    EXPECT_EQ(error.control, row.control) << row.name;
  }
}

TEST(AnniversaryImportOk, TakesTheSelectionYearsAndTarget) {
  AnniversaryImportBlock block{};
  block.busyStatus = 3;
  ExportFieldError error{};
  ASSERT_EQ(AnniversaryImportOk(GoodAnniversaryFields(), &block, &error), 1);
  EXPECT_EQ(block.fromYear, 2008);  // in order
  EXPECT_EQ(block.toYear, 2010);
  EXPECT_EQ(block.target, kAnniversaryTargetText);
  EXPECT_EQ(block.sortOrder, 2);
  EXPECT_EQ(block.fileName, "dates.txt");
  EXPECT_EQ(block.busyStatus, 3);  // an Outlook option, not read for a text file
  EXPECT_EQ(AnniversaryImportLines(block.entries),
            (std::vector<std::string>{"Birthday: Sarah", "Yahrzeit: Moshe ben Avraham"}));
}

TEST(ProgressText, DayAndBar) {
  EXPECT_EQ(ProgressDayText({5, 3, 2007}), "Please wait --- calculating day 5.3.2007");
  const int kRows[][3] = {{0, 3650, 0}, {1825, 3650, 500}, {3650, 3650, 1000}, {0, 0, 1000}, {3000000, 4000000, 750}};
  for (const auto& row : kRows) EXPECT_EQ(ProgressPosition(row[0], row[1]), row[2]) << row[0] << "/" << row[1];
}

}  // namespace
