// The help page: F1 and "Help..." write "Cal.htm" to the temporary folder
// and open it, replacing a longer older copy, the file closed by then (it
// is written unshared); a failed open is reported. The shell's open is
// replaced by one that reads what it is handed.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/help_page.h"
#include "shell/menu_bar.h"
#include "shell/show_help.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;

std::vector<std::string> g_opened;  // the file's content as each open found it
DWORD g_openError = 0;              // 0: the open succeeds

int FakeOpen(HWND, const char* path) {
  g_opened.push_back(ReadFileBytes(path));
  SetLastError(g_openError);
  return g_openError == 0;
}

TEST(HelpPage, WrittenAndOpenedEachTime) {
  ScratchDir dir;
  MessageCapture messages;
  char folder[MAX_PATH + 1] = "";
  GetTempPathA(sizeof folder, folder);
  const std::string file = std::string(folder) + "Cal.htm";
  SetHelpOpenFunction(FakeOpen);
  RunProgram({
      [](HWND main) { TypeKey(main, VK_F1); },
      [&](HWND main) {
        ASSERT_EQ(g_opened.size(), 1u) << "F1 did not open the page";
        dir.Write("stale", std::string(HelpPageLength() + 100, 'x'));  // longer than the page
        CopyFileA(dir.File("stale").c_str(), file.c_str(), FALSE);
        TypeKey(main, VK_F1);
      },
      [](HWND main) {
        g_openError = ERROR_NO_ASSOCIATION;
        Choose(main, kCommandHelp);
      },
  });
  SetHelpOpenFunction(nullptr);
  EXPECT_EQ(g_opened, std::vector<std::string>(3, std::string(HelpPageText(), HelpPageLength())));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"File " + file + " could not be opened, error code 1155"});
}

}  // namespace
