// The Outlook target of the three exports, in one place. Until the
// program drives Outlook, choosing it says so and writes nothing.
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

// 1 when entries can go into Outlook; otherwise 0 after telling the user
// that nothing is exported.
int OutlookTargetReady(HWND owner);

// Puts the entries into Outlook's calendar (`plain`: the anniversary
// import, which shows no message of its own at the end). Returns 1, or 0
// after the failure was shown.
int SendEntriesToOutlook(HWND owner, const std::vector<ExportEntry>& entries,
                         const OutlookOptions& options, int plain, ExportProgressWindow* progress);
