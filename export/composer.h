// The day record composer: the caption and the notes of one exported day,
// under the switches of an ExportSettings.
#pragma once
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "settings/settings.h"
#include "placetime/window_state.h"

// Size of a caption and of the notes of one day, the NUL included.
inline constexpr int kDayTextSize = 2048;

// The anniversary occurrences of an export's years, found once per export
// instead of reading the anniversary file for every day and kind.
struct AnniversaryDays {
  struct Entry {
    int absoluteDay;   // the Gregorian day the occurrence falls on
    int type;          // 'A', 'B' or 'Y'
    std::string name;
  };
  std::vector<Entry> entries;  // by day, then in the order of the list
};

// Loads the anniversary file once and keeps every occurrence in Gregorian
// years fromYear to toYear (1583-3000). Returns the number kept.
int AnniversaryDaysLoad(AnniversaryDays* days, int fromYear, int toYear);
// The same from a list in memory.
int AnniversaryDaysFromList(AnniversaryDays* days, const AnniversaryList* list, int fromYear,
                            int toYear);

// Fills caption and notes (kDayTextSize each) for the Gregorian day. With
// `anniversaries` nullptr the anniversary file is read for each kind.
// Notes that would not fit end at the last section that fits whole.
void ComposeDayRecord(int day, int month, int year, const CalWindowState* state,
                      const ExportSettings* settings, const AnniversaryDays* anniversaries,
                      char* caption, char* notes);
// The same for a caller that walks the days and so knows the day's
// absolute number and Hebrew date.
void ComposeDayRecordOfDay(const CalDate* gregorian, int absoluteDay, const CalDate* hebrew,
                           const CalWindowState* state, const ExportSettings* settings,
                           const AnniversaryDays* anniversaries, char* caption, char* notes);

// The caption by its format; a holiday day's caption ends in "#" (the
// label marker); with `crlf` a CR LF follows. out holds kDayTextSize.
void ComposeCaption(const CalWindowState* state, int day, int month, int year, char* out,
                    int crlf, const ExportSettings* settings);

// "5 March 2007 - 15 Adar 5767", with CR LF when `crlf` is set.
std::string HebrewDateLine(int day, int month, int year, int crlf);
// The holiday line (with " (Yizkor)" on a Yizkor day), the Omer line and
// "Rosh Hodesh", each ending in CR LF; "" on a day with none of them.
std::string HolidayLines(int day, int month, int year, const CalWindowState* state);
// The names whose anniversary of `kind` ('A', 'B', 'Y') falls on the day,
// one per line.
std::string AnniversaryNamesOfDay(int day, int month, int year, int kind,
                                  const AnniversaryDays* anniversaries);
// The readings and Haphtarot of the day, one per line; "" when the first
// reading is blank.
std::string ReadingLines(int day, int month, int year);

// heading CR LF text CR LF, when text is not empty.
void AppendSection(std::string* notes, const char* heading, const std::string& text);
// prefix text CR LF, when text is not empty.
void AppendPlain(std::string* notes, const char* prefix, const std::string& text);

// The number of %G, %J and %H (either case) in a caption format.
int CountCaptionParameters(const char* format);
