// The Outlook target of the three exports: the entries go to the Outlook
// import, which reports in the export's progress window.
#include "shell/export_target.h"

#include <cstdio>

#include "outlook/outlook.h"
#include "platform/message.h"
#include "shell/export_progress.h"

int SendEntriesToOutlook(HWND owner, const std::vector<ExportEntry>& entries,
                         const OutlookOptions& options, int plain, ExportProgressWindow* progress) {
  std::vector<CalDate> dates;
  std::vector<const char*> captions, notes;
  for (const ExportEntry& e : entries) {
    dates.push_back(e.date);
    captions.push_back(e.caption.c_str());
    notes.push_back(e.notes.c_str());
  }
  const int n = static_cast<int>(entries.size());
  int ok = ImportIntoOutlookWith(owner, dates.data(), captions.data(), notes.data(),
                                 options.busyStatus, options.reminderSet, options.reminderMinutes,
                                 n, plain ? 0 : 1, ExportProgressText, progress);
  const OutlookRunFacts& facts = LastOutlookRun();
  if (ok && facts.cancelled) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "The import was cancelled: %d of the %d entries were imported into Outlook.",
                  facts.saved, n);
    ShowMessage(text, "Information", MessageIconInformation);
    return -1;
  }
  // The anniversary import has no closing message of its own, but a
  // failure still gets its one summary.
  if (!ok && plain) ShowMessage("An error with Outlook has occurred", "Error", MessageIconError);
  return ok;
}
