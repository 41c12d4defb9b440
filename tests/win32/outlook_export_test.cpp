// The running program into the stand-in Outlook: Ctrl+I's export, the
// holiday-only import and the anniversary import through their windows,
// each twice. (Without Outlook: export_windows_test.cpp.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "fakes/fake_store.h"
#include "fakes/stand_in.h"
#include "outlook/outlook_rules.h"
#include "resources/export_ids.h"
#include "settings/settings.h"
#include "shell/menu_bar.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;
using namespace standin;

// Runs `command` of the main window and fills its dialog before OK.
Step Command(int command, std::function<void(HWND)> fill) {
  return [command, fill](HWND main) {
    RunDialog([&] { return Choose(main, command), 0; }, {[&](HWND d) {
                fill(d);
                Click(d, IDOK);
              }});
  };
}

void Range(HWND d, const char* from, const char* to) {
  SetItemText(d, IDC_RANGE_START, from);
  SetItemText(d, IDC_RANGE_END, to);
  Click(d, IDC_RANGE_OUTLOOK);
}

TEST(OutlookExport, TheExportAndBothImportsReachOutlook) {
  StandIn outlook;
  // Diaspora; holidays get label 3, busy status Free.
  outlook.dir().Write(kSettingsFile, "[OutlookExport]\r\nLabel=3\r\nBusyStatus=0\r\n");
  outlook.dir().Write("exportcalshab.ini", "[Parasha]\r\nDiasporaFlag=1\r\n");
  AnniversaryList list;
  AnniversaryRecord sarah{0, "Sarah", {14, 3, 1990}, 0, 'B'};
  AnniversaryListPut(&list, &sarah);
  char path[1024];
  ASSERT_TRUE(AnniversaryFilePath(path, sizeof path));
  ASSERT_TRUE(AnniversaryListSave(&list, path));
  MessageCapture messages;
  auto exportDays = Command(kCommandExport, [](HWND d) { Range(d, "3.4.2007", "1.4.2007"); });
  auto importHolidays = Command(kCommandImportHolidays, [](HWND d) { Range(d, "1.4.2007", "10.4.2007"); });
  auto importBirthdays = Command(kCommandImportAnniversaries, [](HWND d) {
    SendDlgItemMessageA(d, IDC_BIRTH_LIST, LB_SETSEL, TRUE, 0);
    SetItemText(d, IDC_BIRTH_FROM, "2010");
    SetItemText(d, IDC_BIRTH_TO, "2011");
  });
  RunProgram({exportDays, exportDays, importHolidays, importHolidays, importBirthdays, importBirthdays});

  int days = 0, holidays = 0, birthdays = 0;
  for (const FakeAppointment& a : outlook.Store().appointments) {
    SCOPED_TRACE(Record(a));
    const double start = _wtof(a.Get(L"Start").c_str());
    if (a.Get(L"Subject") == L"Birthday: Sarah") {
      ++birthdays;
    } else if (a.Get(L"Body").empty()) {
      // A holiday of the range, Erev Pesach (2 April) not among them.
      ++holidays;
      EXPECT_GE(start, AutomationDate({3, 4, 2007}));
      EXPECT_LE(start, AutomationDate({10, 4, 2007}));
      EXPECT_EQ(a.Get(L"Label"), L"3");
    } else {
      // A day of the export: only Pesach I (3 April) labelled.
      ++days;
      EXPECT_EQ(a.Get(L"BusyStatus"), L"0");
      EXPECT_EQ(a.Get(L"Label"), start == AutomationDate({3, 4, 2007}) ? L"3" : L"");
    }
  }
  EXPECT_EQ(days, 3);
  EXPECT_EQ(birthdays, 2) << "2010 and 2011, once each";
  const std::string range = "Time range 1.4.2007 - 3.4.2007 was imported into Outlook successfully";
  const std::string holidayRange = "Time range 1.4.2007 - 10.4.2007 with " + std::to_string(holidays) +
                                   " holiday(s) was imported into Outlook successfully";
  std::vector<std::string> texts;
  for (const ShownMessage& m : messages.shown()) texts.push_back(m.text);
  EXPECT_EQ(texts, (std::vector<std::string>{range, range, holidayRange, holidayRange}));
}

}  // namespace
