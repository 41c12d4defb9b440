// The help page: F1 and "Help..." write "Cal.htm" to the temporary folder
// and open it; a failed open is reported. The shell's open is replaced by a
// fake that records what it was asked to open and what the file held.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "shell/help_page.h"
#include "shell/menu_bar.h"
#include "shell/show_help.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;

struct Opened {
  HWND owner;
  std::string path;
  std::string content;  // the file at the moment it was opened
};

std::vector<Opened> g_opened;
DWORD g_openError = 0;  // 0: the open succeeds

int FakeOpen(HWND owner, const char* path) {
  g_opened.push_back(Opened{owner, path, ReadFileState(path).bytes});
  if (g_openError == 0) return 1;
  SetLastError(g_openError);
  return 0;
}

// F1 as the system's input, to the main window made the foreground window.
void PressF1(HWND main) {
  SetForegroundWindow(main);
  SetFocus(main);
  TypeKeys({VK_F1});
}

std::string TempFolderPath() {
  char folder[MAX_PATH + 1] = "";
  GetTempPathA(sizeof folder, folder);
  return folder;
}

class HelpPage : public testing::Test {
 protected:
  void SetUp() override {
    g_opened.clear();
    g_openError = 0;
    SetHelpOpenFunction(FakeOpen);
  }
  void TearDown() override { SetHelpOpenFunction(nullptr); }

  const std::string page_{HelpPageText(), HelpPageLength()};
  ScratchDir dir_;
  MessageCapture messages_;
};

// The second F1 writes the page again over whatever the file held, and
// opens it again.
TEST_F(HelpPage, F1TwiceRewritesAndOpensEachTime) {
  const std::string folder = TempFolderPath();
  // The system's temporary folder ends in a backslash: no second one.
  ASSERT_EQ(folder.back(), '\\');
  const std::string path = folder + "Cal.htm";
  HWND mainWindow = nullptr;
  RunProgram({
      [&](HWND main) {
        mainWindow = main;
        PressF1(main);
      },
      [&](HWND main) {
        ASSERT_EQ(g_opened.size(), 1u) << "F1 did not open the page";
        dir_.Write("stale", "");
        CopyFileA(dir_.File("stale").c_str(), path.c_str(), FALSE);  // an empty Cal.htm
        PressF1(main);
      },
  });
  ASSERT_EQ(g_opened.size(), 2u);
  for (const Opened& opened : g_opened) {
    EXPECT_EQ(opened.path, path);
    EXPECT_EQ(opened.owner, mainWindow);
    EXPECT_EQ(opened.content, page_);
  }
  EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(HelpPage, FailedOpenIsReportedWithPathAndCode) {
  g_openError = ERROR_NO_ASSOCIATION;  // 1155
  RunProgram({[](HWND main) { Choose(main, kCommandHelp); }});
  ASSERT_EQ(messages_.shown().size(), 1u);
  EXPECT_EQ(messages_.shown()[0].text,
            "File " + TempFolderPath() + "Cal.htm could not be opened, error code 1155");
  EXPECT_EQ(messages_.shown()[0].title, "Error");
  EXPECT_EQ(messages_.shown()[0].icon, MessageIconError);
}

// A file that cannot be created is not reported: the open goes ahead (and
// shows the copy already there).
TEST_F(HelpPage, UncreatableFileStillOpens) {
  const std::string path = TempFolderPath() + "Cal.htm";
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(held, "old", 3, &written, nullptr);
  RunProgram({[](HWND main) { Choose(main, kCommandHelp); }});
  CloseHandle(held);
  ASSERT_EQ(g_opened.size(), 1u);
  EXPECT_TRUE(messages_.shown().empty());
  EXPECT_EQ(ReadFileState(path).bytes, "old");
}

// ---- Through the shell: a stand-in viewer registered for .htm ----
// Registered in the test prefix's classes root (Wine reads no per-user
// classes), and removed again.

std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

class HelpPageThroughShell : public HelpPage {
 protected:
  void SetUp() override {
    std::string command = "\"" + WindowsPath(TAVLON_HTML_STAND_IN) + "\" \"%1\"";
    ASSERT_EQ(SetClassValue(".htm", "Tavlon.TestHtml"), ERROR_SUCCESS);
    ASSERT_EQ(SetClassValue("Tavlon.TestHtml\\shell\\open\\command", command.c_str()),
              ERROR_SUCCESS);
    DeleteFileA(opened_.c_str());
  }
  void TearDown() override {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".htm");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "Tavlon.TestHtml");
    DeleteFileA(opened_.c_str());
  }
  static LONG SetClassValue(const char* key, const char* value) {
    return RegSetKeyValueA(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, value,
                           static_cast<DWORD>(std::strlen(value) + 1));
  }

  const std::string opened_ = TempFolderPath() + "Cal.htm.opened";
};

// The help command hands Cal.htm to the registered viewer, which finds the
// whole page in it.
TEST_F(HelpPageThroughShell, ViewerGetsTheWrittenPage) {
  FileState seen{false, ""};
  RunProgram({
      [](HWND main) { Choose(main, kCommandHelp); },
      [&](HWND) {
        for (int i = 0; i < 100 && !(seen = ReadFileState(opened_)).exists; ++i) Sleep(50);
      },
  });
  ASSERT_TRUE(seen.exists) << "the viewer was not started";
  EXPECT_EQ(seen.bytes, page_);
  EXPECT_TRUE(messages_.shown().empty());
}

}  // namespace
