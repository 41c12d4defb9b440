// The settings store: defaults with no file, the encodings of each kind of
// value, and the export keys written back under the file's own names.
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

TEST(Settings, DefaultsWithoutAFile) {
  ScratchDir dir;
  ExportSettings s;
  std::memset(&s, 0x55, sizeof s);
  ReadExportSettings(&s);
  EXPECT_EQ(s.includeDafYomi, 0);
  EXPECT_STREQ(s.captionWithoutHoliday, "%J - %G");
  EXPECT_STREQ(s.captionWithHoliday, "%H - %J");
  EXPECT_EQ(s.exportType, kExportTypeOutlook);
  EXPECT_EQ(s.busyStatus, 1000);
  EXPECT_EQ(s.reminderSet, 0);
  EXPECT_EQ(s.reminderMinutes, 15);
  EXPECT_EQ(s.label, 0);
  for (int i = 0; i < kIncludeFlagCount; ++i) EXPECT_EQ(s.includeFlags.flag[i], 1) << i;
  EXPECT_EQ(GetHebrewFlag(), 0);
  EXPECT_EQ(GetLeftToRight(), 1);
  EXPECT_EQ(IsHandheldEmulation(), 0);
  EXPECT_EQ(dir.Read(kSettingsFile), "");  // reading creates nothing
  dir.Write(kSettingsFile, "[HandheldPC]\r\nEmulate=2\r\n");
  EXPECT_NE(IsHandheldEmulation(), 0);  // any value but 0
}

TEST(Settings, Doubles) {
  const struct {
    const char* stored;
    double expected;
  } kRead[] = {{"", 8.0}, {"8.50", 8.5}, {"7.25deg", 7.25}, {"\"6.5\"", 6.5}};  // an empty value: the default
  for (const auto& row : kRead) {
    ScratchDir dir;
    dir.Write(kSettingsFile, std::string("[ShabbatTimes]\r\nHavdalahDegrees=") + row.stored + "\r\n");
    EXPECT_DOUBLE_EQ(ReadIniDouble("ShabbatTimes", "HavdalahDegrees", 8.0, kSettingsFile), row.expected) << row.stored;
  }
  ScratchDir dir;
  const struct {
    double value;
    const char* text;
  } kWrite[] = {{-0.833, "-0.83"}, {16.1, "16.10"}};
  for (const auto& row : kWrite) {
    WriteIniDouble("ShabbatTimes", "HavdalahDegrees", row.value, kSettingsFile);
    EXPECT_EQ(Stored("ShabbatTimes", "HavdalahDegrees"), row.text) << row.value;
  }
}

// The keys are the file's: other programs read the same file. Flags are
// written as 1 or 0; a key missing from the file keeps the current value,
// and keys are read without regard to case.
TEST(Settings, IncludeFlags) {
  constexpr const char* kKeys[kIncludeFlagCount] = {
      "HebrewDate", "Holiday", "ShabbatTimes", "Zmanim", "Anniversaries", "Birthdays",
      "Yahrzeit", "Parashiot", "AlotHaShachar", "EarliestTallit", "HaNetzHaChama",
      "KriatShema", "Tefila", "Chatzot", "MinchaGedola", "MinchaKtana", "PlagHaMincha",
      "ShkiaHaChama", "TzaitHakochavim", "ShaaZmanit", "ErevPesach"};
  ScratchDir dir;
  IncludeFlags flags;
  for (int i = 0; i < kIncludeFlagCount; ++i) flags.flag[i] = i % 3 == 0 ? 7 : 0;
  WriteIncludeFlags(&flags);
  for (int i = 0; i < kIncludeFlagCount; ++i)
    EXPECT_EQ(Stored("OutlookZmanim", kKeys[i]), i % 3 == 0 ? "1" : "0") << kKeys[i];
  SetLeftToRight(5);
  EXPECT_EQ(Stored("Flags", "LeftToRight"), "1");

  dir.Write(kSettingsFile, "[OutlookZmanim]\r\nZmanim=0\r\nErevPesach=1\r\nhebrewdate=0\r\n");
  for (int& f : flags.flag) f = 0;
  flags.flag[kIncludeHoliday] = 1;
  ReadIncludeFlags(&flags);
  EXPECT_EQ(flags.flag[kIncludeZmanim], 0);
  EXPECT_EQ(flags.flag[kIncludeErevPesach], 1);
  EXPECT_EQ(flags.flag[kIncludeHebrewDate], 0);
  EXPECT_EQ(flags.flag[kIncludeHoliday], 1);
  EXPECT_EQ(flags.flag[kIncludeParashiot], 0);
}

TEST(Settings, ExportSettingsRoundTrip) {
  ScratchDir dir;
  ExportSettings s;
  ReadExportSettings(&s);
  std::strcpy(s.captionWithoutHoliday, "%G");
  std::strcpy(s.captionWithHoliday, "%H");
  s.exportType = kExportTypeICalendar;
  s.busyStatus = 2;
  s.reminderSet = 3;
  s.reminderMinutes = -5;
  s.label = 10;
  s.includeFlags.flag[kIncludeYahrzeit] = 0;
  s.includeDafYomi = 1;
  WriteExportSettings(&s);

  ExportSettings back;
  ReadExportSettings(&back);
  EXPECT_EQ(back.includeDafYomi, 0);  // never stored
  EXPECT_STREQ(back.captionWithoutHoliday, "%G");
  EXPECT_STREQ(back.captionWithHoliday, "%H");
  EXPECT_EQ(back.exportType, 2);
  EXPECT_EQ(back.busyStatus, 2);
  EXPECT_EQ(back.reminderSet, 1);
  EXPECT_EQ(back.reminderMinutes, -5);
  EXPECT_EQ(back.label, 10);
  EXPECT_EQ(back.includeFlags.flag[kIncludeYahrzeit], 0);
  EXPECT_EQ(Stored("OutlookExport", "ReminderMinutesBeforeStart"), "-5");
}

}  // namespace
