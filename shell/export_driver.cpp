// The export driver.
#include "shell/export_driver.h"

#include <cstdio>
#include <vector>

#include "export/composer.h"
#include "export/export_run.h"
#include "platform/ini.h"
#include "platform/message.h"
#include "readings/reading_texts.h"
#include "shell/export_ics.h"
#include "shell/export_progress.h"
#include "shell/export_rules.h"
#include "shell/export_target.h"

namespace {

// Every day composed into entries for Outlook. Returns 1, or 0 when
// cancelled.
int ComposeEntries(int first, int last, const CalWindowState* state, const ExportSettings* settings,
                   ExportProgressWindow* progress, std::vector<ExportEntry>* entries) {
  CalDate firstDate, lastDate;
  GregorianFromAbsolute(first, &firstDate);
  GregorianFromAbsolute(last, &lastDate);
  AnniversaryDays anniversaries;
  AnniversaryDaysLoad(&anniversaries, firstDate.year, lastDate.year);
  std::vector<char> caption(kDayTextSize), notes(kDayTextSize);
  const int total = last - first + 1;
  entries->reserve(static_cast<size_t>(total));
  IniHoldFiles(1);
  int ok = 1;
  for (int day = first; day <= last && ok; ++day) {
    CalDate date;
    GregorianFromAbsolute(day, &date);
    if (!ExportProgressStep(progress, day - first, total, &date)) ok = 0;
    if (!ok) break;
    ComposeDayRecord(date.day, date.month, date.year, state, settings, &anniversaries,
                     caption.data(), notes.data());
    entries->push_back({date, caption.data(), notes.data(), "day"});
  }
  IniHoldFiles(0);
  return ok;
}

void ExportToOutlook(HWND owner, int first, int last, const CalWindowState* state,
                     const ExportSettings* settings) {
  ExportProgressWindow progress;
  OpenExportProgress(owner, &progress);
  std::vector<ExportEntry> entries;
  if (!ComposeEntries(first, last, state, settings, &progress, &entries)) {
    CloseExportProgress(&progress);
    ShowMessage("The export was cancelled. Nothing was imported into Outlook.", "Information",
                MessageIconInformation);
    return;
  }
  OutlookOptions options = {settings->busyStatus, settings->reminderSet, settings->reminderMinutes};
  int done = SendEntriesToOutlook(owner, entries, options, 0, &progress);
  CloseExportProgress(&progress);
  if (done > 0) {
    ShowMessage(OutlookImportedMessage(first, last, -1).c_str(), "Information",
                MessageIconInformation);
  } else if (done == 0) {
    ShowMessage("An error with Outlook has occurred", "Error", MessageIconError);
  }
}

void ExportToIcs(HWND owner, int first, int last, const CalWindowState* state,
                 const ExportSettings* settings) {
  char path[256];
  if (!AskIcsFileName(owner, path)) return;
  ExportProgressWindow progress;
  OpenExportProgress(owner, &progress);
  int result = RunExportToIcs(first, last, state, settings, path, ExportProgressStep, &progress);
  CloseExportProgress(&progress);
  ShowIcsOutcome(result);
}

}  // namespace

void RunExport(HWND owner, int first, int last, const CalWindowState* state,
               const ExportSettings* settings) {
  // The custom of the readings is read once for the run, not for every
  // reading of every day: no dialog can change it while the run blocks the
  // program.
  SetReadingsDiasporaOverride(ReadingsDiasporaFlag());
  if (settings->exportType == kExportTypeOutlook) ExportToOutlook(owner, first, last, state, settings);
  else if (settings->exportType == kExportTypeICalendar) ExportToIcs(owner, first, last, state, settings);
  SetReadingsDiasporaOverride(-1);
}
