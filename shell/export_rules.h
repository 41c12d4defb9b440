// What the export windows decide, without any window: the lists they
// offer, the checks of their OK buttons in order with the message and the
// control that gets the focus, which Outlook options are enabled, and the
// settings the export command and the two imports read and write. The
// dialog procedures only move values between their controls and these
// functions.
#pragma once
#include <string>
#include <vector>

#include "calendar/caldate.h"
#include "settings/settings.h"

// ---- Lists ---------------------------------------------------------------

// The busy-status list, in its order: text and stored value.
struct BusyStatusItem {
  const char* text;
  int value;
};
inline constexpr BusyStatusItem kBusyStatusItems[] = {
    {"Default", kBusyStatusDefault}, {"Free", 0}, {"Tentative", 1}, {"Busy", 2}, {"Out of office", 3},
};
inline constexpr int kBusyStatusCount = 5;
// The item showing `value`, or -1 when none does.
int BusyStatusIndex(int value);

// The label list: "None" (0), then the ten labels; an item's position is
// the label number stored with an appointment.
struct LabelItem {
  const char* name;
  unsigned char red, green, blue;
};
inline constexpr LabelItem kLabelItems[] = {
    {"None", 255, 255, 255},           {"Important", 255, 148, 132},
    {"Business", 132, 156, 231},       {"Personal", 165, 222, 99},
    {"Vacation", 231, 231, 214},       {"Must Attend", 255, 181, 115},
    {"Travel Required", 132, 239, 247}, {"Needs Preparation", 214, 206, 132},
    {"Birthday", 198, 165, 247},       {"Anniversary", 165, 206, 198},
    {"Phone Call", 255, 231, 115},
};
inline constexpr int kLabelCount = 11;

// ---- Text fields -----------------------------------------------------------

// A typed date in the user's date format that is a real day of 1583-3000.
int ParseDialogDate(const char* text, CalDate* date);
// An unsigned whole number (spaces around it allowed) that fits an int.
int ParseUnsignedField(const char* text, int* value);
// A whole number with an optional sign (spaces around it allowed).
int ParseSignedField(const char* text, int* value);

// The first failing check of a dialog's OK: the message (title "Error")
// and the control that gets the focus (0: none).
struct ExportFieldError {
  const char* message;
  int control;
};

// ---- Range dialog ----------------------------------------------------------

// What the range dialog edits: its dates, the extra check box and the
// settings of the run (captions, target, Outlook options, include flags).
struct RangeBlock {
  CalDate start;
  CalDate end;
  const char* extraLabel;  // text of check box 103, nullptr: hidden
  int extra;               // its state (the Daf Yomi switch)
  ExportSettings settings;
};

// The controls as the dialog reads them on OK.
struct RangeFields {
  std::string start, end;
  int extra;                     // 103 ticked
  std::string captionPlain;      // 104
  std::string captionHoliday;    // 105
  int handheld;                  // "HPCRANGE": the controls below are absent
  int outlook, ics;              // 501, 502
  int busyIndex;                 // item of 201, -1 none
  int reminder;                  // 301 ticked
  std::string minutes;           // 302
  int label;                     // item of 401, -1 none
};

inline constexpr char kNoTargetMessage[] = "\"Outlook\" or \"ICS file\" must be selected";

// OK of the range dialog: the checks in order; on success the block takes
// the fields and 1 is returned, else 0 with the error and the block as it
// was. Without the Outlook target the Outlook options keep their values;
// so do the controls "HPCRANGE" lacks.
int RangeDialogOk(const RangeFields& fields, RangeBlock* block, ExportFieldError* error);

// Which Outlook options are enabled: with "Outlook" chosen all of them, the
// minutes only while the reminder is ticked; with "ICS file" none; with
// neither target chosen they stay as they are (no states).
struct OutlookControlState {
  int id;
  int enabled;
};
// The states of 200, 201, 300, 301, 302, 303, 400, 401, in that order.
std::vector<OutlookControlState> OutlookControlStates(int outlook, int ics, int reminder);

// ---- Export command (Ctrl+I) -----------------------------------------------

// The block the range dialog opens with: the selected day as both dates,
// the stored settings, "Include Daf Yomi" clear.
void ExportCommandOpen(const CalDate& selectedDay, RangeBlock* block);
// After OK: writes every export key in the command's order and gives the
// range as absolute day numbers, the earlier first.
void ExportCommandAccept(const RangeBlock* block, int* first, int* last);

// ---- Progress window -------------------------------------------------------

// "Please wait --- calculating day 5.3.2007".
std::string ProgressDayText(const CalDate& day);
// Position of the progress bar, 0-1000.
int ProgressPosition(int done, int total);

// The Information text after days `first`..`last` (absolute day numbers)
// went into Outlook; `holidays` >= 0 adds "with N holiday(s)".
std::string OutlookImportedMessage(int first, int last, int holidays);

inline constexpr char kIcsWrittenMessage[] = "Creation of ICS file was successful";
inline constexpr char kIcsFailedMessage[] = "Creation of file failed";
inline constexpr char kExportCancelledMessage[] =
    "The export was cancelled. No file was written; an existing file was left as it was.";

// ---- Holiday import --------------------------------------------------------

struct HolidayImportBlock {
  CalDate start;
  CalDate end;
  int exportType;
  int busyStatus;
  int reminderSet;
  int reminderMinutes;
  int label;
};

// The block the dialog opens with: the selected day as both dates and the
// shared [OutlookExport] keys.
void HolidayImportOpen(const CalDate& selectedDay, HolidayImportBlock* block);
// OK of "HOLIDAYSIMPORT": the dates, the target, a busy status whatever
// the target, the minutes when the reminder is ticked, the label in every
// case. The handheld and extra fields of RangeFields are not used.
int HolidayImportOk(const RangeFields& fields, HolidayImportBlock* block, ExportFieldError* error);
// Writes BusyStatus, ExportType, ReminderSet, ReminderMinutesBeforeStart
// and Label, in that order, and gives the range ordered.
void HolidayImportAccept(const HolidayImportBlock* block, int* first, int* last);

inline constexpr char kNoHolidaysMessage[] = "No holidays to import";

// ---- Anniversary import ----------------------------------------------------

struct AnniversaryImportBlock {
  std::vector<char> entries;  // packed: kind letter, name, NUL, ..., final NUL
  int fromYear, toYear;
  int target;                 // 1 Outlook, 2 text file, 3 iCalendar file
  int busyStatus, reminderSet, reminderMinutes;
  std::string fileName;
  int sortOrder;              // 1 Hebrew months, 2 Gregorian months, 3 names
};

inline constexpr int kAnniversaryTargetOutlook = 1;
inline constexpr int kAnniversaryTargetText = 2;
inline constexpr int kAnniversaryTargetIcs = 3;

// Opening: every record of the anniversary file, this year as both years,
// Outlook, the [BirthAnniYahrzeit] options, no file name, Hebrew months.
void AnniversaryImportOpen(int currentYear, AnniversaryImportBlock* block);
// The list lines of the packed entries: "Birthday: Name".
std::vector<std::string> AnniversaryImportLines(const std::vector<char>& entries);

struct AnniversaryImportFields {
  std::vector<std::string> selected;  // the selected list lines
  std::string from, to;               // 102, 103
  int outlook, text, ics;             // 200, 201, 202
  int busyIndex;                      // item of 302, -1 none
  int reminder;                       // 402
  std::string minutes;                // 403
  std::string fileName;               // 204
  int sortHebrew, sortGregorian, sortNames;  // 207, 208, 209
};

// OK of "BIRTHDAYSDLG", in order; on success the block takes the fields.
int AnniversaryImportOk(const AnniversaryImportFields& fields, AnniversaryImportBlock* block,
                        ExportFieldError* error);
// Which controls of "BIRTHDAYSDLG" are enabled: the Outlook options while
// "Outlook" is chosen (the minutes only while the reminder is ticked), the
// file name and sort order while "Text file" is chosen.
std::vector<OutlookControlState> AnniversaryControlStates(int outlook, int text, int reminder);

// For the Outlook target: writes BusyStatus, ReminderSet and
// ReminderMinutesBeforeStart to [BirthAnniYahrzeit].
void AnniversaryImportWriteOutlookOptions(const AnniversaryImportBlock* block);
