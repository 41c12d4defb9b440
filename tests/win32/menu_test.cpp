// The menu bar, the accelerators, F1 and the commands of the shell, on the
// running program; the resources they come from.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "resources/strings.h"
#include "shell/menu_bar.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;

struct MenuItemRow {
  const char* popup;
  const char* text;  // nullptr = separator
  int command;
};

// The menu bar as the user sees it.
const MenuItemRow kMenuRows[] = {
    {"&Calendar", "Import into Outlook or save as an ICS file...\tCtrl+I", 18},
    {"&Calendar", "Import Anniversaries, Birthdays or Yahrzeit...", 33},
    {"&Calendar", "Import only Jewish Holidays...", 34},
    {"&Calendar", nullptr, 0},
    {"&Calendar", "Exit\tCtrl+X", 7},
    {"&Settings", "Select Location...", 13},
    {"&Settings", "Daylight Savings Time...", 14},
    {"&Settings", "Shabbat Time...", 12},
    {"&Settings", "Configure Zmanim...", 15},
    {"&Settings", "Date/Time Format...", 20},
    {"&Settings", "Readings/Holidays...", 11},
    {"&Settings", nullptr, 0},
    {"&Settings", "Annivers./Birthdays/Yahrzeit...", 16},
    {"&Help", "Help...", 23},
    {"&Help", "About this program...", 10},
};

std::string MenuText(HMENU menu, UINT position) {
  char text[256] = "";
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

class MainMenu : public testing::Test {
 protected:
  ScratchDir dir_;
  MessageCapture messages_;
};

TEST_F(MainMenu, EveryItemWithItsTextAndCommand) {
  std::vector<MenuItemRow> found;
  std::vector<std::string> texts;  // keeps the found texts alive
  texts.reserve(64);
  RunProgram({[&](HWND main) {
    HMENU bar = GetMenu(main);
    ASSERT_NE(bar, nullptr);
    for (int p = 0; p < GetMenuItemCount(bar); ++p) {
      texts.push_back(MenuText(bar, p));
      const char* popup = texts.back().c_str();
      HMENU items = GetSubMenu(bar, p);
      ASSERT_NE(items, nullptr) << popup;
      for (int i = 0; i < GetMenuItemCount(items); ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID;
        GetMenuItemInfoA(items, i, TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
          found.push_back({popup, nullptr, 0});
        } else {
          texts.push_back(MenuText(items, i));
          found.push_back({popup, texts.back().c_str(), static_cast<int>(info.wID)});
        }
      }
    }
  }});
  ASSERT_EQ(found.size(), std::size(kMenuRows));
  for (size_t i = 0; i < found.size(); ++i) {
    const MenuItemRow& want = kMenuRows[i];
    EXPECT_STREQ(found[i].popup, want.popup) << "row " << i;
    if (!want.text) {
      EXPECT_EQ(found[i].text, nullptr) << "row " << i << " is not a separator";
      continue;
    }
    ASSERT_NE(found[i].text, nullptr) << "row " << i << " is a separator";
    EXPECT_STREQ(found[i].text, want.text) << "row " << i;
    EXPECT_EQ(found[i].command, want.command) << want.text;
  }
}

// Through the program's own loop: Ctrl+I reaches 18; Ctrl+X reaches 7,
// which closes the window and ends the program.
TEST_F(MainMenu, CtrlIAndCtrlXReachTheirCommands) {
  std::unique_ptr<CommandRecorder> recorder;
  ProgramRun run = RunProgram({
      [&](HWND main) {
        recorder = std::make_unique<CommandRecorder>(main);
        PostKey(main, 'I', true);
      },
      [&](HWND) {
        ASSERT_EQ(recorder->commands().size(), 1u);
        EXPECT_EQ(recorder->commands()[0].command, 18);
        EXPECT_TRUE(recorder->commands()[0].fromAccelerator);
        // 18 opened the export's range dialog: closed before Ctrl+X.
        HWND range = FindWindowA("#32770", "Select Range");
        ASSERT_NE(range, nullptr);
        Click(range, IDCANCEL);
      },
      [&](HWND main) { PostKey(main, 'X', true); },
      [](HWND) { ADD_FAILURE() << "Ctrl+X left the window open"; },
  });
  SetControlKey(false);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_FALSE(run.closedByHarness);
  ASSERT_GE(recorder->commands().size(), 2u);
  EXPECT_EQ(recorder->commands()[1].command, 7);
  EXPECT_TRUE(recorder->commands()[1].fromAccelerator);
}

// The dialogs of the shell's commands open from the running window, owned
// by it.
TEST_F(MainMenu, CommandsOpenTheirDialogs) {
  constexpr struct {
    int command;
    const char* title;
  } kRows[] = {
      {kCommandDateTimeFormat, "Date/Time Format"},
      {kCommandAbout, "About this program"},
  };
  for (const auto& row : kRows) {
    RunProgram({[&](HWND main) {
      std::string title;
      HWND owner = nullptr;
      DialogRun dialog = RunDialog(
          [&] {
            Choose(main, row.command);
            return 0;
          },
          {[&](HWND d) {
            title = WindowText(d);
            owner = GetWindow(d, GW_OWNER);
            Click(d, IDCANCEL);
          }});
      EXPECT_EQ(dialog.stepsRun, 1) << row.title;
      EXPECT_FALSE(dialog.leftOpen) << row.title;
      EXPECT_EQ(title, row.title);
      EXPECT_EQ(owner, main) << row.title;
    }});
  }
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

std::string VersionValue(const std::vector<char>& block, const char* name) {
  char* value = nullptr;
  UINT size = 0;
  std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &size))
    return "(missing)";
  return value;
}

TEST(VersionResource, SaysOneTwoG) {
  char module[MAX_PATH];
  GetModuleFileNameA(nullptr, module, sizeof module);
  DWORD size = GetFileVersionInfoSizeA(module, nullptr);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(module, 0, size, block.data()));
  EXPECT_EQ(VersionValue(block, "FileVersion"), "1.2g");
  EXPECT_EQ(VersionValue(block, "LegalCopyright"), LoadText(kTextCopyright));
}

}  // namespace
