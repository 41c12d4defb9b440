// The whole program driven as a user would, by keyboard through its menus.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/ini.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;

// A menu item by keyboard: Alt and the popup's letter, Down to the item,
// Enter.
void ChooseByKeyboard(HWND main, int popupLetter, int itemIndex) {
  SetForegroundWindow(main);
  SetFocus(main);
  TypeChord(VK_MENU, popupLetter);
  for (int i = 0; i < itemIndex; ++i) TypeKeys({VK_DOWN});
  TypeKeys({VK_RETURN});
}

// Runs `act` on the dialog titled `title` once it is open.
Step OnDialog(const char* title, std::function<void(HWND)> act) {
  return [title, act](HWND) {
    HWND dialog = FindDialog(title);
    if (!dialog) return RetryStep();
    act(dialog);
  };
}

// Waits for the program to end by itself.
Step WaitUntilClosed() {
  return [](HWND main) {
    if (IsWindow(main)) RetryStep();
  };
}

TEST(EndToEnd, DateFormatByKeyboard) {
  ScratchDir dir;
  MessageCapture messages;
  ProgramRun run = RunProgram({
      [](HWND main) { ChooseByKeyboard(main, 'S', 4); },
      OnDialog("Date/Time Format", [](HWND) { TypeKeys({VK_DOWN}); }),
      OnDialog("Date/Time Format", [](HWND) { TypeKeys({VK_RETURN}); }),
      [](HWND main) { ChooseByKeyboard(main, 'C', 3); },  // Exit (Down skips the separator)
      WaitUntilClosed(),
  });
  EXPECT_FALSE(run.closedByHarness) << run.stepsRun;
  char out[16];
  IniReadString("Settings", "DateFormat", "", out, sizeof out, "exportcal.ini");
  EXPECT_STREQ(out, "1");
  EXPECT_TRUE(messages.shown().empty());
}

}  // namespace
