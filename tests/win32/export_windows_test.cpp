// The export windows on the running program: Ctrl+I's range dialog with
// the stored choices, its checks, "More..." and "Zmanim...", a whole export
// to an iCalendar file against tavlon-export's, Cancel during a long
// export, and the two imports. The save dialog is answered through the
// program's own seam (SetSaveNameHook).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "calendar/anniversary_text.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "resources/export_ids.h"
#include "settings/settings.h"
#include "shell/export_rules.h"
#include "shell/menu_bar.h"
#include "shell/range_dialog.h"
#include "support/scratch_dir.h"
#include "tests/win32/export_harness.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;
using exporttest::MaskStamps;
using exporttest::SaveDialogAnswer;
using exporttest::WindowWatch;

HWND Dialog(const char* title) { return FindWindowA("#32770", title); }
int ComboSelection(HWND d, int id) { return (int)SendDlgItemMessageA(d, id, CB_GETCURSEL, 0, 0); }
bool Enabled(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != FALSE; }

// Milliseconds of processor time this process has used.
unsigned long ProcessorMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) { return ((ULONGLONG)t.dwHighDateTime << 32 | t.dwLowDateTime) / 10000; };
  return (unsigned long)(ms(kernel) + ms(user));
}

std::string Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[32];
  std::snprintf(text, sizeof text, "%d.%d.%d", now.wDay, now.wMonth, now.wYear);
  return text;
}

class ExportWindows : public testing::Test {
 protected:
  ScratchDir dir_;
  MessageCapture messages_;

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& m : messages_.shown()) texts.push_back(m.text);
    return texts;
  }
};

TEST_F(ExportWindows, CtrlIOpensTheRangeWithTodayAndTheStoredChoices) {
  dir_.Write(kSettingsFile,
             "[OutlookExport]\r\nCaptionWithoutHoliday=%G\r\nExportType=2\r\nBusyStatus=2\r\n"
             "ReminderSet=1\r\nReminderMinutesBeforeStart=30\r\nLabel=3\r\n");
  const std::string before = dir_.Read(kSettingsFile);
  bool seen = false;
  RunProgram({
      [](HWND main) { PostKey(main, 'I', true); },
      [&](HWND) {
        SetControlKey(false);
        HWND d = Dialog("Select Range");
        ASSERT_NE(d, nullptr);
        seen = true;
        EXPECT_EQ(ItemText(d, IDC_RANGE_START), Today());
        EXPECT_EQ(ItemText(d, IDC_RANGE_END), Today());
        EXPECT_EQ(ItemText(d, IDC_RANGE_EXTRA), "Include Daf Yomi");
        EXPECT_FALSE(IsChecked(d, IDC_RANGE_EXTRA));
        EXPECT_EQ(ItemText(d, IDC_RANGE_CAPTION_PLAIN), "%G");
        EXPECT_EQ(ItemText(d, IDC_RANGE_CAPTION_HOLIDAY), "%H - %J");
        EXPECT_FALSE(IsChecked(d, IDC_RANGE_OUTLOOK));
        EXPECT_TRUE(IsChecked(d, IDC_RANGE_ICS));
        EXPECT_EQ(ComboSelection(d, IDC_RANGE_BUSY), 3);  // "Busy" = 2
        EXPECT_TRUE(IsChecked(d, IDC_RANGE_REMINDER));
        EXPECT_EQ(ItemText(d, IDC_RANGE_MINUTES), "30");
        EXPECT_EQ(ComboSelection(d, IDC_RANGE_LABEL), 3);
        // The file target: the Outlook options are disabled; choosing
        // Outlook enables them.
        EXPECT_FALSE(Enabled(d, IDC_RANGE_BUSY));
        EXPECT_FALSE(Enabled(d, IDC_RANGE_LABEL));
        Click(d, IDC_RANGE_OUTLOOK);
        EXPECT_TRUE(Enabled(d, IDC_RANGE_BUSY));
        EXPECT_TRUE(Enabled(d, IDC_RANGE_MINUTES));
        Click(d, IDC_RANGE_REMINDER);
        EXPECT_FALSE(Enabled(d, IDC_RANGE_MINUTES));
        EXPECT_TRUE(Enabled(d, IDC_RANGE_LABEL));
        Click(d, IDCANCEL);
      },
  });
  EXPECT_TRUE(seen);
  // Cancel writes nothing (the window keeps [Flags] LeftToRight at exit).
  const std::string after = dir_.Read(kSettingsFile);
  EXPECT_EQ(after.substr(0, before.size()), before);
  EXPECT_EQ(after.find("[OutlookZmanim]"), std::string::npos);
  EXPECT_TRUE(messages_.shown().empty());
}

// Each failing check shows its message, keeps the dialog open and puts the
// focus on its control.
TEST_F(ExportWindows, RangeChecksKeepTheDialogOpen) {
  UseProgramResources();
  struct Row {
    const char* name;
    const char* ini;
    void (*change)(HWND);
    const char* message;
    int control;
  };
  const Row kRows[] = {
      {"caption", "", [](HWND d) { SetItemText(d, IDC_RANGE_CAPTION_PLAIN, "%G %J %H"); },
       "Caption without holiday must not contain more than two parameters", IDC_RANGE_CAPTION_PLAIN},
      {"start date", "", [](HWND d) { SetItemText(d, IDC_RANGE_START, "31.2.2007"); }, "Start date is invalid",
       IDC_RANGE_START},
      {"empty reminder", "[OutlookExport]\r\nReminderSet=1\r\n",
       [](HWND d) { SetItemText(d, IDC_RANGE_MINUTES, ""); }, "A number must be entered", IDC_RANGE_MINUTES},
      {"no target", "[OutlookExport]\r\nExportType=7\r\n", [](HWND) {}, kNoTargetMessage, IDC_RANGE_OUTLOOK},
  };
  for (const Row& row : kRows) {
    ScratchDir dir;
    dir.Write(kSettingsFile, row.ini);
    MessageCapture messages;
    RangeBlock block{};
    ExportCommandOpen({1, 1, 2007}, &block);
    bool focused = false;
    DialogRun run = RunDialog([&] { return RangeDialog(nullptr, &block); },
                              {[&](HWND d) {
                                 row.change(d);
                                 Click(d, IDOK);
                               },
                               [&](HWND d) {
                                 focused = GetFocus() == GetDlgItem(d, row.control);
                                 Click(d, IDCANCEL);
                               }});
    EXPECT_EQ(run.result, 0) << row.name;
    EXPECT_EQ(run.stepsRun, 2) << row.name << ": OK closed the dialog";
    ASSERT_EQ(messages.shown().size(), 1u) << row.name;
    EXPECT_EQ(messages.shown()[0].text, row.message) << row.name;
    EXPECT_EQ(messages.shown()[0].title, "Error") << row.name;
    EXPECT_TRUE(focused) << row.name;
  }
}

// Under handheld emulation the range dialog is "HPCRANGE": it has no
// target or Outlook options, and OK keeps the stored ones.
TEST_F(ExportWindows, HandheldRangeKeepsTheStoredOptions) {
  UseProgramResources();
  dir_.Write(kSettingsFile,
             "[HandheldPC]\r\nEmulate=2\r\n[OutlookExport]\r\nExportType=1\r\nBusyStatus=3\r\n"
             "ReminderSet=1\r\nReminderMinutesBeforeStart=45\r\nLabel=6\r\n");
  RangeBlock block{};
  ExportCommandOpen({1, 1, 2007}, &block);
  bool handheld = false;
  DialogRun run = RunDialog([&] { return RangeDialog(nullptr, &block); },
                            {[&](HWND d) {
                              handheld = !GetDlgItem(d, IDC_RANGE_OUTLOOK) && !GetDlgItem(d, IDC_RANGE_LABEL) &&
                                         GetDlgItem(d, IDC_RANGE_MORE);
                              SetItemText(d, IDC_RANGE_CAPTION_PLAIN, "%G");
                              Click(d, IDOK);
                            }});
  EXPECT_TRUE(handheld);
  ASSERT_EQ(run.result, 1);
  EXPECT_STREQ(block.settings.captionWithoutHoliday, "%G");
  EXPECT_EQ(block.settings.exportType, 1);
  EXPECT_EQ(block.settings.busyStatus, 3);
  EXPECT_EQ(block.settings.reminderSet, 1);
  EXPECT_EQ(block.settings.reminderMinutes, 45);
  EXPECT_EQ(block.settings.label, 6);
  EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(ExportWindows, CancellingMoreKeepsConfirmedZmanim) {
  UseProgramResources();
  IncludeFlags flags;
  for (int& f : flags.flag) f = 1;
  bool zmanimWithoutZmanim = true;
  DialogRun run = RunDialog([&] { return RangeMoreDialog(nullptr, &flags); },
                            {[&](HWND d) {
                               Click(d, IDC_MORE_ZMANIM_BOX);
                               zmanimWithoutZmanim = Enabled(d, IDC_MORE_ZMANIM);
                               Click(d, IDC_MORE_ZMANIM_BOX);
                               Click(d, IDC_MORE_FIRST);  // Hebrew Date off, then Cancel
                               RunDialog(
                                   [&] {
                                     Click(d, IDC_MORE_ZMANIM);
                                     return 0;
                                   },
                                   {[](HWND z) {
                                     Click(z, IDC_ZMANIM_FIRST);       // Alot Hashachar
                                     Click(z, IDC_ZMANIM_FIRST + 12);  // Erev Pesach times
                                     Click(z, IDOK);
                                   }});
                             },
                             [](HWND d) { Click(d, IDCANCEL); }});
  EXPECT_EQ(run.result, 0);
  EXPECT_FALSE(zmanimWithoutZmanim);
  EXPECT_EQ(flags.flag[kIncludeHebrewDate], 1);
  EXPECT_EQ(flags.flag[kIncludeAlotHaShachar], 0);
  EXPECT_EQ(flags.flag[kIncludeErevPesach], 0);
  EXPECT_EQ(flags.flag[kIncludeEarliestTallit], 1);
}

// The same days through the windows and through tavlon-export are the
// same file, but for DTSTAMP and UID.
TEST_F(ExportWindows, IcsExportEqualsTavlonExport) {
  dir_.Write(kSettingsFile, "[Location]\r\nCityName=Jerusalem\r\n[OutlookExport]\r\nLabel=2\r\n");
  dir_.Write("exportcalshab.ini", "[Parasha]\r\nDiasporaFlag=0\r\n");
  SaveDialogAnswer save(dir_.File("days.ics"));
  DWORD elapsed = 0;
  unsigned long processor = 0;
  RunProgram({
      [&](HWND main) {
        RunDialog(
            [&] {
              Choose(main, kCommandExport);
              return 0;
            },
            {[&](HWND d) {
              SetItemText(d, IDC_RANGE_START, "31.12.2025");  // either order
              SetItemText(d, IDC_RANGE_END, "1.1.2016");
              Click(d, IDC_RANGE_EXTRA);
              Click(d, IDC_RANGE_ICS);
              elapsed = GetTickCount();
              processor = ProcessorMs();
              Click(d, IDOK);
            }});
        elapsed = GetTickCount() - elapsed;
        processor = ProcessorMs() - processor;
      },
      [&](HWND main) {  // the name chosen last is offered again
        save.Answer("");
        RunDialog(
            [&] {
              Choose(main, kCommandExport);
              return 0;
            },
            {[](HWND d) { Click(d, IDOK); }});
      },
  });
  ASSERT_EQ(save.offered().size(), 2u);
  EXPECT_EQ(save.offered()[0], "");
  EXPECT_EQ(save.offered()[1], dir_.File("days.ics"));
  EXPECT_EQ(save.extensions()[0], "ics");
  EXPECT_EQ(Texts(), std::vector<std::string>{"Creation of ICS file was successful"});
  const std::string ini = dir_.Read(kSettingsFile);
  for (const char* written : {"ExportType=2", "BusyStatus=1000", "Label=2", "ReminderSet=0",
                              "ReminderMinutesBeforeStart=15", "CaptionWithHoliday=%H - %J", "ErevPesach=1"})
    EXPECT_NE(ini.find(written), std::string::npos) << written;

  const DWORD cliStart = GetTickCount();
  const unsigned long cliProcessor = ProcessorMs();
  CliOptions options;
  options.from = "2016-01-01";
  options.to = "2025-12-31";
  options.output = dir_.File("cli.ics");
  options.dafYomi = 1;
  options.quiet = 1;
  options.configDir = options.dataDir = dir_.path().string();
  ASSERT_EQ(RunCli(options, stdout, stderr, 0), 0);
  const DWORD cliElapsed = GetTickCount() - cliStart;
  std::printf("10 years: %lu ms (%lu ms processor) from OK to the finished file through the windows, "
              "%lu ms (%lu ms processor) in tavlon-export\n",
              (unsigned long)elapsed, processor, (unsigned long)cliElapsed, ProcessorMs() - cliProcessor);
  const std::string windows = dir_.Read("days.ics");
  ASSERT_GT(windows.size(), 1000000u);
  // tavlon-export also names the calendar for calendar apps (and its UIDs,
  // masked here, are stable ones); everything else is the same.
  std::string cli = MaskStamps(dir_.Read("cli.ics"));
  for (const char* name : {"\r\nX-WR-CALNAME:", "\r\nNAME:"}) {
    const size_t at = cli.find(name);
    ASSERT_NE(at, std::string::npos) << name + 2;
    size_t end = cli.find("\r\n", at + 2);
    while (end != std::string::npos && cli.compare(end, 3, "\r\n ") == 0) end = cli.find("\r\n", end + 2);
    cli.erase(at, end - at);
  }
  EXPECT_TRUE(MaskStamps(windows) == cli);
}

// Without an Outlook in the system, the export and the holiday import say
// why Outlook could not be opened, then the one summary; no file is asked for.
TEST_F(ExportWindows, OutlookTargetSaysItIsMissing) {
  dir_.Write("exportcalshab.ini", "[Parasha]\r\nDiasporaFlag=1\r\n");
  SaveDialogAnswer save(dir_.File("never.ics"));
  for (int command : {kCommandExport, kCommandImportHolidays}) {
    RunProgram({[&](HWND main) {
      RunDialog(
          [&] {
            Choose(main, command);
            return 0;
          },
          {[](HWND d) {
            SetItemText(d, IDC_RANGE_START, "1.4.2007");  // holds Pesach
            SetItemText(d, IDC_RANGE_END, "10.4.2007");
            Click(d, IDC_RANGE_OUTLOOK);
            Click(d, IDOK);
          }});
    }});
  }
  const std::string missing = "CLSIDFromProgID of Outlook.Application failed, hresult = 800401F3hex";
  const std::string summary = "An error with Outlook has occurred";
  EXPECT_EQ(Texts(), (std::vector<std::string>{missing, summary, missing, summary}));
  EXPECT_TRUE(save.offered().empty());
  EXPECT_FALSE(ReadFileState(dir_.File("never.ics")).exists);
}

// Cancel while a long export runs: it stops within a moment, says so, and
// the earlier file of that name is left as it was.
TEST_F(ExportWindows, CancelStopsALongExportAndKeepsTheEarlierFile) {
  dir_.Write(kSettingsFile, "[OutlookExport]\r\nExportType=2\r\n");
  dir_.Write("old.ics", "earlier file");
  SaveDialogAnswer save(dir_.File("old.ics"));
  DWORD cancelledAt = 0;
  std::string shown;
  WindowWatch watch("Please wait...", [&](HWND w) {
    shown = ItemText(w, IDC_WAIT_TEXT);
    if (shown.find("calculating day") == std::string::npos) return false;
    // The run lets messages through (this watch is a timer) with the main
    // window disabled as under a modal dialog.
    HWND main = GetWindow(w, GW_OWNER);
    EXPECT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main));
    cancelledAt = GetTickCount();
    Click(w, IDCANCEL);
    return true;
  });
  DWORD endedAt = 0;
  RunProgram({[&](HWND main) {
    RunDialog(
        [&] {
          Choose(main, kCommandExport);
          return 0;
        },
        {[&](HWND d) {
          SetItemText(d, IDC_RANGE_START, "1.1.1900");
          SetItemText(d, IDC_RANGE_END, "31.12.2099");
          Click(d, IDOK);
        }});
    endedAt = GetTickCount();
    EXPECT_TRUE(IsWindowEnabled(main));
  }});
  ASSERT_TRUE(watch.done());
  EXPECT_LT(endedAt - cancelledAt, 1000u);
  EXPECT_EQ(Texts(), std::vector<std::string>{kExportCancelledMessage});
  EXPECT_EQ(dir_.Read("old.ics"), "earlier file");
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    const std::string name = entry.path().filename().string();
    if (name != "old.ics") EXPECT_EQ(name.find(".ics"), std::string::npos) << name << " left behind";
  }
}

// Erev Pesach (14 Nisan 5767) is never a holiday of its own; 22 Nisan is
// Isru Chag in Israel but Pesach VIII in the Diaspora.
TEST_F(ExportWindows, HolidayImportSkipsEvesAndIsruChag) {
  struct Row {
    const char* name;
    const char* diaspora;
    const char* day;
    const char* summary;  // nullptr: "No holidays to import"
  };
  const Row kRows[] = {
      {"Erev Pesach", "1", "2.4.2007", nullptr},
      {"22 Nisan in Israel", "0", "10.4.2007", nullptr},
      {"22 Nisan in the Diaspora", "1", "10.4.2007", "SUMMARY:Pesach VIII (Diaspora)\r\n"},
  };
  for (const Row& row : kRows) {
    ScratchDir dir;
    MessageCapture messages;
    dir.Write(kSettingsFile, "[OutlookExport]\r\nLabel=2\r\n");
    dir.Write("exportcalshab.ini", std::string("[Parasha]\r\nDiasporaFlag=") + row.diaspora + "\r\n");
    SaveDialogAnswer save(dir.File("holidays.ics"));
    RunProgram({[&](HWND main) {
      RunDialog(
          [&] {
            Choose(main, kCommandImportHolidays);
            return 0;
          },
          {[&](HWND d) {
            EXPECT_EQ(WindowText(d), "Select Range");
            SetItemText(d, IDC_RANGE_START, row.day);
            SetItemText(d, IDC_RANGE_END, row.day);
            Click(d, IDC_RANGE_ICS);
            Click(d, IDOK);
          }});
    }});
    ASSERT_EQ(messages.shown().size(), 1u) << row.name;
    if (!row.summary) {
      EXPECT_EQ(messages.shown()[0].text, "No holidays to import") << row.name;
      EXPECT_TRUE(save.offered().empty()) << row.name;
      continue;
    }
    EXPECT_EQ(messages.shown()[0].text, "Creation of ICS file was successful") << row.name;
    const std::string ics = dir.Read("holidays.ics");
    EXPECT_NE(ics.find(row.summary), std::string::npos) << row.name << ":\n" << ics;
    EXPECT_EQ(ics.find('#'), std::string::npos) << row.name << ": label marker written";
    EXPECT_NE(dir.Read(kSettingsFile).find("ExportType=2"), std::string::npos) << row.name;
  }
}

// The anniversary import: nothing selected is refused; the text table and
// the iCalendar file get the chosen entry over the chosen years.
TEST_F(ExportWindows, AnniversaryImportToTextAndIcs) {
  AnniversaryList list;
  AnniversaryRecord sarah{0, "Sarah", {14, 3, 1990}, 0, 'B'};
  AnniversaryRecord moshe{0, "Moshe", {2, 11, 1985}, 1, 'Y'};
  AnniversaryListPut(&list, &sarah);
  AnniversaryListPut(&list, &moshe);
  char path[1024];
  ASSERT_TRUE(AnniversaryFilePath(path, sizeof path));
  ASSERT_TRUE(AnniversaryListSave(&list, path));
  SaveDialogAnswer save(dir_.File("birthdays.ics"));

  std::vector<std::string> lines;
  auto choose = [&](HWND d, int target) {
    lines.clear();
    HWND box = GetDlgItem(d, IDC_BIRTH_LIST);
    for (int i = 0; i < (int)SendMessageA(box, LB_GETCOUNT, 0, 0); ++i) {
      char text[300] = "";
      SendMessageA(box, LB_GETTEXT, i, (LPARAM)text);
      lines.push_back(text);
    }
    SendMessageA(box, LB_SETSEL, TRUE, 0);  // "Birthday: Sarah", sorted first
    SetItemText(d, IDC_BIRTH_FROM, "2011");
    SetItemText(d, IDC_BIRTH_TO, "2010");
    Click(d, target);
  };
  RunProgram({
      [&](HWND main) {
        RunDialog(
            [&] {
              Choose(main, kCommandImportAnniversaries);
              return 0;
            },
            {[&](HWND d) {
               EXPECT_TRUE(IsChecked(d, IDC_BIRTH_OUTLOOK));
               EXPECT_FALSE(Enabled(d, IDC_BIRTH_FILENAME));
               Click(d, IDOK);  // nothing selected
             },
             [&](HWND d) {
               EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_BIRTH_LIST));
               choose(d, IDC_BIRTH_TEXT);
               EXPECT_TRUE(Enabled(d, IDC_BIRTH_FILENAME));
               EXPECT_FALSE(Enabled(d, IDC_BIRTH_BUSY));
               Click(d, IDC_BIRTH_BROWSE);
               EXPECT_EQ(ItemText(d, IDC_BIRTH_FILENAME), dir_.File("birthdays.ics"));
               SetItemText(d, IDC_BIRTH_FILENAME, dir_.File("dates.txt"));
               Click(d, IDC_BIRTH_SORT_NAMES);
               Click(d, IDOK);
             }});
      },
      [&](HWND main) {
        RunDialog(
            [&] {
              Choose(main, kCommandImportAnniversaries);
              return 0;
            },
            {[&](HWND d) {
              choose(d, IDC_BIRTH_ICS);
              Click(d, IDOK);
            }});
      },
  });
  EXPECT_EQ(lines, (std::vector<std::string>{"Birthday: Sarah", "Yahrzeit: Moshe"}));
  ASSERT_GE(messages_.shown().size(), 3u);
  EXPECT_EQ(messages_.shown()[0].text, "At least one entry has to be selected in the list");
  EXPECT_EQ(messages_.shown().back().text, "Creation of ICS file was successful");
  ASSERT_EQ(save.extensions().size(), 2u);
  EXPECT_EQ(save.extensions()[0], "txt");

  // The table of the text file is the table for Sarah, 2010-2011, by name.
  AnniversaryList loaded;
  AnniversaryListLoad(&loaded, path);
  const char kSarah[] = "BSarah\0";
  std::string table;
  AnniversaryTextTable(&loaded, kSarah, sizeof kSarah, 2010, 2011, kAnniversarySortName, &table);
  EXPECT_EQ(dir_.Read("dates.txt"), table);
  // Sarah was born on 17 Adar 5750, three days after Purim (11 March
  // 1990). Purim fell on 28 February 2010 and, in the leap year 5771, on
  // 14 Adar II = 20 March 2011: her birthdays are 3 March 2010 and, in the
  // last Adar, 23 March 2011.
  const std::string ics = dir_.Read("birthdays.ics");
  EXPECT_NE(ics.find("DTSTART;VALUE=DATE:20100303\r\n"), std::string::npos) << ics;
  EXPECT_NE(ics.find("DTSTART;VALUE=DATE:20110323\r\n"), std::string::npos) << ics;
  EXPECT_NE(ics.find("SUMMARY:Birthday: Sarah\r\n"), std::string::npos);
  EXPECT_EQ(ics.find("Moshe"), std::string::npos);
}

}  // namespace
