// What the three anniversary dialogs decide, without any window: the list
// dialog's result list and its texts, the edit dialog's checks, and the
// Hebrew-date dialog's lists, clamping and checks. The dialog procedures
// only move values between their controls and these functions.
#pragma once
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "calendar/caldate.h"

// Control ids of the three dialogs.
enum AnniversaryControl {
  kAnniControlNone = 0,
  // "Anniversaries"
  kAnniControlNameList = 1101,
  kAnniControlAdd,
  kAnniControlModify,
  kAnniControlRemove,
  kAnniControlFromYear,
  kAnniControlToYear,
  kAnniControlResultList,
  kAnniControlCopy,
  // "Edit Anniversary"
  kAnniControlName = 1201,
  kAnniControlDate,
  kAnniControlDateSample,
  kAnniControlAfterSunset,
  kAnniControlEnterHebrewDate,
  kAnniControlTypeAnniversary,
  kAnniControlTypeBirthday,
  kAnniControlTypeYahrzeit,
  // "Edit Date"
  kAnniControlHebrewDay = 1301,
  kAnniControlHebrewMonth,
  kAnniControlHebrewYear,
};

// The first failing check of a dialog: its message (caption "Error") and
// the control that gets the focus.
struct AnniversaryFieldError {
  const char* message;
  int control;  // an AnniversaryControl
};

// ---- "Anniversaries" -----------------------------------------------------

constexpr int kAnniversaryNoSelection = 0;  // ids start at 1

// The lines of the result list for the entry `selectedId` of the file at
// `path`, over the years typed into "from" and "to" (swapped when from is
// the later). Returns 1 with one line per occurrence ("26.2.2007 (8 Adar
// 5767)": the Gregorian day of the Hebrew date, English month names), or 0
// with the one line that says what is wrong.
int AnniversaryResultLines(const char* fromText, const char* toText, int selectedId,
                           const char* path, std::vector<std::string>* lines);
// The clipboard text: every line followed by CR LF.
std::string AnniversaryResultText(const std::vector<std::string>& lines);
// The years the dialog opens with: this year and five years on.
void AnniversaryDefaultYears(int* fromYear, int* toYear);

// Loads the file, puts `record` (id 0: a new entry; else the entry it
// replaces), saves and frees. Returns the record's id, or -1 when the save
// failed (already shown).
int AnniversaryStoreEntry(const char* path, const AnniversaryRecord* record);
// Loads the file, removes entry `id`, saves and frees. Returns 1, 0 when
// there is no such entry (nothing saved), or -1 when the save failed.
int AnniversaryDeleteEntry(const char* path, int id);

inline constexpr char kAnniversaryNotSelectedMessage[] = "A list entry has to be selected";
inline constexpr char kAnniversaryNotFoundMessage[] = "Anniversary was not found";
inline constexpr char kAnniversaryCopiedMessage[] = "Data was copied into the clipboard";
// "Are you really sure that you want to delete the entry "<name>"?", cut to
// destSize - 1 bytes.
void AnniversaryRemoveQuestion(const char* name, char* dest, int destSize);

// ---- "Edit Anniversary" --------------------------------------------------

struct EditAnniversaryFields {
  char name[256];
  char date[256];   // as typed, in the DateFormat of the settings
  int afterSunset;  // the check box
  int type;         // 'A', 'B', 'Y', or 0 when no radio button is checked
};

// The fields for `record`; the date stays empty when it is all zeros.
void EditAnniversaryFill(const AnniversaryRecord* record, EditAnniversaryFields* fields);
// The OK checks in order. Returns 1 and stores name, date, flag and type
// into `record` (its id untouched), or 0 with the first failure.
int EditAnniversaryValidate(const EditAnniversaryFields* fields, AnniversaryRecord* record,
                            AnniversaryFieldError* error);
// The sample line under the date field: 17 June 1981 in the DateFormat.
void AnniversaryDateSample(char* dest);
// "Enter Hebrew Date": the date field's day, or today when it is blank.
// Returns 1, or 0 with the date check that failed.
int EnterHebrewDatePrepare(const char* dateText, CalDate* gregorian, AnniversaryFieldError* error);

// ---- "Edit Date" ---------------------------------------------------------

constexpr int kHebrewYearFirst = 5360;
constexpr int kHebrewYearLast = 5860;

// The dialog's state: the lists for `year` and the selected month and day.
struct HebrewDateForm {
  int year;          // the year the lists were filled for
  int month;         // selected, 1-13 (Nisan = 1); 0 none
  int day;           // selected, 1-30; 0 none
  int monthCount;    // months in the list: LastMonthOfHebrewYear(year)
  int dayCount;      // days in the list: the length of `month`
  char monthNames[13][256];  // list entry i is month i + 1
};

// Opening: the Hebrew date of `gregorian` (of the next day after sunset).
void HebrewDateFormOpen(HebrewDateForm* form, const CalDate* gregorian, int afterSunset);
// Another month chosen: the day list for it, the day kept or reduced to
// the month's last.
void HebrewDateFormSelectMonth(HebrewDateForm* form, int month);
// The year field changed: a year of 5360-5860 refills both lists (month
// and day reduced where the year is shorter) and returns 1; any other text
// changes nothing and returns 0.
int HebrewDateFormYearTyped(HebrewDateForm* form, const char* yearText);

struct HebrewDateFields {
  int day;       // selected day, 0 none
  int month;     // selected month 1-13, 0 none
  char year[256];
};
// The OK checks, then the Gregorian date of the Hebrew date (the day
// before when after sunset). Returns 1, or 0 with the first failure.
int HebrewDateValidate(const HebrewDateFields* fields, int afterSunset, CalDate* gregorian,
                       AnniversaryFieldError* error);

// A whole number typed into a field (spaces around it and a sign allowed).
// Returns 1, or 0 when the text is no number; very large values saturate.
int ParseFieldNumber(const char* text, int* value);
