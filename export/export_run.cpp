// The export runs.
#include "export/export_run.h"

#include <cstdio>
#include <cstring>

#include "calendar/anniversary.h"
#include "calendar/holidays.h"
#include "export/composer.h"
#include "export/icalendar.h"
#include "placetime/suntimes.h"
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

// The kinds of entries a run writes (the UID adds the date).
const std::string kDayKind = "day";
const std::string kCandleKind = "candles";
const std::string kShabbatEndKind = "havdalah";

// The timed events of a Friday (candle lighting) or a Saturday (the end
// of Shabbat), at the times the day entries show. Returns 1, or 0 once a
// write failed.
int WriteShabbatEvent(IcsWriter* writer, int absolute, const CalDate* date,
                      const CalWindowState* state) {
  const int weekday = absolute % 7;  // 5 Friday, 6 Saturday
  if ((weekday != 5 && weekday != 6) || !state->locationKnown) return 1;
  int hour, minute;
  if (!GetSunsetBasedTime(date->day, date->month, date->year, weekday == 5,
                          state->candleLightingMinutes, state->havdalahMinutes,
                          state->havdalahByMinutes, state->havdalahDegrees, state->latitude,
                          state->longitude, state->timeZone, state->elevation, &hour, &minute))
    return 1;  // no sunset that day: no time, as in the day entry
  std::string event;
  IcsTimedEvent(writer->options, weekday == 5 ? kCandleKind : kShabbatEndKind,
                weekday == 5 ? "Candle Lighting" : "End of shabbat", date, hour, minute, &event);
  return IcsWriteComponent(writer, event);
}

// The options a run without options of its own writes with: the random
// UIDs of old, or stable ones when the settings ask for them.
const IcsEventOptions* DefaultOptions(const IcsEventOptions* options, IcsEventOptions* stable) {
  if (options || !GetStableUids()) return options;
  stable->stableUids = 1;
  return stable;
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
  // Timed Shabbat events go with the day entries' Shabbat lines.
  const int shabbatEvents = writer->options && writer->options->shabbatEvents &&
                            settings->includeFlags.flag[kIncludeShabbatTimes];
  for (int day = first; day <= last; ++day, NextDay(&date), NextHebrewDay(&hebrew)) {
    if (progress && !progress(context, day - first, total, &date)) {
      IcsAbort(writer);
      return kExportCancelled;
    }
    ComposeDayRecordOfDay(&date, day, &hebrew.date, state, settings, anniversaries, caption, notes);
    if (!IcsWriteEventAs(writer, &date, caption, notes, &kDayKind) ||
        (shabbatEvents && !WriteShabbatEvent(writer, day, &date, state))) {
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
                   void* context, const IcsEventOptions* options) {
  CalDate firstDate;
  CalDate lastDate;
  GregorianFromAbsolute(first, &firstDate);
  GregorianFromAbsolute(last, &lastDate);
  // The anniversary file is read once for the whole run.
  AnniversaryDays anniversaries;
  AnniversaryDaysLoad(&anniversaries, firstDate.year, lastDate.year);
  MarkAnniversaryNames(&anniversaries);

  IcsWriter writer;
  IcsEventOptions stable;
  writer.options = DefaultOptions(options, &stable);
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
    // "holiday-Purim" of the key "HolidayPurim".
    entry.kind = std::string("holiday-") + (std::strncmp(key, "Holiday", 7) == 0 ? key + 7 : key);
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
    // The kind word and the name: one UID per entry and year.
    const std::string kind = std::string(word) + "-" + record->name;
    for (const AnniversaryOccurrence& o : occurrences)
      out->push_back({o.gregorian, label, label, kind});
  }
  AnniversaryListFree(&list);
  return (int)out->size();
}

int WriteEntriesToIcs(const std::vector<ExportEntry>& entries, const char* path,
                      ExportProgress progress, void* context,
                      const IcsEventOptions* options) {
  IcsWriter writer;
  IcsEventOptions stable;
  writer.options = DefaultOptions(options, &stable);
  if (!IcsBegin(&writer, path, ExportCodePage())) return kExportFailed;
  const int total = (int)entries.size();
  for (int i = 0; i < total; ++i) {
    if (progress && !progress(context, i, total, &entries[i].date)) {
      IcsAbort(&writer);
      return kExportCancelled;
    }
    const ExportEntry& entry = entries[i];
    if (!IcsWriteEventAs(&writer, &entry.date, entry.caption.c_str(), entry.notes.c_str(),
                         entry.kind.empty() ? nullptr : &entry.kind)) {
      IcsAbort(&writer);
      return kExportFailed;
    }
  }
  return IcsEnd(&writer) ? kExportWritten : kExportFailed;
}
