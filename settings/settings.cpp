// The settings store over the platform's profile functions.
#include "settings/settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/ini.h"
#include "platform/text.h"

namespace {

constexpr const char* kIncludeFlagKeys[kIncludeFlagCount] = {
    "HebrewDate",    "Holiday",     "ShabbatTimes",   "Zmanim",       "Anniversaries",
    "Birthdays",     "Yahrzeit",    "Parashiot",      "AlotHaShachar", "EarliestTallit",
    "HaNetzHaChama", "KriatShema",  "Tefila",         "Chatzot",      "MinchaGedola",
    "MinchaKtana",   "PlagHaMincha", "ShkiaHaChama",  "TzaitHakochavim", "ShaaZmanit",
    "ErevPesach",
};

constexpr char kExportSection[] = "OutlookExport";
constexpr char kFlagsSection[] = "OutlookZmanim";

}  // namespace

double ReadIniDouble(const char* section, const char* key, double def, const char* file) {
  char text[256];
  IniReadString(section, key, "", text, sizeof text, file);
  if (text[0] == '\0') return def;
  return std::strtod(text, nullptr);
}

void WriteIniDouble(const char* section, const char* key, double value, const char* file) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", value);
  IniWriteString(section, key, text, file);
}

int ReadIniInt(const char* section, const char* key, int def, const char* file) {
  return IniReadInt(section, key, def, file);
}

void WriteIniInt(const char* section, const char* key, int value, const char* file) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  IniWriteString(section, key, text, file);
}

void WriteIniFlag(const char* section, const char* key, int flag, const char* file) {
  IniWriteString(section, key, flag ? "1" : "0", file);
}

int GetHebrewFlag() { return IniReadInt("Flags", "HebrewFlag", 0, kSettingsFile); }
int GetLeftToRight() { return IniReadInt("Flags", "LeftToRight", 1, kSettingsFile); }
void SetLeftToRight(int flag) { WriteIniFlag("Flags", "LeftToRight", flag, kSettingsFile); }
int GetDateFormat() { return IniReadInt("Settings", "DateFormat", 0, kSettingsFile); }
void SetDateFormat(int format) { WriteIniInt("Settings", "DateFormat", format, kSettingsFile); }
int GetTimeFormat() { return IniReadInt("Settings", "TimeFormat", 0, kSettingsFile); }
void SetTimeFormat(int format) { WriteIniInt("Settings", "TimeFormat", format, kSettingsFile); }
int GetStableUids() { return IniReadInt(kExportSection, "StableUids", 0, kSettingsFile) == 1; }
int IsHandheldEmulation() { return IniReadInt("HandheldPC", "Emulate", 0, kSettingsFile); }

void ReadCustomString(const char* key, const char* def, char* out) {
  // The names are the user's text; the program's Latin text is Windows-1252.
  char text[256];
  IniReadString("Custom", key, def, text, sizeof text, kSettingsFile);
  const std::string name = Windows1252FromUserText(text);
  std::snprintf(out, 256, "%s", name.c_str());
}

const char* IncludeFlagKey(int index) {
  return index >= 0 && index < kIncludeFlagCount ? kIncludeFlagKeys[index] : "";
}

void ReadIncludeFlags(IncludeFlags* flags) {
  for (int i = 0; i < kIncludeFlagCount; ++i)
    flags->flag[i] = IniReadInt(kFlagsSection, kIncludeFlagKeys[i], flags->flag[i], kSettingsFile);
}

void WriteIncludeFlags(const IncludeFlags* flags) {
  for (int i = 0; i < kIncludeFlagCount; ++i)
    WriteIniFlag(kFlagsSection, kIncludeFlagKeys[i], flags->flag[i], kSettingsFile);
}

void ReadExportSettings(ExportSettings* s) {
  std::memset(s, 0, sizeof *s);
  IniReadString(kExportSection, "CaptionWithoutHoliday", "%J - %G", s->captionWithoutHoliday,
                sizeof s->captionWithoutHoliday, kSettingsFile);
  IniReadString(kExportSection, "CaptionWithHoliday", "%H - %J", s->captionWithHoliday,
                sizeof s->captionWithHoliday, kSettingsFile);
  s->exportType = IniReadInt(kExportSection, "ExportType", kExportTypeOutlook, kSettingsFile);
  s->busyStatus = IniReadInt(kExportSection, "BusyStatus", kBusyStatusDefault, kSettingsFile);
  s->reminderSet = IniReadInt(kExportSection, "ReminderSet", 0, kSettingsFile);
  s->reminderMinutes = IniReadInt(kExportSection, "ReminderMinutesBeforeStart", 15, kSettingsFile);
  s->label = IniReadInt(kExportSection, "Label", 0, kSettingsFile);
  for (int& flag : s->includeFlags.flag) flag = 1;
  ReadIncludeFlags(&s->includeFlags);
}

void WriteExportSettings(const ExportSettings* s) {
  WriteIncludeFlags(&s->includeFlags);
  IniWriteString(kExportSection, "CaptionWithoutHoliday", s->captionWithoutHoliday, kSettingsFile);
  IniWriteString(kExportSection, "CaptionWithHoliday", s->captionWithHoliday, kSettingsFile);
  WriteIniInt(kExportSection, "ExportType", s->exportType, kSettingsFile);
  WriteIniInt(kExportSection, "BusyStatus", s->busyStatus, kSettingsFile);
  WriteIniInt(kExportSection, "Label", s->label, kSettingsFile);
  WriteIniFlag(kExportSection, "ReminderSet", s->reminderSet, kSettingsFile);
  WriteIniInt(kExportSection, "ReminderMinutesBeforeStart", s->reminderMinutes, kSettingsFile);
}
