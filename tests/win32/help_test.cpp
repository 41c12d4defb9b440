// The help page: F1 and "Help..." write "Cal.htm" to the temporary folder
// and open it, also over an older copy; a failed open is reported; and the
// shell's real open hands the page to the viewer registered for .htm.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
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
  const std::string file = std::string(folder) + "Cal.htm", copied = file + ".opened";
  // The viewer, a stand-in registered in the test prefix's classes root
  // (Wine reads no per-user classes), copies the file it is handed.
  std::string viewer = TAVLON_HTML_STAND_IN;
  std::replace(viewer.begin(), viewer.end(), '/', '\\');
  const std::string command = '"' + viewer + "\" \"%1\"";
  DeleteFileA(copied.c_str());
  for (const auto& [key, value] : {std::pair<const char*, std::string>{".htm", "Tavlon.TestHtml"},
                                   {"Tavlon.TestHtml\\shell\\open\\command", command}})
    ASSERT_EQ(RegSetKeyValueA(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, value.c_str(),
                              static_cast<DWORD>(value.size() + 1)),
              0);
  SetHelpOpenFunction(FakeOpen);
  RunProgram({
      [](HWND main) { TypeKey(main, VK_F1); },
      [&](HWND main) {
        ASSERT_EQ(g_opened.size(), 1u) << "F1 did not open the page";
        dir.Write("empty", "");
        CopyFileA(dir.File("empty").c_str(), file.c_str(), FALSE);
        TypeKey(main, VK_F1);
      },
      [](HWND main) {
        g_openError = ERROR_NO_ASSOCIATION;
        Choose(main, kCommandHelp);
        SetHelpOpenFunction(nullptr);
        Choose(main, kCommandHelp);
      },
      [&](HWND) {
        for (int i = 0; i < 100 && !std::filesystem::exists(copied); ++i) Sleep(50);
      },
  });
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ".htm");
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "Tavlon.TestHtml");
  const std::string page(HelpPageText(), HelpPageLength());
  EXPECT_EQ(g_opened, std::vector<std::string>(3, page));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"File " + file + " could not be opened, error code 1155"});
  EXPECT_EQ(ReadFileBytes(copied), page) << "the viewer did not get the page";
  DeleteFileA(copied.c_str());
}

}  // namespace
