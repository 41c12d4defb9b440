// The help page: F1 and "Help..." write "Cal.htm" to the temporary folder
// and open it, also over an older copy; a failed open is reported; and
// through the shell's real open the registered viewer gets the page.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
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
  g_opened.push_back(ReadFileState(path).bytes);
  if (g_openError == 0) return 1;
  SetLastError(g_openError);
  return 0;
}

std::string HelpFile() {
  char folder[MAX_PATH + 1] = "";
  GetTempPathA(sizeof folder, folder);
  return std::string(folder) + "Cal.htm";
}

class HelpPage : public testing::Test {
 protected:
  const std::string page_{HelpPageText(), HelpPageLength()};
  ScratchDir dir_;
  MessageCapture messages_;
};

// The second F1 writes the page again over an emptied copy; an open that
// fails is shown with the path and the system's code.
TEST_F(HelpPage, F1WritesAndOpensThePageEachTime) {
  g_opened.clear();
  SetHelpOpenFunction(FakeOpen);
  RunProgram({
      [](HWND main) { TypeKey(main, VK_F1); },
      [&](HWND main) {
        ASSERT_EQ(g_opened.size(), 1u) << "F1 did not open the page";
        dir_.Write("empty", "");
        CopyFileA(dir_.File("empty").c_str(), HelpFile().c_str(), FALSE);
        TypeKey(main, VK_F1);
      },
      [](HWND main) {
        g_openError = ERROR_NO_ASSOCIATION;
        Choose(main, kCommandHelp);
        g_openError = 0;
      },
  });
  SetHelpOpenFunction(nullptr);
  EXPECT_EQ(g_opened, std::vector<std::string>(3, page_));
  EXPECT_EQ(messages_.texts(),
            std::vector<std::string>{"File " + HelpFile() + " could not be opened, error code 1155"});
}

// The viewer, a stand-in registered for .htm in the test prefix's classes
// root (Wine reads no per-user classes), copies the file it is handed.
TEST_F(HelpPage, ViewerGetsTheWrittenPage) {
  std::string viewer = TAVLON_HTML_STAND_IN;
  std::replace(viewer.begin(), viewer.end(), '/', '\\');
  const std::string opened = HelpFile() + ".opened", command = '"' + viewer + "\" \"%1\"";
  DeleteFileA(opened.c_str());
  for (const auto& [key, value] : {std::pair<const char*, std::string>{".htm", "Tavlon.TestHtml"},
                                   {"Tavlon.TestHtml\\shell\\open\\command", command}})
    ASSERT_EQ(RegSetKeyValueA(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1)), 0);
  FileState seen{false, ""};
  RunProgram({
      [](HWND main) { Choose(main, kCommandHelp); },
      [&](HWND) {
        for (int i = 0; i < 100 && !(seen = ReadFileState(opened)).exists; ++i) Sleep(50);
      },
  });
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ".htm");
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "Tavlon.TestHtml");
  DeleteFileA(opened.c_str());
  ASSERT_TRUE(seen.exists) << "the viewer was not started";
  EXPECT_EQ(seen.bytes, page_);
  EXPECT_TRUE(messages_.shown().empty());
}

}  // namespace
