// The export windows' decisions.
#include "shell/export_rules.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <utility>

#include "calendar/anniversary.h"
#include "calendar/names.h"
#include "export/composer.h"
#include "platform/ini.h"
#include "resources/export_ids.h"

namespace {

constexpr char kExportSection[] = "OutlookExport";
constexpr char kAnniversarySection[] = "BirthAnniYahrzeit";

constexpr char kStartInvalid[] = "Start date is invalid";
constexpr char kEndInvalid[] = "End date is invalid";
constexpr char kBusyMissing[] = "An entry for busy status must be selected";
constexpr char kNumberMissing[] = "A number must be entered";

int Fail(ExportFieldError* error, const char* message, int control) {
  error->message = message;
  error->control = control;
  return 0;
}

// Digits with spaces around them and an optional sign; the value fits an
// int.
int ParseField(const char* text, int allowSign, int* value) {
  const char* p = text;
  while (*p == ' ') ++p;
  int negative = 0;
  if (allowSign && (*p == '-' || *p == '+')) negative = *p++ == '-';
  if (*p < '0' || *p > '9') return 0;
  long long number = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    number = number * 10 + (*p - '0');
    if (number > INT_MAX) return 0;
  }
  while (*p == ' ') ++p;
  if (*p != '\0') return 0;
  *value = (int)(negative ? -number : number);
  return 1;
}

void CopyText(const std::string& text, char* out /* 256 */) {
  std::snprintf(out, 256, "%s", text.c_str());
}

int IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

void OrderRange(const CalDate& start, const CalDate& end, int* first, int* last) {
  *first = AbsoluteFromGregorian(&start);
  *last = AbsoluteFromGregorian(&end);
  if (*first > *last) std::swap(*first, *last);
}

// The two dates, checked in order.
int CheckDates(const RangeFields& fields, CalDate* start, CalDate* end, ExportFieldError* error) {
  if (!ParseDialogDate(fields.start.c_str(), start)) return Fail(error, kStartInvalid, IDC_RANGE_START);
  if (!ParseDialogDate(fields.end.c_str(), end)) return Fail(error, kEndInvalid, IDC_RANGE_END);
  return 1;
}

// The reminder: its minutes are read only while it is ticked.
int CheckReminder(int ticked, const std::string& minutes, int minutesControl, int* reminderSet,
                  int* reminderMinutes, ExportFieldError* error) {
  *reminderSet = ticked ? 1 : 0;
  if (ticked && !ParseUnsignedField(minutes.c_str(), reminderMinutes))
    return Fail(error, kNumberMissing, minutesControl);
  return 1;
}

}  // namespace

int BusyStatusIndex(int value) {
  for (int i = 0; i < kBusyStatusCount; ++i)
    if (kBusyStatusItems[i].value == value) return i;
  return -1;
}

int ParseDialogDate(const char* text, CalDate* date) {
  CalDate d{};
  if (!ParseGregorianDate(text, &d)) return 0;
  if (d.year < 1583 || d.year > 3000 || d.month < 1 || d.month > 12 || d.day < 1 ||
      d.day > GregorianLastDayOfMonth(d.month, d.year))
    return 0;
  *date = d;
  return 1;
}

int ParseUnsignedField(const char* text, int* value) { return ParseField(text, 0, value); }
int ParseSignedField(const char* text, int* value) { return ParseField(text, 1, value); }

int RangeDialogOk(const RangeFields& fields, RangeBlock* block, ExportFieldError* error) {
  RangeBlock b = *block;
  if (!CheckDates(fields, &b.start, &b.end, error)) return 0;
  if (b.extraLabel) b.extra = fields.extra ? 1 : 0;
  ExportSettings& s = b.settings;
  CopyText(fields.captionPlain, s.captionWithoutHoliday);
  CopyText(fields.captionHoliday, s.captionWithHoliday);
  if (CountCaptionParameters(s.captionWithoutHoliday) >= 3)
    return Fail(error, "Caption without holiday must not contain more than two parameters",
                IDC_RANGE_CAPTION_PLAIN);
  if (CountCaptionParameters(s.captionWithHoliday) >= 3)
    return Fail(error, "Caption with holiday must not contain more than two parameters",
                IDC_RANGE_CAPTION_HOLIDAY);
  if (!fields.handheld) {
    if (fields.outlook) s.exportType = kExportTypeOutlook;
    else if (fields.ics) s.exportType = kExportTypeICalendar;
  }
  // Without a target every day would be composed and nothing written.
  if (s.exportType != kExportTypeOutlook && s.exportType != kExportTypeICalendar)
    return Fail(error, kNoTargetMessage, fields.handheld ? 0 : IDC_RANGE_OUTLOOK);
  if (s.exportType == kExportTypeOutlook && !fields.handheld) {
    if (fields.busyIndex < 0 || fields.busyIndex >= kBusyStatusCount)
      return Fail(error, kBusyMissing, IDC_RANGE_BUSY);
    s.busyStatus = kBusyStatusItems[fields.busyIndex].value;
    if (!CheckReminder(fields.reminder, fields.minutes, IDC_RANGE_MINUTES, &s.reminderSet,
                       &s.reminderMinutes, error))
      return 0;
    s.label = fields.label > 0 ? fields.label : 0;
  }
  *block = b;
  return 1;
}

std::vector<OutlookControlState> OutlookControlStates(int outlook, int ics, int reminder) {
  if (!outlook && !ics) return {};
  const int on = outlook ? 1 : 0;
  const int minutes = outlook && reminder ? 1 : 0;
  return {{IDC_RANGE_BUSY_LABEL, on},   {IDC_RANGE_BUSY, on},          {IDC_RANGE_REMINDER_LABEL, on},
          {IDC_RANGE_REMINDER, on},     {IDC_RANGE_MINUTES, minutes},  {IDC_RANGE_MINUTES_UNIT, minutes},
          {IDC_RANGE_LABEL_LABEL, on},  {IDC_RANGE_LABEL, on}};
}

void ExportCommandOpen(const CalDate& selectedDay, RangeBlock* block) {
  block->start = selectedDay;
  block->end = selectedDay;
  block->extraLabel = "Include Daf Yomi";
  block->extra = 0;
  ReadExportSettings(&block->settings);
}

void ExportCommandAccept(const RangeBlock* block, int* first, int* last) {
  WriteExportSettings(&block->settings);
  OrderRange(block->start, block->end, first, last);
}

std::string ProgressDayText(const CalDate& day) {
  char text[96];
  std::snprintf(text, sizeof text, "Please wait --- calculating day %d.%d.%d", (int)day.day,
                (int)day.month, (int)day.year);
  return text;
}

std::string OutlookImportedMessage(int first, int last, int holidays) {
  CalDate a, b;
  GregorianFromAbsolute(first, &a);
  GregorianFromAbsolute(last, &b);
  char count[48] = "";
  if (holidays >= 0) std::snprintf(count, sizeof count, " with %d holiday(s)", holidays);
  char text[200];
  std::snprintf(text, sizeof text, "Time range %d.%d.%d - %d.%d.%d%s was imported into Outlook successfully",
                (int)a.day, (int)a.month, (int)a.year, (int)b.day, (int)b.month, (int)b.year, count);
  return text;
}

int ProgressPosition(int done, int total) {
  if (total <= 0 || done >= total) return 1000;
  if (done <= 0) return 0;
  return (int)((long long)done * 1000 / total);
}

void HolidayImportOpen(const CalDate& selectedDay, HolidayImportBlock* block) {
  block->start = selectedDay;
  block->end = selectedDay;
  block->exportType = IniReadInt(kExportSection, "ExportType", kExportTypeOutlook, kSettingsFile);
  block->busyStatus = IniReadInt(kExportSection, "BusyStatus", kBusyStatusDefault, kSettingsFile);
  block->reminderSet = IniReadInt(kExportSection, "ReminderSet", 0, kSettingsFile);
  block->reminderMinutes = IniReadInt(kExportSection, "ReminderMinutesBeforeStart", 15, kSettingsFile);
  block->label = IniReadInt(kExportSection, "Label", 0, kSettingsFile);
}

int HolidayImportOk(const RangeFields& fields, HolidayImportBlock* block, ExportFieldError* error) {
  HolidayImportBlock b = *block;
  if (!CheckDates(fields, &b.start, &b.end, error)) return 0;
  if (fields.outlook) b.exportType = kExportTypeOutlook;
  else if (fields.ics) b.exportType = kExportTypeICalendar;
  if (b.exportType != kExportTypeOutlook && b.exportType != kExportTypeICalendar)
    return Fail(error, kNoTargetMessage, IDC_RANGE_OUTLOOK);
  if (fields.busyIndex < 0 || fields.busyIndex >= kBusyStatusCount)
    return Fail(error, kBusyMissing, IDC_RANGE_BUSY);
  b.busyStatus = kBusyStatusItems[fields.busyIndex].value;
  if (!CheckReminder(fields.reminder, fields.minutes, IDC_RANGE_MINUTES, &b.reminderSet,
                     &b.reminderMinutes, error))
    return 0;
  b.label = fields.label > 0 ? fields.label : 0;
  *block = b;
  return 1;
}

void HolidayImportAccept(const HolidayImportBlock* block, int* first, int* last) {
  WriteIniInt(kExportSection, "BusyStatus", block->busyStatus, kSettingsFile);
  WriteIniInt(kExportSection, "ExportType", block->exportType, kSettingsFile);
  WriteIniFlag(kExportSection, "ReminderSet", block->reminderSet, kSettingsFile);
  WriteIniInt(kExportSection, "ReminderMinutesBeforeStart", block->reminderMinutes, kSettingsFile);
  WriteIniInt(kExportSection, "Label", block->label, kSettingsFile);
  OrderRange(block->start, block->end, first, last);
}

void AnniversaryImportOpen(int currentYear, AnniversaryImportBlock* block) {
  block->entries.clear();
  char path[1024];
  AnniversaryList list;
  if (AnniversaryFilePath(path, sizeof path)) AnniversaryListLoad(&list, path);
  for (const AnniversaryRecord& r : list.records)
    AnniversarySelectionAdd(&block->entries, (char)r.type, r.name);
  if (block->entries.empty()) block->entries.push_back('\0');
  AnniversaryListFree(&list);
  block->fromYear = block->toYear = currentYear;
  block->target = kAnniversaryTargetOutlook;
  block->busyStatus = IniReadInt(kAnniversarySection, "BusyStatus", kBusyStatusDefault, kSettingsFile);
  block->reminderSet = IniReadInt(kAnniversarySection, "ReminderSet", 0, kSettingsFile);
  block->reminderMinutes =
      IniReadInt(kAnniversarySection, "ReminderMinutesBeforeStart", 15, kSettingsFile);
  block->fileName.clear();
  block->sortOrder = 1;
}

std::vector<std::string> AnniversaryImportLines(const std::vector<char>& entries) {
  std::vector<std::string> lines;
  AnniversarySelectionCursor cursor = {entries.data(), entries.size(), 0};
  char type;
  const char* name;
  while (AnniversarySelectionNext(&cursor, &type, &name)) {
    const char* word = AnniversaryTypeWord(type >= 'a' && type <= 'z' ? type - 'a' + 'A' : type);
    lines.push_back(std::string(word ? word : "") + ": " + name);
  }
  return lines;
}

int AnniversaryImportOk(const AnniversaryImportFields& fields, AnniversaryImportBlock* block,
                        ExportFieldError* error) {
  AnniversaryImportBlock b = *block;
  if (fields.selected.empty())
    return Fail(error, "At least one entry has to be selected in the list", IDC_BIRTH_LIST);
  b.entries.clear();
  for (const std::string& line : fields.selected) {
    char type;
    char name[kAnniversaryNameSize];
    ParseAnniversaryLabel(line.c_str(), &type, name, sizeof name);
    AnniversarySelectionAdd(&b.entries, type, name);
  }
  if (b.entries.empty()) b.entries.push_back('\0');
  if (!ParseSignedField(fields.from.c_str(), &b.fromYear))
    return Fail(error, "Start year must be a number", IDC_BIRTH_FROM);
  if (b.fromYear < 1583 || b.fromYear > 3000)
    return Fail(error, "Start year must be in range 1583-3000", IDC_BIRTH_FROM);
  if (!ParseSignedField(fields.to.c_str(), &b.toYear))
    return Fail(error, "End year must be a number", IDC_BIRTH_TO);
  if (b.toYear < 1583 || b.toYear > 3000)
    return Fail(error, "End year must be in range 1583-3000", IDC_BIRTH_TO);
  if (b.fromYear > b.toYear) std::swap(b.fromYear, b.toYear);
  if (fields.outlook) b.target = kAnniversaryTargetOutlook;
  else if (fields.text) b.target = kAnniversaryTargetText;
  else if (fields.ics) b.target = kAnniversaryTargetIcs;
  else return Fail(error, "\"Outlook\" or \"Text file\" must be selected", IDC_BIRTH_TEXT);
  if (b.target == kAnniversaryTargetOutlook) {
    if (fields.busyIndex < 0 || fields.busyIndex >= kBusyStatusCount)
      return Fail(error, kBusyMissing, IDC_BIRTH_BUSY);
    b.busyStatus = kBusyStatusItems[fields.busyIndex].value;
    if (!CheckReminder(fields.reminder, fields.minutes, IDC_BIRTH_MINUTES, &b.reminderSet,
                       &b.reminderMinutes, error))
      return 0;
  }
  if (b.target == kAnniversaryTargetText) {
    if (IsBlank(fields.fileName))
      return Fail(error, "Filename must not be blank", IDC_BIRTH_SORT_HEBREW);
    b.fileName = fields.fileName;
    if (fields.sortHebrew) b.sortOrder = 1;
    else if (fields.sortGregorian) b.sortOrder = 2;
    else if (fields.sortNames) b.sortOrder = 3;
    else
      return Fail(error, "\"Hebrew months\", \"Gregorian months\" or \"Names\" must be selected",
                  IDC_BIRTH_SORT_HEBREW);
  }
  *block = b;
  return 1;
}

std::vector<OutlookControlState> AnniversaryControlStates(int outlook, int text, int reminder) {
  const int on = outlook ? 1 : 0;
  const int minutes = outlook && reminder ? 1 : 0;
  std::vector<OutlookControlState> states = {
      {IDC_BIRTH_BUSY_LABEL, on},    {IDC_BIRTH_BUSY, on},       {IDC_BIRTH_REMINDER_LABEL, on},
      {IDC_BIRTH_REMINDER, on},      {IDC_BIRTH_MINUTES, minutes}, {IDC_BIRTH_MINUTES_UNIT, minutes}};
  for (int id = IDC_BIRTH_FILENAME_LABEL; id <= IDC_BIRTH_SORT_NAMES; ++id)
    states.push_back({id, text ? 1 : 0});
  return states;
}

void AnniversaryImportWriteOutlookOptions(const AnniversaryImportBlock* block) {
  WriteIniInt(kAnniversarySection, "BusyStatus", block->busyStatus, kSettingsFile);
  WriteIniFlag(kAnniversarySection, "ReminderSet", block->reminderSet, kSettingsFile);
  WriteIniInt(kAnniversarySection, "ReminderMinutesBeforeStart", block->reminderMinutes, kSettingsFile);
}
