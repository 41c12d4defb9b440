// The export of a range of days from the program: composed day by day
// while the progress window shows the day, then into Outlook or an
// iCalendar file, with the final message. Windows only.
#pragma once
#include <windows.h>

#include "placetime/window_state.h"
#include "settings/settings.h"

// Exports the days from absolute day `first` to `last` (first <= last).
// The iCalendar file is asked for before the days are composed and
// written as they are composed; a cancelled or failed run leaves no file
// and any earlier file as it was.
void RunExport(HWND owner, int first, int last, const CalWindowState* state,
               const ExportSettings* settings);
