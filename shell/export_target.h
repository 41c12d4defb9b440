// The Outlook target of the three exports, in one place: the entries go to
// the Outlook import (outlook/), which reports in the progress window.
// Windows only.
#pragma once
#include <windows.h>

#include <vector>

#include "export/export_run.h"

struct ExportProgressWindow;

// The Outlook options of an import.
struct OutlookOptions {
  int busyStatus;       // 1000 = Outlook's default
  int reminderSet;
  int reminderMinutes;
};

// Puts the entries into Outlook's calendar (`plain`: the anniversary
// import: captions whole, no labels, no closing message of its own).
// Returns 1; 0 after the failures were shown (the export and the holiday
// import then show their one summary, the anniversary import gets it
// here); -1 when the user cancelled (said here, with how many entries went
// in).
int SendEntriesToOutlook(HWND owner, const std::vector<ExportEntry>& entries,
                         const OutlookOptions& options, int plain, ExportProgressWindow* progress);
