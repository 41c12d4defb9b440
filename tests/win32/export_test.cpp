// Exporting. The Outlook target against the stand-in servers of
// tests/fakes: the calls of a day with their types and texts, earlier
// entries replaced (in and out of process), one message per kind of
// failure, labels as categories, Cancel. The running program's export and
// both imports into Outlook; Ctrl+I's export to an iCalendar file against
// tavlon-export's, and Cancel during a long export.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "calendar/anniversary_text.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "fakes/fake_store.h"
#include "fakes/stand_in.h"
#include "outlook/outlook.h"
#include "outlook/outlook_rules.h"
#include "resources/export_ids.h"
#include "settings/settings.h"
#include "shell/export_ics.h"
#include "shell/export_rules.h"
#include "shell/menu_bar.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;
using namespace standin;

// The days of an import with their captions; every note is "Notes".
struct Days {
  std::vector<CalDate> dates;
  std::vector<std::string> captions;
  int labels = 1;  // 0: captions whole, as the plain import sends them

  int Import(int busy = 1000, int reminder = 0, int minutes = 15, OutlookProgress progress = nullptr,
             void* context = nullptr) const {
    std::vector<const char*> c, n;
    for (const std::string& caption : captions) {
      c.push_back(caption.c_str());
      n.push_back("Notes");
    }
    return ImportIntoOutlookWith(nullptr, dates.data(), c.data(), n.data(), busy, reminder, minutes,
                                 (int)dates.size(), labels, progress, context);
  }
};

std::string Shown(const MessageCapture& messages) {
  std::string all;
  for (const ShownMessage& m : messages.shown()) all += m.text + "\n";
  return all;
}

std::wstring Start(CalDate day) { return std::to_wstring((long)AutomationDate(day)); }

std::vector<std::wstring> SubjectsOn(const FakeStore& store, CalDate day) {
  std::vector<std::wstring> subjects;
  for (const FakeAppointment& a : store.appointments) {
    if (a.Get(L"Start") == Start(day)) subjects.push_back(a.Get(L"Subject"));
  }
  std::sort(subjects.begin(), subjects.end());
  return subjects;
}

// A day imported twice: its calls in order with their types (the first
// row), what Outlook keeps (a property never put is left out), and the
// entry found again and replaced.
TEST(OutlookImport, ADayArrivesAndIsFoundAgain) {
  struct Row {
    const char* settings;
    const char* caption;
    int busy, reminder, minutes;
    std::wstring stored;
    std::vector<std::string> calls;
  } rows[] = {
      {"", "Pesach II - 27 Nisan#3", 2, 1, 30,
       L"AllDayEvent=1; Body=Notes; BusyStatus=2; Label=3; ReminderMinutesBeforeStart=30; ReminderSet=1; "
       L"Start=39187; Subject=Pesach II - 27 Nisan",
       {"Application.GetNameSpace method(VT_BSTR)", "NameSpace.GetDefaultFolder method(VT_I4)",
        "Folder.Items get()", "Session.Logon method(VT_BSTR, VT_BSTR, VT_BOOL, VT_BOOL)",
        "Items.Restrict method(VT_BSTR)", "Items.Count get()", "Items.Add get+method(VT_I4)",
        "Appointment.AllDayEvent put(VT_BOOL)", "Appointment.Start put(VT_DATE)",
        "Appointment.Subject put(VT_BSTR)", "Appointment.Body put(VT_BSTR)",
        "Appointment.BusyStatus put(VT_I4)", "Appointment.ReminderMinutesBeforeStart put(VT_I4)",
        "Appointment.ReminderSet put(VT_BOOL)", "Appointment.Save method()", "Appointment.EntryID get()",
        "Appointment.Parent get()", "Folder.StoreID get()", "Session.GetMessage method(VT_BSTR, VT_BSTR)",
        "Message.Fields get()", "Fields.Item method(VT_BSTR, VT_BSTR)",
        "Fields.Add method(VT_BSTR, VT_I4, VT_I4, VT_BSTR)", "Message.Update method(VT_BOOL, VT_BOOL)",
        "Session.Logoff method()"}},
      {"", "27 Nisan - 15.4.2007", 1000, 0, 45,
       L"AllDayEvent=1; Body=Notes; ReminderSet=0; Start=39187; Subject=27 Nisan - 15.4.2007", {}},
      // Hebrew in visual order with Windows-1255's en dash: Unicode in
      // reading order, and found again as such.
      {"[Flags]\r\nHebrewFlag=1\r\n", "\xE4\xEB\xE5\xF0\xE7 \x96 \xE4\"\xEB#2", 1000, 0, 15,
       L"AllDayEvent=1; Body=Notes; Label=2; ReminderSet=0; Start=39187; "
       L"Subject=\u05D7\u05E0\u05D5\u05DB\u05D4 \u2013 \u05DB\"\u05D4", {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.caption);
    StandIn outlook;
    outlook.dir().Write(kSettingsFile, r.settings);
    MessageCapture messages;
    Days days{{{15, 4, 2007}}, {r.caption}};
    ASSERT_EQ(days.Import(r.busy, r.reminder, r.minutes), 1) << Shown(messages);
    if (!r.calls.empty()) {
      EXPECT_EQ(outlook.TakeLog(), r.calls);
    }
    ASSERT_EQ(days.Import(r.busy, r.reminder, r.minutes), 1) << Shown(messages);
    EXPECT_EQ(LastOutlookRun().deleted, 1);
    EXPECT_EQ(Shown(messages), "");
    FakeStore store = outlook.Store();
    ASSERT_EQ(store.appointments.size(), 1u);
    EXPECT_EQ(Record(store.appointments[0]), r.stored);
  }
}

// Earlier entries go when start and subject (in any case) are the export's;
// the user's own entry and next year's stay.
TEST(OutlookImport, ExportingTwiceLeavesOneEntryPerDay) {
  struct Row {
    int restricted, outOfProcess, walked;
  } rows[] = {{1, 0, 4}, {0, 0, 5}, {1, 1, 4}};
  const Days holidays{{{1, 4, 2007}, {2, 4, 2007}, {3, 4, 2007}},
                      {"13 Nisan - 1.4.2007", "Erev Pesach - 14 Nisan#2", "Pesach I - 15 Nisan#2"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "restricted " << r.restricted << ", out of process " << r.outOfProcess);
    StandIn outlook;
    if (r.outOfProcess) {
      RegisterProgId(L"Outlook.Application", kFakeLocalOutlookClsid);
      RegisterProgId(L"MAPI.Session", kFakeLocalSessionClsid);
    }
    FakeStore calendar;
    const std::wstring day2 = Start({2, 4, 2007});
    calendar.appointments = {{1, {{L"Start", day2}, {L"Subject", L"DENTIST"}}},
                             {2, {{L"Start", day2}, {L"Subject", L"erev pesach - 14 nisan"}}},
                             {4, {{L"Start", Start({2, 4, 2008})}, {L"Subject", L"Erev Pesach - 14 Nisan"}}}};
    outlook.Prepare(calendar);
    MessageCapture messages;
    SetRestrictedWalk(r.restricted);
    ASSERT_EQ(holidays.Import(), 1) << Shown(messages);
    EXPECT_EQ(LastOutlookRun().deleted, 1);
    ASSERT_EQ(holidays.Import(), 1) << Shown(messages);
    EXPECT_EQ(LastOutlookRun().deleted, 3);
    EXPECT_EQ(LastOutlookRun().walked, r.walked);
    FakeStore store = outlook.Store();
    EXPECT_EQ(SubjectsOn(store, {1, 4, 2007}), std::vector<std::wstring>{L"13 Nisan - 1.4.2007"});
    EXPECT_EQ(SubjectsOn(store, {2, 4, 2007}), (std::vector<std::wstring>{L"DENTIST", L"Erev Pesach - 14 Nisan"}));
    EXPECT_EQ(SubjectsOn(store, {3, 4, 2007}), std::vector<std::wstring>{L"Pesach I - 15 Nisan"});
    EXPECT_EQ(store.appointments.size(), 5u);
    EXPECT_EQ(std::count_if(store.appointments.begin(), store.appointments.end(),
                            [](const FakeAppointment& a) { return a.Get(L"Label") == L"2"; }), 2);
    EXPECT_EQ(Shown(messages), "");
  }
  SetRestrictedWalk(1);
}

TEST(OutlookImport, AFailureIsShownOnceWithItsHresult) {
  const std::string add = "Items.Add get+method(VT_I4)";
  struct Row {
    const wchar_t* fail;  // nullptr: no Outlook at all
    const char* message;
    int result;
    long saved, labelled;
    std::string counted;
    long times;  // calls of `counted`
  } rows[] = {
      {L"Appointment.Save invoke 80004005", "Invoke for Save of CalendarFolder failed, hresult = 80004005hex",
       0, 0, 0, add, 4},
      {L"Appointment.Body ids 80020006",
       "GetIDsOfNames for Body of CalendarFolder failed, hresult = 80020006hex", 0, 4, 4, add, 4},
      {L"Appointment.Subject invoke 8004010F exception",
       "Invoke for Subject of CalendarFolder failed, hresult = 8004010Fhex", 0, 4, 4, add, 4},
      // Outlook gone (RPC_S_SERVER_UNAVAILABLE): the run stops there.
      {L"Appointment.Save invoke 800706BA", "Invoke for Save of CalendarFolder failed, hresult = 800706BAhex",
       0, 0, 0, add, 1},
      // A failed label: the entries are saved, labels stop for the run.
      {L"Message.Update invoke 80040605", "Message.Update failed, error code 80040605hex", 1, 4, 0,
       "Message.Update method(VT_BOOL, VT_BOOL)", 1},
      {nullptr, "CLSIDFromProgID of Outlook.Application failed, hresult = 800401F3hex", 0, 0, 0, add, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.message);
    StandIn outlook;
    r.fail ? SetSetting(L"Fail", r.fail) : UnregisterProgId(L"Outlook.Application");
    MessageCapture messages;
    Days days{{{1, 5, 2007}, {2, 5, 2007}, {3, 5, 2007}, {4, 5, 2007}}, {"day#1", "day#1", "day#1", "day#1"}};
    EXPECT_EQ(days.Import(), r.result);
    EXPECT_EQ(Shown(messages), std::string(r.message) + "\n");
    FakeStore store = outlook.Store();
    EXPECT_EQ((long)store.appointments.size(), r.saved);
    EXPECT_EQ(std::count_if(store.appointments.begin(), store.appointments.end(),
                            [](const FakeAppointment& a) { return a.Get(L"Label") == L"1"; }), r.labelled);
    std::vector<std::string> log = outlook.TakeLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), r.counted), r.times);
  }
}

// Where Outlook has no label session, labels become categories, added to
// the user's list with their colour when missing.
TEST(OutlookImport, WithoutTheLabelSessionLabelsBecomeCategories) {
  StandIn outlook;
  UnregisterProgId(L"MAPI.Session");
  FakeStore calendar;
  calendar.categories = {{L"Business", 23}};  // the user's own colour stays
  outlook.Prepare(calendar);
  MessageCapture messages;
  Days days{{{1, 5, 2007}, {2, 5, 2007}, {3, 5, 2007}, {4, 5, 2007}}, {"first#3", "again#3", "second#2", "plain"}};
  ASSERT_EQ(days.Import(), 1) << Shown(messages);
  EXPECT_EQ(Shown(messages), "");
  EXPECT_EQ(LastOutlookRun().labelMode, 2);
  FakeStore store = outlook.Store();
  EXPECT_EQ(store.categories, (std::vector<std::pair<std::wstring, int>>{{L"Business", 23}, {L"Personal", 5}}));
  std::vector<std::wstring> categories;
  for (const FakeAppointment& a : store.appointments) categories.push_back(a.Get(L"Categories"));
  EXPECT_EQ(categories, (std::vector<std::wstring>{L"Personal", L"Personal", L"Business", L""}));
}

TEST(OutlookImport, CancelKeepsTheDaysAddedSoFar) {
  StandIn outlook;
  MessageCapture messages;
  Days days{{{1, 6, 2007}, {2, 6, 2007}, {3, 6, 2007}, {4, 6, 2007}}, {"a #1", "b #1", "c #1", "d #1"}, 0};
  days.Import();
  std::vector<std::string> texts;
  auto progress = [](void* context, const char* text, int, int) {
    auto* seen = (std::vector<std::string>*)context;
    seen->push_back(text);
    return seen->size() < 4 ? 1 : 0;  // Cancel while day 3 is announced
  };
  EXPECT_EQ(days.Import(1000, 0, 15, progress, &texts), 1);
  EXPECT_EQ(texts, (std::vector<std::string>{"Importing...", "Importing date 1 of 4", "Importing date 2 of 4",
                                             "Importing date 3 of 4", "Importing into Outlook finished"}));
  EXPECT_EQ(LastOutlookRun().cancelled, 1);
  EXPECT_EQ(LastOutlookRun().deleted, 4) << "the first run's entries, captions whole";
  EXPECT_EQ(SubjectsOn(outlook.Store(), {2, 6, 2007}), std::vector<std::wstring>{L"b #1"});
  EXPECT_EQ(outlook.Store().appointments.size(), 2u);
}

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

TEST(OutlookExport, TheExportAndBothImportsReachOutlookOrText) {
  StandIn outlook;
  // Diaspora; holidays get label 3, busy status Free.
  outlook.dir().Write(kSettingsFile, "[OutlookExport]\r\nLabel=3\r\nBusyStatus=0\r\n");
  outlook.dir().Write("exportcalshab.ini", "[Parasha]\r\nDiasporaFlag=1\r\n");
  AnniversaryList list;
  AnniversaryRecord sarah{0, "Sarah", {14, 3, 1990}, 0, 'B'};
  AnniversaryRecord moshe{0, "Moshe", {2, 11, 1985}, 1, 'Y'};
  AnniversaryListPut(&list, &sarah);
  AnniversaryListPut(&list, &moshe);
  ASSERT_TRUE(AnniversaryListSave(&list, outlook.dir().File(kAnniversaryFileName).c_str()));
  MessageCapture messages;
  auto exportDays = Command(kCommandExport, [](HWND d) { Range(d, "3.4.2007", "1.4.2007"); });
  auto importHolidays = Command(kCommandImportHolidays, [](HWND d) { Range(d, "1.4.2007", "10.4.2007"); });
  // "Birthday: Sarah" (sorted first), 2010 and 2011; to a text file with
  // the years in either order, the file name and the order read.
  auto importSarah = [&](bool toText) {
    return Command(kCommandImportAnniversaries, [&, toText](HWND d) {
      SendDlgItemMessageA(d, IDC_BIRTH_LIST, LB_SETSEL, TRUE, 0);
      SetItemText(d, IDC_BIRTH_FROM, toText ? "2011" : "2010");
      SetItemText(d, IDC_BIRTH_TO, toText ? "2010" : "2011");
      if (!toText) return;
      Click(d, IDC_BIRTH_TEXT);
      SetItemText(d, IDC_BIRTH_FILENAME, outlook.dir().File("dates.txt"));
      Click(d, IDC_BIRTH_SORT_NAMES);
    });
  };
  RunProgram({exportDays, exportDays, importHolidays, importHolidays, importSarah(false), importSarah(false),
              importSarah(true)});

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
  const std::string written = "Data was exported to file \"" + outlook.dir().File("dates.txt") + "\"";
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{range, range, holidayRange, holidayRange, written}));
  const char kSarah[] = "BSarah\0";
  std::string table;
  AnniversaryTextTable(&list, kSarah, sizeof kSarah, 2010, 2011, kAnniversarySortName, &table);
  EXPECT_EQ(outlook.dir().Read("dates.txt"), table);
}

std::string Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return std::to_string(now.wDay) + "." + std::to_string(now.wMonth) + "." + std::to_string(now.wYear);
}

// A step on the range dialog, once the loop has opened it.
Step OnRange(std::function<void(HWND)> act) {
  return [act](HWND) {
    HWND range = FindDialog("Select Range");
    if (!range) return RetryStep();
    act(range);
  };
}

// The save dialogs are answered through the program's seam with
// g_savePath ("" cancels); the names they offered are kept.
std::string g_savePath;
std::vector<std::string> g_offered;

int AnswerSave(HWND, const char*, char* path, int size) {
  g_offered.push_back(path);
  lstrcpynA(path, g_savePath.c_str(), size);
  return !g_savePath.empty();
}

class ExportWindows : public testing::Test {
 protected:
  void SetUp() override {
    g_offered.clear();
    SetSaveNameHook(AnswerSave);
  }
  void TearDown() override { SetSaveNameHook(nullptr); }
  ScratchDir dir_;
  MessageCapture messages_;
};

// The iCalendar text without the lines that change from run to run
// (DTSTAMP, UID) and the calendar's name, which tavlon-export adds for
// calendar apps.
std::string Comparable(const std::string& ics) {
  std::string out;
  for (size_t start = 0, end; start < ics.size(); start = end) {
    end = std::min(ics.find("\r\n", start), ics.size() - 2) + 2;
    const std::string line = ics.substr(start, end - start);
    bool varies = false;
    for (const char* name : {"DTSTAMP:", "UID:", "X-WR-CALNAME:", "NAME:"}) varies = varies || line.rfind(name, 0) == 0;
    if (!varies) out += line;
  }
  return out;
}

// Ctrl+I opens the range on today with the stored target; the same days
// through the windows and through tavlon-export are the same file but for
// DTSTAMP and UID; the name saved last is offered again; the holiday
// import follows the readings' custom; Ctrl+X ends the program.
TEST_F(ExportWindows, CtrlIExportEqualsTavlonExport) {
  dir_.Write(kSettingsFile, "[Location]\r\nCityName=Jerusalem\r\n[OutlookExport]\r\nExportType=2\r\n");
  dir_.Write("exportcalshab.ini", "[Parasha]\r\nDiasporaFlag=0\r\n");
  g_savePath = dir_.File("days.ics");
  std::vector<std::string> opened;
  ProgramRun run = RunProgram({
      [](HWND main) { TypeKey(main, 'I', VK_CONTROL); },
      OnRange([&](HWND d) {
        HWND busy = GetDlgItem(d, IDC_RANGE_BUSY);
        opened = {ItemText(d, IDC_RANGE_START), ItemText(d, IDC_RANGE_END),
                  IsChecked(d, IDC_RANGE_ICS) ? "ICS" : "-", IsWindowEnabled(busy) ? "busy" : "-"};
        Click(d, IDC_RANGE_OUTLOOK);
        opened.push_back(IsWindowEnabled(busy) ? "busy" : "-");
        Click(d, IDC_RANGE_ICS);
        SetItemText(d, IDC_RANGE_START, "31.12.2025");  // either order
        SetItemText(d, IDC_RANGE_END, "1.1.2016");
        Click(d, IDC_RANGE_EXTRA);
        Click(d, IDOK);
      }),
      [&](HWND) {  // until the export has said it is done
        if (messages_.shown().empty()) RetryStep();
      },
      [&](HWND main) {
        g_savePath = "";
        TypeKey(main, 'I', VK_CONTROL);
      },
      OnRange([](HWND d) { Click(d, IDOK); }),
      [](HWND main) {  // 22 Nisan: Isru Chag in Israel, no holiday (Pesach VIII abroad)
        RunCommand(main, kCommandImportHolidays, {[](HWND d) {
          SetItemText(d, IDC_RANGE_START, "10.4.2007");
          SetItemText(d, IDC_RANGE_END, "10.4.2007");
          Click(d, IDOK);
        }});
      },
      [](HWND main) { TypeKey(main, 'X', VK_CONTROL); },
      [](HWND) { ADD_FAILURE() << "Ctrl+X left the window open"; },
  });
  EXPECT_FALSE(run.closedByHarness) << "stopped after step " << run.stepsRun;
  EXPECT_EQ(opened, (std::vector<std::string>{Today(), Today(), "ICS", "-", "busy"}));
  EXPECT_EQ(g_offered, (std::vector<std::string>{"", dir_.File("days.ics")}));
  EXPECT_EQ(messages_.texts(),
            (std::vector<std::string>{"Creation of ICS file was successful", "No holidays to import"}));
  const std::string ini = dir_.Read(kSettingsFile);
  for (const char* written : {"CaptionWithHoliday=%H - %J", "ErevPesach=1"})
    EXPECT_NE(ini.find(written), std::string::npos) << written;

  CliOptions options;
  options.from = "2016-01-01";
  options.to = "2025-12-31";
  options.output = dir_.File("cli.ics");
  options.dafYomi = 1;
  options.quiet = 1;
  options.configDir = options.dataDir = dir_.path().string();
  ASSERT_EQ(RunCli(options, stdout, stderr, 0), 0);
  const std::string windows = dir_.Read("days.ics");
  ASSERT_GT(windows.size(), 1000000u);
  EXPECT_TRUE(Comparable(windows) == Comparable(dir_.Read("cli.ics")));
}

// Cancel while a long export runs: it stops within a moment with the main
// window disabled until then, says so, and leaves the earlier file of that
// name as it was and no other.
TEST_F(ExportWindows, CancelStopsALongExportAndKeepsTheEarlierFile) {
  dir_.Write(kSettingsFile, "[OutlookExport]\r\nExportType=2\r\n");
  dir_.Write("old.ics", "earlier file");
  g_savePath = dir_.File("old.ics");
  DWORD cancelledAt = 0, endedAt = 0;
  bool mainDisabled = false, mainEnabledAfter = false;
  RunProgram({[&](HWND main) {
    auto range = [&] {
      return RunCommand(main, kCommandExport, {[](HWND d) {
               SetItemText(d, IDC_RANGE_START, "1.1.1900");
               SetItemText(d, IDC_RANGE_END, "31.12.2099");
               Click(d, IDOK);
             }}).stepsRun;
    };
    RunDialog(range, {[&](HWND wait) {
                if (ItemText(wait, IDC_WAIT_TEXT).find("calculating day") == std::string::npos)
                  return RetryStep();
                mainDisabled = !IsWindowEnabled(main);
                cancelledAt = GetTickCount();
                Click(wait, IDCANCEL);
              }},
              "Please wait...");
    endedAt = GetTickCount();
    mainEnabledAfter = IsWindowEnabled(main);
  }});
  ASSERT_NE(cancelledAt, 0u) << "the export ended before it could be cancelled";
  EXPECT_LT(endedAt - cancelledAt, 1000u);
  EXPECT_TRUE(mainDisabled);
  EXPECT_TRUE(mainEnabledAfter);
  EXPECT_EQ(messages_.texts(), std::vector<std::string>{kExportCancelledMessage});
  EXPECT_EQ(dir_.Read("old.ics"), "earlier file");
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "old.ics" || name.find(".ics") == std::string::npos) << name << " left behind";
  }
}

}  // namespace
