// The windows' portable rules (the Win32 tests hold the Date/Time Format's).
#include "shell/export_rules.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "placetime/cities.h"
#include "platform/ini.h"
#include "resources/export_ids.h"
#include "settings/settings.h"
#include "shell/help_page.h"
#include "shell/location_rules.h"
#include "support/scratch_dir.h"

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
  using F = RangeFields;
  const struct {
    char dialog;
    int storedType;
    void (*change)(F*);
    const char* message;
    int control;
  } kRows[] = {
      {'R', 2, [](F* f) { f->start = "31.2.2007"; }, kStart, IDC_RANGE_START},
      {'R', 2, [](F* f) { f->start = "5.3"; f->end = "1.1.3001"; }, kStart, IDC_RANGE_START},  // the first named
      {'R', 2, [](F* f) { f->end = "1.1.3001"; }, kEnd, IDC_RANGE_END},
      {'R', 2, [](F* f) { f->captionPlain = f->captionHoliday = "%G%j%H"; }, kPlain, IDC_RANGE_CAPTION_PLAIN},
      {'R', 2, [](F* f) { f->captionHoliday = "%h%h%h"; },
       "Caption with holiday must not contain more than two parameters", IDC_RANGE_CAPTION_HOLIDAY},
      {'R', 2, [](F* f) { f->busyIndex = -1; }, kBusy, IDC_RANGE_BUSY},
      {'R', 2, [](F* f) { f->minutes = ""; }, kNumber, IDC_RANGE_MINUTES},
      {'R', 2, [](F* f) { f->minutes = "2147483648"; }, kNumber, IDC_RANGE_MINUTES},
      {'R', 7, [](F* f) { f->outlook = 0; }, kNoTargetMessage, IDC_RANGE_OUTLOOK},
      {'R', 7, [](F* f) { f->handheld = 1; }, kNoTargetMessage, 0},  // no target control to focus
      {'H', 9, [](F* f) { f->outlook = 0; }, kNoTargetMessage, IDC_RANGE_OUTLOOK},
      // Unlike the range dialog, the holiday import needs a busy status for either target.
      {'H', 2, [](F* f) { f->outlook = 0; f->ics = 1; f->busyIndex = -1; }, kBusy, IDC_RANGE_BUSY},
      {'H', 2, [](F* f) { f->minutes = "1O"; }, kNumber, IDC_RANGE_MINUTES},
  };
  for (const auto& row : kRows) {
    const std::string id = row.dialog + std::to_string(&row - kRows);
    F f = GoodFields();
    row.change(&f);
    RangeBlock range = StoredBlock(row.storedType);
    HolidayImportBlock holidays{};
    holidays.exportType = row.storedType;
    ExportFieldError error{};
    EXPECT_EQ(row.dialog == 'R' ? RangeDialogOk(f, &range, &error) : HolidayImportOk(f, &holidays, &error), 0) << id;
    EXPECT_STREQ(error.message, row.message) << id;
    EXPECT_EQ(error.control, row.control) << id;
    EXPECT_EQ(row.dialog == 'R' ? range.settings.exportType : holidays.exportType, row.storedType) << id << ": changed";
  }
}

// Options OK does not read keep what was stored: every Outlook option with
// the file target, the minutes without a reminder.
TEST(RangeDialogOk, TakesTheFieldsAndKeepsWhatItDoesNotRead) {
  using F = RangeFields;
  const struct {
    void (*change)(F*);
    int type, busy, reminderSet, minutes, label;
  } kRows[] = {
      {[](F*) {}, kExportTypeOutlook, 1, 1, 10, 7},
      {[](F* f) { f->outlook = 0; f->ics = 1; f->busyIndex = -1; f->minutes = "x"; }, kExportTypeICalendar, 2, 1, 30, 4},
      {[](F* f) { f->reminder = 0; f->minutes = ""; }, kExportTypeOutlook, 1, 0, 30, 7},
      {[](F* f) { f->label = -1; }, kExportTypeOutlook, 1, 1, 10, 0},  // no label selected
  };
  for (const auto& row : kRows) {
    F f = GoodFields();
    row.change(&f);
    RangeBlock block = StoredBlock(kExportTypeICalendar);
    ExportFieldError error{};
    ASSERT_EQ(RangeDialogOk(f, &block, &error), 1) << error.message;
    const ExportSettings& t = block.settings;
    EXPECT_EQ(std::make_tuple(t.exportType, t.busyStatus, t.reminderSet, t.reminderMinutes, t.label),
              std::make_tuple(row.type, row.busy, row.reminderSet, row.minutes, row.label));
  }
}

// Years in reverse, the text file target sorted by Gregorian months.
AnniversaryImportFields GoodAnniversaryFields() {
  // selected, from, to, outlook, text, ics, busy, reminder, minutes, file name, sort Hebrew, Gregorian, names
  return {{"Birthday: Sarah", "Yahrzeit: Moshe ben Avraham"}, "2010", " 2008 ", 0, 1, 0, 0, 0, "", "dates.txt", 0, 1, 0};
}

TEST(AnniversaryImportOk, FirstFailingCheckWithItsControl) {
  using F = AnniversaryImportFields;
  const struct {
    void (*change)(F*);
    const char* message;
    int control;
  } kRows[] = {
      {[](F* f) { f->selected.clear(); f->from = "x"; }, "At least one entry has to be selected in the list",
       IDC_BIRTH_LIST},
      {[](F* f) { f->from = "20x0"; f->to = ""; }, "Start year must be a number", IDC_BIRTH_FROM},
      {[](F* f) { f->from = "1582"; }, "Start year must be in range 1583-3000", IDC_BIRTH_FROM},
      {[](F* f) { f->to = "99999999999"; }, "End year must be a number", IDC_BIRTH_TO},
      {[](F* f) { f->to = "3001"; }, "End year must be in range 1583-3000", IDC_BIRTH_TO},
      {[](F* f) { f->text = 0; }, "\"Outlook\" or \"Text file\" must be selected", IDC_BIRTH_TEXT},
      {[](F* f) { f->outlook = 1; f->busyIndex = -1; }, kBusy, IDC_BIRTH_BUSY},
      {[](F* f) { f->outlook = 1; f->reminder = 1; }, kNumber, IDC_BIRTH_MINUTES},
      {[](F* f) { f->fileName = "   "; f->sortGregorian = 0; }, "Filename must not be blank", IDC_BIRTH_SORT_HEBREW},
      {[](F* f) { f->sortGregorian = 0; }, "\"Hebrew months\", \"Gregorian months\" or \"Names\" must be selected",
       IDC_BIRTH_SORT_HEBREW},
  };
  for (const auto& row : kRows) {
    F f = GoodAnniversaryFields();
    row.change(&f);
    AnniversaryImportBlock block{};
    ExportFieldError error{};
    EXPECT_EQ(AnniversaryImportOk(f, &block, &error), 0) << row.message;
    EXPECT_STREQ(error.message, row.message);
    EXPECT_EQ(error.control, row.control) << row.message;
  }
}

TEST(AnniversaryImportOk, TakesTheSelectionYearsAndTarget) {
  AnniversaryImportBlock block{};
  block.busyStatus = 3;
  ExportFieldError error{};
  ASSERT_EQ(AnniversaryImportOk(GoodAnniversaryFields(), &block, &error), 1);
  // The years in order; the busy status an Outlook option, not read for a text file.
  EXPECT_EQ(std::make_tuple(block.fromYear, block.toYear, block.target, block.sortOrder, block.fileName, block.busyStatus),
            std::make_tuple(2008, 2010, kAnniversaryTargetText, 2, std::string("dates.txt"), 3));
  EXPECT_EQ(AnniversaryImportLines(block.entries),
            (std::vector<std::string>{"Birthday: Sarah", "Yahrzeit: Moshe ben Avraham"}));
}

TEST(ProgressText, DayAndBar) {
  EXPECT_EQ(ProgressDayText({5, 3, 2007}), "Please wait --- calculating day 5.3.2007");
  const int kRows[][3] = {{0, 3650, 0}, {1825, 3650, 500}, {3650, 3650, 1000}, {0, 0, 1000}, {3000000, 4000000, 750}};
  for (const auto& row : kRows) EXPECT_EQ(ProgressPosition(row[0], row[1]), row[2]) << row[0] << "/" << row[1];
}

// A city's place, or for an unknown city none at all: nothing of the city
// before it is kept. The choice is stored either way.
TEST(LocationCommandApply, RecordAndSettingTakeTheChoice) {
  const struct {
    const char* name;
    int known, latitude, longitude, timeZone, elevation;
  } kRows[] = {
      {"Auckland", 1, -3653, 17445, 12, 0},  // 36 deg 53 min S, 174 deg 45 min E
      {"Atlantis", 0, 0, 0, 0, 0},
  };
  FreeUserCities(UserCities());
  for (const auto& row : kRows) {
    ScratchDir dir;
    CalWindowState state{};
    state.latitude = 4043;
    state.timeZone = -5;
    state.elevation = 10;
    EXPECT_EQ(LocationCommandApply(&state, row.name), 1) << row.name;
    EXPECT_EQ(std::make_tuple(state.locationKnown, state.latitude, state.longitude, state.timeZone, state.elevation),
              std::make_tuple(row.known, row.latitude, row.longitude, row.timeZone, row.elevation)) << row.name;
    char stored[256];
    IniReadString(kLocationSection, kCityNameKey, "", stored, sizeof stored, kSettingsFile);
    EXPECT_STREQ(stored, row.name);
  }
}

// One backslash between folder and name; a path that does not fit is
// refused, never cut.
TEST(HelpPage, PathAndText) {
  const std::string longest(kHelpFolderLimit, 'x');
  const struct {
    std::string folder;
    int size, ok;
    std::string path;
  } kRows[] = {
      {"C:\\Temp", 300, 1, "C:\\Temp\\Cal.htm"},
      {"C:\\Temp\\", 300, 1, "C:\\Temp\\Cal.htm"},
      {"", 300, 1, "Cal.htm"},
      {longest, 265, 1, longest + "\\Cal.htm"},  // the folder, the backslash, the name, the NUL
      {longest, 264, 0, ""},
  };
  for (const auto& row : kRows) {
    char path[300] = "stale";
    EXPECT_EQ(HelpPagePath(row.folder.c_str(), path, row.size), row.ok) << row.folder << " in " << row.size;
    EXPECT_EQ(path, row.path) << row.folder << " in " << row.size;
  }
  // The page is written as it is carried: byte for byte the file in the tree.
  std::ifstream in(std::string(TAVLON_SOURCE_DIR) + "/resources/help.htm", std::ios::binary);
  ASSERT_TRUE(in) << "resources/help.htm not found";
  EXPECT_EQ(std::string(HelpPageText(), HelpPageLength()),
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

}  // namespace
