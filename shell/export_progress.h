// The progress window of the exports ("WAIT", "Please wait..."): a text,
// a progress bar and Cancel. While an export runs, its progress callback
// keeps the program responsive: it shows the day, moves the bar and lets
// the thread's messages through (repaint, Cancel), with the owner window
// disabled as under a modal dialog. Windows only.
#pragma once
#include <windows.h>

#include "calendar/caldate.h"

struct ExportProgressWindow {
  HWND window;
  HWND owner;
  int ownerWasEnabled;
  int cancelled;       // Cancel (or Escape) pressed, or the program asked to quit
  DWORD lastShown;     // tick count of the last text update
};

// Creates the window owned by `owner` and disables the owner. Returns 1,
// or 0 (no window; the export runs without one).
int OpenExportProgress(HWND owner, ExportProgressWindow* progress);
// Enables the owner again and destroys the window.
void CloseExportProgress(ExportProgressWindow* progress);
// Replaces the window's text and repaints it at once.
void SetExportProgressText(ExportProgressWindow* progress, const char* text);
// An ExportProgress callback (context: the ExportProgressWindow): the day
// and the bar, the pending messages handled. Returns 0 once cancelled.
int ExportProgressStep(void* context, int done, int total, const CalDate* day);
