// The two narrower exports from the Calendar menu: the Jewish holidays of
// a range ("HOLIDAYSIMPORT") and the chosen anniversaries, birthdays and
// yahrzeits over a range of years ("BIRTHDAYSDLG"). Windows only; the
// decisions are in export_rules.h.
#pragma once
#include <windows.h>

#include "shell/export_rules.h"

// "Select Range" of the holiday import. Returns 1 on OK (the block takes
// the dialog's values), 0 on Cancel, -1 when the dialog could not be made.
int HolidayImportDialog(HWND owner, HolidayImportBlock* block);
// "Import" of the anniversaries. Returns 1 on OK, 0 on Cancel.
int AnniversaryImportDialog(HWND owner, AnniversaryImportBlock* block);

// Command 34: dialog, settings written back, the holiday days to Outlook
// or an iCalendar file.
void ImportHolidaysCommand(HWND window);
// Command 33: dialog, then the text table, Outlook or an iCalendar file.
void ImportAnniversariesCommand(HWND window);
