// The export windows' decisions: the checks of each OK in their order
// with message and focus, the values kept when a control is absent or
// disabled, and the settings keys written in their order.
#include "shell/export_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "platform/ini.h"
#include "resources/export_ids.h"
#include "support/scratch_dir.h"

namespace {

constexpr char kBusy[] = "An entry for busy status must be selected";
constexpr char kNumber[] = "A number must be entered";

// A block as the export command opens it from a file that holds
// ExportType 2, BusyStatus 2, ReminderSet 1, 30 minutes and label 4.
RangeBlock StoredBlock() {
  RangeBlock b{};
  b.start = {1, 1, 2007};
  b.end = {1, 1, 2007};
  b.extraLabel = "Include Daf Yomi";
  b.settings.exportType = kExportTypeICalendar;
  b.settings.busyStatus = 2;
  b.settings.reminderSet = 1;
  b.settings.reminderMinutes = 30;
  b.settings.label = 4;
  return b;
}

// Fields of a dialog that passes every check with the Outlook target.
RangeFields GoodFields() {
  RangeFields f{};
  f.start = "5.3.2007";
  f.end = "1.3.2007";
  f.captionPlain = "%J - %G";
  f.captionHoliday = "%H - %J";
  f.outlook = 1;
  f.busyIndex = 2;  // "Tentative", 1
  f.reminder = 1;
  f.minutes = "10";
  f.label = 7;
  return f;
}

TEST(RangeDialogOk, FirstFailingCheckWithItsControl) {
  struct Row {
    const char* name;
    void (*change)(RangeFields*);
    const char* message;
    int control;
  };
  const Row kRows[] = {
      {"start not a date", [](RangeFields* f) { f->start = "5.3"; }, "Start date is invalid", IDC_RANGE_START},
      {"start before 1583", [](RangeFields* f) { f->start = "31.12.1582"; }, "Start date is invalid", IDC_RANGE_START},
      {"end after 3000, start bad too", [](RangeFields* f) { f->start = "x"; f->end = "1.1.3001"; },
       "Start date is invalid", IDC_RANGE_START},
      {"end after 3000", [](RangeFields* f) { f->end = "1.1.3001"; }, "End date is invalid", IDC_RANGE_END},
      {"three parameters without holiday", [](RangeFields* f) { f->captionPlain = "%G %j %H"; },
       "Caption without holiday must not contain more than two parameters", IDC_RANGE_CAPTION_PLAIN},
      {"three parameters with holiday", [](RangeFields* f) { f->captionHoliday = "%h%h%h"; },
       "Caption with holiday must not contain more than two parameters", IDC_RANGE_CAPTION_HOLIDAY},
      {"both captions bad: the first named", [](RangeFields* f) { f->captionPlain = f->captionHoliday = "%G%G%G"; },
       "Caption without holiday must not contain more than two parameters", IDC_RANGE_CAPTION_PLAIN},
      {"no busy status", [](RangeFields* f) { f->busyIndex = -1; }, kBusy, IDC_RANGE_BUSY},
      {"reminder without minutes", [](RangeFields* f) { f->minutes = ""; }, kNumber, IDC_RANGE_MINUTES},
      {"reminder with a sign", [](RangeFields* f) { f->minutes = "-5"; }, kNumber, IDC_RANGE_MINUTES},
  };
  for (const Row& row : kRows) {
    RangeFields f = GoodFields();
    row.change(&f);
    RangeBlock block = StoredBlock();
    ExportFieldError error{};
    EXPECT_EQ(RangeDialogOk(f, &block, &error), 0) << row.name;
    EXPECT_STREQ(error.message, row.message) << row.name;
    EXPECT_EQ(error.control, row.control) << row.name;
    EXPECT_EQ(block.settings.exportType, kExportTypeICalendar) << row.name << ": block changed";
  }
}

TEST(RangeDialogOk, TakesTheFields) {
  RangeBlock block = StoredBlock();
  RangeFields f = GoodFields();
  f.extra = 1;
  f.captionPlain = "%J %% %G";  // two parameters and a percent sign
  ExportFieldError error{};
  ASSERT_EQ(RangeDialogOk(f, &block, &error), 1);
  EXPECT_EQ(block.start.day, 5);
  EXPECT_EQ(block.end.day, 1);  // not ordered here: the command orders
  EXPECT_EQ(block.extra, 1);
  EXPECT_STREQ(block.settings.captionWithoutHoliday, "%J %% %G");
  EXPECT_EQ(block.settings.exportType, kExportTypeOutlook);
  EXPECT_EQ(block.settings.busyStatus, 1);
  EXPECT_EQ(block.settings.reminderSet, 1);
  EXPECT_EQ(block.settings.reminderMinutes, 10);
  EXPECT_EQ(block.settings.label, 7);
}

// Options that are not read keep what was stored: every Outlook option
// with the file target, the minutes without a reminder, and the controls
// the handheld layout lacks.
TEST(RangeDialogOk, UnreadOptionsKeepTheirValues) {
  struct Row {
    const char* name;
    void (*change)(RangeFields*);
    int type, busy, reminderSet, minutes, label;
  };
  const Row kRows[] = {
      {"ICS file", [](RangeFields* f) { f->outlook = 0; f->ics = 1; f->busyIndex = -1; f->minutes = "x"; },
       kExportTypeICalendar, 2, 1, 30, 4},
      {"reminder off", [](RangeFields* f) { f->reminder = 0; f->minutes = ""; }, kExportTypeOutlook, 1, 0, 30, 7},
      {"handheld", [](RangeFields* f) { f->handheld = 1; f->outlook = 1; f->busyIndex = -1; f->label = -1; },
       kExportTypeICalendar, 2, 1, 30, 4},
      {"no label selected", [](RangeFields* f) { f->label = -1; }, kExportTypeOutlook, 1, 1, 10, 0},
  };
  for (const Row& row : kRows) {
    RangeFields f = GoodFields();
    row.change(&f);
    RangeBlock block = StoredBlock();
    ExportFieldError error{};
    ASSERT_EQ(RangeDialogOk(f, &block, &error), 1) << row.name << ": " << error.message;
    EXPECT_EQ(block.settings.exportType, row.type) << row.name;
    EXPECT_EQ(block.settings.busyStatus, row.busy) << row.name;
    EXPECT_EQ(block.settings.reminderSet, row.reminderSet) << row.name;
    EXPECT_EQ(block.settings.reminderMinutes, row.minutes) << row.name;
    EXPECT_EQ(block.settings.label, row.label) << row.name;
  }
}

// A hand-edited export type selects no target; OK then asks for one
// instead of composing every day and writing nothing.
TEST(RangeDialogOk, NoTargetKeepsTheDialogOpen) {
  for (int handheld = 0; handheld <= 1; ++handheld) {
    RangeBlock block = StoredBlock();
    block.settings.exportType = 7;
    RangeFields f = GoodFields();
    f.outlook = 0;
    f.handheld = handheld;
    ExportFieldError error{};
    EXPECT_EQ(RangeDialogOk(f, &block, &error), 0);
    EXPECT_STREQ(error.message, "\"Outlook\" or \"ICS file\" must be selected");
    EXPECT_EQ(error.control, handheld ? 0 : IDC_RANGE_OUTLOOK);
  }
}

TEST(OutlookControlStates, ByTargetAndReminder) {
  struct Row {
    int outlook, ics, reminder;
    std::vector<int> enabled;  // 200 201 300 301 302 303 400 401; empty = untouched
  };
  const Row kRows[] = {
      {1, 0, 1, {1, 1, 1, 1, 1, 1, 1, 1}},
      {1, 0, 0, {1, 1, 1, 1, 0, 0, 1, 1}},
      {0, 1, 1, {0, 0, 0, 0, 0, 0, 0, 0}},
      {0, 0, 1, {}},
  };
  const int kIds[] = {200, 201, 300, 301, 302, 303, 400, 401};
  for (const Row& row : kRows) {
    std::vector<OutlookControlState> states = OutlookControlStates(row.outlook, row.ics, row.reminder);
    ASSERT_EQ(states.size(), row.enabled.size());
    for (size_t i = 0; i < states.size(); ++i) {
      EXPECT_EQ(states[i].id, kIds[i]);
      EXPECT_EQ(states[i].enabled, row.enabled[i]) << "control " << kIds[i];
    }
  }
}

// Where each key starts in the file; npos when missing.
std::vector<size_t> KeyPositions(const std::string& text, const std::vector<std::string>& keys) {
  std::vector<size_t> at;
  for (const std::string& key : keys) at.push_back(text.find("\n" + key + "="));
  return at;
}

void ExpectInOrder(const std::string& text, const std::vector<std::string>& keys) {
  std::vector<size_t> at = KeyPositions(text, keys);
  for (size_t i = 0; i < keys.size(); ++i) {
    ASSERT_NE(at[i], std::string::npos) << keys[i] << " not written";
    if (i > 0) {
      EXPECT_LT(at[i - 1], at[i]) << keys[i - 1] << " after " << keys[i];
    }
  }
}

TEST(ExportCommand, OpensWithTheStoredChoicesAndWritesEveryKeyInOrder) {
  ScratchDir dir;
  dir.Write(kSettingsFile, "[OutlookExport]\r\nExportType=2\r\nLabel=3\r\n[OutlookZmanim]\r\nTefila=0\r\n");
  RangeBlock block{};
  const CalDate today = {6, 12, 2026};
  ExportCommandOpen(today, &block);
  EXPECT_EQ(block.start.day, 6);
  EXPECT_EQ(block.end.month, 12);
  EXPECT_STREQ(block.extraLabel, "Include Daf Yomi");
  EXPECT_EQ(block.extra, 0);
  EXPECT_EQ(block.settings.exportType, 2);
  EXPECT_EQ(block.settings.label, 3);
  EXPECT_EQ(block.settings.busyStatus, 1000);
  EXPECT_EQ(block.settings.includeFlags.flag[kIncludeTefila], 0);
  EXPECT_EQ(block.settings.includeFlags.flag[kIncludeChatzot], 1);

  block.start = {10, 4, 2007};
  block.end = {2, 4, 2007};
  dir.Write(kSettingsFile, "");
  int first = 0, last = 0;
  ExportCommandAccept(&block, &first, &last);
  EXPECT_EQ(last - first, 8);  // ordered: 2 to 10 April
  const std::string text = dir.Read(kSettingsFile);
  std::vector<std::string> keys;
  for (int i = 0; i < kIncludeFlagCount; ++i) keys.push_back(IncludeFlagKey(i));
  for (const char* key : {"CaptionWithoutHoliday", "CaptionWithHoliday", "ExportType", "BusyStatus",
                          "Label", "ReminderSet", "ReminderMinutesBeforeStart"})
    keys.push_back(key);
  ExpectInOrder(text, keys);
  EXPECT_LT(text.find("[OutlookZmanim]"), text.find("[OutlookExport]"));
}

TEST(HolidayImport, ChecksInOrderAndWritesItsKeysInOrder) {
  struct Row {
    const char* name;
    void (*change)(RangeFields*);
    const char* message;
    int control;
  };
  const Row kRows[] = {
      {"start", [](RangeFields* f) { f->start = ""; }, "Start date is invalid", IDC_RANGE_START},
      {"end", [](RangeFields* f) { f->end = "29.2.2007"; }, "End date is invalid", IDC_RANGE_END},
      {"no target", [](RangeFields* f) { f->outlook = 0; }, "\"Outlook\" or \"ICS file\" must be selected",
       IDC_RANGE_OUTLOOK},
      // Unlike the range dialog, a busy status is needed for either target.
      {"busy with ICS file", [](RangeFields* f) { f->outlook = 0; f->ics = 1; f->busyIndex = -1; }, kBusy,
       IDC_RANGE_BUSY},
      {"minutes", [](RangeFields* f) { f->minutes = "1O"; }, kNumber, IDC_RANGE_MINUTES},
  };
  for (const Row& row : kRows) {
    RangeFields f = GoodFields();
    row.change(&f);
    HolidayImportBlock block{};
    block.exportType = 9;
    ExportFieldError error{};
    EXPECT_EQ(HolidayImportOk(f, &block, &error), 0) << row.name;
    EXPECT_STREQ(error.message, row.message) << row.name;
    EXPECT_EQ(error.control, row.control) << row.name;
  }

  ScratchDir dir;
  HolidayImportBlock block{};
  RangeFields f = GoodFields();
  f.outlook = 0;
  f.ics = 1;
  ExportFieldError error{};
  ASSERT_EQ(HolidayImportOk(f, &block, &error), 1);
  EXPECT_EQ(block.label, 7);  // the label is taken whatever the target
  int first = 0, last = 0;
  HolidayImportAccept(&block, &first, &last);
  EXPECT_EQ(last - first, 4);
  ExpectInOrder(dir.Read(kSettingsFile),
                {"BusyStatus", "ExportType", "ReminderSet", "ReminderMinutesBeforeStart", "Label"});
  EXPECT_EQ(IniReadInt("OutlookExport", "ExportType", 0, kSettingsFile), 2);
}

AnniversaryImportFields GoodAnniversaryFields() {
  AnniversaryImportFields f{};
  f.selected = {"Birthday: Sarah", "Yahrzeit: Moshe ben Avraham"};
  f.from = "2010";
  f.to = " 2008 ";
  f.text = 1;
  f.fileName = "dates.txt";
  f.sortGregorian = 1;
  f.busyIndex = 0;
  return f;
}

TEST(AnniversaryImportOk, FirstFailingCheckWithItsControl) {
  struct Row {
    const char* name;
    void (*change)(AnniversaryImportFields*);
    const char* message;
    int control;
  };
  const Row kRows[] = {
      {"nothing selected", [](AnniversaryImportFields* f) { f->selected.clear(); f->from = "x"; },
       "At least one entry has to be selected in the list", IDC_BIRTH_LIST},
      {"from not a number", [](AnniversaryImportFields* f) { f->from = "20x0"; f->to = ""; },
       "Start year must be a number", IDC_BIRTH_FROM},
      {"from too early", [](AnniversaryImportFields* f) { f->from = "1582"; }, "Start year must be in range 1583-3000",
       IDC_BIRTH_FROM},
      {"to empty", [](AnniversaryImportFields* f) { f->to = ""; }, "End year must be a number", IDC_BIRTH_TO},
      {"to too late", [](AnniversaryImportFields* f) { f->to = "3001"; }, "End year must be in range 1583-3000",
       IDC_BIRTH_TO},
      {"no target", [](AnniversaryImportFields* f) { f->text = 0; f->fileName = ""; },
       "\"Outlook\" or \"Text file\" must be selected", IDC_BIRTH_TEXT},
      {"Outlook without busy status",
       [](AnniversaryImportFields* f) { f->text = 0; f->outlook = 1; f->busyIndex = -1; }, kBusy, IDC_BIRTH_BUSY},
      {"Outlook reminder without minutes",
       [](AnniversaryImportFields* f) { f->text = 0; f->outlook = 1; f->reminder = 1; }, kNumber, IDC_BIRTH_MINUTES},
      {"blank file name", [](AnniversaryImportFields* f) { f->fileName = "   "; f->sortGregorian = 0; },
       "Filename must not be blank", IDC_BIRTH_SORT_HEBREW},
      {"no sort order", [](AnniversaryImportFields* f) { f->sortGregorian = 0; },
       "\"Hebrew months\", \"Gregorian months\" or \"Names\" must be selected", IDC_BIRTH_SORT_HEBREW},
  };
  for (const Row& row : kRows) {
    AnniversaryImportFields f = GoodAnniversaryFields();
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
  EXPECT_EQ(block.fromYear, 2008);  // swapped
  EXPECT_EQ(block.toYear, 2010);
  EXPECT_EQ(block.target, kAnniversaryTargetText);
  EXPECT_EQ(block.sortOrder, 2);
  EXPECT_EQ(block.fileName, "dates.txt");
  EXPECT_EQ(block.busyStatus, 3);  // an Outlook option, not read for a text file
  const char kPacked[] = "BSarah\0YMoshe ben Avraham\0";
  EXPECT_EQ(std::string(block.entries.begin(), block.entries.end()), std::string(kPacked, sizeof kPacked));
  EXPECT_EQ(AnniversaryImportLines(block.entries),
            (std::vector<std::string>{"Birthday: Sarah", "Yahrzeit: Moshe ben Avraham"}));
}

TEST(ProgressText, DayAndBar) {
  EXPECT_EQ(ProgressDayText({5, 3, 2007}), "Please wait --- calculating day 5.3.2007");
  EXPECT_EQ(ProgressPosition(0, 3650), 0);
  EXPECT_EQ(ProgressPosition(1825, 3650), 500);
  EXPECT_EQ(ProgressPosition(3650, 3650), 1000);
  EXPECT_EQ(ProgressPosition(0, 0), 1000);
}

}  // namespace
