// The text table of anniversary dates: the chosen entries' occurrences over
// a range of years, sorted, in padded columns, one line each.
#pragma once
#include <cstddef>
#include <string>

#include "calendar/anniversary.h"

// Sort orders of the table.
constexpr int kAnniversarySortHebrew = 1;     // by the Hebrew date's day number
constexpr int kAnniversarySortGregorian = 2;  // by the Gregorian day number
constexpr int kAnniversarySortName = 3;       // by name, without case

// The table for the entries of `list` that the selection names (type and
// name compared without case), over the Gregorian years [fromYear,
// toYear]. An after-sunset entry is dated on the evening its Hebrew date
// begins. Lines end in CR LF. Returns the number of lines.
int AnniversaryTextTable(const AnniversaryList* list, const char* selection,
                         std::size_t selectionSize, int fromYear, int toYear, int sortOrder,
                         std::string* out);

// Writes the table for the anniversary file of the documents folder into
// the file `path` and tells the user where it went; a file that cannot be
// written is reported instead and no part of it is left. Returns 1, or 0.
int ExportAnniversariesToText(const char* selection, std::size_t selectionSize, int fromYear,
                              int toYear, const char* path, int sortOrder);
