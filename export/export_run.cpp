// The export runs.
#include "export/export_run.h"

#include <cstdio>
#include <cstring>

#include "calendar/anniversary.h"
#include "calendar/holidays.h"
#include "export/composer.h"
#include "export/icalendar.h"
#include "platform/ini.h"

CodePage ExportCodePage() { return GetHebrewFlag() ? kCodePageHebrew : kCodePageLatin; }

std::size_t CaptionTitleLength(const char* caption) {
  std::size_t end = std::strlen(caption);
  std::size_t digits = end;
  while (digits > 0 && caption[digits - 1] >= '0' && caption[digits - 1] <= '9') --digits;
  if (digits < end && digits > 0 && caption[digits - 1] == '#') return digits - 1;
  return end;
}

void MarkAnniversaryNames(AnniversaryDays* days) {
  for (AnniversaryDays::Entry& entry : days->entries) entry.name = MarkUserText(entry.name.c_str());
}

namespace {

// The Gregorian day after `date` (a real day of the calendar).
void NextDay(CalDate* date) {
  if (date->day < GregorianLastDayOfMonth(date->month, date->year)) {
    ++date->day;
  } else if (date->month < 12) {
    date->day = 1;
    ++date->month;
  } else {
    *date = {1, 1, date->year + 1};
  }
}

// A day's Hebrew date, walked on day by day, with the length of its month.
struct HebrewDay {
  CalDate date;
  int monthLength;  // 29 or 30
};

void StartHebrewDay(int absoluteDay, HebrewDay* hebrew) {
  HebrewFromAbsolute(absoluteDay, &hebrew->date);
  hebrew->monthLength = HebrewLastDayOfMonth(hebrew->date.month, hebrew->date.year);
}

// The next day: the months run Tishri (7) to Adar (12, or 13 in a leap
// year), then Nisan (1) to Elul (6), after which the year changes.
void NextHebrewDay(HebrewDay* hebrew) {
  CalDate& d = hebrew->date;
  if (d.day < hebrew->monthLength) {
    ++d.day;
    return;
  }
  d.day = 1;
  if (d.month == 6) {
    d.month = 7;
    ++d.year;
  } else {
    d.month = d.month == LastMonthOfHebrewYear(d.year) ? 1 : d.month + 1;
  }
  hebrew->monthLength = HebrewLastDayOfMonth(d.month, d.year);
}

// Every day composed and written; the writer is finished or given up.
int ComposeDaysToIcs(int first, int last, const CalWindowState* state, const ExportSettings* settings,
                     const AnniversaryDays* anniversaries, IcsWriter* writer, ExportProgress progress,
                     void* context) {
  CalDate lastDate;
  GregorianFromAbsolute(last, &lastDate);
  const int total = last - first + 1;
  char caption[kDayTextSize];
  char notes[kDayTextSize];
  CalDate date;
  GregorianFromAbsolute(first, &date);
  HebrewDay hebrew;
  StartHebrewDay(first, &hebrew);
  for (int day = first; day <= last; ++day, NextDay(&date), NextHebrewDay(&hebrew)) {
    if (progress && !progress(context, day - first, total, &date)) {
      IcsAbort(writer);
      return kExportCancelled;
    }
    ComposeDayRecordOfDay(&date, day, &hebrew.date, state, settings, anniversaries, caption, notes);
    if (!IcsWriteEvent(writer, &date, caption, notes)) {
      IcsAbort(writer);
      return kExportFailed;
    }
  }
  if (progress) progress(context, total, total, &lastDate);
  return IcsEnd(writer) ? kExportWritten : kExportFailed;
}

}  // namespace

int RunExportToIcs(int first, int last, const CalWindowState* state,
                   const ExportSettings* settings, const char* path, ExportProgress progress,
                   void* context) {
  CalDate firstDate;
  CalDate lastDate;
  GregorianFromAbsolute(first, &firstDate);
  GregorianFromAbsolute(last, &lastDate);
  // The anniversary file is read once for the whole run.
  AnniversaryDays anniversaries;
  AnniversaryDaysLoad(&anniversaries, firstDate.year, lastDate.year);
  MarkAnniversaryNames(&anniversaries);

  IcsWriter writer;
  if (!IcsBegin(&writer, path, ExportCodePage())) return kExportFailed;
  IniHoldFiles(1);
  const int result = ComposeDaysToIcs(first, last, state, settings, &anniversaries, &writer, progress, context);
  IniHoldFiles(0);
  return result;
}

int HolidayImportEntries(int first, int last, int diaspora, int label,
                         std::vector<ExportEntry>* out) {
  out->clear();
  char key[kHolidayKeySize];
  char text[256];
  for (int day = first; day <= last; ++day) {
    if (!HolidaysOfDay(day, diaspora, key, text, sizeof text)) continue;
    if (std::strstr(key, "Erev") || std::strstr(key, "IsruChag")) continue;
    ExportEntry entry;
    GregorianFromAbsolute(day, &entry.date);
    entry.caption = text;
    if (label != 0) {
      entry.caption += '#';
      entry.caption += std::to_string(label);
    }
    out->push_back(entry);
  }
  return (int)out->size();
}

int AnniversaryImportEntries(const char* selection, std::size_t selectionSize, int fromYear,
                             int toYear, std::vector<ExportEntry>* out) {
  out->clear();
  char path[1024];
  AnniversaryList list;
  if (AnniversaryFilePath(path, sizeof path)) AnniversaryListLoad(&list, path);
  std::vector<const AnniversaryRecord*> records;
  AnniversarySelectedRecords(&list, selection, selectionSize, &records);
  std::vector<AnniversaryOccurrence> occurrences;
  for (const AnniversaryRecord* record : records) {
    const char* word = AnniversaryTypeWord(record->type);
    if (!word) continue;
    const std::string label = std::string(word) + ": " + MarkUserText(record->name);
    occurrences.clear();
    AnniversaryOccurrences(record, fromYear, toYear, kAnniversaryDayOfHebrewDate, &occurrences);
    for (const AnniversaryOccurrence& o : occurrences) out->push_back({o.gregorian, label, label});
  }
  AnniversaryListFree(&list);
  return (int)out->size();
}

int WriteEntriesToIcs(const std::vector<ExportEntry>& entries, const char* path,
                      ExportProgress progress, void* context) {
  IcsWriter writer;
  if (!IcsBegin(&writer, path, ExportCodePage())) return kExportFailed;
  const int total = (int)entries.size();
  for (int i = 0; i < total; ++i) {
    if (progress && !progress(context, i, total, &entries[i].date)) {
      IcsAbort(&writer);
      return kExportCancelled;
    }
    if (!IcsWriteEvent(&writer, &entries[i].date, entries[i].caption.c_str(), entries[i].notes.c_str())) {
      IcsAbort(&writer);
      return kExportFailed;
    }
  }
  return IcsEnd(&writer) ? kExportWritten : kExportFailed;
}
