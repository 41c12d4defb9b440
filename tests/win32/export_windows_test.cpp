// The export windows on the running program: Ctrl+I's export to an
// iCalendar file against tavlon-export's, and Cancel during a long export.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "resources/export_ids.h"
#include "settings/settings.h"
#include "shell/export_ics.h"
#include "shell/export_rules.h"
#include "shell/menu_bar.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;

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
