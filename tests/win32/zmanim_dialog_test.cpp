// The Configure Zmanim windows on screen (their rules are tested natively):
// the stored method selected at opening, a list without a choice refused
// with the focus on it, OK writing every row, the chametz list in its own
// window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/settings_ids.h"
#include "settings/settings.h"
#include "shell/zmanim_dialog.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"
#include "tests/win32/settings_harness.h"

namespace {

using namespace win32test;

std::string Zman(const char* name) { return IniText("Zmanim", name, kSettingsFile); }
std::string ChametzMethod() { return IniText("ErevPesach", "Method", kSettingsFile); }

class ZmanimDialog : public testing::Test {
 protected:
  void SetUp() override { UseProgramResources(); }
  ScratchDir dir_;
  MessageCapture messages_;
};

// A row without a choice is refused with the focus on it; once chosen
// again, OK writes every row and the chametz window its method.
TEST_F(ZmanimDialog, OkWritesEveryRowAndTheChametzWindowItsMethod) {
  dir_.Write(kSettingsFile, "[Zmanim]\r\nAlot Hashachar=AlotHashachar90\r\n");
  int alot = -1, chametzOpened = -1, focus = 0;
  DialogRun run = RunDialog([] { return ConfigureZmanimDialog(nullptr); }, {
      [&](HWND d) {
        alot = ComboItem(d, IDC_ZMANIM_LIST0);
        const int tefila = ComboItem(d, IDC_ZMANIM_LIST0 + 3);
        ChooseComboItem(d, IDC_ZMANIM_LIST0 + 3, -1);
        Click(d, IDOK);
        focus = FocusId();
        ChooseComboItem(d, IDC_ZMANIM_LIST0 + 3, tefila);
      },
      [&](HWND d) {
        EXPECT_EQ(GetDlgItem(d, IDC_ZMANIM_CHAMETZ_LIST), nullptr);
        ChooseComboItem(d, IDC_ZMANIM_LIST0 + 8, 2);  // "6.5° below horizon"
        RunDialog([&] { Click(d, IDC_ZMANIM_CHAMETZ_BUTTON); return 0; }, {[&](HWND c) {
          EXPECT_EQ(WindowText(c), "Chametz Times");
          chametzOpened = ComboItem(c, IDC_ZMANIM_CHAMETZ_LIST);
          ChooseComboItem(c, IDC_ZMANIM_CHAMETZ_LIST, 1);  // "Magen Avraham"
          Click(c, IDOK);
        }});
      },
      [&](HWND d) { Click(d, IDOK); },
  });
  EXPECT_EQ(run.result, 1);
  ASSERT_EQ(messages_.shown().size(), 1u);
  EXPECT_EQ(messages_.shown()[0].text, "An entry has to be selected");
  EXPECT_EQ(focus, IDC_ZMANIM_LIST0 + 3);
  EXPECT_EQ(alot, 1);           // the stored "AlotHashachar90"
  EXPECT_EQ(chametzOpened, 0);  // Method missing: "Vilna Gaon"
  EXPECT_EQ(Zman("Alot Hashachar"), "AlotHashachar90");
  EXPECT_EQ(Zman("Tzait Hakochavim"), "Deg65");
  EXPECT_EQ(ChametzMethod(), "2");
}

}  // namespace
