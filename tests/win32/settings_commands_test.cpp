// The Settings menu's commands on the running program: each opens its
// window in the layout [HandheldPC] Emulate picks, Cancel writes no
// settings, and the main window is enabled again afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

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
};

const CommandRow kCommands[] = {
    {kCommandSelectLocation, "Select Location", 280, 300},
    {kCommandDaylightSaving, "Daylight Savings Time", 280, 280},  // one layout
    {kCommandShabbatTime, "Shabbat Time Preferences", 220, 260},
    {kCommandConfigureZmanim, "Configure Zmanim", 240, 392},
    {kCommandReadings, "Readings and Holidays", 180, 180},  // one layout
    {kCommandAnniversaries, "Anniversaries", 276, 380},
};

TEST(SettingsCommands, EachOpensItsWindowAndCancelWritesNothing) {
  for (int handheld = 0; handheld <= 1; ++handheld) {
    ScratchDir dir;
    MessageCapture messages;
    dir.Write(kSettingsFile, handheld ? "[HandheldPC]\r\nEmulate=1\r\n" : "");
    for (const CommandRow& row : kCommands) {
      std::string title;
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
      EXPECT_EQ(width, expected) << name;
      EXPECT_TRUE(mainEnabled) << name;
      EXPECT_EQ(after, before) << name;
    }
    EXPECT_TRUE(messages.shown().empty());
  }
}

}  // namespace
