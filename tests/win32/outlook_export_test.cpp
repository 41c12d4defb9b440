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

// Runs `command` of the main window and fills its dialog with `fill`
// before OK.
Step Command(int command, std::function<void(HWND)> fill) {
  return [command, fill](HWND main) {
    RunDialog(
        [&] {
          Choose(main, command);
          return 0;
        },
        {[&](HWND d) {
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

std::vector<std::string> Texts(const MessageCapture& messages) {
  std::vector<std::string> texts;
  for (const ShownMessage& m : messages.shown()) texts.push_back(m.text);
  return texts;
}

TEST(OutlookExport, TheExportAndBothImportsReachOutlook) {
  StandIn outlook;
  // Diaspora; holidays get label 3 ("Personal"), busy status Free.
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
  auto holidays = Command(kCommandImportHolidays, [](HWND d) { Range(d, "1.4.2007", "10.4.2007"); });
  auto birthdays = Command(kCommandImportAnniversaries, [](HWND d) {
    SendDlgItemMessageA(d, IDC_BIRTH_LIST, LB_SETSEL, TRUE, 0);
    SetItemText(d, IDC_BIRTH_FROM, "2010");
    SetItemText(d, IDC_BIRTH_TO, "2011");
  });
  RunProgram({exportDays, exportDays, holidays, holidays, birthdays, birthdays});

  FakeStore store = outlook.Store();
  std::vector<FakeAppointment> days, holidayEntries, birthdayEntries;
  for (const FakeAppointment& a : store.appointments) {
    if (a.subject == L"Birthday: Sarah") {
      birthdayEntries.push_back(a);
    } else if (a.body.empty()) {
      holidayEntries.push_back(a);
    } else {
      days.push_back(a);
    }
  }
  // One entry per day of the export; Pesach I (15 Nisan, 3 April) labelled.
  ASSERT_EQ(days.size(), 3u);
  for (const FakeAppointment& a : days) {
    EXPECT_EQ(a.allDay, 1);
    EXPECT_EQ(a.busyStatus, 0);
    EXPECT_EQ(a.label, a.start == AutomationDate({3, 4, 2007}) ? 3 : -1) << Utf8(a.subject);
  }
  // The holidays of the range, without Erev Pesach, each labelled.
  ASSERT_FALSE(holidayEntries.empty());
  for (const FakeAppointment& a : holidayEntries) {
    EXPECT_GE(a.start, AutomationDate({3, 4, 2007})) << Utf8(a.subject);
    EXPECT_LE(a.start, AutomationDate({10, 4, 2007})) << Utf8(a.subject);
    EXPECT_EQ(a.label, 3) << Utf8(a.subject);
  }
  // Sarah's birthday in 2010 and 2011, once each.
  EXPECT_EQ(birthdayEntries.size(), 2u);
  const std::string range = "Time range 1.4.2007 - 3.4.2007 was imported into Outlook successfully";
  const std::string holidayRange = "Time range 1.4.2007 - 10.4.2007 with " +
                                   std::to_string(holidayEntries.size()) +
                                   " holiday(s) was imported into Outlook successfully";
  EXPECT_EQ(Texts(messages), (std::vector<std::string>{range, range, holidayRange, holidayRange}));
}

}  // namespace
