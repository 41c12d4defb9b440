// The Date/Time Format dialog's wiring on screen (its rules are tested
// natively): the radio buttons it opens with, OK that waits for a choice in
// both groups, Escape that writes nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings.h"
#include "resources/resource_ids.h"
#include "shell/datetime_format_dialog.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"
#include "tests/win32/settings_harness.h"

namespace {

using namespace win32test;

constexpr int kEscape = -1;  // the Escape key instead of a click

struct Row {
  const char* name;
  const char* ini;
  bool opened[4];          // 102, 103, 202, 203 checked on opening
  std::vector<int> steps;  // a click on each control, or kEscape; one per step
  int result;
  const char* dateFormat;  // nullptr: the file is unchanged
  const char* timeFormat;
};

const Row kRows[] = {
    {"DateFormat 5: OK once a date is chosen", "[Settings]\r\nDateFormat=5\r\nTimeFormat=0\r\n",
     {false, false, false, true}, {IDOK, IDC_DATE_MONTH_FIRST, IDOK}, 1, "1", "0"},
    {"Escape after changing both", "[Settings]\r\nDateFormat=1\r\nTimeFormat=1\r\n",
     {false, true, true, false}, {IDC_DATE_DAY_FIRST, IDC_TIME_24_HOUR, kEscape}, 0,
     nullptr, nullptr},
};

constexpr int kButtons[4] = {IDC_DATE_DAY_FIRST, IDC_DATE_MONTH_FIRST, IDC_TIME_12_HOUR,
                             IDC_TIME_24_HOUR};

TEST(DateTimeFormatDialog, Rows) {
  UseProgramResources();
  for (const Row& row : kRows) {
    ScratchDir dir;
    MessageCapture messages;
    dir.Write(kSettingsFile, row.ini);
    const std::string before = dir.Read(kSettingsFile);
    bool opened[4] = {};
    std::vector<Step> steps;
    steps.push_back([&](HWND d) {
      for (int i = 0; i < 4; ++i) opened[i] = IsChecked(d, kButtons[i]);
    });
    for (int control : row.steps)
      steps.push_back([control](HWND d) {
        if (control == kEscape)
          PostKey(GetFocus() ? GetFocus() : d, VK_ESCAPE);
        else
          Click(d, control);
      });
    DialogRun run = RunDialog([] { return DateTimeFormatDialog(nullptr); }, steps);

    for (int i = 0; i < 4; ++i) EXPECT_EQ(opened[i], row.opened[i]) << row.name << ", button " << kButtons[i];
    EXPECT_EQ(run.stepsRun, static_cast<int>(steps.size())) << row.name;
    EXPECT_EQ(run.result, row.result) << row.name;
    EXPECT_FALSE(run.leftOpen) << row.name;
    if (row.dateFormat) {
      EXPECT_EQ(IniText("Settings", "DateFormat", kSettingsFile), row.dateFormat) << row.name;
      EXPECT_EQ(IniText("Settings", "TimeFormat", kSettingsFile), row.timeFormat) << row.name;
    } else {
      EXPECT_EQ(dir.Read(kSettingsFile), before) << row.name;
    }
    EXPECT_TRUE(messages.shown().empty()) << row.name;
  }
}

}  // namespace
