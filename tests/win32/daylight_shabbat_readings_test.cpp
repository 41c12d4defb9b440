// The daylight-saving, Shabbat-time and readings windows on screen: the
// controls they open with and enable, a failed check with its focus, and
// what OK stores in the settings and in the main window's record.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "calendar/caldate.h"
#include "placetime/daylight.h"
#include "placetime/shabbat.h"
#include "readings/reading_texts.h"
#include "resources/settings_ids.h"
#include "settings/settings.h"
#include "shell/daylight_dialog.h"
#include "shell/main_window.h"
#include "shell/menu_bar.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"
#include "tests/win32/settings_harness.h"

namespace {

using namespace win32test;

// Minutes after midnight of a clock text "H:MM".
int ClockMinutes(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) return -1;
  return std::stoi(text.substr(0, colon)) * 60 + std::stoi(text.substr(colon + 1, 2));
}

// The end of Shabbat of Saturday 7 July 2007 in the main window's record.
std::string SummerHavdalah(const CalWindowState* state) {
  const CalDate saturday{7, 7, 2007};
  char text[256] = "";
  ShabbatTimeOfDay(state, AbsoluteFromGregorian(&saturday), text, 0);
  return text;
}

// Enabling the default rule (last Sunday of March to last Sunday of
// October) moves a July Saturday's time one hour on at once: the cached
// sunset without saving is not used again.
TEST(DaylightDialog, OkTakesEffectOnTheNextShabbatTime) {
  ScratchDir dir;
  MessageCapture messages;
  dir.Write(kSettingsFile, "[Location]\r\nCityName=Jerusalem\r\n");
  std::string before, after;
  RunProgram({[&](HWND main) {
    before = SummerHavdalah(MainWindowState(main));  // computed and cached
    RunDialog([&] { Choose(main, kCommandDaylightSaving); return 0; }, {
        [](HWND d) {
          Click(d, IDC_DST_ENABLE);
          Click(d, IDOK);
        },
    });
    after = SummerHavdalah(MainWindowState(main));
  }});
  ASSERT_GT(ClockMinutes(before), 0) << before;
  EXPECT_EQ(ClockMinutes(after), ClockMinutes(before) + 60) << before << " / " << after;
  for (const char* key : {"IsAvail=1", "StartWeekNo=5", "StartMonth=3", "EndMonth=10"})
    EXPECT_NE(dir.Read(kDaylightFile).find(key), std::string::npos) << key;
  EXPECT_TRUE(messages.shown().empty());
}

// The rows follow their radio buttons; a missing choice is refused with
// the focus on its list; Cancel writes nothing. (The rules themselves are
// tested natively.)
TEST(DaylightDialog, EnablingAndAFailedCheck) {
  UseProgramResources();
  ScratchDir dir;
  MessageCapture messages;
  std::vector<bool> enabled;
  int focus = 0;
  std::string label;
  DialogRun run = RunDialog([] { return DaylightSavingDialog(nullptr); }, {
      [&](HWND d) {
        enabled = {IsEnabled(d, IDC_DST_START_WEEKNO)};
        Click(d, IDC_DST_ENABLE);
        enabled.push_back(IsEnabled(d, IDC_DST_START_WEEKNO));
        Click(d, IDC_DST_START_METHOD1);
        enabled.push_back(IsEnabled(d, IDC_DST_START_WEEKNO));
        Click(d, IDOK);
        focus = FocusId();
      },
      [&](HWND d) {
        ChooseComboItem(d, IDC_DST_START_FIRSTLAST, 1);
        label = ItemText(d, IDC_DST_START_AFTERBEFORE);
        Click(d, IDCANCEL);
      },
  });
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(enabled, (std::vector<bool>{false, true, false}));
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "Start week no has to be selected");
  EXPECT_EQ(focus, IDC_DST_START_FIRSTLAST);
  EXPECT_EQ(label, "before");
  EXPECT_EQ(dir.Read(kDaylightFile), "");
}

// Shabbat times through the command: a refused value with its focus, then
// OK stores the values in the record and [ShabbatTimes].
TEST(ShabbatTimesDialog, CommandChecksAndStores) {
  ScratchDir dir;
  MessageCapture messages;
  std::vector<std::string> opened;
  std::vector<bool> enabled;
  int focus = 0;
  ShabbatSettings stored{};
  RunProgram({[&](HWND main) {
    RunDialog([&] { Choose(main, kCommandShabbatTime); return 0; }, {
        [&](HWND d) {
          opened = {ItemText(d, IDC_SHABBAT_CANDLE), ItemText(d, IDC_SHABBAT_HAVDALAH),
                    ItemText(d, IDC_SHABBAT_DEGREES)};
          SetItemText(d, IDC_SHABBAT_CANDLE, "20");
          enabled = {IsEnabled(d, IDC_SHABBAT_DEGREES)};
          Click(d, IDC_SHABBAT_BY_DEGREES);
          enabled.push_back(IsEnabled(d, IDC_SHABBAT_DEGREES));
          SetItemText(d, IDC_SHABBAT_DEGREES, "0");
          Click(d, IDOK);
          focus = FocusId();
        },
        [&](HWND d) {
          SetItemText(d, IDC_SHABBAT_DEGREES, "7.5");
          Click(d, IDOK);
        },
    });
    ShabbatSettingsFromState(MainWindowState(main), &stored);
  }});
  EXPECT_EQ(opened, (std::vector<std::string>{"18", "45", "8.00"}));
  EXPECT_EQ(enabled, (std::vector<bool>{false, true}));
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "Degrees for End of Shabbat must be a floating-point number");
  EXPECT_EQ(focus, IDC_SHABBAT_DEGREES);
  EXPECT_EQ(stored.candleLightingMinutes, 20);
  EXPECT_EQ(stored.havdalahByMinutes, 0);
  EXPECT_DOUBLE_EQ(stored.havdalahDegrees, 7.5);
  std::string keys;
  for (const char* key : {"CandleLighting", "Havdalah", "HavdalahMin", "HavdalahDegrees"})
    keys += IniText(kShabbatSection, key, kSettingsFile) + " ";
  EXPECT_EQ(keys, "20 45 0 7.50 ");
}

// Readings: OK writes the custom and the record takes it.
TEST(ReadingsDialog, CommandStoresTheCustom) {
  ScratchDir dir;
  MessageCapture messages;
  bool diasporaChecked = false;
  int diaspora = -1;
  RunProgram({[&](HWND main) {
    RunDialog([&] { Choose(main, kCommandReadings); return 0; }, {
        [&](HWND d) {
          diasporaChecked = IsChecked(d, IDC_READINGS_DIASPORA);
          Click(d, IDC_READINGS_ISRAEL);
          Click(d, IDOK);
        },
    });
    diaspora = MainWindowState(main)->diaspora;
  }});
  EXPECT_TRUE(diasporaChecked);
  EXPECT_EQ(IniText("Parasha", "DiasporaFlag", kReadingSettingsFile), "0");
  EXPECT_EQ(diaspora, 0);
  EXPECT_TRUE(messages.shown().empty());
}

// A custom that cannot be written is reported, not taken for saved.
TEST(ReadingsDialog, FailedWriteIsReported) {
  ScratchDir dir;
  MessageCapture messages;
  std::filesystem::create_directory(dir.path() / kReadingSettingsFile);  // not writable as a file
  RunProgram({[&](HWND main) {
    RunDialog([&] { Choose(main, kCommandReadings); return 0; }, {
        [&](HWND d) {
          Click(d, IDC_READINGS_ISRAEL);
          Click(d, IDOK);
        },
    });
  }});
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_NE(messages.shown()[0].text.find("exportcalshab.ini"), std::string::npos)
      << messages.shown()[0].text;
  EXPECT_EQ(messages.shown()[0].title, "Error");
}

}  // namespace
