// The export runs without their windows: every day of a range composed and
// written as iCalendar, and the entries of the two narrower exports (the
// holidays of a range; the chosen anniversaries over a range of years).
// The Windows progress window and the command line both follow a run
// through the progress callback.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "calendar/caldate.h"
#include "export/ical_events.h"
#include "settings/settings.h"
#include "export/composer.h"
#include "export/text_encoding.h"
#include "placetime/window_state.h"

// One entry for a writer: an all-day entry on `date`.
struct ExportEntry {
  CalDate date;  // Gregorian
  std::string caption;
  std::string notes;
  std::string kind;  // what the entry is, for a stable UID ("holiday-Purim")
};

// Called before each entry is made: `done` of `total`. Returning 0 stops
// the run (nothing is written).
using ExportProgress = int (*)(void* context, int done, int total, const CalDate* day);

enum ExportResult {
  kExportWritten = 1,
  kExportFailed = 0,      // the file could not be written; none is left
  kExportCancelled = -1,  // stopped through the progress callback
};

// The code page the composed texts are in: Hebrew while names are given in
// Hebrew letters ([Flags] HebrewFlag), else Latin.
CodePage ExportCodePage();

// The length of a caption without its label marker: a final "#" and the
// label's digits, as the composer appends them. Any other "#" is text.
std::size_t CaptionTitleLength(const char* caption);

// Marks the names for a composed text (they are the user's text).
void MarkAnniversaryNames(AnniversaryDays* days);

// Composes every day from absolute day `first` to `last` (first <= last)
// and writes one event per day to the iCalendar file `path`, day by day.
// `options` (may be null) adds what calendar apps ask for, the timed
// Shabbat events among them; without options the UIDs are random unless
// [OutlookExport] StableUids is 1. Returns an ExportResult.
int RunExportToIcs(int first, int last, const CalWindowState* state,
                   const ExportSettings* settings, const char* path, ExportProgress progress,
                   void* context, const IcsEventOptions* options = nullptr);

// The holiday days from `first` to `last`: days with a holiday that is no
// eve and no Isru Chag, captioned with the holiday text, "%s#%d" with a
// label of 1 or more; empty notes. Returns the number of entries.
int HolidayImportEntries(int first, int last, int diaspora, int label,
                         std::vector<ExportEntry>* out);

// The occurrences of the selected anniversaries (packed selection: type
// letter, name, NUL, ..., final NUL; letters and names compared without
// case) in Gregorian years fromYear to toYear, each on the day of its
// Hebrew date, captioned and noted "Kind: name" (the name marked as the
// user's text); each record once, in the order of the
// selection, then of the anniversary list, then of the years. Returns the
// number of entries.
int AnniversaryImportEntries(const char* selection, std::size_t selectionSize, int fromYear,
                             int toYear, std::vector<ExportEntry>* out);

// Writes the entries to the iCalendar file `path`, with the options (may
// be null; then as RunExportToIcs). Returns an ExportResult.
int WriteEntriesToIcs(const std::vector<ExportEntry>& entries, const char* path,
                      ExportProgress progress, void* context,
                      const IcsEventOptions* options = nullptr);
