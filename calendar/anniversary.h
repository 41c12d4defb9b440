// Anniversaries, birthdays and yahrzeits: the record and its list, the file
// "Merovan Anniversaries.bin", the two rules that carry a Hebrew date into
// a later year, the occurrences of a record over a range of years, and the
// labels and packed selections the import dialogs hand around.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "calendar/caldate.h"

inline constexpr char kAnniversaryFileName[] = "Merovan Anniversaries.bin";
inline constexpr std::uint32_t kAnniversaryMagic = 0xAB332289u;
constexpr int kAnniversaryNameSize = 256;  // 255 characters and the NUL

// Record types, held as the character code.
constexpr int kAnniversaryTypeAnniversary = 'A';
constexpr int kAnniversaryTypeBirthday = 'B';
constexpr int kAnniversaryTypeYahrzeit = 'Y';

struct AnniversaryRecord {
  std::int32_t id;                  // 1, 2, 3 ... in list order at load
  char name[kAnniversaryNameSize];  // NUL-terminated, not blank
  CalDate date;                     // Gregorian, 1583 <= year <= 3000
  std::int32_t afterSunset;         // 1: the Hebrew date is the next day's
  std::int32_t type;                // 'A', 'B' or 'Y'
};

// The records in file order. Lives for one operation: load, change, save,
// free.
struct AnniversaryList {
  std::vector<AnniversaryRecord> records;
  int damaged;  // 1 when the file it came from was read only in part
};

// ---- The list ----------------------------------------------------------

// Frees every record; the list is empty (and not damaged) afterwards.
void AnniversaryListFree(AnniversaryList* list);
// 1 + the largest id in the list, 1 for an empty list.
int AnniversaryListNextId(const AnniversaryList* list);
// Id 0 takes AnniversaryListNextId; an id already in the list replaces
// that record in place; any other id is appended as it is. Returns the id.
int AnniversaryListPut(AnniversaryList* list, const AnniversaryRecord* record);
// Copies the record with `id` into `out`. Returns 1, or 0 if there is none.
int AnniversaryListGet(const AnniversaryList* list, int id, AnniversaryRecord* out);
// Removes the record with `id`. Returns 1, or 0 if there is none.
int AnniversaryListRemove(AnniversaryList* list, int id);

// ---- The file ----------------------------------------------------------
// Magic 0xAB332289, then per record: marker 1, name length n, n bytes of
// name, day, month, year, afterSunset, type (low byte); then marker 0. All
// integers 32-bit little-endian. A type letter in lower case is read as
// its capital.

// Empties the list and reads the records out of `length` bytes. A wrong
// magic gives no records; a short read or a name length above 255 ends
// the reading with the records read so far. Returns 1 when the bytes hold
// a whole list, else 0 and the list is marked damaged.
int AnniversaryListParse(const unsigned char* data, std::size_t length, AnniversaryList* list);
// The bytes of the file for the list.
void AnniversaryListSerialize(const AnniversaryList* list, std::vector<unsigned char>* out);

// Empties the list and loads the file at `path`. A missing file gives an
// empty list; a damaged or unreadable one the records before the damage,
// and the list is marked damaged. Returns the number of records.
int AnniversaryListLoad(AnniversaryList* list, const char* path);
// Replaces the file at `path` with the list. When the list came from a
// damaged file, that file is first kept beside it as path + ".bak". A
// failure leaves the old file whole and is shown as an error. Returns 1,
// or 0.
int AnniversaryListSave(AnniversaryList* list, const char* path);
// The path of "Merovan Anniversaries.bin" in the documents folder.
// Returns 1, or 0 (out = "") when it does not fit in outSize.
int AnniversaryFilePath(char* out, int outSize);

// ---- The date rules ----------------------------------------------------

// The working record of the two rules: the event's Hebrew date, the
// target Hebrew year, and the date the rule gives in that year.
struct AnniversaryYearDate {
  CalDate event;             // Hebrew
  std::int32_t targetYear;   // Hebrew
  CalDate result;            // Hebrew
};

// Anniversaries and birthdays: the same day of the same month; the last
// month of the year (Adar, Adar II) goes to the last month of the target
// year; a day the month lacks rolls over into the next month.
void AnniversaryHebrewDate(AnniversaryYearDate* request);
// Yahrzeits, with the classical rules for 30 Heshvan, 30 Kislev, Adar II
// and 30 Adar I.
void YahrzeitHebrewDate(AnniversaryYearDate* request);

// The Hebrew date of the event: that of the next Gregorian day after sunset.
void AnniversaryEventHebrewDate(const AnniversaryRecord* record, CalDate* hebrew);

// How an occurrence's Hebrew date becomes a Gregorian day.
enum AnniversaryGregorianDay {
  kAnniversaryDayOfHebrewDate = 0,  // the day the Hebrew date falls on
  kAnniversaryEveOfHebrewDate = 1,  // after sunset: the day before, whose evening it begins
};

struct AnniversaryOccurrence {
  CalDate hebrew;
  CalDate gregorian;
};

// The occurrences of `record` whose Gregorian year lies in [fromYear,
// toYear], in order, appended to `out`; only Hebrew years after the
// event's count. Types other than 'A', 'B', 'Y', a record date that is no
// valid day of 1583-3000, or a range outside 1583-3000 give nothing.
// Returns the number appended.
int AnniversaryOccurrences(const AnniversaryRecord* record, int fromYear, int toYear,
                           AnniversaryGregorianDay way, std::vector<AnniversaryOccurrence>* out);

// ---- Labels and selections ---------------------------------------------

// "Anniversary", "Birthday" or "Yahrzeit" for 'A', 'B', 'Y'; nullptr for
// any other type.
const char* AnniversaryTypeWord(int type);
// "Birthday: Name". Returns 1, or 0 for an unknown type or a label that
// does not fit in destSize (dest = "").
int FormatAnniversaryLabel(int type, const char* name, char* dest, int destSize);
// Splits "Word: Name" at the first ": ". *type becomes 'A', 'B' or 'Y' for
// the three words (compared without case), else ' '; without ": " it is
// ' ' and the name empty. The name is cut to nameSize - 1 bytes. Returns
// 1 when the word is one of the three, else 0.
int ParseAnniversaryLabel(const char* label, char* type, char* name, int nameSize);

// A selection: entries of a type character and a NUL-terminated name,
// ended by a zero byte. The builder keeps the final zero in place.
void AnniversarySelectionAdd(std::vector<char>* selection, char type, const char* name);

// Walks a selection without reading past `length` bytes.
struct AnniversarySelectionCursor {
  const char* data;
  std::size_t length;
  std::size_t position;
};
// The next entry: its type and its name (pointing into the selection).
// Returns 1, or 0 at the final zero byte, at the end of the bytes, or at
// a name without its NUL.
int AnniversarySelectionNext(AnniversarySelectionCursor* cursor, char* type, const char** name);

// The records of `list` that the selection names (type and name compared
// without case), each once however often it is named: in the order of the
// selection, then of the list. Returns their number.
int AnniversarySelectedRecords(const AnniversaryList* list, const char* selection,
                               std::size_t selectionSize,
                               std::vector<const AnniversaryRecord*>* out);

// Compares two names byte by byte with ASCII letters folded to lower case:
// <0, 0 or >0.
int AnniversaryCompareNames(const char* a, const char* b);
