// The menu items that open a window, on the running program: each opens
// its window owned by the main window, in the layout [HandheldPC] Emulate
// picks; Cancel writes no settings and enables the main window again.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings/settings.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;

struct MenuRow {
  int popup;  // 0 Calendar, 1 Settings, 2 Help
  int item;   // its position, separators counted
  const char* title;
  bool twoLayouts;  // a handheld layout of its own
};

constexpr MenuRow kRows[] = {
    {1, 0, "Select Location", true},
    {1, 1, "Daylight Savings Time", false},
    {1, 2, "Shabbat Time Preferences", true},
    {1, 3, "Configure Zmanim", true},
    {1, 4, "Date/Time Format", false},
    {1, 5, "Readings and Holidays", false},
    {1, 7, "Anniversaries", true},
    {2, 1, "About this program", true},
};

TEST(MenuCommands, EachOpensItsWindowAndCancelWritesNothing) {
  for (const MenuRow& row : kRows) {
    int width[2] = {};
    for (int handheld = 0; handheld <= 1; ++handheld) {
      ScratchDir dir;
      MessageCapture messages;
      dir.Write(kSettingsFile, handheld ? "[HandheldPC]\r\nEmulate=1\r\n" : "");
      const std::string name = std::string(row.title) + (handheld ? " (HPC)" : "");
      std::string title, before, after;  // the settings files
      HWND owner = nullptr;
      bool mainEnabled = false;
      auto files = [&] {
        return dir.Read(kSettingsFile) + "|" + dir.Read("daylight.ini") + "|" +
               dir.Read("exportcalshab.ini");
      };
      DialogRun dialog{};
      RunProgram({[&](HWND main) {
        before = files();  // as the start-up left them
        const UINT command = GetMenuItemID(GetSubMenu(GetMenu(main), row.popup), row.item);
        dialog = RunDialog([&] { Choose(main, static_cast<int>(command)); return 0; },
                           {[&](HWND d) {
                             title = WindowText(d);
                             owner = GetWindow(d, GW_OWNER);
                             RECT client{};
                             GetClientRect(d, &client);
                             width[handheld] = client.right;
                             Click(d, IDCANCEL);
                           }});
        mainEnabled = IsWindowEnabled(main) && owner == main;
        after = files();
      }});
      EXPECT_EQ(dialog.stepsRun, 1) << name;
      EXPECT_FALSE(dialog.leftOpen) << name;
      EXPECT_EQ(title, row.title) << name;
      EXPECT_TRUE(mainEnabled) << name << ": not owned by the main window, or left disabled";
      EXPECT_EQ(after, before) << name;
      EXPECT_TRUE(messages.shown().empty()) << name;
    }
    EXPECT_EQ(width[0] != width[1], row.twoLayouts) << row.title;
  }
}

}  // namespace
