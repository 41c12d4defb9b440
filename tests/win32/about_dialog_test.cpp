// The About box: its template, title, icon, seven lines and Close.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"
#include "shell/about_dialog.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;

// Handheld emulation picks the narrower template; both show the same.
TEST(AboutDialog, BothTemplatesShowTheSevenLines) {
  UseProgramResources();
  constexpr struct {
    const char* ini;
  } kRows[] = {
      {""},
      {"[HandheldPC]\r\nEmulate=1\r\n"},
  };
  const std::vector<std::string> lines = {"Tavlon",   "Version 1.2g",      LoadText(32),
                                          LoadText(34), "Homepage:", LoadText(36), ""};
  for (const auto& row : kRows) {
    ScratchDir dir;
    dir.Write(kSettingsFile, row.ini);
    std::string title, close;
    std::vector<std::string> shown;
    bool icon = false;
    DialogRun run = RunDialog(
        [] {
          AboutDialog(nullptr);
          return 0;
        },
        {[&](HWND d) {
          title = WindowText(d);
          for (int i = 0; i < 7; ++i) shown.push_back(ItemText(d, IDC_ABOUT_FIRST_LINE + i));
          icon = SendDlgItemMessageA(d, IDC_ABOUT_ICON, STM_GETICON, 0, 0) != 0;
          close = ItemText(d, IDCANCEL);
          Click(d, IDCANCEL);
        }});
    EXPECT_FALSE(run.leftOpen) << row.ini;
    EXPECT_EQ(title, "About this program");
    EXPECT_EQ(shown, lines) << row.ini;
    EXPECT_TRUE(icon) << row.ini;
    EXPECT_EQ(close, "Close");
  }
}

TEST(AboutDialog, EscapeCloses) {
  UseProgramResources();
  ScratchDir dir;
  DialogRun run = RunDialog(
      [] {
        AboutDialog(nullptr);
        return 0;
      },
      {[](HWND d) { PostKey(GetFocus() ? GetFocus() : d, VK_ESCAPE); }});
  EXPECT_EQ(run.stepsRun, 1);
  EXPECT_FALSE(run.leftOpen);
}

}  // namespace
