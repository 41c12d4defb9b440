// The settings store: defaults with no file, the encodings of each kind of
// value, and the export keys written back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings/settings.h"
#include "platform/ini.h"
#include "support/scratch_dir.h"

namespace {

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
  EXPECT_EQ(GetDateFormat(), 0);
  EXPECT_EQ(GetTimeFormat(), 0);
  EXPECT_EQ(IsHandheldEmulation(), 0);
  char custom[256];
  ReadCustomString("CustomEnable", "0", custom);
  EXPECT_STREQ(custom, "0");
  EXPECT_EQ(dir.Read(kSettingsFile), "");  // reading creates nothing
}

struct DoubleRow {
  const char* id;
  const char* stored;  // nullptr: key absent
  double def;
  double expected;
};

TEST(Settings, ReadIniDouble) {
  constexpr DoubleRow rows[] = {
      {"empty value gives the default, not 0", "", 8.0, 8.0},
      {"two decimals", "8.50", 8.0, 8.5},
      {"leading number of other text", "7.25deg", 1.0, 7.25},
      {"quotes are removed", "\"6.5\"", 8.0, 6.5},
  };
  for (const DoubleRow& row : rows) {
    ScratchDir dir;
    if (row.stored) dir.Write(kSettingsFile, std::string("[ShabbatTimes]\r\nHavdalahDegrees=") + row.stored + "\r\n");
    EXPECT_DOUBLE_EQ(ReadIniDouble("ShabbatTimes", "HavdalahDegrees", row.def, kSettingsFile), row.expected)
        << row.id;
  }
}

TEST(Settings, WriteIniDoubleUsesTwoDecimals) {
  ScratchDir dir;
  char text[256];
  constexpr struct {
    double value;
    const char* text;
  } rows[] = {{8.0, "8.00"}, {-0.833, "-0.83"}, {16.1, "16.10"}};
  for (const auto& row : rows) {
    WriteIniDouble("ShabbatTimes", "HavdalahDegrees", row.value, kSettingsFile);
    IniReadString("ShabbatTimes", "HavdalahDegrees", "", text, sizeof text, kSettingsFile);
    EXPECT_STREQ(text, row.text) << row.value;
  }
}

TEST(Settings, FlagsAreWrittenAsOneOrZero) {
  ScratchDir dir;
  char text[256];
  SetLeftToRight(5);
  IniReadString("Flags", "LeftToRight", "", text, sizeof text, kSettingsFile);
  EXPECT_STREQ(text, "1");
  SetLeftToRight(0);
  IniReadString("Flags", "LeftToRight", "", text, sizeof text, kSettingsFile);
  EXPECT_STREQ(text, "0");
  EXPECT_EQ(GetLeftToRight(), 0);
}

TEST(Settings, HandheldEmulationIsAnyNonzeroValue) {
  ScratchDir dir;
  dir.Write(kSettingsFile, "[HandheldPC]\r\nEmulate=2\r\n[Flags]\r\nHebrewFlag=1\r\n");
  EXPECT_NE(IsHandheldEmulation(), 0);
  EXPECT_EQ(GetHebrewFlag(), 1);
}

TEST(Settings, ReadIncludeFlagsKeepsCurrentValueForMissingKeys) {
  ScratchDir dir;
  dir.Write(kSettingsFile, "[OutlookZmanim]\r\nZmanim=0\r\nErevPesach=1\r\nhebrewdate=0\r\n");
  IncludeFlags flags;
  for (int& f : flags.flag) f = 0;
  flags.flag[kIncludeHoliday] = 1;
  ReadIncludeFlags(&flags);
  EXPECT_EQ(flags.flag[kIncludeZmanim], 0);
  EXPECT_EQ(flags.flag[kIncludeErevPesach], 1);
  EXPECT_EQ(flags.flag[kIncludeHebrewDate], 0);   // keys are not case-sensitive
  EXPECT_EQ(flags.flag[kIncludeHoliday], 1);      // missing: the current value
  EXPECT_EQ(flags.flag[kIncludeParashiot], 0);    // missing: the current value
}

// The keys are the file's: other programs read the same file.
TEST(Settings, IncludeFlagKeys) {
  constexpr const char* expected[kIncludeFlagCount] = {
      "HebrewDate", "Holiday", "ShabbatTimes", "Zmanim", "Anniversaries", "Birthdays",
      "Yahrzeit", "Parashiot", "AlotHaShachar", "EarliestTallit", "HaNetzHaChama",
      "KriatShema", "Tefila", "Chatzot", "MinchaGedola", "MinchaKtana", "PlagHaMincha",
      "ShkiaHaChama", "TzaitHakochavim", "ShaaZmanit", "ErevPesach"};
  ScratchDir dir;
  IncludeFlags flags;
  for (int i = 0; i < kIncludeFlagCount; ++i) flags.flag[i] = i % 3 == 0 ? 7 : 0;
  WriteIncludeFlags(&flags);
  for (int i = 0; i < kIncludeFlagCount; ++i) {
    char text[8];
    IniReadString("OutlookZmanim", expected[i], "", text, sizeof text, kSettingsFile);
    EXPECT_STREQ(text, i % 3 == 0 ? "1" : "0") << expected[i];
  }
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
  EXPECT_EQ(back.includeFlags.flag[kIncludeParashiot], 1);
}

}  // namespace
