// The settings store: keys, defaults and encodings of exportcal.ini, and
// the small accessors every module calls. Nothing is cached: each call goes
// to the file, so a value written by one dialog is seen by the next reader
// and the file may be edited by hand while the program runs.
#pragma once

inline constexpr char kSettingsFile[] = "exportcal.ini";

// Reads a floating-point value stored with "%.2f". A missing key or an
// empty value gives `def`; other text is converted with strtod (leading
// number, 0.0 if none).
double ReadIniDouble(const char* section, const char* key, double def, const char* file);
// Writes `value` with "%.2f" (8.0 is written as "8.00").
void WriteIniDouble(const char* section, const char* key, double value, const char* file);

// Integer and flag helpers over the profile functions. Flags are written
// "1" for any nonzero value and "0" for zero.
int ReadIniInt(const char* section, const char* key, int def, const char* file);
void WriteIniInt(const char* section, const char* key, int value, const char* file);
void WriteIniFlag(const char* section, const char* key, int flag, const char* file);

int GetHebrewFlag();          // [Flags] HebrewFlag, default 0
int GetLeftToRight();         // [Flags] LeftToRight, default 1
void SetLeftToRight(int flag);
int GetDateFormat();          // [Settings] DateFormat, 0 = DD.MM.YYYY, 1 = MM/DD/YYYY
void SetDateFormat(int format);
int GetTimeFormat();          // [Settings] TimeFormat, 0 = 24 hour, 1 = 12 hour
// [OutlookExport] StableUids, default 0: 1 makes the UIDs of an iCalendar
// export from what each entry is, so a second import updates the first.
int GetStableUids();
void SetTimeFormat(int format);
// [HandheldPC] Emulate, default 0; nonzero picks the HPC dialog variants.
int IsHandheldEmulation();
// Fills out[256] from [Custom] `key`, or with `def`, as Windows-1252 (the
// names there are the user's text, in the user's code page).
void ReadCustomString(const char* key, const char* def, char* out);

// The include flags of an export, in their fixed order; also the order of
// the keys of [OutlookZmanim], of the dialogs' check boxes and of the
// sections of a day's notes.
enum IncludeFlag {
  kIncludeHebrewDate, kIncludeHoliday, kIncludeShabbatTimes, kIncludeZmanim,
  kIncludeAnniversaries, kIncludeBirthdays, kIncludeYahrzeit, kIncludeParashiot,
  kIncludeAlotHaShachar, kIncludeEarliestTallit, kIncludeHaNetzHaChama,
  kIncludeKriatShema, kIncludeTefila, kIncludeChatzot, kIncludeMinchaGedola,
  kIncludeMinchaKtana, kIncludePlagHaMincha, kIncludeShkiaHaChama,
  kIncludeTzaitHakochavim, kIncludeShaaZmanit, kIncludeErevPesach,
  kIncludeFlagCount  // 21
};

// Indices 8-20 are handed to the zmanim text as one block of 13 flags.
inline constexpr int kFirstZmanFlag = kIncludeAlotHaShachar;
inline constexpr int kZmanFlagCount = kIncludeFlagCount - kFirstZmanFlag;  // 13

struct IncludeFlags {
  int flag[kIncludeFlagCount];  // 1 = include, 0 = leave out
};

// The [OutlookZmanim] key of flag `index` (0-20).
const char* IncludeFlagKey(int index);

// Reads the 21 keys of [OutlookZmanim], each with the flag's current value
// as its default.
void ReadIncludeFlags(IncludeFlags* flags);
// Writes the 21 keys as "1"/"0", in table order.
void WriteIncludeFlags(const IncludeFlags* flags);

// The parameters of one export run.
struct ExportSettings {
  int includeDafYomi;             // not stored; 0 each time the range dialog opens
  char captionWithoutHoliday[256];
  char captionWithHoliday[256];
  int exportType;                 // 1 = Outlook, 2 = iCalendar file
  int busyStatus;                 // 1000 = Outlook's default, else 0-3
  int reminderSet;                // 1 = set a reminder
  int reminderMinutes;            // minutes before start
  int label;                      // 0 = none, 1-10 = appointment label
  IncludeFlags includeFlags;
};

inline constexpr int kExportTypeOutlook = 1;
inline constexpr int kExportTypeICalendar = 2;
inline constexpr int kBusyStatusDefault = 1000;

// Reads [OutlookExport] and [OutlookZmanim] with their defaults ("%J - %G",
// "%H - %J", Outlook, 1000, no reminder, 15 minutes, no label, every flag
// set); includeDafYomi is 0.
void ReadExportSettings(ExportSettings* settings);
// Writes them back in the export command's order: the 21 flags, the two
// captions, ExportType, BusyStatus, Label, ReminderSet,
// ReminderMinutesBeforeStart.
void WriteExportSettings(const ExportSettings* settings);
