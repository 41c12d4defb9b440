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
  const std::vector<std::pair<const char*, const char*>> keys = {
      {"IsAvail", "1"},     {"StartMethod", "0"}, {"StartWeekNo", "5"}, {"StartWeekDay", "0"},
      {"StartMonth", "3"},  {"StartDay", "1"},    {"EndMethod", "0"},   {"EndWeekNo", "5"},
      {"EndWeekDay", "0"},  {"EndMonth", "10"}};
  for (const auto& key : keys)
    EXPECT_EQ(IniText(kDaylightSection, key.first, kDaylightFile), key.second) << key.first;
  EXPECT_TRUE(messages.shown().empty());
}

// The rows follow their radio buttons; a missing choice is refused with
// the focus on its list; Cancel writes nothing.
TEST(DaylightDialog, EnablingAndAFailedCheck) {
  UseProgramResources();
  ScratchDir dir;
  MessageCapture messages;
  std::vector<bool> enabled;
  int focus = 0;
  std::string label;
  DialogRun run = RunDialog([] { return DaylightSavingDialog(nullptr); }, {
      [&](HWND d) {
        enabled = {IsChecked(d, IDC_DST_DISABLE), IsEnabled(d, IDC_DST_START_METHOD0),
                   IsEnabled(d, IDC_DST_START_WEEKNO)};
        Click(d, IDC_DST_ENABLE);
        for (int id : {IDC_DST_START_METHOD0, IDC_DST_START_WEEKNO, IDC_DST_START_FIRSTLAST,
                       IDC_DST_END_MONTH, IDC_DST_END_WEEKDAY1})
          enabled.push_back(IsEnabled(d, id));
        EXPECT_EQ(ComboItem(d, IDC_DST_START_WEEKNO), 4);  // "Last", the default
        EXPECT_EQ(ComboItem(d, IDC_DST_START_MONTH), 2);   // March
      },
      [&](HWND d) {
        Click(d, IDC_DST_START_METHOD1);
        enabled.push_back(IsEnabled(d, IDC_DST_START_WEEKNO));
        enabled.push_back(IsEnabled(d, IDC_DST_START_FIRSTLAST));
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
  EXPECT_EQ(enabled, (std::vector<bool>{true, false, false, true, true, false, true, false,
                                        false, true}));
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, "Start week no has to be selected");
  EXPECT_EQ(messages.shown()[0].title, "Error");
  EXPECT_EQ(focus, IDC_DST_START_FIRSTLAST);
  EXPECT_EQ(label, "before");
  EXPECT_EQ(dir.Read(kDaylightFile), "");
}

// Shabbat times through the command: two refused values with their focus,
// then OK stores the four values in the record and [ShabbatTimes].
TEST(ShabbatTimesDialog, CommandChecksAndStores) {
  ScratchDir dir;
  MessageCapture messages;
  std::vector<std::string> opened;
  std::vector<bool> enabled;
  std::vector<int> focus;
  ShabbatSettings stored{};
  RunProgram({[&](HWND main) {
    RunDialog([&] { Choose(main, kCommandShabbatTime); return 0; }, {
        [&](HWND d) {
          opened = {ItemText(d, IDC_SHABBAT_CANDLE), ItemText(d, IDC_SHABBAT_HAVDALAH),
                    ItemText(d, IDC_SHABBAT_DEGREES)};
          enabled = {IsChecked(d, IDC_SHABBAT_BY_MINUTES), IsEnabled(d, IDC_SHABBAT_HAVDALAH),
                     IsEnabled(d, IDC_SHABBAT_DEGREES)};
          SetItemText(d, IDC_SHABBAT_CANDLE, "abc");
          Click(d, IDOK);
          focus.push_back(FocusId());
        },
        [&](HWND d) {
          SetItemText(d, IDC_SHABBAT_CANDLE, "20");
          Click(d, IDC_SHABBAT_BY_DEGREES);
          enabled.push_back(IsEnabled(d, IDC_SHABBAT_HAVDALAH));
          enabled.push_back(IsEnabled(d, IDC_SHABBAT_DEGREES));
          SetItemText(d, IDC_SHABBAT_DEGREES, "0");
          Click(d, IDOK);
          focus.push_back(FocusId());
        },
        [&](HWND d) {
          SetItemText(d, IDC_SHABBAT_DEGREES, "7.5");
          Click(d, IDOK);
        },
    });
    ShabbatSettingsFromState(MainWindowState(main), &stored);
  }});
  EXPECT_EQ(opened, (std::vector<std::string>{"18", "45", "8.00"}));
  EXPECT_EQ(enabled, (std::vector<bool>{true, true, false, false, true}));
  std::vector<std::string> texts;
  for (const ShownMessage& m : messages.shown()) texts.push_back(m.text);
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "Minutes for Candle Lighting must be a number",
                       "Degrees for End of Shabbat must be a floating-point number"}));
  EXPECT_EQ(focus, (std::vector<int>{IDC_SHABBAT_CANDLE, IDC_SHABBAT_DEGREES}));
  EXPECT_EQ(stored.candleLightingMinutes, 20);
  EXPECT_EQ(stored.havdalahMinutes, 45);
  EXPECT_EQ(stored.havdalahByMinutes, 0);
  EXPECT_DOUBLE_EQ(stored.havdalahDegrees, 7.5);
  EXPECT_EQ(IniText(kShabbatSection, "CandleLighting", kSettingsFile), "20");
  EXPECT_EQ(IniText(kShabbatSection, "Havdalah", kSettingsFile), "45");
  EXPECT_EQ(IniText(kShabbatSection, "HavdalahMin", kSettingsFile), "0");
  EXPECT_EQ(IniText(kShabbatSection, "HavdalahDegrees", kSettingsFile), "7.50");
}

// Readings: OK writes the custom and the record takes it; a later Cancel
// changes neither.
TEST(ReadingsDialog, CommandStoresTheCustom) {
  ScratchDir dir;
  MessageCapture messages;
  std::vector<bool> checked;
  int diaspora = -1;
  std::string flagAfterOk, flagAfterCancel;
  RunProgram({[&](HWND main) {
    RunDialog([&] { Choose(main, kCommandReadings); return 0; }, {
        [&](HWND d) {
          checked.push_back(IsChecked(d, IDC_READINGS_DIASPORA));
          Click(d, IDC_READINGS_ISRAEL);
          Click(d, IDOK);
        },
    });
    flagAfterOk = IniText("Parasha", "DiasporaFlag", kReadingSettingsFile);
    RunDialog([&] { Choose(main, kCommandReadings); return 0; }, {
        [&](HWND d) {
          checked.push_back(IsChecked(d, IDC_READINGS_ISRAEL));
          Click(d, IDC_READINGS_DIASPORA);
          Click(d, IDCANCEL);
        },
    });
    flagAfterCancel = IniText("Parasha", "DiasporaFlag", kReadingSettingsFile);
    diaspora = MainWindowState(main)->diaspora;
  }});
  EXPECT_EQ(checked, (std::vector<bool>{true, true}));
  EXPECT_EQ(flagAfterOk, "0");
  EXPECT_EQ(flagAfterCancel, "0");
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
