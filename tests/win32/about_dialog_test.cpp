// The About box in both layouts: its title, icon and seven lines; Close
// and Escape end it.
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

TEST(AboutDialog, BothTemplatesShowTheSevenLines) {
  UseProgramResources();
  const std::vector<std::string> lines = {"Tavlon",   "Version 1.2g",      LoadText(32),
                                          LoadText(34), "Homepage:", LoadText(36), ""};
  for (int handheld = 0; handheld <= 1; ++handheld) {
    ScratchDir dir;
    dir.Write(kSettingsFile, handheld ? "[HandheldPC]\r\nEmulate=1\r\n" : "");
    std::string title;
    std::vector<std::string> shown;
    bool icon = false;
    DialogRun run = RunDialog([] { AboutDialog(nullptr); return 0; }, {
        [&](HWND d) {
          title = WindowText(d);
          for (int i = 0; i < 7; ++i) shown.push_back(ItemText(d, IDC_ABOUT_FIRST_LINE + i));
          icon = SendDlgItemMessageA(d, IDC_ABOUT_ICON, STM_GETICON, 0, 0) != 0;
          if (handheld)
            PostKey(GetFocus() ? GetFocus() : d, VK_ESCAPE);
          else
            Click(d, IDCANCEL);
        },
    });
    EXPECT_FALSE(run.leftOpen) << handheld;
    EXPECT_EQ(title, "About this program");
    EXPECT_EQ(shown, lines) << handheld;
    EXPECT_TRUE(icon) << handheld;
  }
}

}  // namespace
