// The accelerators through the program's own loop, and the resource
// strings beside the portable ones. (The menu items are checked where the
// commands open their windows: settings_commands_test.cpp.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/strings.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;

// Ctrl+I opens the export's range dialog; Ctrl+X closes the window and
// ends the program.
TEST(Accelerators, CtrlIAndCtrlXReachTheirCommands) {
  ScratchDir dir;
  MessageCapture messages;
  ProgramRun run = RunProgram({
      [](HWND main) { PostKey(main, 'I', true); },
      [](HWND) {
        SetControlKey(false);
        HWND range = FindWindowA("#32770", "Select Range");
        ASSERT_NE(range, nullptr) << "Ctrl+I did not open the range dialog";
        Click(range, IDCANCEL);
      },
      [](HWND main) { PostKey(main, 'X', true); },
      [](HWND) { ADD_FAILURE() << "Ctrl+X left the window open"; },
  });
  SetControlKey(false);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_FALSE(run.closedByHarness);
}

// The resource string table and the portable one are the same table.
TEST(StringTable, ResourceTextsEqualThePortableTexts) {
  int present = 0;
  for (int id = 0; id < 4096; ++id) {
    char text[4096] = "";
    int n = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), text, sizeof text);
    std::string resource = n > 0 ? std::string(text, static_cast<size_t>(n)) : std::string();
    EXPECT_EQ(resource, LoadText(id)) << "string " << id;
    if (n > 0) ++present;
  }
  EXPECT_GT(present, 300);  // the menu texts, the messages and the readings
}

}  // namespace
