// The whole program driven as a user would: by keyboard through its menus
// and dialogs, in the program's own message loop, on a scratch settings and
// documents folder; then the files it wrote are read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/ini.h"
#include "resources/settings_ids.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;

// A menu item by keyboard: Alt and the popup's letter, Down to the item
// (Down skips separators), Enter.
Step ChooseByKeyboard(int popupLetter, int itemIndex) {
  return [popupLetter, itemIndex](HWND main) {
    if (GetForegroundWindow() != main) SetForegroundWindow(main);
    SetFocus(main);
    TypeChord(VK_MENU, popupLetter);
    for (int i = 0; i < itemIndex; ++i) TypeKeys({VK_DOWN});
    TypeKeys({VK_RETURN});
  };
}

// Runs `act` on the dialog titled `title` once it is open and has the
// keyboard.
Step OnDialog(const char* title, std::function<void(HWND)> act) {
  return [title, act](HWND) {
    HWND dialog = FindDialog(title);
    if (!dialog || GetForegroundWindow() != dialog) return RetryStep();
    act(dialog);
  };
}

// Waits until no dialog titled `title` is open.
Step UntilClosed(const char* title) {
  return [title](HWND) {
    if (FindWindowA("#32770", title)) RetryStep();
  };
}

// Waits for the program to end by itself.
Step UntilProgramEnds() {
  return [](HWND main) {
    if (IsWindow(main)) RetryStep();
  };
}

std::string SelectedText(HWND dialog, int id) {
  HWND list = GetDlgItem(dialog, id);
  LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return "";
  char text[256] = "";
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

std::string IniText(const char* section, const char* key, const char* file) {
  char text[256];
  IniReadString(section, key, "(missing)", text, sizeof text, file);
  return text;
}

// Settings menu: 0 Select Location, 1 Daylight Savings Time, 2 Shabbat
// Time, 3 Configure Zmanim, 4 Date/Time Format, 5 Readings/Holidays,
// 6 Anniversaries. Calendar menu: 0 export, 1 anniversary export, 2
// holiday export, 3 Exit.
TEST(EndToEnd, KeyboardRunThroughTheMenus) {
  ScratchDir dir;
  MessageCapture messages;
  ProgramRun run = RunProgram({
      // Jerusalem, found by typing its initial until the list shows it.
      ChooseByKeyboard('S', 0),
      OnDialog("Select Location",
               [](HWND d) {
                 if (SelectedText(d, IDC_LOC_LIST) == "Jerusalem") return TypeKeys({VK_RETURN});
                 TypeText("J");
                 RetryStep();
               }),
      UntilClosed("Select Location"),
      // Daylight saving on, with its default rule.
      ChooseByKeyboard('S', 1),
      OnDialog("Daylight Savings Time", [](HWND) { TypeChord(VK_MENU, 'E'); }),
      OnDialog("Daylight Savings Time", [](HWND) { TypeKeys({VK_RETURN}); }),
      UntilClosed("Daylight Savings Time"),
      // A birthday added in the anniversary list.
      ChooseByKeyboard('S', 6),
      OnDialog("Anniversaries", [](HWND) { TypeChord(VK_MENU, 'A'); }),
      OnDialog("Edit Anniversary",
               [](HWND) {
                 TypeText("Dina");
                 TypeKeys({VK_TAB});
                 TypeText("5.3.1990");
                 TypeChord(VK_MENU, 'B');
                 TypeKeys({VK_RETURN});
               }),
      UntilClosed("Edit Anniversary"),
      OnDialog("Anniversaries", [](HWND) { TypeKeys({VK_ESCAPE}); }),
      UntilClosed("Anniversaries"),
      ChooseByKeyboard('C', 3),  // Exit
      UntilProgramEnds(),
  });
  EXPECT_FALSE(run.closedByHarness) << "stopped after step " << run.stepsRun;
  EXPECT_TRUE(messages.shown().empty()) << messages.shown()[0].text;

  EXPECT_EQ(IniText("Location", "CityName", "exportcal.ini"), "Jerusalem");
  EXPECT_EQ(IniText("DaylightSaving", "IsAvail", "daylight.ini"), "1");
  std::string anniversaries = dir.Read("Merovan Anniversaries.bin");
  EXPECT_NE(anniversaries.find("Dina"), std::string::npos);
}

}  // namespace
