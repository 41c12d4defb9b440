// The Settings menu's commands on the running program: each opens its
// window in the layout [HandheldPC] Emulate picks, Cancel writes no
// settings, and the main window is enabled again afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/settings_ids.h"
#include "settings/settings.h"
#include "shell/menu_bar.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"
#include "tests/win32/settings_harness.h"

namespace {

using namespace win32test;

struct CommandRow {
  int command;
  const char* title;
  int width;          // the template's width in dialog units
  int handheldWidth;  // the same under [HandheldPC] Emulate=1
  std::vector<int> controls;  // what the procedure works with, in both layouts
};

const CommandRow kCommands[] = {
    {kCommandSelectLocation, "Select Location", 280, 300,
     {IDC_LOC_LIST, IDC_LOC_INFO, IDC_LOC_ADD, IDC_LOC_MODIFY, IDC_LOC_REMOVE, IDOK, IDCANCEL}},
    {kCommandDaylightSaving, "Daylight Savings Time", 280, 280, {IDOK, IDCANCEL}},  // one layout
    {kCommandShabbatTime, "Shabbat Time Preferences", 220, 260,
     {IDC_SHABBAT_CANDLE, IDC_SHABBAT_BY_MINUTES, IDC_SHABBAT_HAVDALAH,
      IDC_SHABBAT_HAVDALAH_LABEL, IDC_SHABBAT_BY_DEGREES, IDC_SHABBAT_DEGREES,
      IDC_SHABBAT_DEGREES_LABEL, IDOK, IDCANCEL}},
    {kCommandConfigureZmanim, "Configure Zmanim", 240, 392,
     {IDC_ZMANIM_LIST0, IDC_ZMANIM_LIST0 + 8, IDC_ZMANIM_LABEL0 + 8, IDOK, IDCANCEL}},
    {kCommandReadings, "Readings and Holidays", 180, 180, {IDOK, IDCANCEL}},  // one layout
    {kCommandAnniversaries, "Anniversaries", 276, 380,
     {IDC_ANNI_NAMES, IDC_ANNI_ADD, IDC_ANNI_MODIFY, IDC_ANNI_REMOVE, IDC_ANNI_FROM, IDC_ANNI_TO,
      IDC_ANNI_RESULT, IDC_ANNI_COPY, IDCANCEL}},
};

TEST(SettingsCommands, EachOpensItsWindowAndCancelWritesNothing) {
  for (int handheld = 0; handheld <= 1; ++handheld) {
    ScratchDir dir;
    MessageCapture messages;
    dir.Write(kSettingsFile, handheld ? "[HandheldPC]\r\nEmulate=1\r\n" : "");
    for (const CommandRow& row : kCommands) {
      std::string title;
      std::vector<int> missing;
      int width = 0, expected = 0;
      bool mainEnabled = false;
      std::string before, after;  // the three settings files
      auto files = [&] {
        return dir.Read(kSettingsFile) + "|" + dir.Read("daylight.ini") + "|" +
               dir.Read("exportcalshab.ini");
      };
      DialogRun dialog{};
      RunProgram({[&](HWND main) {
        before = files();  // as the start-up left them
        dialog = RunDialog(
            [&] {
              Choose(main, row.command);
              return 0;
            },
            {[&](HWND d) {
              title = WindowText(d);
              for (int id : row.controls)
                if (!GetDlgItem(d, id)) missing.push_back(id);
              width = ClientWidth(d);
              expected = UnitsToPixels(d, handheld ? row.handheldWidth : row.width);
              Click(d, IDCANCEL);
            }});
        mainEnabled = IsWindowEnabled(main) != 0;
        after = files();
      }});
      const std::string name = std::string(row.title) + (handheld ? " (HPC)" : "");
      EXPECT_EQ(dialog.stepsRun, 1) << name;
      EXPECT_FALSE(dialog.leftOpen) << name;
      EXPECT_EQ(title, row.title) << name;
      EXPECT_TRUE(missing.empty()) << name << ": control " << (missing.empty() ? 0 : missing[0]);
      EXPECT_EQ(width, expected) << name;
      EXPECT_TRUE(mainEnabled) << name;
      EXPECT_EQ(after, before) << name;
    }
    EXPECT_TRUE(messages.shown().empty());
  }
}

}  // namespace
