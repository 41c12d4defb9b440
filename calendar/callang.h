// Callang, the definition language of month names and holiday rules: its
// lexer and parser, the definition table a parse fills, and the table of
// Hebrew letter names that spells the Hebrew names of the definitions.
#pragma once
#include <cstdint>

// One definition: "Key: 'English' 'hebrew letter names' %Short% SYMBOL,
// day Month + offset, Special". Fields the line leaves out are 0 or "".
struct CallangEntry {
  char key[50];           // the identifier before the colon, < 50 chars
  char englishName[256];
  char hebrewName[256];   // letter names separated by spaces; "" if absent
  char shortName[256];    // the %-quoted string; "" if absent
  std::int32_t day;       // 0 without a date clause
  std::int32_t month;     // 1-11 (Nisan-Shevat), 20 or 21 (below); 0: none
  std::int32_t offset;    // days after the date, the number after "+"
  std::int32_t special;   // 1-6 (below); 0: the date as written
  std::int32_t symbol;    // 1-5 (CANDLES ... SQUARE); 0: none
};

constexpr int kCallangCapacity = 200;

// Definitions in the order of the text. One slot stays a sentinel: storing
// the 200th definition is an error, so a successful parse holds <= 199.
struct CallangTable {
  CallangEntry entries[kCallangCapacity];
  std::int32_t count;
};

// Month values beyond the plain Hebrew months 1-11.
constexpr int kCallangAdarPurim = 20;       // Adar II in a leap year, else Adar
constexpr int kCallangAdarPurimKatan = 21;  // Adar I; no date in a common year

// Special methods: how a written date moves with the weekday.
constexpr int kCallangFastDay = 1;          // Saturday -> Sunday
constexpr int kCallangShabbatHaggadol = 2;  // last Saturday strictly before
constexpr int kCallangYomHashoah = 3;
constexpr int kCallangYomHazikaron = 4;
constexpr int kCallangYomHaatzmaut = 5;
constexpr int kCallangTaanitEsther = 6;     // Saturday -> Thursday

// Token kinds; their numbers appear in error reports ("Token 303").
enum CallangToken {
  TOKEN_UNKNOWN = 100,  // no token, unterminated string, lexical error
  TOKEN_EOF = 101,
  TOKEN_NEWLINE = 102,  // a carriage return
  TOKEN_COLON = 200,
  TOKEN_COMMA = 201,
  TOKEN_ADDOP = 202,
  TOKEN_STRING = 300,
  TOKEN_ID = 301,
  TOKEN_NUM = 302,
  TOKEN_SHORTNAME = 303,
  TOKEN_JEWMONTH = 401,
  TOKEN_SPECIAL = 402,
  TOKEN_DAYCOLOR = 403,
};

// Parses the NUL-terminated `text` into `table` (cleared first). Returns 1,
// or 0 after showing the first error; the records stored before the error
// stay in the table.
int CallangParse(const char* text, CallangTable* table);

// Parses the embedded definition text into the process-wide table.
// Nonzero on success, 0 after the error has been shown.
int CallangInitialize();

// The process-wide table; empty until CallangInitialize succeeds.
const CallangTable* CallangGlobalTable();
// A number that changes whenever CallangInitialize fills the process-wide
// table again: what is worked out from the table may be kept while it
// stays the same.
int CallangGlobalGeneration();

// Copies the English name of the first record of `table` whose key equals
// `key` without regard to case into `dest` (256 bytes). Returns 1, or 0
// with `dest` untouched when no record matches.
int CallangLookupNameIn(const CallangTable* table, const char* key, char* dest);
// The same over the process-wide table. The record each key finds is
// remembered until the table is filled again.
int CallangLookupName(const char* key, char* dest);

// Turns a hebrewName (letter names separated by runs of spaces, case
// ignored, unknown words dropped) into Windows-1255 text in visual order
// (last letter first). Writes at most destSize - 1 bytes and a NUL; returns
// the number of bytes written before the NUL.
int HebrewFromLetterNames(const char* names, char* dest, int destSize);
