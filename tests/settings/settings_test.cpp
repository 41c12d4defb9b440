// The settings store: export settings, doubles and include flags.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/ini.h"
#include "settings/settings.h"
#include "support/scratch_dir.h"

namespace {

std::string Stored(const char* section, const char* key) {
  char text[256];
  IniReadString(section, key, "", text, sizeof text, kSettingsFile);
  return text;
}

TEST(Settings, ExportSettingsDefaultsAndRoundTrip) {
  ScratchDir dir;
  ExportSettings s;
  std::memset(&s, 0x55, sizeof s);
  ReadExportSettings(&s);
  // (The golden exports hold the default captions and include flags.)
  EXPECT_EQ(s.exportType, kExportTypeOutlook);
  EXPECT_EQ(s.busyStatus, 1000);
  EXPECT_EQ(s.reminderMinutes, 15);
  EXPECT_EQ(dir.Read(kSettingsFile), "");  // reading creates nothing

  std::strcpy(s.captionWithoutHoliday, "%G");
  s.exportType = kExportTypeICalendar;
  s.reminderSet = 3;
  s.reminderMinutes = -5;
  s.label = 10;
  s.includeFlags.flag[kIncludeYahrzeit] = 0;
  s.includeDafYomi = 1;
  WriteExportSettings(&s);
  ExportSettings back;
  ReadExportSettings(&back);
  EXPECT_STREQ(back.captionWithoutHoliday, "%G");
  EXPECT_EQ(back.exportType, kExportTypeICalendar);
  EXPECT_EQ(back.reminderSet, 1);
  EXPECT_EQ(back.label, 10);
  EXPECT_EQ(back.includeFlags.flag[kIncludeYahrzeit], 0);
  EXPECT_EQ(back.includeDafYomi, 0);  // never stored
  EXPECT_EQ(Stored("OutlookExport", "ReminderMinutesBeforeStart"), "-5");
}

// An empty value gives the default, not 0; values are written with two decimals.
TEST(Settings, Doubles) {
  ScratchDir dir;
  const struct {
    const char* stored;
    double expected;
  } kRead[] = {{"", 8.0}, {"8.50", 8.5}, {"7.25deg", 7.25}, {"\"6.5\"", 6.5}};
  for (const auto& row : kRead) {
    dir.Write(kSettingsFile, std::string("[ShabbatTimes]\r\nHavdalahDegrees=") + row.stored + "\r\n");
    EXPECT_DOUBLE_EQ(ReadIniDouble("ShabbatTimes", "HavdalahDegrees", 8.0, kSettingsFile), row.expected) << row.stored;
  }
  WriteIniDouble("ShabbatTimes", "HavdalahDegrees", 16.1, kSettingsFile);
  EXPECT_EQ(Stored("ShabbatTimes", "HavdalahDegrees"), "16.10");
}

// Flags are written as 1 or 0 and read back; a key missing from the file
// keeps the current value.
TEST(Settings, IncludeFlags) {
  ScratchDir dir;
  IncludeFlags flags, back;
  for (int i = 0; i < kIncludeFlagCount; ++i) flags.flag[i] = i % 3 == 0 ? 7 : 0;
  WriteIncludeFlags(&flags);
  EXPECT_EQ(Stored("OutlookZmanim", "HebrewDate"), "1");
  for (int& f : back.flag) f = 5;
  ReadIncludeFlags(&back);
  for (int i = 0; i < kIncludeFlagCount; ++i) EXPECT_EQ(back.flag[i], i % 3 == 0 ? 1 : 0) << IncludeFlagKey(i);
  dir.Write(kSettingsFile, "[OutlookZmanim]\r\nZmanim=0\r\n");
  ReadIncludeFlags(&flags);
  EXPECT_EQ(flags.flag[kIncludeZmanim], 0);
  EXPECT_EQ(flags.flag[kIncludeHebrewDate], 7);
}

}  // namespace
